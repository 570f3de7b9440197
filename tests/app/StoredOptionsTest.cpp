// The options read at start and written at exit, and the autostart entry,
// over an in-memory registry: each value read on its own, values that cannot
// be used reset to their defaults, and a machine Run key a standard user
// cannot write.

#include "app/Settings.h"

#include "platform/FakeRegistry.h"

#include <gtest/gtest.h>

namespace {

const TRegistryRoot User = TRegistryRoot::CurrentUser;
const TRegistryRoot Machine = TRegistryRoot::LocalMachine;
const char* const ProgramPath = "C:\\Tools\\tessivo.exe";

class StoredOptions : public ::testing::Test {
protected:
    StoredOptions() { registry.AddKey(User, SettingsKeyPath); }

    void Store(std::initializer_list<std::pair<const char*, const char*>> values)
    {
        for (const auto& [name, value] : values)
            registry.SetValue(User, SettingsKeyPath, name, value);
    }
    std::string Stored(const char* name) const
    {
        return registry.Value(User, SettingsKeyPath, name).value_or("<none>");
    }

    TFakeRegistry registry;
};

// The values the exit writes with the autostart box and the interval text
// as given, the other boxes clear.
TOptionValues AtExit(bool autostart, const std::string& interval)
{
    TOptionValues values;
    values.SetFlag(OptionNames::Startup, autostart);
    values.SetFlag(OptionNames::StartMinimized, false);
    values.SetNumber(OptionNames::Interval, IntervalMinutesOf(interval));
    return values;
}

} // namespace

TEST_F(StoredOptions, AKeyWithoutValuesReadsAsTheFirstRunsDefaults)
{
    const TOptionValues options = ReadOptionsAtStart(registry);
    EXPECT_FALSE(options.Flag("startminimized"));
    EXPECT_TRUE(options.Flag("startup"));
    EXPECT_EQ(options.Number("style"), 2);
    EXPECT_FALSE(options.Flag("random"));
    EXPECT_EQ(options.Number("interval"), 1);
    EXPECT_FALSE(options.Flag("startinautorunmode"));
    EXPECT_TRUE(options.Reset.empty());
    EXPECT_EQ(Stored("style"), "2");
}

TEST_F(StoredOptions, AValueOfAnotherTypeIsResetAloneAndTheOthersAreReadAsStored)
{
    Store({{"startup", "0"}, {"random", "1"}, {"interval", "45"}, {"startinautorunmode", "1"}});
    registry.SetNonStringValue(User, SettingsKeyPath, "startminimized");
    registry.SetNonStringValue(User, SettingsKeyPath, "style");
    const TOptionValues options = ReadOptionsAtStart(registry);
    EXPECT_FALSE(options.Flag("startminimized"));
    EXPECT_FALSE(options.Flag("startup"));
    EXPECT_EQ(options.Number("style"), 2);
    EXPECT_TRUE(options.Flag("random"));
    EXPECT_EQ(options.Number("interval"), 45);
    EXPECT_TRUE(options.Flag("startinautorunmode"));
    EXPECT_EQ(options.Reset, (std::vector<std::string>{"startminimized", "style"}));
    // The corrected style is stored now, so the next start reads it without
    // complaint even when this run never reaches its exit. The others are
    // written by the exit.
    EXPECT_EQ(Stored("style"), "2");
    EXPECT_EQ(ReadOptionsAtStart(registry).Reset, (std::vector<std::string>{"startminimized"}));
}

