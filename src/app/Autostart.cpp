#include "app/Autostart.h"

#include "core/AsciiCase.h"
#include "core/Exceptions.h"
#include "core/FileNames.h"

#include <optional>
#include <vector>

namespace {

// The data without one pair of surrounding quotes.
std::string Unquoted(const std::string& data)
{
    if (data.size() >= 2 && data.front() == '"' && data.back() == '"')
        return data.substr(1, data.size() - 2);
    return data;
}

// The startup list's value for an entry that is on: 0x02, then zeros where
// an entry turned off keeps the time it was turned off.
const std::vector<uint8_t> EntryTurnedOn{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

std::string WithoutTrailingBackslash(std::string path)
{
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

} // namespace

std::string TAutostart::EntryData() const
{
    return "\"" + programPath_ + "\"";
}

std::optional<std::string> TAutostart::ReadEntry(TRegistryRoot root, const char* path)
{
    const auto registry = registry_.NewRegistry(root);
    if (!registry->OpenKeyReadOnly(path))
        return std::nullopt;
    try {
        std::string data = registry->ReadString(AutostartValueName);
        if (data.empty())
            return std::nullopt;
        return data;
    } catch (const ERegistryException&) {
        // A value of another type: there, but it names no program.
        return std::string();
    }
}

bool TAutostart::NamesThisProgram(const std::optional<std::string>& data) const
{
    return data && !data->empty() && SameIgnoringCase(Unquoted(*data), programPath_);
}

bool TAutostart::TurnedOffIn(TRegistryRoot root)
{
    const auto registry = registry_.NewRegistry(root);
    if (!registry->OpenKeyReadOnly(StartupApprovedKeyPath))
        return false;
    const std::optional<std::vector<uint8_t>> state = registry->ReadBinary(AutostartValueName);
    return state && !state->empty() && ((*state)[0] & 1) != 0;
}

bool TAutostart::StartsFrom(TRegistryRoot root, const char* runPath)
{
    return NamesThisProgram(ReadEntry(root, runPath)) && !TurnedOffIn(root);
}

bool TAutostart::IsRegistered()
{
    return StartsFrom(TRegistryRoot::LocalMachine, MachineRunKeyPath) ||
           StartsFrom(TRegistryRoot::CurrentUser, UserRunKeyPath);
}

bool TAutostart::IsTurnedOff()
{
    return NamesThisProgram(ReadEntry(TRegistryRoot::CurrentUser, UserRunKeyPath)) &&
           TurnedOffIn(TRegistryRoot::CurrentUser);
}

bool TAutostart::RemoveEntry(TRegistryRoot root, const char* path)
{
    if (!ReadEntry(root, path))
        return true;
    const auto registry = registry_.NewRegistry(root);
    return registry->OpenKey(path, false) && registry->DeleteValue(AutostartValueName);
}

void TAutostart::AddUserEntry()
{
    const auto user = registry_.NewRegistry(TRegistryRoot::CurrentUser);
    if (!user->OpenKey(UserRunKeyPath, true))
        throw ERegistryException::SetDataFailed(AutostartValueName);
    user->WriteString(AutostartValueName, EntryData());
}

bool TAutostart::Apply(bool wanted)
{
    const bool machineEntryStays = !RemoveEntry(TRegistryRoot::LocalMachine, MachineRunKeyPath) &&
                                   StartsFrom(TRegistryRoot::LocalMachine, MachineRunKeyPath);
    const std::optional<std::string> userEntry = ReadEntry(TRegistryRoot::CurrentUser, UserRunKeyPath);
    if (wanted) {
        if (!NamesThisProgram(userEntry))
            AddUserEntry();
    } else if (userEntry && (userEntry->empty() || NamesThisProgram(userEntry)) && !IsTurnedOff()) {
        // Another copy's entry (the installed one, while a portable copy
        // runs) is that copy's business.
        RemoveEntry(TRegistryRoot::CurrentUser, UserRunKeyPath);
    }
    return machineEntryStays || StartsFrom(TRegistryRoot::CurrentUser, UserRunKeyPath);
}

bool TAutostart::TurnOn()
{
    Apply(true);
    if (TurnedOffIn(TRegistryRoot::CurrentUser)) {
        const auto approved = registry_.NewRegistry(TRegistryRoot::CurrentUser);
        if (!approved->OpenKey(StartupApprovedKeyPath, false))
            throw ERegistryException::SetDataFailed(AutostartValueName);
        approved->WriteBinary(AutostartValueName, EntryTurnedOn);
    }
    return IsRegistered();
}

bool IsInstalledCopy(IRegistryFactory& registry, const std::string& programPath)
{
    const auto uninstall = registry.NewRegistry(TRegistryRoot::CurrentUser);
    if (!uninstall->OpenKeyReadOnly(UninstallKeyPath))
        return false;
    std::string location;
    try {
        location = WithoutTrailingBackslash(uninstall->ReadString(InstallLocationValueName));
    } catch (const ERegistryException&) {
        return false;
    }
    return !location.empty() &&
           SameIgnoringCase(location, WithoutTrailingBackslash(ExtractFilePath(programPath)));
}
