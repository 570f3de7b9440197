#pragma once
// A main form created hidden, with fake dialogs, a fake desktop and an
// in-memory registry, and a temporary program folder with pictures in it.

#include "app/MainForm.h"
#include "core/Exceptions.h"
#include "core/WindowsPaths.h"
#include "lists/EntryFiles.h"
#include "platform/FakeDesktop.h"
#include "platform/FakeHotkeys.h"
#include "platform/FakeMachineState.h"
#include "platform/FakeNotifyIcon.h"
#include "platform/FakeRegistry.h"
#include "platform/SystemClock.h"
#include "support/TempFolder.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

// A file dialog that answers as the test says.
class FakeFileDialog : public virtual IFileDialog {
public:
    const std::string& Title() const override { return title; }
    void SetTitle(const std::string& value) override { title = value; }
    TOpenOptions Options() const override { return options; }
    void SetOptions(TOpenOptions value) override { options = value; }
    const std::string& InitialDir() const override { return initialDir; }
    void SetInitialDir(const std::string& folder) override { initialDir = folder; }
    bool Execute() override
    {
        ++runs;
        initialDirAtRun = initialDir;
        return confirm;
    }
    std::vector<std::string> Files() const override { return files; }
    std::string FileName() const override { return files.empty() ? std::string() : files.front(); }

    std::string title;
    TOpenOptions options = 0;
    std::string initialDir;
    // The folder the dialog opened in at its last run.
    std::string initialDirAtRun;
    bool confirm = true;
    std::vector<std::string> files;
    int runs = 0;
};

class FakePictureDialog : public FakeFileDialog, public IOpenPictureDialog {};

// A folder dialog that answers as the test says.
class FakeFolderDialog : public IFolderDialog {
public:
    void SetTitle(const std::string& value) override { title = value; }
    bool Execute() override { return confirm; }
    std::string Folder() const override { return confirm ? folder : std::string(); }
    void SetCheckBox(const std::string& text, bool checked) override
    {
        checkText = text;
        shownChecked = checked;
    }
    bool CheckBoxChecked() const override { return leftChecked.value_or(shownChecked); }

    std::string title;
    std::string checkText;
    bool shownChecked = false;
    // What the user leaves the box at; as shown when not set.
    std::optional<bool> leftChecked;
    bool confirm = true;
    std::string folder;
};

// The entries' files as Windows reaches them, recording every file asked
// about or opened; drive Z: is mapped to another computer's share (Wine has
// no such drives).
class RecordingEntryFiles : public IEntryFiles {
public:
    bool OnAnotherComputer(const std::string& path) override
    {
        return IsOnAnotherComputer(path, [](char drive) { return drive == 'Z'; });
    }
    bool Exists(const std::string& path) override
    {
        touched.push_back(path);
        return system.Exists(path);
    }
    void LoadPicture(TPicture& picture, const std::string& path) override
    {
        touched.push_back(path);
        system.LoadPicture(picture, path);
    }
    // Every path opened or looked up, oldest first.
    std::vector<std::string> touched;
    TSystemEntryFiles system;
};

// Monday, 7 December 2026, 13:05:09, with English names.
class FixedClock : public IClock {
public:
    LocalDateTime Now() const override { return now; }
    DateNames Names() const override
    {
        return {{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
                {"January", "February", "March", "April", "May", "June", "July", "August", "September",
                 "October", "November", "December"}};
    }
    int64_t WallClockMs() const override { return wallMs; }
    LocalDateTime now{2026, 12, 7, 1, 13, 5, 9};
    int64_t wallMs = 13'000'000'000'000;
};

class FormFixture : public testing::Test {
protected:
    void SetUp() override
    {
        CapturedErrors().clear();
        registry.AddKey(TRegistryRoot::CurrentUser, "\\Control Panel\\Desktop");
        KeepInTray(registry);
        form = std::make_unique<TMainForm>(nullptr, Services());
        FinishPreviews();
    }
    // The default options, except that the window stays in the tray, so the
    // form's tests run on a hidden window.
    static void KeepInTray(TFakeRegistry& settings)
    {
        const char* const values[][2] = {
            {"startminimized", "1"}, {"random", "0"}, {"startinautorunmode", "0"},
            {"startup", "1"},        {"style", "2"},  {"interval", "1"}};
        for (const auto& value : values)
            settings.SetValue(TRegistryRoot::CurrentUser, "\\Software\\Tessivo", value[0], value[1]);
    }
    // The fakes and the temporary program folder (which holds the last list
    // too), for a form.
    PlatformServices Services()
    {
        PlatformServices services;
        services.Clock = &clock;
        services.Desktop = &desktop;
        services.Registry = &registry;
        services.NotifyIcon = &notifyIcon;
        services.Hotkeys = &hotkeys;
        services.MachineState = &machine;
        services.ProgramFolder = folder.Path() + "\\";
        services.LastListFolder = services.ProgramFolder;
        services.ProgramPath = folder.Path() + "\\Tessivo Changer.exe";
        services.OpenPictureDialog = &pictures;
        services.OpenDialog = &openDialog;
        services.SaveDialog = &saveDialog;
        services.FolderDialog = &folderDialog;
        services.EntryFiles = &entryFiles;
        services.ShowFileInFolder = [this](const std::string& path) { shownInFolder.push_back(path); };
        return services;
    }
    void TearDown() override
    {
        form.reset();
        CapturedErrors().clear();
    }