TEST_F(StoredOptions, APerMonitorValueThatCannotBeUsedReadsAsOffAndLeavesTheOthersAlone)
{
    EXPECT_FALSE(ReadOptions(registry).Flag("permonitor"));
    Store({{"permonitor", "1"}});
    TOptionValues options = ReadOptions(registry);
    EXPECT_TRUE(options.Flag("permonitor"));
    options.SetFlag("permonitor", false);
    WriteOptions(registry, options, {TWrittenWhen::WhenBoxConfirmed});
    EXPECT_EQ(Stored("permonitor"), "0");
    for (const char* bad : {"yes", "2", ""}) {
        Store({{"permonitor", bad}, {"hotkeys", "1"}, {"style", "4"}});
        EXPECT_FALSE(ReadOptions(registry).Flag("permonitor")) << bad;
        EXPECT_TRUE(ReadOptions(registry).Flag("hotkeys"));
        EXPECT_EQ(ReadOptionsAtStart(registry).Number("style"), 4);
        EXPECT_EQ(Stored("permonitor"), bad);
    }
    registry.SetNonStringValue(User, SettingsKeyPath, "permonitor");
    EXPECT_FALSE(ReadOptions(registry).Flag("permonitor"));
    EXPECT_TRUE(ReadOptionsAtStart(registry).Reset.empty());
}

TEST_F(StoredOptions, ChangesWaitForFullScreenProgramsButNotForBatteryUntilEachIsTurnedOff)
{
    // Settings from before these options read as the program behaved then.
    TOptionValues options = ReadOptions(registry);
    EXPECT_TRUE(options.Flag("waitfullscreen"));
    EXPECT_TRUE(options.Flag("changeonbattery"));
    Store({{"changeonbattery", "0"}});
    options = ReadOptions(registry);
    EXPECT_TRUE(options.Flag("waitfullscreen"));
    EXPECT_FALSE(options.Flag("changeonbattery"));
    options.SetFlag("waitfullscreen", false);
    WriteOptions(registry, options, {TWrittenWhen::WhenBoxConfirmed});
    EXPECT_EQ(Stored("waitfullscreen"), "0");
    EXPECT_EQ(Stored("changeonbattery"), "0");
    EXPECT_TRUE(ReadOptionsAtStart(registry).Reset.empty());
}

TEST_F(StoredOptions, AStyleTheListDoesNotHoldSelectsStretchAndIsStoredAsSuch)
{
    for (const char* style : {"7", "-1", "6", "02", "x"}) {
        SCOPED_TRACE(style);
        Store({{"style", style}});
        const TOptionValues options = ReadOptionsAtStart(registry);
        EXPECT_EQ(options.Number("style"), 2);
        EXPECT_EQ(options.Reset, (std::vector<std::string>{"style"}));
        EXPECT_EQ(Stored("style"), "2");
    }
    for (const char* style : {"0", "1", "2", "3", "4", "5"}) {
        Store({{"style", style}});
        EXPECT_EQ(ReadOptionsAtStart(registry).Number("style"), style[0] - '0');
        EXPECT_EQ(Stored("style"), style);
    }
}

TEST_F(StoredOptions, TheIntervalIsReadAndWrittenAsTheMinutesTheRotationUses)
{
    struct Case {
        std::string stored;
        int minutes;
        bool reset;
    };
    const Case cases[] = {{"30", 30, false}, {"0", 1, false},     {"5000", 1000, false},
                          {"abc", 1, true},  {" 12 ", 12, false}, {std::string(100000, '9'), 1000, false},
                          {"-4", 1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.substr(0, 20));
        Store({{"interval", c.stored.c_str()}});
        const TOptionValues options = ReadOptionsAtStart(registry);
        EXPECT_EQ(options.Number("interval"), c.minutes);
        EXPECT_EQ(options.Reset.empty(), !c.reset);
    }
    TAutostart autostart(registry, ProgramPath);
    for (const Case& c : cases) {
        WriteSettingsAtExit(registry, autostart, AtExit(false, c.stored));
        EXPECT_EQ(Stored("interval"), std::to_string(c.minutes));
    }
}

