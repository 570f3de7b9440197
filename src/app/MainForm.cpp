#include "app/MainForm.h"

#include "app/DialogFolders.h"
#include "app/GlobalHotkeys.h"
#include "app/OptionsForm.h"
#include "app/Settings.h"
#include "app/SettingsReadBack.h"
#include "core/ClockText.h"
#include "core/Exceptions.h"
#include "core/FileNames.h"
#include "core/ScopeExit.h"
#include "framework/Application.h"
#include "platform/Files.h"
#include "platform/OrdinalCase.h"
#include "platform/ProgramIcon.h"
#include "platform/RandomSeed.h"
#include "platform/SystemClock.h"
#include "platform/UserFolders.h"
#include "wallpaper/DesktopWallpaper.h"
#include "wallpaper/JpegToBitmap.h"
#include "wallpaper/WallpaperFile.h"

#include <algorithm>

TMainForm::TMainForm(TComponent* owner, const PlatformServices& services)
    : TForm(owner), services_(services), listModel_(OrdinalCaseKey)
{
    // First, so the window is made with its owner.
    taskbarButton_ = std::make_unique<TTaskbarButton>(
        Application->Title, [this] { return HandleAllocated() ? Handle() : nullptr; });
    Name = "mainForm";
    SetCaption("Quorvel");
    SetBorderStyle(TFormBorderStyle::None);
    SetColor(clBtnFace);
    Font().SetName("MS Sans Serif");
    Font().SetHeight(-11);
    SetShowHint(true);
    SetPosition(TPosition::ScreenCenter);
    SetClientSize(560, 308);
    BuildControls();
    CreateSubsystems();
    WireHandlers();
    // An error of the start sequence ends it at that step and is reported,
    // and the form goes on as far as it got.
    Application->Guarded([this] { RunStartSequence(); });
    started_ = true;
    // The followed folders are read once the window has shown.
    PostMessageW(Handle(), TFolderFollower::ReadsAllowedMessage, 0, 0);
    // What came from outside while the start ran is carried out now.
    Application->OnModalLoopsEnded = [this] { ScheduleCommands(); };
    ScheduleCommands();
    // A later start asked to be shown while this one was still starting
    // (the request can arrive while the start waits for the shell), and
    // hiding to the tray would undo it: it is answered now.
    if (showRequested_)
        BringToFront();
}

void TMainForm::DpiChanged()
{
    TForm::DpiChanged();
    DrawButtonGlyphs();
    // The preview is reduced to its box: drawn again for the box's new size
    // (read again off the window's thread where the picture kept is too
    // small for it, as is a failure's text). A picture that cannot be read
    // now says so in the box: the user moved a window and did not ask for
    // the picture, so no message.
    if (preview_ && preview_->PreviewBitmap() && !preview_->PreviewBitmap()->Empty()) {
        if (preview_->FailureText().empty())
            RelayoutPreview();
        else if (listModel_.Selected() >= 0)
            preview_->RequestImage(listModel_.Selected());
    }
    // The icon in the notification area at the shell's size for this DPI.
    if (trayIcon_ && TrayIconData().hIcon)
        trayIcon_->Add(Handle(), TrayIconImage());
}

HICON TMainForm::TrayIconImage()
{
    const int size = SmallIconSize(Dpi());
    if (trayIconImage_.Size() != size)
        trayIconImage_ = TSizedProgramIcon(size);
    return trayIconImage_.Handle() ? trayIconImage_.Handle() : LoadSmallProgramIcon();
}

TMainForm::~TMainForm()
{
    // Before the window goes: the hotkeys are registered for it, and a
    // folder scan's thread must not outlive it.
    hotkeys_.reset();
    backgroundAdd_.reset();
    // A change still drawn, or a picture still read, is dropped: its end
    // must not reach this window.
    backgroundChange_.reset();
    previewReading_.reset();
    if (Application)
        Application->OnModalLoopsEnded = nullptr;
}

