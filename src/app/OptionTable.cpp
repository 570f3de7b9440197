#include "app/OptionTable.h"

#include "core/ChangeSchedule.h"
#include "core/Exceptions.h"
#include "framework/stdctrls/SpinValue.h"
#include "wallpaper/RotationMath.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <stdexcept>

namespace {

using enum TOptionType;
using enum TBadValue;
using enum TWrittenWhen;

// The display styles the list holds ("0" Center to "5" Span).
constexpr int StyleCount = 6;

constexpr std::array Rows{
    // name, type, default, when bad, shown by, written, first run
    TOptionRow{OptionNames::Startup, Flag, "1", Told, "startWithWindowsBox", AtExit, 4},
    TOptionRow{OptionNames::StartMinimized, Flag, "0", Told, "startMinimizedBox", AtExit, 1},
    TOptionRow{OptionNames::StartInAutoRunMode, Switch, "0", Told, "startAutoRunBox", AtExit, 3},
    TOptionRow{OptionNames::Interval, Minutes, "1", Told, "intervalEdit", AtExit, 6},
    TOptionRow{OptionNames::Random, Switch, "0", Told, "randomBox", AtExit, 2},
    TOptionRow{OptionNames::Style, Style, "2", ToldAndStored, "styleBox", AtExit, 5},
    TOptionRow{OptionNames::RotationPosition, Position, "0", Quiet, nullptr, AfterEachChange, 0},
    TOptionRow{OptionNames::ShuffleDeck, Text, "", Quiet, nullptr, AfterEachChange, 0},
    TOptionRow{OptionNames::ShownHistory, Text, "", Quiet, nullptr, AfterEachChange, 0},
    TOptionRow{OptionNames::LastChange, Time, nullptr, Quiet, nullptr, AfterEachChange, 0},
    // Ctrl+Alt+Shift with the arrows: Windows keeps Win+arrows and Ctrl+Win
    // combinations for itself, and graphics drivers take Ctrl+Alt+arrows for
    // turning the screen; no common program takes all three modifiers.
    TOptionRow{OptionNames::Hotkeys, Switch, "0", Quiet, "hotkeysBox", WhenBoxConfirmed, 0},
    TOptionRow{OptionNames::HotkeyNext, Shortcut, "Ctrl+Alt+Shift+Right", Quiet, "nextHotkeyBox",
               WhenBoxConfirmed, 0},
    TOptionRow{OptionNames::HotkeyPrevious, Shortcut, "Ctrl+Alt+Shift+Left", Quiet, "previousHotkeyBox",
               WhenBoxConfirmed, 0},
    TOptionRow{OptionNames::HotkeyPause, Shortcut, "Ctrl+Alt+Shift+Down", Quiet, "pauseHotkeyBox",
               WhenBoxConfirmed, 0},
    TOptionRow{OptionNames::PerMonitor, Switch, "0", Quiet, "perMonitorBox", WhenBoxConfirmed, 0},
    // When the rotation's changes wait: on by default, and off only by a
    // stored "0", so settings older than these rows change as before.
    TOptionRow{OptionNames::WaitWhileFullScreen, Flag, "1", Quiet, "waitFullScreenBox", WhenBoxConfirmed, 0},
    TOptionRow{OptionNames::ChangeOnBattery, Flag, "1", Quiet, "changeOnBatteryBox", WhenBoxConfirmed, 0},
    TOptionRow{OptionNames::PictureFolder, Text, nullptr, Quiet, nullptr, WhenChosen, 0},
    TOptionRow{OptionNames::ListFolder, Text, nullptr, Quiet, nullptr, WhenChosen, 0},
    // The folder dialog's "Keep the list in step with this folder", which
    // drops and /add follow too.
    TOptionRow{OptionNames::FollowFolders, Switch, "0", Quiet, nullptr, WhenChosen, 0},
};

size_t IndexIn(std::span<const TOptionRow> table, const std::string& name)
{
    for (size_t index = 0; index < table.size(); ++index)
        if (name == table[index].Name)
            return index;
    throw std::logic_error("no option named " + name);
}

std::optional<int32_t> CountOf(const std::string& text)
{
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

// One stored value: nothing for a missing or empty one, or one that cannot
// be read as text (then `unreadable` is set).
std::optional<std::string> ReadText(IRegistryAccessor& settings, const char* name, bool& unreadable)
{
    try {
        std::string value = settings.ReadString(name);
        if (!value.empty())
            return value;
    } catch (const ERegistryException&) {
        unreadable = true;
    }
    return std::nullopt;
}

// Values the exit may leave unwritten, stored as read now, so that the next
// start reads them without complaint even when this run never reaches its
// exit. A key that refuses them keeps the default for this run only.
void StoreCorrected(IRegistryFactory& registry, const TOptionValues& values,
                    const std::vector<const TOptionRow*>& rows)
{
    if (rows.empty())
        return;
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    if (!settings->OpenKey(SettingsKeyPath, false))
        return;
    try {
        for (const TOptionRow* row : rows)
            settings->WriteString(row->Name, values.Text(row->Name));
    } catch (const ERegistryException&) {
    }
}

} // namespace

std::span<const TOptionRow> OptionTable()
{
    return Rows;
}

std::optional<std::string> OptionValueOf(TOptionType type, const std::string& stored)
{
    switch (type) {
    case Flag:
        return stored == "0" ? "0" : "1";
    case Switch:
        return stored == "1" ? "1" : "0";
    case Style:
        if (stored.size() == 1 && stored[0] >= '0' && stored[0] < '0' + StyleCount)
            return stored;
        return std::nullopt;
    case Minutes:
        if (const std::optional<int> number = ParseSpinNumber(stored))
            return std::to_string(ClampRotationMinutes(*number));
        return std::nullopt;
    case Position:
        if (const std::optional<int32_t> count = CountOf(stored))
            return std::to_string(*count);
        return std::nullopt;
    case Shortcut:
        if (const std::optional<TShortcut> shortcut = ParseShortcut(stored))
            return ShortcutText(*shortcut);
        return std::nullopt;
    case Text:
        return stored;
    case Time:
        if (const std::optional<int64_t> time = ParseChangeTime(stored))
            return FormatChangeTime(*time);
        return std::nullopt;
    }
    return std::nullopt;
}

TOptionValues::TOptionValues(std::span<const TOptionRow> table) : table_(table)
{
    for (const TOptionRow& row : table_)
        values_.push_back(row.Default ? std::optional<std::string>(row.Default) : std::nullopt);
}

size_t TOptionValues::RowIndex(const std::string& name) const
{
    return IndexIn(table_, name);
}

const std::optional<std::string>& TOptionValues::Stored(const std::string& name) const
{
    return values_[RowIndex(name)];
}

int TOptionValues::Number(const std::string& name) const
{
    return CountOf(Text(name)).value_or(0);
}

TShortcut TOptionValues::Shortcut(const std::string& name) const
{
    if (const std::optional<TShortcut> shortcut = ParseShortcut(Text(name)))
        return *shortcut;
    return ParseShortcut(table_[RowIndex(name)].Default).value_or(TShortcut{});
}

std::optional<int64_t> TOptionValues::Time(const std::string& name) const
{
    return ParseChangeTime(Text(name));
}

void TOptionValues::Set(const std::string& name, const std::optional<std::string>& text)
{
    const size_t index = RowIndex(name);
    values_[index] = text ? OptionValueOf(table_[index].Type, *text) : std::nullopt;
}

TOptionValues ReadOptions(IRegistryFactory& registry, std::span<const TOptionRow> table,
                          std::vector<const TOptionRow*>* toStore)
{
    TOptionValues values(table);
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    if (!settings->OpenKeyReadOnly(SettingsKeyPath))
        return values;
    for (const TOptionRow& row : table) {
        bool bad = false;
        const std::optional<std::string> text = ReadText(*settings, row.Name, bad);
        const std::optional<std::string> value = text ? OptionValueOf(row.Type, *text) : std::nullopt;
        bad = bad || (text && !value);
        if (value)
            values.Set(row.Name, value);
        if (bad && row.WhenBad != Quiet)
            values.Reset.emplace_back(row.Name);
        if (toStore && row.WhenBad == ToldAndStored && !value)
            toStore->push_back(&row);
    }
    return values;
}

TOptionValues ReadOptionsAtStart(IRegistryFactory& registry, std::span<const TOptionRow> table)
{
    std::vector<const TOptionRow*> toStore;
    const TOptionValues values = ReadOptions(registry, table, &toStore);
    StoreCorrected(registry, values, toStore);
    return values;
}

void WriteOptions(IRegistryFactory& registry, const TOptionValues& values,
                  std::initializer_list<TWrittenWhen> when)
{
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    settings->OpenKey(SettingsKeyPath, true);
    for (const TOptionRow& row : values.Table()) {
        const std::optional<std::string>& value = values.Stored(row.Name);
        if (value && std::find(when.begin(), when.end(), row.Written) != when.end())
            settings->WriteString(row.Name, *value);
    }
}
