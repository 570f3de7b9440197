#pragma once
// A fresh folder under the system's temporary folder for one test, removed
// with its files (one level deep) when the test ends.

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include <windows.h>

class TTempFolder {
public:
    TTempFolder()
    {
        static std::atomic<unsigned> counter{0};
        char base[MAX_PATH + 1];
        GetTempPathA(sizeof base, base);
        char name[64];
        std::snprintf(name, sizeof name, "tessivo-test-%lu-%u", GetCurrentProcessId(), counter.fetch_add(1));
        Folder = std::string(base) + name;
        CreateDirectoryA(Folder.c_str(), nullptr);
    }
    ~TTempFolder()
    {
        for (const std::string& file : FileNames()) {
            const std::string path = Folder + "\\" + file;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileA(path.c_str()))
                RemoveDirectoryA(path.c_str());
        }
        RemoveDirectoryA(Folder.c_str());
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // The folder, without a trailing "\".
    const std::string& Path() const { return Folder; }
    std::string operator/(const std::string& name) const { return Folder + "\\" + name; }

    // The names in the folder (files and subfolders), "." and ".." left out.
    std::vector<std::string> FileNames() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((Folder + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..")
                names.push_back(name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }

private:
    std::string Folder;
};

// The whole content of a file as bytes ("<missing>" when it cannot be read).
inline std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void PutFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Sets the file's last write time to `minutes` before now.
inline void SetFileAge(const std::string& path, int minutes)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time;
    time.LowPart = now.dwLowDateTime;
    time.HighPart = now.dwHighDateTime;
    time.QuadPart -= static_cast<ULONGLONG>(minutes) * 60 * 10000000;
    const FILETIME written{time.LowPart, time.HighPart};
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
}
