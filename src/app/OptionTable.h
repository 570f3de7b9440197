#pragma once
// Every value kept under the current user's "\Software\Tessivo", as one
// table: its name, how its text is read, its default, what a value that
// cannot be used does, the control that shows it and when it is written.
// Reading at start, the first run's defaults, the writes of the exit, of
// the options box and of each change, and the showing in the windows are
// loops over this table; adding an option is one row plus its use.
//
// Portable: the registry is reached through the interface passed in.

#include "core/Shortcut.h"
#include "platform/RegistryAccess.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <vector>

inline constexpr const char* SettingsKeyPath = "\\Software\\Tessivo";

namespace OptionNames {
inline constexpr const char* Startup = "startup";
inline constexpr const char* StartMinimized = "startminimized";
inline constexpr const char* StartInAutoRunMode = "startinautorunmode";
inline constexpr const char* Interval = "interval";
inline constexpr const char* Random = "random";
inline constexpr const char* Style = "style";
inline constexpr const char* RotationPosition = "rotationposition";
inline constexpr const char* ShuffleDeck = "shuffledeck";
inline constexpr const char* ShownHistory = "shownhistory";
inline constexpr const char* LastChange = "lastchange";
inline constexpr const char* Hotkeys = "hotkeys";
inline constexpr const char* HotkeyNext = "hotkeynext";
inline constexpr const char* HotkeyPrevious = "hotkeyprevious";
inline constexpr const char* HotkeyPause = "hotkeypause";
inline constexpr const char* PerMonitor = "permonitor";
inline constexpr const char* WaitWhileFullScreen = "waitfullscreen";
inline constexpr const char* ChangeOnBattery = "changeonbattery";
inline constexpr const char* PictureFolder = "picturefolder";
inline constexpr const char* ListFolder = "listfolder";
inline constexpr const char* FollowFolders = "followfolders";
} // namespace OptionNames

// How a stored text is read. Each kind has one way of writing its value,
// which reading gives back unchanged.
enum class TOptionType {
    Flag,     // "0" is clear, any other text set; written "0" or "1"
    Switch,   // "1" is set, any other text clear
    Style,    // one digit naming a display style of the list
    Minutes,  // a number, held inside the rotation's 1..1000 minutes
    Position, // a place in the list, from 0
    Shortcut, // a key combination as ShortcutText writes it
    Text,     // any text, kept as it is
    Time,     // a wall-clock time as FormatChangeTime writes it
};

// What a value that cannot be used does (stored with another type than
// string, unreadable, or a text its type does not accept). It always reads
// as the default and leaves the other options alone; these say whether it
// is also named in the one message of reset values at start, and whether
// the default is stored at once.
enum class TBadValue {
    Quiet,
    Told,
    // Told, and a missing or bad value is stored as the default at start
    // (ReadOptionsAtStart), for a value the exit does not always write.
    ToldAndStored,
};

// When a value is written.
enum class TWrittenWhen {
    AtExit,           // from the main window's controls, by the exit
    AfterEachChange,  // the rotation's state: after each change, and by the exit
    WhenBoxConfirmed, // from the options box, when it is confirmed
    WhenChosen,       // by its use, when the user chooses it
};

struct TOptionRow {
    const char* Name;
    TOptionType Type;
    // The value a missing, empty or bad one reads as; nullptr for none (a
    // value that is then not written).
    const char* Default;
    TBadValue WhenBad;
    // The name of the control that shows it, in the main window or the
    // options box; nullptr when no control does.
    const char* Control;
    TWrittenWhen Written;
    // Its place among the values a first run writes (from 1); 0 for none.
    int FirstRun;
};

// The rows, in the order values are read and written.
std::span<const TOptionRow> OptionTable();

// The options as the program holds them: each value in the one way its
// type writes it, or none. Made with every option of `table` at its
// default (tests bring a table of their own).
class TOptionValues {
public:
    explicit TOptionValues(std::span<const TOptionRow> table = OptionTable());

    std::span<const TOptionRow> Table() const { return table_; }

    // The value as stored; nothing for none.
    const std::optional<std::string>& Stored(const std::string& name) const;
    std::string Text(const std::string& name) const { return Stored(name).value_or(""); }
    bool Flag(const std::string& name) const { return Text(name) == "1"; }
    // Style, Minutes and Position; 0 for none.
    int Number(const std::string& name) const;
    TShortcut Shortcut(const std::string& name) const;
    std::optional<int64_t> Time(const std::string& name) const;

    // Takes `text` as its type reads it; a text it does not accept, or
    // nothing, leaves the option without a value.
    void Set(const std::string& name, const std::optional<std::string>& text);
    void SetFlag(const std::string& name, bool set) { Set(name, set ? "1" : "0"); }
    void SetNumber(const std::string& name, int64_t number) { Set(name, std::to_string(number)); }

    // The names of values that could not be used and are told (TBadValue),
    // in table order.
    std::vector<std::string> Reset;

private:
    size_t RowIndex(const std::string& name) const;

    std::span<const TOptionRow> table_;
    std::vector<std::optional<std::string>> values_;
};

// The text `stored` as a value of `type`: nothing when the type does not
// accept it.
std::optional<std::string> OptionValueOf(TOptionType type, const std::string& stored);

// Reads every option (the key is never made here); see TBadValue for those
// that cannot be used. `toStore`, when given, gets the rows whose default
// is to be stored now (TBadValue::ToldAndStored).
TOptionValues ReadOptions(IRegistryFactory& registry, std::span<const TOptionRow> table = OptionTable(),
                          std::vector<const TOptionRow*>* toStore = nullptr);
// The same at start, which also stores those defaults in the existing key.
TOptionValues ReadOptionsAtStart(IRegistryFactory& registry,
                                 std::span<const TOptionRow> table = OptionTable());
// Writes the options of the rows (of the values' table) written at any of `when` that have a
// value, in table order, into the settings key (made when missing, also
// when something deleted it while the program ran). Raises the registry's
// error when a value is refused; the values written before it stay.
void WriteOptions(IRegistryFactory& registry, const TOptionValues& values,
                  std::initializer_list<TWrittenWhen> when);
