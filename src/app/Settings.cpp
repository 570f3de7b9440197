#include "app/Settings.h"

#include "core/Exceptions.h"
#include "framework/stdctrls/SpinValue.h"
#include "wallpaper/RotationMath.h"

#include <optional>

namespace {

// One stored value: nothing for a missing or empty one; a value that raises
// (another type, a failed read) is listed in `reset` and read as missing.
std::optional<std::string> ReadOption(IRegistryAccessor& settings, const char* name,
                                      std::vector<std::string>& reset)
{
    try {
        std::string value = settings.ReadString(name);
        if (value.empty())
            return std::nullopt;
        return value;
    } catch (const ERegistryException&) {
        reset.emplace_back(name);
        return std::nullopt;
    }
}

// The style's list index, or nothing when the text names none of them.
std::optional<int> StyleIndexOf(const std::string& text)
{
    if (text.size() == 1 && text[0] >= '0' && text[0] < '0' + StyleCount)
        return text[0] - '0';
    return std::nullopt;
}

void WriteBackStyle(IRegistryFactory& registry, int style)
{
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    if (!settings->OpenKey(SettingsKeyPath, false))
        return;
    try {
        settings->WriteString(SettingNames::Style, std::to_string(style));
    } catch (const ERegistryException&) {
        // The style read stays the default for this run; the stored value is
        // corrected at a later start when the key accepts it.
    }
}

} // namespace

std::string ReadStoredText(IRegistryAccessor& settings, const char* name)
{
    try {
        return settings.ReadString(name);
    } catch (const ERegistryException&) {
        return {};
    }
}

bool EnsureDefaultSettings(IRegistryFactory& registry, bool installed)
{
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    if (settings->KeyExists(SettingsKeyPath))
        return false;
    settings->OpenKey(SettingsKeyPath, true);
    settings->WriteString(SettingNames::StartMinimized, "0");
    settings->WriteString(SettingNames::Random, "0");
    settings->WriteString(SettingNames::StartInAutoRunMode, "0");
    settings->WriteString(SettingNames::Startup, BoxValue(installed));
    settings->WriteString(SettingNames::Style, std::to_string(DefaultStyleIndex));
    settings->WriteString(SettingNames::Interval, "1");
    return true;
}

bool ApplyAutostartChoice(IRegistryFactory& registry, TAutostart& autostart, bool wanted)
{
    const bool starts = wanted ? autostart.TurnOn() : autostart.Apply(false);
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    settings->OpenKey(SettingsKeyPath, true);
    settings->WriteString(SettingNames::Startup, BoxValue(starts));
    return starts;
}

bool AlignAutostartAtStart(TAutostart& autostart, bool wanted)
{
    if (wanted && !autostart.IsRegistered() && !autostart.IsTurnedOff()) {
        try {
            autostart.Apply(true);
        } catch (const ERegistryException&) {
            // The box shows that the program will not start with Windows;
            // the user can tick it and hear why.
        }
    }
    return autostart.IsRegistered();
}

int IntervalMinutesOf(const std::string& text)
{
    return ClampRotationMinutes(ParseSpinNumber(text).value_or(MinRotationMinutes));
}

TStoredOptions ReadStoredOptions(IRegistryFactory& registry)
{
    TStoredOptions options;
    std::optional<std::string> style;
    {
        const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
        settings->OpenKeyReadOnly(SettingsKeyPath);
        auto& reset = options.Reset;
        if (const auto value = ReadOption(*settings, SettingNames::StartMinimized, reset))
            options.StartMinimized = *value != "0";
        if (const auto value = ReadOption(*settings, SettingNames::Startup, reset))
            options.AutoStart = *value != "0";
        style = ReadOption(*settings, SettingNames::Style, reset);
        if (const auto value = ReadOption(*settings, SettingNames::Random, reset))
            options.Random = *value == "1";
        if (const auto value = ReadOption(*settings, SettingNames::Interval, reset)) {
            if (ParseSpinNumber(*value))
                options.IntervalMinutes = IntervalMinutesOf(*value);
            else
                reset.emplace_back(SettingNames::Interval);
        }
        if (const auto value = ReadOption(*settings, SettingNames::StartInAutoRunMode, reset))
            options.AutoRun = *value == "1";
    }
    if (const std::optional<int> index = style ? StyleIndexOf(*style) : std::nullopt) {
        options.Style = *index;
    } else {
        if (style)
            options.Reset.emplace_back(SettingNames::Style);
        WriteBackStyle(registry, options.Style);
    }
    return options;
}

void WriteSettingsAtExit(IRegistryFactory& registry, TAutostart& autostart, const TExitOptions& options)
{
    // Made afresh when something deleted it while the program ran: the
    // options are the user's and must not be lost with the key.
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    settings->OpenKey(SettingsKeyPath, true);
    const bool startsWithWindows = autostart.Apply(options.AutoStart);
    settings->WriteString(SettingNames::Startup, BoxValue(startsWithWindows));
    settings->WriteString(SettingNames::StartMinimized, BoxValue(options.StartMinimized));
    settings->WriteString(SettingNames::StartInAutoRunMode, BoxValue(options.AutoRun));
    settings->WriteString(SettingNames::Interval, std::to_string(IntervalMinutesOf(options.Interval)));
    settings->WriteString(SettingNames::Random, BoxValue(options.Random));
    if (options.Style >= 0 && options.Style < StyleCount)
        settings->WriteString(SettingNames::Style, std::to_string(options.Style));
}
