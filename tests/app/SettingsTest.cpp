// The options kept in the registry and the autostart entry, against Wine's
// real registry: the defaults of a first run, the read-back at startup into
// a hidden main form, the writes of the exit, and the Run entry.

#include "app/Settings.h"

#include "FormFixture.h"
#include "RecordingRegistry.h"
#include "app/Autostart.h"

namespace {

const char* const UserRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const MachineRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

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
    Start();
    EXPECT_EQ(real.Changes,
              (std::vector<std::string>{"HKCU startminimized=0", "HKCU random=0", "HKCU startinautorunmode=0",
                                        "HKCU startup=1", "HKCU style=2", "HKCU interval=1"}));
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
    EXPECT_TRUE(real.Changes.empty()); // missing values are not filled in
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(form->Test().startMinimizedBox->Checked());
    EXPECT_TRUE(form->Test().startWithWindowsBox->Checked()); // "startup" missing
    EXPECT_EQ(form->Test().styleBox->ItemIndex(), 1);
    EXPECT_TRUE(form->Test().randomBox->Checked());
    EXPECT_FALSE(form->Test().startAutoRunBox->Checked());
    EXPECT_EQ(form->Test().intervalEdit->Text(), "1");
    EXPECT_TRUE(CapturedErrors().empty());

    Store({{"style", "6"}, {"startminimized", "0"}, {"startup", "0"}, {"interval", "42"}});
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
    ASSERT_EQ(real.Changes.size(), 11u);
    EXPECT_EQ(
        std::vector<std::string>(real.Changes.begin(), real.Changes.begin() + 9),
        (std::vector<std::string>{"HKLM -Tessivo", "HKCU Tessivo=\"" + ProgramPath() + "\"", "HKCU startup=1",
                                  "HKCU startminimized=1", "HKCU startinautorunmode=1", "HKCU interval=12",
                                  "HKCU random=1", "HKCU style=0", "HKCU rotationposition=0"}));
    EXPECT_EQ(real.Changes[9].rfind("HKCU shuffledeck=", 0), 0u);
    EXPECT_EQ(real.Changes[10].rfind("HKCU shownhistory=", 0), 0u);
    // The display style chosen in the window is kept at exit.
    EXPECT_EQ(Stored("style"), "0");
}

TEST_F(Settings, TheExitReportsASettingsKeyRemovedMeanwhile)
{
    Start();
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tessivo");
    form->Test().startWithWindowsBox->SetChecked(false);
    Run([&] { form->WriteSettings(); });
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text, "Failed to set data for 'startup'");
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
