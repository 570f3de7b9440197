#pragma once
// Libraries of the system, taken from the system folder only: a program
// unpacked in a folder others can write to (Downloads) would otherwise load a
// DLL of that name planted beside it before the system's own.

#include <windows.h>

#include <string>

// From here on, DLLs loaded without a path come from the system folder,
// never from the program's folder or the current one. Called first thing in
// the program, before anything loads a library. Returns whether the system
// took the restriction (every Windows from 8 on, and 7 with its update;
// without it, the current folder at least is taken off the search).
bool SearchDllsInSystemFolderOnly();

// A library of the system folder, loaded at first use and released with the
// object; the functions of DLLs that are not among the system's known ones
// are taken from here instead of being imported.
class TSystemLibrary {
public:
    // `name` is a file name such as "dwmapi.dll", found in the system folder.
    explicit TSystemLibrary(const wchar_t* name);
    ~TSystemLibrary();
    TSystemLibrary(const TSystemLibrary&) = delete;
    TSystemLibrary& operator=(const TSystemLibrary&) = delete;

    bool Loaded() const { return module_ != nullptr; }
    // The exported function `name` as `Function`, or nullptr when the
    // library or the function is missing (an older Windows).
    template <class Function>
    Function Get(const char* name) const
    {
        return module_ ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)))
                       : nullptr;
    }

private:
    HMODULE module_ = nullptr;
};

// The full path of `name` in the system folder (C:\Windows\System32\name).
std::wstring SystemFolderFile(const wchar_t* name);
