// The options kept in the registry and the autostart entry, against Wine's
// real registry: the defaults of a first run, the read-back at startup into
// a hidden main form, the writes of the exit, and the Run entry.

#include "app/Settings.h"

#include "FormFixture.h"
#include "RecordingRegistry.h"
#include "app/Autostart.h"
#include "core/FileNames.h"

namespace {

const char* const UserRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const MachineRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const StartupApproved =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
const char* const Uninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tessivo";

// A value straight from the registry; "<none>" when it is missing.
std::string RawValue(HKEY root, const char* path, const char* name)
{
    char data[1024];
    DWORD size = sizeof data;
    DWORD type = 0;
    if (RegGetValueA(root, path, name, RRF_RT_ANY, &type, data, &size) != ERROR_SUCCESS)
        return "<none>";
    return type == REG_SZ ? std::string(data) : "<not a string>";
}

void SetRawString(HKEY root, const char* path, const char* name, const std::string& value)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

// Windows' list of startup apps: the entry turned on or off there.
void SetStartupApproved(const std::vector<BYTE>& state)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, StartupApproved, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Tessivo", 0, REG_BINARY, state.data(), static_cast<DWORD>(state.size()));
    RegCloseKey(key);
}

std::vector<BYTE> StartupApprovedState()
{
    std::vector<BYTE> state(64);
    DWORD size = static_cast<DWORD>(state.size());
    if (RegGetValueA(HKEY_CURRENT_USER, StartupApproved, "Tessivo", RRF_RT_REG_BINARY, nullptr, state.data(),
                     &size) != ERROR_SUCCESS)
        return {};
    state.resize(size);
    return state;
}

void DeleteRawValue(HKEY root, const char* path, const char* name)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, name);
        RegCloseKey(key);
    }
}

} // namespace

class Settings : public FormFixture {
protected:
    void SetUp() override
    {
        CapturedErrors().clear();
        Clean();
    }
    void TearDown() override
    {
        FormFixture::TearDown();
        Clean();
    }
    static void Clean()
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tessivo");
        DeleteRawValue(HKEY_CURRENT_USER, UserRun, "Tessivo");
        DeleteRawValue(HKEY_LOCAL_MACHINE, MachineRun, "Tessivo");
        DeleteRawValue(HKEY_CURRENT_USER, StartupApproved, "Tessivo");
        RegDeleteKeyA(HKEY_CURRENT_USER, Uninstall);
    }
    // The stored options, as the exe's registry would hold them.
    static void Store(std::initializer_list<std::pair<const char*, const char*>> values)
    {
        for (const auto& [name, value] : values)
            SetRawString(HKEY_CURRENT_USER, "Software\\Tessivo", name, value);
    }
    static std::string Stored(const char* name)
    {
        return RawValue(HKEY_CURRENT_USER, "Software\\Tessivo", name);
    }
    void Start()
    {
        form.reset();
        real.Changes.clear();
        PlatformServices services = Services();
        services.Registry = &real;
        form = std::make_unique<TMainForm>(nullptr, services);
        FinishPreviews();
    }
    // "LastList.lst" beside the program with these entries.
    void LastList(const std::vector<std::string>& entries)
    {
        std::string text = std::to_string(entries.size()) + "\r\n";
        for (const std::string& entry : entries)
            text += entry + "\r\n";
        PutFileBytes(folder / "LastList.lst", text);
    }
    std::string ProgramPath() { return Services().ProgramPath; }

    TRecordingRegistry real;
};

