#pragma once
// Starting with Windows: the value "Tessivo" under a Run key naming the
// program's own file. The machine-wide Run key is used when it may be
// written; a standard user cannot, and gets the same value under the current
// user's Run key instead.
//
// Portable: the registry is reached through the interface passed in.

#include "platform/RegistryAccess.h"

#include <string>

inline constexpr const char* MachineRunKeyPath = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* UserRunKeyPath = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* AutostartValueName = "Tessivo";

class TAutostart {
public:
    // `programPath` is the running program's full path.
    TAutostart(IRegistryFactory& registry, std::string programPath)
        : registry_(registry), programPath_(std::move(programPath))
    {
    }

    // The data the entry holds: the program's full path in quotes, so a path
    // with blanks starts this program and not a prefix of it.
    std::string EntryData() const;

    // An entry under either Run key names this program (quoted or not,
    // letter case ignored, as the file system compares names).
    bool IsRegistered();
    // A "Tessivo" value exists under either Run key, whatever it names.
    bool IsPresent();

    // Writes the entry under the machine's Run key, or under the user's when
    // the machine's cannot be opened for writing.
    void Add();
    // Deletes the value from both Run keys; a missing one is no error.
    void Remove();

private:
    // The value "Tessivo" under `path` of `root`; "" when there is none.
    std::string ReadEntry(TRegistryRoot root, const char* path);
    bool NamesThisProgram(const std::string& data) const;

    IRegistryFactory& registry_;
    std::string programPath_;
};
