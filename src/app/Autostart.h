#pragma once
// Starting with Windows: the value "Tessivo" under the current user's Run key
// naming the program's own file. The program belongs to one user (it lives in
// that user's folder), so it never writes the machine-wide Run key; an entry
// there was left by an older copy run elevated, and is removed where the
// user may. A standard user may not: that entry keeps starting the program,
// and the autostart box says so.
//
// Windows keeps a second switch per entry: the user may turn an entry off in
// Task Manager's or Settings' list of startup apps without removing it. That
// list is the binary value of the same name under
// "...\Explorer\StartupApproved\Run" of the same root. Its format is not
// documented; what the program relies on is what Windows writes: 12 bytes,
// the first 0x02 (or another even number) while the entry is on, odd (0x03)
// while it is off, then the time it was turned off. A missing value is on.
//
// Portable: the registry is reached through the interface passed in.

#include "platform/RegistryAccess.h"

#include <optional>
#include <string>

inline constexpr const char* MachineRunKeyPath = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* UserRunKeyPath = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* StartupApprovedKeyPath =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
inline constexpr const char* AutostartValueName = "Tessivo";
// Where the installer records the installation, under the current user.
inline constexpr const char* UninstallKeyPath =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tessivo";
inline constexpr const char* InstallLocationValueName = "InstallLocation";

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

    // Windows starts the program at logon: an entry under either Run key
    // names this program (quoted or not, letter case ignored, as the file
    // system compares names) and the user has not turned it off.
    bool IsRegistered();

    // The user's entry names this program and the user turned it off in
    // Windows' list of startup apps.
    bool IsTurnedOff();

    // Brings the entries in line with the box: `wanted` and no entry of the
    // user's naming this program: written; not `wanted`: the user's entry
    // removed when it names this program (or nothing at all), and is not
    // merely turned off, which keeps Windows' list as the user left it. A
    // "Tessivo" value under the machine's Run key is removed in either case
    // when the registry allows it. Returns whether an entry still starts
    // this program afterwards. Raises the registry's error when the user's
    // entry cannot be written. An entry the user turned off stays off.
    bool Apply(bool wanted);

    // The user asked for the program to start with Windows: Apply(true),
    // and an entry turned off in Windows' list is turned on again there.
    bool TurnOn();

private:
    // The value "Tessivo" under `path` of `root`: nothing when there is none
    // (or it is empty), "" when it is not a string.
    std::optional<std::string> ReadEntry(TRegistryRoot root, const char* path);
    bool NamesThisProgram(const std::optional<std::string>& data) const;
    // The entry of `root` names this program and is not turned off.
    bool StartsFrom(TRegistryRoot root, const char* runPath);
    bool TurnedOffIn(TRegistryRoot root);
    // Deletes the value "Tessivo" under `path` of `root` when present; false
    // when it stays (the key cannot be opened for writing, or the delete is
    // refused).
    bool RemoveEntry(TRegistryRoot root, const char* path);
    void AddUserEntry();

    IRegistryFactory& registry_;
    std::string programPath_;
};

// The program runs from the folder the installer recorded for this user:
// an installed copy, not a portable one (a zip unpacked anywhere, a USB
// stick).
bool IsInstalledCopy(IRegistryFactory& registry, const std::string& programPath);