TEST_F(StoredOptions, AutostartLivesInTheUsersRunKeyAndRemovesTheMachinesEntryWhereAllowed)
{
    registry.AddKey(User, UserRunKeyPath);
    registry.AddKey(Machine, MachineRunKeyPath);
    TAutostart autostart(registry, ProgramPath);
    const std::string entry = autostart.EntryData();
    for (const bool box : {true, false})
        for (const bool machineEntry : {true, false}) {
            SCOPED_TRACE(std::string("box ") + (box ? "set" : "clear") +
                         (machineEntry ? ", machine entry" : ", no machine entry"));
            registry.SetValue(User, UserRunKeyPath, "Tessivo", box ? "" : entry);
            if (machineEntry)
                registry.SetValue(Machine, MachineRunKeyPath, "Tessivo", entry);
            WriteSettingsAtExit(registry, autostart, AtExit(box, "1"));
            EXPECT_EQ(registry.Value(Machine, MachineRunKeyPath, "Tessivo"), std::nullopt);
            EXPECT_EQ(registry.Value(User, UserRunKeyPath, "Tessivo"),
                      box ? std::optional<std::string>(entry) : std::nullopt);
            EXPECT_EQ(Stored("startup"), box ? "1" : "0");
        }
}

TEST_F(StoredOptions, AMachineEntryAStandardUserCannotRemoveKeepsTheBoxSet)
{
    registry.AddKey(User, UserRunKeyPath);
    registry.SetValue(Machine, MachineRunKeyPath, "Tessivo", std::string("\"") + ProgramPath + "\"");
    registry.MakeReadOnly(Machine);
    TAutostart autostart(registry, ProgramPath);
    Store({{"startup", "0"}});
    EXPECT_TRUE(autostart.IsRegistered());
    WriteSettingsAtExit(registry, autostart, AtExit(false, "1"));
    EXPECT_TRUE(registry.Value(Machine, MachineRunKeyPath, "Tessivo").has_value());
    EXPECT_EQ(registry.Value(User, UserRunKeyPath, "Tessivo"), std::nullopt);
    EXPECT_EQ(Stored("startup"), "1"); // the entry still starts the program
    // An entry there for another file does not start this one.
    registry.SetValue(Machine, MachineRunKeyPath, "Tessivo", "C:\\Other\\tessivo.exe");
    EXPECT_FALSE(autostart.IsRegistered());
    WriteSettingsAtExit(registry, autostart, AtExit(false, "1"));
    EXPECT_EQ(Stored("startup"), "0");
}

TEST_F(StoredOptions, ARunEntryOfAnotherTypeIsReplacedOrRemoved)
{
    registry.AddKey(User, UserRunKeyPath);
    TAutostart autostart(registry, ProgramPath);
    registry.SetNonStringValue(User, UserRunKeyPath, "Tessivo");
    EXPECT_FALSE(autostart.IsRegistered());
    EXPECT_TRUE(autostart.Apply(true));
    EXPECT_EQ(registry.Value(User, UserRunKeyPath, "Tessivo"), autostart.EntryData());
    registry.SetNonStringValue(User, UserRunKeyPath, "Tessivo");
    EXPECT_FALSE(autostart.Apply(false));
    EXPECT_EQ(registry.Value(User, UserRunKeyPath, "Tessivo"), std::nullopt);
}