void TMainForm::CreateSubsystems()
{
    preview_ = std::make_unique<TPreview>(PreviewView{listModel_, *previewImage, *sizeLabel, *nameLabel,
                                                      *pathLabel, *totalLabel, *applyButton,
                                                      [this] { return PreviewDesktop(); }},
                                          services_.EntryFiles ? *services_.EntryFiles : systemEntryFiles_);
    imageList_ = std::make_unique<TImageList>(
        ImageListView{listModel_, *nameList, *totalLabel, *previewImage, *sizeLabel, *nameLabel}, *preview_,
        currentIndex);
    listFiles_ = std::make_unique<TListFiles>(*imageList_, listModel_, currentIndex, services_.ProgramFolder,
                                              services_.LastListFolder);

    autoChange_ = std::make_unique<TAutoChange>(
        AutoChangeView{*startStopButton,
                       *autoChangeTimer,
                       *intervalEdit,
                       listModel_.Paths(),
                       {randomBox, styleBox, intervalEdit, addButton, deleteButton, newListButton}},
        AutoChangeActions{[this] { ChangeToCurrent(TChangeOrigin::Rotation); },
                          [this] { ApplySelectedWallpaper(); }, [this] { return listModel_.Selected() >= 0; },
                          [this] { return ChooseNextPictures(); },
                          [this](const std::string& file, const std::exception& error) {
                              return ReportUnattendedError(file, error);
                          },
                          [this] { return WhyChangeWaits(); }, [this] { UpdateTrayTip(); }},
        autoChangeRunning, currentIndex);
    if (!services_.Hotkeys)
        services_.Hotkeys = (ownHotkeys_ = std::make_unique<TWin32Hotkeys>()).get();
    if (!services_.MachineState)
        services_.MachineState = &systemMachineState_;
    hotkeys_ = std::make_unique<TGlobalHotkeys>(*services_.Hotkeys);
    rotation_ = std::make_unique<TRotation>(services_.RandomSeed ? services_.RandomSeed() : ClockSeed());
    CreateTrayMenu();
    CreateTrayIcon();
    CreateListActions();
    displayChangeTimer_ = new TTimer(this);
    displayChangeTimer_->SetEnabled(false);
    displayChangeTimer_->SetInterval(DisplaySettleMs);
    backgroundChange_ = std::make_unique<TBackgroundChange>(
        [this] { return Handle(); },
        [](bool busy) { Application->SetCursor(busy ? crAppStart : crDefault); });
    // The preview's own worker, so that a picture read never waits for a
    // wallpaper drawn, nor supersedes it; the box shows it is busy.
    previewReading_ = std::make_unique<TBackgroundChange>(
        [this] { return Handle(); },
        [this](bool busy) { previewImage->SetCursor(busy ? crAppStart : crDefault); }, PreviewReadMessage);
    preview_->SetRunner([this](auto read, auto shown) {
        TBackgroundJob job;
        job.Draw = [read = std::move(read)](TDrawing& drawing) {
            read([&drawing] { return !drawing.Superseded(); });
        };
        job.Ended = [this, shown = std::move(shown)](std::exception_ptr error) {
            shown(error);
            ApplyAtLaunchOnceRead();
        };
        previewReading_->Request(std::move(job));
    });
}

void TMainForm::WireHandlers()
{
    header->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        onHeaderMouseDown(s, b, sh, x, y);
    };
    header->OnPaint = [this](TObject* s, RECT r, TCanvas& c, TFont& f) { onHeaderPaint(s, r, c, f); };
    closeButton->OnClick = [this](TObject* s) { onCloseClick(s); };
    toTrayButton->OnClick = [this](TObject* s) { onToTrayClick(s); };
    addButton->OnClick = [this](TObject* s) { onAddClick(s); };
    deleteButton->OnClick = [this](TObject* s) { onDeleteClick(s); };
    applyButton->OnClick = [this](TObject* s) { onApplyClick(s); };
    newListButton->OnClick = [this](TObject* s) { onNewListClick(s); };
    saveListButton->OnClick = [this](TObject* s) { onSaveListClick(s); };
    loadListButton->OnClick = [this](TObject* s) { onLoadListClick(s); };
    aboutButton->OnClick = [this](TObject* s) { onAboutClick(s); };
    exitButton->OnClick = [this](TObject* s) { onExitClick(s); };
    // A click on a row shows its entry; a double click applies it.
    nameList->OnClick = [this](TObject* s) { onNameListClick(s); };
    nameList->OnDblClick = [this](TObject* s) { onNameListDoubleClick(s); };
    styleBox->OnChange = [this](TObject* s) { onStyleChange(s); };
    startStopButton->OnClick = [this](TObject* s) { onStartStopClick(s); };
    startWithWindowsBox->OnClick = [this](TObject* s) { onStartWithWindowsClick(s); };
    autoChangeTimer->SetOnTimer([this](TObject* s) { onAutoChangeTimer(s); });
    clockTimer->SetOnTimer([this](TObject* s) { onClockTimer(s); });
    trayIconRetryTimer->SetOnTimer([this](TObject*) { RetryTrayIcon(); });
    displayChangeTimer_->SetOnTimer([this](TObject*) {
        displayChangeTimer_->SetEnabled(false);
        RedrawWallpaper();
    });
    OnClose = [this](TObject* s, TCloseAction& action) { onCloseRequest(s, action); };
    WireKeyboard();
    WireAccessibility();
}

