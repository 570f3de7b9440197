// What a screen reader reads of the main window: every control's accessible
// object, read from another process as a screen reader does, and the
// objects' states, rows and default actions.

#include "FormFixture.h"
#include "app/OptionsForm.h"
#include "support/TestApplication.h"

#include <oleacc.h>

#include <fstream>
#include <map>
#include <sstream>

namespace {

struct Read {
    unsigned long Result = 0;
    long Role = -1;
    long State = 0;
    std::string Name, Value, Description, Action;
};

// Runs the probe beside the test program on `window` and collects what it
// read, by window. The probe's requests come to this thread's windows, so
// messages are handled while it runs.
std::map<HWND, Read> ReadFromAnotherProcess(HWND window, const std::string& outFile)
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string probe = exe;
    probe = probe.substr(0, probe.find_last_of('\\') + 1) + "accessible_probe.exe";
    char handle[32];
    std::snprintf(handle, sizeof handle, "%llx",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
    std::string command = "\"" + probe + "\" " + handle + " \"" + outFile + "\"";
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return {};
    const DWORD deadline = GetTickCount() + 30000;
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0 &&
           GetTickCount() < deadline)
        Application->ProcessMessages();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    std::map<HWND, Read> read;
    std::ifstream in(outFile, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::stringstream split(line);
        for (std::string field; std::getline(split, field, '\t');)
            fields.push_back(field);
        fields.resize(8);
        Read entry;
        entry.Result = std::stoul(fields[1], nullptr, 16);
        if (!fields[2].empty()) {
            entry.Role = std::stol(fields[2]);
            entry.State = std::stol(fields[3]);
        }
        entry.Name = fields[4];
        entry.Value = fields[5];
        entry.Description = fields[6];
        entry.Action = fields[7];
        read[reinterpret_cast<HWND>(static_cast<uintptr_t>(std::stoull(fields[0], nullptr, 16)))] = entry;
    }
    return read;
}

// The accessible object of a control's client area, in this process.
IAccessible* ObjectOf(TWinControl& control)
{
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(control.Handle(), OBJID_CLIENT, __uuidof(IAccessible),
                               reinterpret_cast<void**>(&object));
    return object;
}

VARIANT Element(long id)
{
    VARIANT element{};
    element.vt = VT_I4;
    element.lVal = id;
    return element;
}

long StateOf(IAccessible& object, long id = CHILDID_SELF)
{
    VARIANT state{};
    object.get_accState(Element(id), &state);
    return state.lVal;
}

std::string NameOf(IAccessible& object, long id = CHILDID_SELF)
{
    BSTR name = nullptr;
    object.get_accName(Element(id), &name);
    std::string text;
    for (UINT i = 0; name && i < SysStringLen(name); ++i)
        text += static_cast<char>(name[i]);
    SysFreeString(name);
    return text;
}

} // namespace

class Accessibility : public FormFixture {};

TEST_F(Accessibility, AnotherProcessReadsTheNameAndRoleOfEveryControl)
{
    Add({MakeBitmap("sea.bmp", 4, 2)});
    const TMainForm::TestView f = form->Test();
    const std::map<HWND, Read> read = ReadFromAnotherProcess(form->Handle(), folder / "probe.txt");
    ASSERT_FALSE(read.empty()) << "the probe did not run";

    const struct {
        TWinControl* Control;
        const char* Name;
        long Role;
    } expected[] = {
        {form.get(), "Tessivo", ROLE_SYSTEM_CLIENT},
        {f.closeButton, "Close", ROLE_SYSTEM_PUSHBUTTON},
        {f.toTrayButton, "Hide to tray", ROLE_SYSTEM_PUSHBUTTON},
        {f.addButton, "Add pictures", ROLE_SYSTEM_PUSHBUTTON},
        {f.deleteButton, "Remove pictures", ROLE_SYSTEM_PUSHBUTTON},
        {f.applyButton, "Apply", ROLE_SYSTEM_PUSHBUTTON},
        {f.newListButton, "New list", ROLE_SYSTEM_PUSHBUTTON},
        {f.saveListButton, "Save list", ROLE_SYSTEM_PUSHBUTTON},
        {f.loadListButton, "Load List", ROLE_SYSTEM_PUSHBUTTON},
        {f.aboutButton, "About", ROLE_SYSTEM_PUSHBUTTON},
        {f.exitButton, "Exit", ROLE_SYSTEM_PUSHBUTTON},
        {f.previewPanel, "Preview", ROLE_SYSTEM_GROUPING},
        {f.nameList, "Pictures", ROLE_SYSTEM_LIST},
        {f.startWithWindowsBox, "Start With Windows", ROLE_SYSTEM_CHECKBUTTON},
        {f.startMinimizedBox, "Start Minimized", ROLE_SYSTEM_CHECKBUTTON},
        {f.startAutoRunBox, "Start in auto run mode", ROLE_SYSTEM_CHECKBUTTON},
        {f.styleBox, "Display Style", ROLE_SYSTEM_COMBOBOX},
        {f.intervalEdit, "Interval (minutes)", ROLE_SYSTEM_SPINBUTTON},
        {f.randomBox, "Random", ROLE_SYSTEM_CHECKBUTTON},
        {f.startStopButton, "Start", ROLE_SYSTEM_PUSHBUTTON},
    };
    for (const auto& [control, name, role] : expected) {
        SCOPED_TRACE(name);
        const auto it = read.find(control->Handle());
        ASSERT_NE(it, read.end());
        EXPECT_EQ(it->second.Result, 0ul);
        EXPECT_EQ(it->second.Name, name);
        EXPECT_EQ(it->second.Role, role);
    }
    EXPECT_EQ(read.at(f.styleBox->Handle()).Value, "Stretch");
    EXPECT_EQ(read.at(f.intervalEdit->Handle()).Value, "1");
    EXPECT_EQ(read.at(f.addButton->Handle()).Action, "Press");
    const std::string preview = read.at(f.previewPanel->Handle()).Description;
    EXPECT_NE(preview.find("Name: sea.bmp"), std::string::npos) << preview;
    EXPECT_NE(preview.find("Size: ( 4 x 2 ) pixels"), std::string::npos) << preview;
    EXPECT_NE(preview.find("Path: " + (folder / "sea.bmp")), std::string::npos) << preview;
    EXPECT_NE(preview.find("Total : 1 file(s)"), std::string::npos) << preview;

    // Every window of ours answers, and every one the keyboard can reach
    // has a name.
    for (const auto& [window, entry] : read) {
        auto* control = TWinControl::FromHandle(window);
        if (!control || GetAncestor(window, GA_ROOT) != form->Handle())
            continue;
        SCOPED_TRACE(control->Name);
        EXPECT_EQ(entry.Result, 0ul);
        EXPECT_GT(entry.Role, 0);
        if (control->TabStop() && IsWindowVisible(window)) {
            EXPECT_FALSE(entry.Name.empty());
        }
    }
}

