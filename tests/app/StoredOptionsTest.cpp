// The options read at start and written at exit, and the autostart entry,
// over an in-memory registry: each value read on its own, values that cannot
// be used reset to their defaults, and a machine Run key a standard user
// cannot write.

#include "app/HotkeySettings.h"
#include "app/MonitorOption.h"
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

} // namespace

TEST_F(StoredOptions, AKeyWithoutValuesReadsAsTheFirstRunsDefaults)
{
    const TStoredOptions options = ReadStoredOptions(registry);
    EXPECT_FALSE(options.StartMinimized);
    EXPECT_TRUE(options.AutoStart);
    EXPECT_EQ(options.Style, 2);
    EXPECT_FALSE(options.Random);
    EXPECT_EQ(options.IntervalMinutes, 1);
    EXPECT_FALSE(options.AutoRun);
    EXPECT_TRUE(options.Reset.empty());
    EXPECT_EQ(Stored("style"), "2");
}

TEST_F(StoredOptions, AValueOfAnotherTypeIsResetAloneAndTheOthersAreReadAsStored)
{
    Store({{"startup", "0"}, {"random", "1"}, {"interval", "45"}, {"startinautorunmode", "1"}});
    registry.SetNonStringValue(User, SettingsKeyPath, "startminimized");
    registry.SetNonStringValue(User, SettingsKeyPath, "style");
    const TStoredOptions options = ReadStoredOptions(registry);
    EXPECT_FALSE(options.StartMinimized);
    EXPECT_FALSE(options.AutoStart);
    EXPECT_EQ(options.Style, 2);
    EXPECT_TRUE(options.Random);
    EXPECT_EQ(options.IntervalMinutes, 45);
    EXPECT_TRUE(options.AutoRun);
    EXPECT_EQ(options.Reset, (std::vector<std::string>{"startminimized", "style"}));
    // The corrected style is stored now, so the next start reads it without
    // complaint even when this run never reaches its exit. The others are
    // written by the exit.
    EXPECT_EQ(Stored("style"), "2");
    EXPECT_EQ(ReadStoredOptions(registry).Reset, (std::vector<std::string>{"startminimized"}));
}

TEST_F(StoredOptions, APerMonitorValueThatCannotBeUsedReadsAsOffAndLeavesTheOthersAlone)
{
    EXPECT_FALSE(ReadPerMonitorOption(registry));
    Store({{"permonitor", "1"}});
    EXPECT_TRUE(ReadPerMonitorOption(registry));
    WritePerMonitorOption(registry, false);
    EXPECT_EQ(Stored("permonitor"), "0");
    for (const char* bad : {"yes", "2", ""}) {
        Store({{"permonitor", bad}, {"hotkeys", "1"}, {"style", "4"}});
        EXPECT_FALSE(ReadPerMonitorOption(registry)) << bad;
        EXPECT_TRUE(ReadHotkeyOptions(registry).Enabled);
        EXPECT_EQ(ReadStoredOptions(registry).Style, 4);
        EXPECT_EQ(Stored("permonitor"), bad);
    }
    registry.SetNonStringValue(User, SettingsKeyPath, "permonitor");
    EXPECT_FALSE(ReadPerMonitorOption(registry));
    EXPECT_TRUE(ReadStoredOptions(registry).Reset.empty());
}

TEST_F(StoredOptions, AStyleTheListDoesNotHoldSelectsStretchAndIsStoredAsSuch)
{
    for (const char* style : {"7", "-1", "6", "02", "x"}) {
        SCOPED_TRACE(style);
        Store({{"style", style}});
        const TStoredOptions options = ReadStoredOptions(registry);
        EXPECT_EQ(options.Style, 2);
        EXPECT_EQ(options.Reset, (std::vector<std::string>{"style"}));
        EXPECT_EQ(Stored("style"), "2");
    }
    for (const char* style : {"0", "1", "2", "3", "4", "5"}) {
        Store({{"style", style}});
        EXPECT_EQ(ReadStoredOptions(registry).Style, style[0] - '0');
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
        const TStoredOptions options = ReadStoredOptions(registry);
        EXPECT_EQ(options.IntervalMinutes, c.minutes);
        EXPECT_EQ(options.Reset.empty(), !c.reset);
    }
    TAutostart autostart(registry, ProgramPath);
    for (const Case& c : cases) {
        WriteSettingsAtExit(registry, autostart, TExitOptions{false, false, false, c.stored, false});
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
            WriteSettingsAtExit(registry, autostart, TExitOptions{box, false, false, "1", false});
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
    WriteSettingsAtExit(registry, autostart, TExitOptions{false, false, false, "1", false});
    EXPECT_TRUE(registry.Value(Machine, MachineRunKeyPath, "Tessivo").has_value());
    EXPECT_EQ(registry.Value(User, UserRunKeyPath, "Tessivo"), std::nullopt);
    EXPECT_EQ(Stored("startup"), "1"); // the entry still starts the program
    // An entry there for another file does not start this one.
    registry.SetValue(Machine, MachineRunKeyPath, "Tessivo", "C:\\Other\\tessivo.exe");
    EXPECT_FALSE(autostart.IsRegistered());
    WriteSettingsAtExit(registry, autostart, TExitOptions{false, false, false, "1", false});
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