TMainForm::TestView TMainForm::Test()
{
    return TestView{header,
                    closeButton,
                    toTrayButton,
                    actionsPanel,
                    actionsHeader,
                    addButton,
                    deleteButton,
                    applyButton,
                    newListButton,
                    saveListButton,
                    loadListButton,
                    aboutButton,
                    exitButton,
                    clockLabel,
                    previewPanel,
                    previewImage,
                    nameListPanel,
                    nameList,
                    totalPanel,
                    totalLabel,
                    optionsPanel,
                    sizeLabel,
                    nameLabel,
                    pathLabel,
                    startWithWindowsBox,
                    startMinimizedBox,
                    startAutoRunBox,
                    styleBox,
                    intervalEdit,
                    randomBox,
                    startStopButton,
                    listModel_,
                    autoChangeTimer,
                    clockTimer,
                    trayIconRetryTimer,
                    trayMenu,
                    restoreMenuItem,
                    changeWallpaperMenuItem,
                    aboutMenuItem,
                    exitMenuItem,
                    nextMenuItem,
                    previousMenuItem,
                    pauseMenuItem,
                    optionsMenuItem,
                    autoChangeRunning,
                    rotationPosition,
                    currentIndex};
}

std::string TMainForm::WallpaperFolder()
{
    // Without a folder of the user's own, the bitmap has nowhere to go and
    // nothing can have been left there either: empty.
    try {
        return ExtractFilePath(WallpaperBitmapPath(*services_.Desktop));
    } catch (const EInOutError&) {
        return {};
    }
}

TWallpaperSystem TMainForm::WallpaperSystem()
{
    return TWallpaperSystem{*services_.Desktop, *services_.Registry, ConvertJpegToBitmap};
}

void TMainForm::RunStartSequence()
{
    addPicturesDialog->SetOptions(TOpenOption::HideReadOnly | TOpenOption::AllowMultiSelect |
                                  TOpenOption::EnableSizing);
    applyButton->SetEnabled(true);
    autoChangeTimer->SetEnabled(false);
    styleBox->SetEnabled(true);
    intervalEdit->SetEnabled(true);
    randomBox->SetEnabled(true);
    // A settings key that cannot be made is reported; the start goes on, so
    // the program still gets its icon and reads what it can.
    Application->Guarded([this] { EnsureDefaultSettings(); });
    rotationPosition = 0;
    autoChangeRunning = false;
    clockLabel->SetHint(TodayHint(services_.Clock->Now(), services_.Clock->Names()));
    // The window is made, hidden (its clock and taskbar button at rest); the
    // stored options decide below whether it shows.
    Handle();
    Hide();
    // Nothing here may stop the start.
    Application->Guarded([this] { RemoveStaleFiles(); });
    // The list the user left last time. When it cannot be read, or its first
    // picture is gone, that is reported and the start goes on: the options
    // must still reach the controls, or the exit would store the controls'
    // initial states over them.
    Application->Guarded([this] { LoadLastList(); });
    // With nothing selected there is nothing to apply.
    applyButton->SetEnabled(listModel_.Selected() >= 0);
    // Read once; each option stands alone, so the steps below take what
    // they need of it.
    TOptionValues stored;
    Application->Guarded([&] { stored = ReadOptionsAtStart(*services_.Registry); });
    Application->Guarded([&] { RestoreRotation(stored); });
    const bool startAutoChange = ReadSettings(stored);
    // The icon once the window shows (the shell's DLL loads for it), and
    // before automatic change starts, whose errors are its balloons.
    PutIconInTray();
    if (startAutoChange && listModel_.Count() > 0)
        StartAutoChangeAtLaunch();
    // The first picture showed before the stored style reached its box.
    RelayoutPreview();
    Application->Guarded([&] { RegisterHotkeys(HotkeyOptionsOf(stored)); });
}

// Temporary files of saves that were killed part-way (and the spare bitmap
// earlier versions kept beside the wallpaper), in the folders the program
// writes to.
void TMainForm::RemoveStaleFiles()
{
    RemoveStaleTemporaryFiles(services_.ProgramFolder);
    if (services_.LastListFolder != services_.ProgramFolder)
        RemoveStaleTemporaryFiles(services_.LastListFolder);
    RemoveStaleTemporaryFiles(services_.Desktop->WindowsDirectory());
    if (const std::string wallpaperFolder = WallpaperFolder(); !wallpaperFolder.empty())
        RemoveStaleTemporaryFiles(wallpaperFolder);
}

void TMainForm::EnsureDefaultSettings()
{
    ::EnsureDefaultSettings(*services_.Registry, IsInstalledCopy(*services_.Registry, services_.ProgramPath));
}

bool TMainForm::ReadSettings(const TOptionValues& stored)
{
    TAutostart autostart(*services_.Registry, services_.ProgramPath);
    bool startAutoChange = false;
    ReadSettingsIntoControls(stored, autostart, *this,
                             SettingsActions{[this] { Show(); }, [&] { startAutoChange = true; }});
    return startAutoChange;
}