TEST_F(Settings, AFirstRunWritesTheDefaultsInOrderAndShowsTheWindowWithStretch)
{
    // A copy from a zip or a USB stick does not start with Windows unasked.
    Start();
    EXPECT_EQ(real.Changes,
              (std::vector<std::string>{"HKCU startminimized=0", "HKCU random=0", "HKCU startinautorunmode=0",
                                        "HKCU startup=0", "HKCU style=2", "HKCU interval=1"}));
    EXPECT_FALSE(form->Test().startWithWindowsBox->Checked());
    form->WriteSettings();
    EXPECT_EQ(RawValue(HKEY_CURRENT_USER, UserRun, "Tessivo"), "<none>");

    // The installed copy (in the folder its installer recorded) does, from
    // the first run on.
    Clean();
    SetRawString(HKEY_CURRENT_USER, Uninstall, "InstallLocation", ExtractFilePath(ProgramPath()));
    Start();
    EXPECT_EQ(real.Changes,
              (std::vector<std::string>{"HKCU startminimized=0", "HKCU random=0", "HKCU startinautorunmode=0",
                                        "HKCU startup=1", "HKCU style=2", "HKCU interval=1",
                                        "HKCU Tessivo=\"" + ProgramPath() + "\""}));
    EXPECT_EQ(Stored("interval"), "1");
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(form->Test().startMinimizedBox->Checked());
    EXPECT_TRUE(form->Test().startWithWindowsBox->Checked());
    EXPECT_EQ(form->Test().styleBox->ItemIndex(), 2);
    EXPECT_FALSE(form->Test().autoChangeRunning);
    EXPECT_EQ(form->Test().startStopButton->Caption(), "Start");
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(Settings, MissingValuesReadAsTheirDefaultsAndAnUnknownStyleAsStretch)
{
    Store({{"startminimized", ""}, {"style", "1"}, {"random", "1"}});
    Start();
    // Missing values are not filled in; the entry "startup" asks for by
    // default is written at once, so the box tells the truth.
    EXPECT_EQ(real.Changes, (std::vector<std::string>{"HKCU Tessivo=\"" + ProgramPath() + "\""}));
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(form->Test().startMinimizedBox->Checked());
    EXPECT_TRUE(form->Test().startWithWindowsBox->Checked()); // "startup" missing
    EXPECT_EQ(form->Test().styleBox->ItemIndex(), 1);
    EXPECT_TRUE(form->Test().randomBox->Checked());
    EXPECT_FALSE(form->Test().startAutoRunBox->Checked());
    EXPECT_EQ(form->Test().intervalEdit->Text(), "1");
    EXPECT_TRUE(CapturedErrors().empty());

    Store({{"style", "6"}, {"startminimized", "0"}, {"startup", "0"}, {"interval", "42"}});
    DeleteRawValue(HKEY_CURRENT_USER, UserRun, "Tessivo");
    Start();
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(form->Test().startWithWindowsBox->Checked());
    EXPECT_EQ(form->Test().styleBox->ItemIndex(), 2);
    EXPECT_EQ(Stored("style"), "2");
    EXPECT_EQ(form->Test().intervalEdit->Text(), "42");
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text,
              "Some options could not be read and were reset to their defaults: style.");
}

TEST_F(Settings, TheFourWaysToComeUp)
{
    const std::string sea = MakeBitmap("sea.bmp", 4, 4);
    const std::string sky = MakeBitmap("sky.bmp", 4, 4);
    struct Case {
        const char* startMinimized;
        const char* autoRun;
        bool withList;
        bool shown;
        bool running;
    };
    const Case cases[] = {{"0", "0", true, true, false},  {"0", "1", false, true, false},
                          {"0", "1", true, true, true},   {"1", "1", false, false, false},
                          {"x", "0", true, false, false}, {"1", "1", true, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("startminimized ") + c.startMinimized + ", startinautorunmode " + c.autoRun +
                     (c.withList ? ", two entries" : ", no entries"));
        LastList(c.withList ? std::vector<std::string>{sea, sky} : std::vector<std::string>{});
        Store({{"startminimized", c.startMinimized},
               {"startinautorunmode", c.autoRun},
               {"interval", "30"},
               {"lastchange", ""}, // no earlier change: a run starts with one
               {"style", "1"}});   // tiled: the wallpaper call names the entry
        desktop.WallpaperCalls.clear();
        Start();
        FinishChanges();
        EXPECT_EQ(form->Visible(), c.shown);
        EXPECT_EQ(form->Test().autoChangeRunning, c.running);
        EXPECT_EQ(form->Test().startStopButton->Caption(), c.running ? "Stop" : "Start");
        // The user's choice stays even when there is nothing to run yet.
        EXPECT_EQ(form->Test().startAutoRunBox->Checked(), std::string(c.autoRun) == "1");
        EXPECT_EQ(desktop.WallpaperCalls,
                  c.running ? std::vector<std::string>{sea} : std::vector<std::string>{});
        // A run started here already waits the stored interval.
        if (c.running) {
            EXPECT_EQ(form->Test().autoChangeTimer->Interval(), 30u * 60000u);
        }
        ASSERT_FALSE(notifyIcon.Sent(NIM_ADD).empty());
        EXPECT_EQ(notifyIcon.Sent(NIM_ADD).back().Data.hWnd, form->Handle());
        EXPECT_TRUE(CapturedErrors().empty());
    }
}