TEST_F(Accessibility, StatesListRowsAndTheDefaultActionFollowTheControls)
{
    Add({MakeBitmap("a.bmp", 2, 2), MakeBitmap("b.bmp", 2, 2)});
    TMainForm::TestView f = form->Test();
    form->RestoreFromTray();
    PumpMessages(0);

    IAccessible* list = ObjectOf(*f.nameList);
    ASSERT_NE(list, nullptr);
    long rows = 0;
    list->get_accChildCount(&rows);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(NameOf(*list, 2), "b.bmp");
    f.nameList->SetItemIndex(1);
    f.nameList->SetFocus();
    EXPECT_TRUE(StateOf(*list) & STATE_SYSTEM_FOCUSED);
    EXPECT_TRUE(StateOf(*list, 2) & STATE_SYSTEM_SELECTED);
    EXPECT_FALSE(StateOf(*list, 1) & STATE_SYSTEM_SELECTED);
    list->Release();

    IAccessible* add = ObjectOf(*f.addButton);
    ASSERT_NE(add, nullptr);
    EXPECT_TRUE(StateOf(*add) & STATE_SYSTEM_FOCUSABLE);
    f.addButton->SetEnabled(false);
    EXPECT_TRUE(StateOf(*add) & STATE_SYSTEM_UNAVAILABLE);
    add->Release();

    IAccessible* random = ObjectOf(*f.randomBox);
    ASSERT_NE(random, nullptr);
    EXPECT_FALSE(StateOf(*random) & STATE_SYSTEM_CHECKED);
    EXPECT_EQ(random->accDoDefaultAction(Element(CHILDID_SELF)), S_OK);
    PumpMessages(0);
    EXPECT_TRUE(f.randomBox->Checked());
    EXPECT_TRUE(StateOf(*random) & STATE_SYSTEM_CHECKED);
    random->Release();

    // "Hide to tray" pressed by the screen reader: the window goes to the tray.
    IAccessible* toTray = ObjectOf(*f.toTrayButton);
    ASSERT_NE(toTray, nullptr);
    EXPECT_EQ(toTray->accDoDefaultAction(Element(CHILDID_SELF)), S_OK);
    PumpMessages(0);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    toTray->Release();
}

TEST_F(Accessibility, TheOptionsBoxsWaitingBoxesAreNamedTickableAndNextInTabOrder)
{
    TOptionsForm options(nullptr);
    options.ShowOptions(TOptionValues{});
    options.Show();
    PumpMessages(0);
    EXPECT_TRUE(options.waitFullScreenBox->Checked());
    EXPECT_TRUE(options.changeOnBatteryBox->Checked());
    const std::map<HWND, Read> read = ReadFromAnotherProcess(options.Handle(), folder / "probe.txt");
    ASSERT_FALSE(read.empty()) << "the probe did not run";
    for (TCheckBox* box : {options.waitFullScreenBox, options.changeOnBatteryBox}) {
        SCOPED_TRACE(box->Name);
        const auto it = read.find(box->Handle());
        ASSERT_NE(it, read.end());
        EXPECT_EQ(it->second.Name, box->Caption());
        EXPECT_EQ(it->second.Role, ROLE_SYSTEM_CHECKBUTTON);
        EXPECT_TRUE(it->second.State & STATE_SYSTEM_CHECKED);
    }
    EXPECT_EQ(read.at(options.waitFullScreenBox->Handle()).Name, "Wait while a full-screen program runs");
    EXPECT_EQ(read.at(options.changeOnBatteryBox->Handle()).Name, "Change on battery power");

    // Tab goes from the monitor box through both to "OK".
    options.perMonitorBox->SetFocus();
    for (TWinControl* next : std::initializer_list<TWinControl*>{
             options.waitFullScreenBox, options.changeOnBatteryBox, options.okButton}) {
        options.SelectNext(true);
        EXPECT_EQ(GetFocus(), next->Handle()) << next->Name;
    }
    // Cleared, the box gives the option off.
    options.changeOnBatteryBox->SetChecked(false);
    EXPECT_FALSE(options.Chosen().Flag(OptionNames::ChangeOnBattery));
    EXPECT_TRUE(options.Chosen().Flag(OptionNames::WaitWhileFullScreen));
    options.Hide();
}
