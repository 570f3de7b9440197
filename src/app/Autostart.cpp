#include "app/Autostart.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

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

std::string TAutostart::ReadEntry(TRegistryRoot root, const char* path)
{
    const auto registry = registry_.NewRegistry(root);
    if (!registry->OpenKeyReadOnly(path))
        return {};
    return registry->ReadString(AutostartValueName);
}

bool TAutostart::NamesThisProgram(const std::string& data) const
{
    return !data.empty() && Lower(Unquoted(data)) == Lower(programPath_);
}

bool TAutostart::IsRegistered()
{
    return NamesThisProgram(ReadEntry(TRegistryRoot::LocalMachine, MachineRunKeyPath)) ||
           NamesThisProgram(ReadEntry(TRegistryRoot::CurrentUser, UserRunKeyPath));
}

bool TAutostart::IsPresent()
{
    return !ReadEntry(TRegistryRoot::LocalMachine, MachineRunKeyPath).empty() ||
           !ReadEntry(TRegistryRoot::CurrentUser, UserRunKeyPath).empty();
}

void TAutostart::Add()
{
    {
        const auto machine = registry_.NewRegistry(TRegistryRoot::LocalMachine);
        if (machine->OpenKey(MachineRunKeyPath, false)) {
            machine->WriteString(AutostartValueName, EntryData());
            return;
        }
    }
    const auto user = registry_.NewRegistry(TRegistryRoot::CurrentUser);
    if (user->OpenKey(UserRunKeyPath, true))
        user->WriteString(AutostartValueName, EntryData());
}

void TAutostart::Remove()
{
    const auto machine = registry_.NewRegistry(TRegistryRoot::LocalMachine);
    if (machine->OpenKey(MachineRunKeyPath, false))
        machine->DeleteValue(AutostartValueName);
    const auto user = registry_.NewRegistry(TRegistryRoot::CurrentUser);
    if (user->OpenKey(UserRunKeyPath, false))
        user->DeleteValue(AutostartValueName);
}