TEST_F(StoredOptions, WindowsStartupListDecidesWhetherAnEntryStartsTheProgram)
{
    registry.AddKey(User, UserRunKeyPath);
    TAutostart autostart(registry, ProgramPath);
    registry.SetValue(User, UserRunKeyPath, "Tessivo", autostart.EntryData());
    struct Case {
        std::vector<uint8_t> state;
        bool on;
    };
    // Windows writes 02 (or 06) with zeros while on, 03 and the time while
    // off; other odd first bytes have been seen for off too.
    const Case cases[] = {{{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, true},
                          {{6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, true},
                          {{3, 0, 0, 0, 9, 9, 9, 9, 9, 9, 9, 1}, false},
                          {{0x63, 0x60, 0x60, 0x60, 0x62, 0xF9, 0x8C, 0x76, 0xC5, 0x3B, 0xD9, 0x91}, false},
                          {{}, true}};
    for (const Case& c : cases) {
        registry.SetBinary(User, StartupApprovedKeyPath, "Tessivo", c.state);
        EXPECT_EQ(autostart.IsRegistered(), c.on);
        EXPECT_EQ(autostart.IsTurnedOff(), !c.on);
        // Neither the exit's nor the start's alignment overrides the user's
        // choice there, and clearing the box leaves that entry alone.
        EXPECT_EQ(autostart.Apply(true), c.on);
        EXPECT_EQ(AlignAutostartAtStart(autostart, true), c.on);
        EXPECT_EQ(registry.Binary(User, StartupApprovedKeyPath, "Tessivo"), c.state);
        autostart.Apply(false);
        EXPECT_EQ(registry.Value(User, UserRunKeyPath, "Tessivo").has_value(), !c.on);
        registry.SetValue(User, UserRunKeyPath, "Tessivo", autostart.EntryData());
    }
    registry.SetBinary(User, StartupApprovedKeyPath, "Tessivo", {3, 0, 0, 0, 9, 9, 9, 9, 9, 9, 9, 1});
    EXPECT_TRUE(ApplyAutostartChoice(registry, autostart, true));
    EXPECT_EQ(registry.Binary(User, StartupApprovedKeyPath, "Tessivo"),
              (std::vector<uint8_t>{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Stored("startup"), "1");
    EXPECT_FALSE(ApplyAutostartChoice(registry, autostart, false));
    EXPECT_EQ(registry.Value(User, UserRunKeyPath, "Tessivo"), std::nullopt);
    EXPECT_EQ(Stored("startup"), "0");
}

TEST_F(StoredOptions, AnotherCopysEntryStaysWhenThisCopyDoesNotStartWithWindows)
{
    registry.AddKey(User, UserRunKeyPath);
    registry.SetValue(User, UserRunKeyPath, "Tessivo", "\"C:\\Users\\ann\\Programs\\Tessivo\\tessivo.exe\"");
    TAutostart autostart(registry, ProgramPath);
    EXPECT_FALSE(autostart.Apply(false));
    EXPECT_EQ(registry.Value(User, UserRunKeyPath, "Tessivo"),
              "\"C:\\Users\\ann\\Programs\\Tessivo\\tessivo.exe\"");
    // Nor does a start that was not asked to register.
    EXPECT_FALSE(AlignAutostartAtStart(autostart, false));
    EXPECT_TRUE(AlignAutostartAtStart(autostart, true));
    EXPECT_EQ(registry.Value(User, UserRunKeyPath, "Tessivo"), autostart.EntryData());
}

TEST_F(StoredOptions, OnlyTheInstalledCopyStartsWithWindowsAfterItsFirstRun)
{
    const std::string uninstall = UninstallKeyPath;
    EXPECT_FALSE(IsInstalledCopy(registry, ProgramPath));
    const std::pair<const char*, bool> locations[] = {
        {"C:\\Tools", true}, {"c:\\tools\\", true}, {"C:\\Tools\\Other", false}, {"", false}};
    for (const auto& [location, installed] : locations) {
        SCOPED_TRACE(location);
        registry.SetValue(User, uninstall, "InstallLocation", location);
        EXPECT_EQ(IsInstalledCopy(registry, ProgramPath), installed);
    }
    for (const bool installed : {false, true}) {
        TFakeRegistry fresh;
        EXPECT_TRUE(EnsureDefaultSettings(fresh, installed));
        EXPECT_EQ(fresh.Value(User, SettingsKeyPath, "startup"), installed ? "1" : "0");
        EXPECT_FALSE(EnsureDefaultSettings(fresh, !installed));
        EXPECT_EQ(fresh.Value(User, SettingsKeyPath, "startup"), installed ? "1" : "0");
    }
}

namespace {

// A settings key as the program writes it, every value away from its default.
const std::pair<const char*, const char*> OldSettings[] = {{"startup", "0"},
                                                           {"startminimized", "1"},
                                                           {"startinautorunmode", "1"},
                                                           {"interval", "30"},
                                                           {"random", "1"},
                                                           {"style", "4"},
                                                           {"rotationposition", "2"},
                                                           {"shuffledeck", "1:3:-1:2,1,0"},
                                                           {"shownhistory", "C:\\a.jpg"},
                                                           {"lastchange", "1234"},
                                                           {"hotkeys", "1"},
                                                           {"hotkeynext", "Ctrl+Alt+Shift+N"},
                                                           {"hotkeyprevious", "Ctrl+Alt+Shift+P"},
                                                           {"hotkeypause", "Ctrl+Alt+Shift+Up"},
                                                           {"permonitor", "1"},
                                                           {"picturefolder", "D:\\Photos\\"},
                                                           {"listfolder", "C:\\Lists\\"}};

const std::initializer_list<TWrittenWhen> EveryWrite = {TWrittenWhen::AtExit, TWrittenWhen::AfterEachChange,
                                                        TWrittenWhen::WhenBoxConfirmed,
                                                        TWrittenWhen::WhenChosen};

} // namespace

TEST_F(StoredOptions, OldSettingsLoadUnchangedAndAreWrittenBackAsTheyWere)
{
    for (const auto& [name, value] : OldSettings)
        registry.SetValue(User, SettingsKeyPath, name, value);
    const TOptionValues options = ReadOptions(registry);
    EXPECT_TRUE(options.Reset.empty());
    TFakeRegistry fresh;
    WriteOptions(fresh, options, EveryWrite);
    for (const auto& [name, value] : OldSettings)
        EXPECT_EQ(fresh.Value(User, SettingsKeyPath, name), value) << name;
}

TEST_F(StoredOptions, AValueThatCannotBeReadResetsOnlyItsOwnOption)
{
    for (const TOptionRow& row : OptionTable()) {
        SCOPED_TRACE(row.Name);
        for (const auto& [name, value] : OldSettings)
            registry.SetValue(User, SettingsKeyPath, name, value);
        registry.SetNonStringValue(User, SettingsKeyPath, row.Name);
        const TOptionValues options = ReadOptions(registry);
        EXPECT_EQ(options.Stored(row.Name), TOptionValues().Stored(row.Name));
        EXPECT_EQ(options.Reset.size(), row.WhenBad == TBadValue::Quiet ? 0u : 1u);
        TFakeRegistry fresh;
        WriteOptions(fresh, options, EveryWrite);
        for (const auto& [name, value] : OldSettings)
            if (name != std::string(row.Name)) {
                EXPECT_EQ(fresh.Value(User, SettingsKeyPath, name), value) << name;
            }
    }
}

TEST_F(StoredOptions, ARowAddedToTheTableIsReadToldWhenBadAndWritten)
{
    std::vector<TOptionRow> table(OptionTable().begin(), OptionTable().end());
    table.push_back({"fadein", TOptionType::Minutes, "5", TBadValue::Told, nullptr, TWrittenWhen::AtExit, 0});
    EXPECT_EQ(ReadOptions(registry, table).Number("fadein"), 5);
    Store({{"fadein", "12"}, {"random", "1"}});
    TOptionValues options = ReadOptions(registry, table);
    EXPECT_EQ(options.Number("fadein"), 12);
    Store({{"fadein", "soon"}});
    EXPECT_EQ(ReadOptions(registry, table).Number("fadein"), 5);
    EXPECT_EQ(ReadOptions(registry, table).Reset, std::vector<std::string>{"fadein"});
    EXPECT_TRUE(ReadOptions(registry, table).Flag("random"));

    options.SetNumber("fadein", 20);
    WriteOptions(registry, options, {TWrittenWhen::AtExit});
    EXPECT_EQ(Stored("fadein"), "20");
    WriteOptions(registry, TOptionValues(table), {TWrittenWhen::WhenBoxConfirmed});
    EXPECT_EQ(Stored("fadein"), "20");
}
