#pragma once
// Starting with Windows: the value "Tessivo" under the current user's Run key
// naming the program's own file. The program belongs to one user (it lives in
// that user's folder), so it never writes the machine-wide Run key; an entry
// there was left by an older copy run elevated, and is removed where the
// user may. A standard user may not: that entry keeps starting the program,
// and the autostart box says so.
//
// Portable: the registry is reached through the interface passed in.

#include "platform/RegistryAccess.h"

#include <optional>
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
    // letter case ignored, as the file system compares names): Windows
    // starts the program at logon.
    bool IsRegistered();

    // Brings the entries in line with the box: `wanted` and no entry of the
    // user's naming this program: written; not `wanted`: the user's entry
    // removed. A "Tessivo" value under the machine's Run key is removed in
    // either case when the registry allows it. Returns whether an entry
    // still starts this program afterwards (the user's, or a machine entry
    // that could not be removed). Raises the registry's error when the
    // user's entry cannot be written.
    bool Apply(bool wanted);

private:
    // The value "Tessivo" under `path` of `root`: nothing when there is none
    // (or it is empty), "" when it is not a string.
    std::optional<std::string> ReadEntry(TRegistryRoot root, const char* path);
    bool NamesThisProgram(const std::optional<std::string>& data) const;
    // Deletes the value "Tessivo" under `path` of `root` when present; false
    // when it stays (the key cannot be opened for writing, or the delete is
    // refused).
    bool RemoveEntry(TRegistryRoot root, const char* path);
    void AddUserEntry();

    IRegistryFactory& registry_;
    std::string programPath_;
};