void TMainForm::onStartWithWindowsClick(TObject*)
{
    TAutostart autostart(*services_.Registry, services_.ProgramPath);
    try {
        startWithWindowsBox->SetChecked(
            ApplyAutostartChoice(*services_.Registry, autostart, startWithWindowsBox->Checked()));
    } catch (const Exception&) {
        // The box goes back to what Windows will do; the error says why.
        startWithWindowsBox->SetChecked(autostart.IsRegistered());
        throw;
    }
}

void TMainForm::onStartStopClick(TObject*)
{
    autoChange_->StartStopClick(nameList->Items().Count());
}

void TMainForm::onAutoChangeTimer(TObject*)
{
    autoChange_->Tick();
}

void TMainForm::onHeaderMouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    // Any button starts the platform's own move loop, as a title bar would.
    ReleaseCapture();
    Perform(WM_SYSCOMMAND, 0xF012, 0);
}

void TMainForm::onHeaderPaint(TObject*, RECT rect, TCanvas& canvas, TFont&)
{
    // A grey line on every second row (rows 0, 2, ... at 96 DPI, each row
    // and line scaled), then the title on a button-face box.
    canvas.Brush().SetColor(Application->ColorScheme().Line(RGBColor(0x80, 0x80, 0x80), header->Color()));
    const int line = Scaled(1);
    for (int row = 0; Scaled(row) < rect.bottom - rect.top; row += 2) {
        const int top = rect.top + Scaled(row);
        canvas.FillRect({rect.left + 1, top, rect.right - 1, std::min<int>(top + line, rect.bottom)});
    }
    canvas.Brush().SetColor(clBtnFace);
    canvas.DrawText(" Tessivo ", rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void TMainForm::onClockTimer(TObject*)
{
    clockLabel->SetCaption(FormatClockTime(services_.Clock->Now()));
}

void TMainForm::onAddClick(TObject*)
{
    InDialogFolder(*addPicturesDialog, TDialogFolderKind::Pictures,
                   [this] { imageList_->AddFiles(*addPicturesDialog); });
}

void TMainForm::InDialogFolder(IFileDialog& dialog, TDialogFolderKind kind, const std::function<void()>& run)
{
    dialog.SetInitialDir(DialogStartFolder(*services_.Registry, kind, PicturesFolder()));
    // Kept even when what follows the choice fails: the user chose there.
    const ScopeExit remember([&] {
        if (const std::vector<std::string> chosen = dialog.Files(); !chosen.empty())
            RememberDialogFolder(*services_.Registry, kind, chosen.front());
    });
    run();
}

void TMainForm::onDeleteClick(TObject*)
{
    imageList_->DeleteSelected();
}

void TMainForm::onNewListClick(TObject*)
{
    // The list goes for good (the last list is saved over it moments
    // later): one with pictures in it is emptied only when the user says
    // so, and Enter or a second Space keeps it.
    const int count = listModel_.Count();
    if (count > 0 &&
        Application->Ask(NewListQuestion(count), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    imageList_->NewList();
}

std::string TMainForm::NewListQuestion(int count)
{
    const std::string pictures = count == 1 ? "The 1 picture" : "The " + std::to_string(count) + " pictures";
    return "Start a new list? " + pictures + " in the current list will be removed from it.";
}

void TMainForm::onNameListClick(TObject*)
{
    imageList_->ShowClickedEntry();
    if (listModel_.Selected() >= 0)
        folderFollower_->EntrySelected(listModel_.Path(listModel_.Selected()));
}

void TMainForm::onNameListDoubleClick(TObject*)
{
    ApplySelectedByHand();
}

void TMainForm::onApplyClick(TObject*)
{
    ApplySelectedByHand();
}

void TMainForm::onStyleChange(TObject*)
{
    applyButton->SetEnabled(listModel_.Selected() >= 0);
    RelayoutPreview();
}

void TMainForm::RelayoutPreview()
{
    // A file gone since it showed says so in the preview, as a selection
    // does: no one's error.
    preview_->Relayout(listModel_.Selected());
}

void TMainForm::DisplayChanged()
{
    // Each message of the burst starts the wait again.
    displayChangeTimer_->SetEnabled(false);
    displayChangeTimer_->SetEnabled(true);
}

void TMainForm::onSaveListClick(TObject*)
{
    InDialogFolder(*saveListDialog, TDialogFolderKind::Lists, [this] { listFiles_->Save(*saveListDialog); });
}

void TMainForm::onLoadListClick(TObject*)
{
    InDialogFolder(*loadListDialog, TDialogFolderKind::Lists, [this] { listFiles_->Load(*loadListDialog); });
}
