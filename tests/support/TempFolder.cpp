#include "support/TempFolder.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <windows.h>

namespace {

std::vector<std::string> NamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
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

// Removes a folder and everything in it; read-only files too.
void RemoveTree(const std::string& folder)
{
    for (const std::string& name : NamesIn(folder)) {
        const std::string path = folder + "\\" + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(path.c_str()))
            RemoveTree(path);
    }
    RemoveDirectoryA(folder.c_str());
}

} // namespace

const std::string& TestRoot()
{
    static const std::string root = [] {
        char base[MAX_PATH + 1];
        GetTempPathA(sizeof base, base);
        char name[64];
        std::snprintf(name, sizeof name, "tessivo-tests-%lu", GetCurrentProcessId());
        const std::string path = std::string(base) + name;
        CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }();
    return root;
}

void RemoveTestRoot()
{
    // A test may have left the current folder in one of ours (the program
    // folder of a form under test); a current folder cannot be removed.
    SetCurrentDirectoryA((TestRoot() + "\\..").c_str());
    RemoveTree(TestRoot());
}

TTempFolder::TTempFolder()
{
    // Short numbered names: some tests fill the folder with names close to
    // the platform's 260-character path limit.
    static unsigned counter = 0;
    path_ = TestRoot() + "\\" + std::to_string(++counter);
    CreateDirectoryA(path_.c_str(), nullptr);
}

TTempFolder::~TTempFolder()
{
    RemoveTree(path_);
}

std::vector<std::string> TTempFolder::FileNames() const
{
    return NamesIn(path_);
}

void TTempFolder::Write(const std::string& name, const std::string& bytes) const
{
    PutFileBytes(*this / name, bytes);
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void PutFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void SetFileAge(const std::string& path, int minutes)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
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