TEST_F(Settings, AValueOfAnotherTypeIsResetAloneAndReportedOnce)
{
    Store({{"startminimized", "1"}, {"random", "1"}, {"startinautorunmode", "1"}, {"interval", "9"}});
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Tessivo", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    const DWORD number = 0;
    RegSetValueExA(key, "startup", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    const DWORD style = 7;
    RegSetValueExA(key, "style", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&style), sizeof style);
    RegCloseKey(key);
    Start();
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text,
              "Some options could not be read and were reset to their defaults: startup, style.");
    EXPECT_TRUE(form->Test().startMinimizedBox->Checked());
    EXPECT_TRUE(form->Test().startWithWindowsBox->Checked());
    EXPECT_EQ(form->Test().styleBox->ItemIndex(), 2);
    EXPECT_TRUE(form->Test().randomBox->Checked());
    EXPECT_TRUE(form->Test().startAutoRunBox->Checked());
    form->WriteSettings();
    EXPECT_EQ(Stored("startup"), "1");
    EXPECT_EQ(Stored("style"), "2");
    EXPECT_EQ(Stored("random"), "1");
    EXPECT_EQ(Stored("interval"), "9");
    EXPECT_EQ(Stored("startinautorunmode"), "1");
}

TEST_F(Settings, ALastListThatFailsIsReportedAndTheOptionsAreStillRead)
{
    // A line no file can be named: the list is refused, naming the line.
    LastList({MakeBitmap("kept.bmp", 4, 4), folder / "a|b.bmp"});
    Store({{"startminimized", "0"}, {"startup", "0"}, {"random", "1"}, {"interval", "7"}, {"style", "1"}});
    Start();
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_NE(CapturedErrors()[0].Text.find("Line 3 of the list file"), std::string::npos)
        << CapturedErrors()[0].Text;
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(Names().empty());
    EXPECT_FALSE(form->Test().startWithWindowsBox->Checked());
    EXPECT_TRUE(form->Test().randomBox->Checked());
    EXPECT_EQ(form->Test().intervalEdit->Text(), "7");
    // So the exit stores the user's options, not the controls' first states.
    form->WriteSettings();
    EXPECT_EQ(Stored("random"), "1");
    EXPECT_EQ(Stored("interval"), "7");
}

TEST_F(Settings, TheExitWritesTheOptionsTheStyleAndTheRotationInOrder)
{
    Store({{"startminimized", "0"}, {"startup", "1"}, {"interval", "1"}});
    Start();
    form->Test().startMinimizedBox->SetChecked(true);
    form->Test().startAutoRunBox->SetChecked(true);
    form->Test().randomBox->SetChecked(true);
    form->Test().intervalEdit->SetText("12");
    form->Test().styleBox->SetItemIndex(0);
    SetRawString(HKEY_LOCAL_MACHINE, MachineRun, "Tessivo", "\"" + ProgramPath() + "\"");
    real.Changes.clear();
    form->WriteSettings();
    // The user's entry was written at start already.
    ASSERT_EQ(real.Changes.size(), 10u);
    EXPECT_EQ(std::vector<std::string>(real.Changes.begin(), real.Changes.begin() + 8),
              (std::vector<std::string>{"HKLM -Tessivo", "HKCU startup=1", "HKCU startminimized=1",
                                        "HKCU startinautorunmode=1", "HKCU interval=12", "HKCU random=1",
                                        "HKCU style=0", "HKCU rotationposition=0"}));
    EXPECT_EQ(real.Changes[8].rfind("HKCU shuffledeck=", 0), 0u);
    EXPECT_EQ(real.Changes[9].rfind("HKCU shownhistory=", 0), 0u);
    // The display style chosen in the window is kept at exit.
    EXPECT_EQ(Stored("style"), "0");
}

TEST_F(Settings, TheExitMakesASettingsKeyRemovedMeanwhileAgainAndKeepsTheOptions)
{
    Start();
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tessivo");
    form->Test().startWithWindowsBox->SetChecked(false);
    form->Test().randomBox->SetChecked(true);
    form->Test().intervalEdit->SetText("25");
    Run([&] { form->WriteSettings(); });
    EXPECT_TRUE(CapturedErrors().empty());
    EXPECT_EQ(Stored("startup"), "0");
    EXPECT_EQ(Stored("random"), "1");
    EXPECT_EQ(Stored("interval"), "25");
    EXPECT_EQ(Stored("rotationposition"), "0");
}

