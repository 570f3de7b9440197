#include "app/Autostart.h"

#include "core/AsciiCase.h"
#include "core/Exceptions.h"

#include <optional>

namespace {

// The data without one pair of surrounding quotes.
std::string Unquoted(const std::string& data)
{
    if (data.size() >= 2 && data.front() == '"' && data.back() == '"')
        return data.substr(1, data.size() - 2);
    return data;
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

bool TAutostart::IsRegistered()
{
    return NamesThisProgram(ReadEntry(TRegistryRoot::LocalMachine, MachineRunKeyPath)) ||
           NamesThisProgram(ReadEntry(TRegistryRoot::CurrentUser, UserRunKeyPath));
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
    const bool machineEntryStays =
        !RemoveEntry(TRegistryRoot::LocalMachine, MachineRunKeyPath) &&
        NamesThisProgram(ReadEntry(TRegistryRoot::LocalMachine, MachineRunKeyPath));
    if (wanted) {
        if (!NamesThisProgram(ReadEntry(TRegistryRoot::CurrentUser, UserRunKeyPath)))
            AddUserEntry();
    } else {
        RemoveEntry(TRegistryRoot::CurrentUser, UserRunKeyPath);
    }
    return machineEntryStays || NamesThisProgram(ReadEntry(TRegistryRoot::CurrentUser, UserRunKeyPath));
}