    // A folder `name` with b.bmp, A.bmp, a text file and sub\\c.bmp, written
    // out of name order; its pictures in the order the list gets them.
    std::vector<std::string> PictureFolder(const std::string& name = "pictures")
    {
        const std::string tree = folder / name;
        CreateDirectoryA(tree.c_str(), nullptr);
        CreateDirectoryA((tree + "\\sub").c_str(), nullptr);
        MakeBitmap(name + "\\sub\\c.bmp", 3, 3);
        MakeBitmap(name + "\\b.bmp", 4, 4);
        MakeBitmap(name + "\\A.bmp", 5, 5);
        folder.Write(name + "\\notes.txt", "no picture");
        return {tree + "\\A.bmp", tree + "\\b.bmp", tree + "\\sub\\c.bmp"};
    }

    // Writes a BMP of the given size and colour into the folder; returns its path.
    std::string MakeBitmap(const std::string& name, int width, int height, TColor color = clRed)
    {
        TBitmap bitmap(width, height);
        bitmap.Canvas().Brush().SetColor(color);
        bitmap.Canvas().FillRect({0, 0, width, height});
        const std::string path = folder / name;
        bitmap.SaveToFile(path);
        return path;
    }

    // Adds files through the picture dialog, as the "+" button does.
    void Add(const std::vector<std::string>& files)
    {
        pictures.files = files;
        pictures.confirm = true;
        form->onAddClick(form->Test().addButton);
        FinishPreviews();
    }

    // Runs a handler as the message loop would: errors go to the handler.
    template <class F>
    void Run(F&& handler)
    {
        Application->Guarded(handler);
    }

    // Lets a folder scan run to its end and its pictures join the list, as
    // the message loop would.
    void FinishScan()
    {
        while (form->BackgroundAdd().Busy()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            Application->ProcessMessages();
        }
        FinishPreviews();
    }

    // Lets the wallpaper changes asked for be drawn and finished, as the
    // message loop would, delivering nothing but their ends.
    void FinishChanges()
    {
        FinishPreviews();
        const ULONGLONG giveUp = GetTickCount64() + 60000;
        while (form->ChangeBusy()) {
            ASSERT_LT(GetTickCount64(), giveUp) << "a change never ended";
            MSG message;
            if (PeekMessageW(&message, form->Handle(), TBackgroundChange::DrawingEndedMessage,
                             TBackgroundChange::DrawingEndedMessage, PM_REMOVE))
                DispatchMessageW(&message);
            else
                Sleep(1);
        }
    }
    // Lets the pictures the preview asked for be read and shown, as the
    // message loop would, delivering nothing but their ends.
    void FinishPreviews() { FinishPreviews(*form); }
    static void FinishPreviews(TMainForm& which)
    {
        const ULONGLONG giveUp = GetTickCount64() + 60000;
        while (which.PreviewBusy()) {
            ASSERT_LT(GetTickCount64(), giveUp) << "a preview never ended";
            MSG message;
            if (PeekMessageW(&message, which.Handle(), TMainForm::PreviewReadMessage,
                             TMainForm::PreviewReadMessage, PM_REMOVE))
                DispatchMessageW(&message);
            else
                Sleep(1);
        }
    }
    // "Start"/"Stop" clicked, and the change it asked for.
    void ClickStartStop()
    {
        form->Test().startStopButton->OnClick(form->Test().startStopButton);
        FinishChanges();
    }
    // One tick of the rotation timer, as the platform delivers it, and the
    // change it asked for.
    void TimerMessage()
    {
        SendMessageA(form->Test().autoChangeTimer->WindowHandle(), WM_TIMER, 1, 0);
        FinishChanges();
    }

    std::vector<std::string> Paths() const { return form->Test().listModel.Paths(); }
    std::vector<std::string> Names() const { return form->Test().nameList->Items().Texts(); }

    TTempFolder folder;
    FixedClock clock;
    std::vector<std::string> journal;
    TFakeDesktop desktop{"C:\\windows", &journal};
    TFakeRegistry registry{&journal};
    TFakeNotifyIcon notifyIcon;
    TFakeHotkeys hotkeys;
    // No full-screen program, on mains power, unless a test says otherwise.
    TFakeMachineState machine;
    FakePictureDialog pictures;
    FakeFileDialog openDialog;
    FakeFileDialog saveDialog;
    FakeFolderDialog folderDialog;
    RecordingEntryFiles entryFiles;
    // The files "Open File Location" showed, oldest first.
    std::vector<std::string> shownInFolder;
    std::unique_ptr<TMainForm> form;
};