TEST_F(Settings, TheRunEntryFollowsTheBoxInTheUsersKeyAndAMachineEntryIsRemovedWhereAllowed)
{
    Start();
    const std::string entry = "\"" + ProgramPath() + "\"";
    for (const bool box : {true, false})
        for (const char* startup : {"0", "1"})
            for (const bool machineEntry : {true, false})
                for (const bool machineWritable : {true, false}) {
                    SCOPED_TRACE(std::string("box ") + (box ? "set" : "clear") + ", startup " + startup +
                                 (machineEntry ? ", machine entry" : ", no machine entry") +
                                 (machineWritable ? ", HKLM writable" : ", HKLM read-only"));
                    DeleteRawValue(HKEY_CURRENT_USER, UserRun, "Tessivo");
                    DeleteRawValue(HKEY_LOCAL_MACHINE, MachineRun, "Tessivo");
                    if (machineEntry)
                        SetRawString(HKEY_LOCAL_MACHINE, MachineRun, "Tessivo", entry);
                    Store({{"startup", startup}});
                    real.MachineWritable = machineWritable;
                    form->Test().startWithWindowsBox->SetChecked(box);
                    form->WriteSettings();
                    const bool machineStays = machineEntry && !machineWritable;
                    EXPECT_EQ(RawValue(HKEY_LOCAL_MACHINE, MachineRun, "Tessivo"),
                              machineStays ? entry : "<none>");
                    EXPECT_EQ(RawValue(HKEY_CURRENT_USER, UserRun, "Tessivo"), box ? entry : "<none>");
                    // The truth: an entry that still starts the program.
                    EXPECT_EQ(Stored("startup"), box || machineStays ? "1" : "0");
                }
    // The next start shows that entry in the box, whatever "startup" says.
    Store({{"startup", "0"}});
    SetRawString(HKEY_LOCAL_MACHINE, MachineRun, "Tessivo", entry);
    Start();
    EXPECT_TRUE(form->Test().startWithWindowsBox->Checked());
}

TEST_F(Settings, TheRunEntryNamesTheRunningProgramAndReplacesAnEntryForAnotherFile)
{
    // The behaviour's old entry named the folder + "tessivo.exe", which does
    // not start a program of another name.
    const std::string folderOnly = ProgramPath().substr(0, ProgramPath().rfind('\\') + 1);
    SetRawString(HKEY_CURRENT_USER, UserRun, "Tessivo", folderOnly + "tessivo.exe");
    Store({{"startup", "1"}});
    Start();
    form->Test().startWithWindowsBox->SetChecked(true);
    form->WriteSettings();
    EXPECT_EQ(RawValue(HKEY_CURRENT_USER, UserRun, "Tessivo"), "\"" + ProgramPath() + "\"");
    // An entry naming this program, quoted or not, in any letter case, is
    // left alone.
    TAutostart autostart(real, ProgramPath());
    SetRawString(HKEY_CURRENT_USER, UserRun, "Tessivo", ProgramPath());
    EXPECT_TRUE(autostart.IsRegistered());
    real.Changes.clear();
    form->WriteSettings();
    EXPECT_EQ(real.Changes.front(), "HKCU startup=1");
    EXPECT_EQ(RawValue(HKEY_CURRENT_USER, UserRun, "Tessivo"), ProgramPath());
}

TEST_F(Settings, TheStartWithWindowsBoxTakesEffectWhenClickedAndFollowsWindowsStartupList)
{
    Store({{"startup", "0"}});
    Start();
    ASSERT_FALSE(form->Test().startWithWindowsBox->Checked());
    const std::string entry = "\"" + ProgramPath() + "\"";
    const auto click = [&](bool checked) {
        form->Test().startWithWindowsBox->SetChecked(checked);
        form->onStartWithWindowsClick(form->Test().startWithWindowsBox);
    };
    click(true);
    EXPECT_EQ(RawValue(HKEY_CURRENT_USER, UserRun, "Tessivo"), entry);
    EXPECT_EQ(Stored("startup"), "1");
    click(false);
    EXPECT_EQ(RawValue(HKEY_CURRENT_USER, UserRun, "Tessivo"), "<none>");
    EXPECT_EQ(Stored("startup"), "0");

    // Turned off in Task Manager (the first byte odd, then when): the box
    // shows it off, and neither the start nor the exit turns it on again.
    click(true);
    const std::vector<BYTE> turnedOff{3, 0, 0, 0, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0xD9, 0x01};
    SetStartupApproved(turnedOff);
    Store({{"startup", "1"}});
    Start();
    EXPECT_FALSE(form->Test().startWithWindowsBox->Checked());
    form->WriteSettings();
    EXPECT_EQ(StartupApprovedState(), turnedOff);
    EXPECT_EQ(RawValue(HKEY_CURRENT_USER, UserRun, "Tessivo"), entry);
    EXPECT_EQ(Stored("startup"), "0");
    // Ticking the box turns it on there too.
    click(true);
    EXPECT_TRUE(form->Test().startWithWindowsBox->Checked());
    EXPECT_EQ(StartupApprovedState(), (std::vector<BYTE>{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Stored("startup"), "1");
    Start();
    EXPECT_TRUE(form->Test().startWithWindowsBox->Checked());
}
