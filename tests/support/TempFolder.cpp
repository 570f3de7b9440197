#include "support/TempFolder.h"

#include "platform/WideText.h"

#include <cstdio>
#include <windows.h>

namespace {

std::vector<std::string> NamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(WideFromUtf8(folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = Utf8FromWideReplacing(found.cFileName);
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// Removes a folder and everything in it; read-only files too.
void RemoveTree(const std::string& folder)
{
    for (const std::string& name : NamesIn(folder)) {
        const std::string path = folder + "\\" + name;
        SetFileAttributesW(WideFromUtf8(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileW(WideFromUtf8(path).c_str()))
            RemoveTree(path);
    }
    RemoveDirectoryW(WideFromUtf8(folder).c_str());
}

} // namespace

const std::string& TestRoot()
{
    static const std::string root = [] {
        wchar_t base[MAX_PATH + 1];
        GetTempPathW(MAX_PATH + 1, base);
        char name[64];
        std::snprintf(name, sizeof name, "tessivo-tests-%lu", GetCurrentProcessId());
        const std::string path = Utf8FromWide(base) + name;
        // Wine hands out process ids again: a root an earlier run could not
        // remove (it was killed) must not lend its files to this one.
        RemoveTree(path);
        CreateDirectoryW(WideFromUtf8(path).c_str(), nullptr);
        return path;
    }();
    return root;
}

void RemoveTestRoot()
{
    // A test may have left the current folder in one of ours (the program
    // folder of a form under test); a current folder cannot be removed.
    SetCurrentDirectoryW(WideFromUtf8(TestRoot() + "\\..").c_str());
    RemoveTree(TestRoot());
}

TTempFolder::TTempFolder()
{
    // Short numbered names: some tests fill the folder with names close to
    // the platform's 260-character path limit.
    static unsigned counter = 0;
    path_ = TestRoot() + "\\" + std::to_string(++counter);
    CreateDirectoryW(WideFromUtf8(path_).c_str(), nullptr);
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
    HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes;
    char buffer[65536];
    DWORD count = 0;
    while (ReadFile(file, buffer, sizeof buffer, &count, nullptr) && count > 0)
        bytes.append(buffer, count);
    CloseHandle(file);
    return bytes;
}

void PutFileBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

void SetFileAge(const std::string& path, int minutes)
{
    HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), FILE_WRITE_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
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
