#pragma once
// The main window: a borderless 560 x 308 form. It owns the program's
// controls and state; its handlers are short and call the code of the
// subsystem that does the work (lists/, wallpaper/).

#include "app/CommandTable.h"
#include "app/DialogFolders.h"
#include "app/NameListMenu.h"
#include "app/OptionTable.h"
#include "app/PlatformServices.h"
#include "app/TaskbarButton.h"
#include "app/TrayIcon.h"
#include "controls/FlatButton.h"
#include "controls/FlatPanel.h"
#include "controls/HeaderToolButton.h"
#include "core/Commands.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "framework/Timer.h"
#include "framework/dialogs/FileDialogs.h"
#include "framework/dialogs/OpenPictureDialog.h"
#include "framework/stdctrls/CheckBox.h"
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/ListBox.h"
#include "framework/stdctrls/Shape.h"
#include "framework/stdctrls/SpinEdit.h"
#include "lists/BackgroundAdd.h"
#include "lists/FolderFollower.h"
#include "lists/ImageList.h"
#include "lists/LastListAutosave.h"
#include "lists/ListFiles.h"
#include "lists/ListModel.h"
#include "lists/Preview.h"
#include "platform/MachineState.h"
#include "platform/ProgramIcon.h"
#include "wallpaper/AutoChange.h"
#include "wallpaper/BackgroundChange.h"
#include "wallpaper/JpegToBitmap.h"
#include "wallpaper/RenderedWallpaper.h"
#include "wallpaper/Rotation.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TAboutForm;
class TFolderDialog;
class TGlobalHotkeys;
class TOptionsForm;
class IHotkeys;
struct THotkeyOptions;

class TMainForm : public TForm {
public:
    TMainForm(TComponent* owner, const PlatformServices& services);
    ~TMainForm() override;

    // The box "About" opens; none until the entry hands it over.
    void SetAboutForm(TAboutForm* about) { aboutForm_ = about; }
    // Or how to make it: on the first "About", so that the start does not
    // build a box most sessions never open.
    void SetAboutFormMaker(std::function<TAboutForm*()> make) { makeAboutForm_ = std::move(make); }
    TBitmap* PreviewBitmap() const { return preview_->PreviewBitmap(); }
    // What the preview says about a selected entry it cannot show.
    const std::string& PreviewFailure() const { return preview_->FailureText(); }

    // What tests and benchmarks read and press: the controls, the timers,
    // the menu and the rotation's state.
    struct TestView {
        TFlatPanel* header;
        THeaderToolButton* closeButton;
        THeaderToolButton* toTrayButton;
        TFlatPanel* actionsPanel;
        TFlatPanel* actionsHeader;
        TFlatButton* addButton;
        TFlatButton* deleteButton;
        TFlatButton* applyButton;
        TFlatButton* newListButton;
        TFlatButton* saveListButton;
        TFlatButton* loadListButton;
        TFlatButton* aboutButton;
        TFlatButton* exitButton;
        TLabel* clockLabel;
        TFlatPanel* previewPanel;
        TImage* previewImage;
        TFlatPanel* nameListPanel;
        TListBox* nameList;
        TFlatPanel* totalPanel;
        TLabel* totalLabel;
        TFlatPanel* optionsPanel;
        TLabel* sizeLabel;
        TLabel* nameLabel;
        TLabel* pathLabel;
        TCheckBox* startWithWindowsBox;
        TCheckBox* startMinimizedBox;
        TCheckBox* startAutoRunBox;
        TComboBox* styleBox;
        TSpinEdit* intervalEdit;
        TCheckBox* randomBox;
        TFlatButton* startStopButton;
        TListModel& listModel;
        TTimer* autoChangeTimer;
        TTimer* clockTimer;
        TTimer* trayIconRetryTimer;
        TPopupMenu* trayMenu;
        TMenuItem* restoreMenuItem;
        TMenuItem* changeWallpaperMenuItem;
        TMenuItem* aboutMenuItem;
        TMenuItem* exitMenuItem;
        TMenuItem* nextMenuItem;
        TMenuItem* previousMenuItem;
        TMenuItem* pauseMenuItem;
        TMenuItem* optionsMenuItem;
        bool& autoChangeRunning;
        int32_t& rotationPosition;
        int32_t& currentIndex;
    };
    TestView Test();

    // --- Handlers ---
    void onHeaderMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void onHeaderPaint(TObject* sender, RECT rect, TCanvas& canvas, TFont& font);
    void onClockTimer(TObject* sender);
    void onAddClick(TObject* sender);
    void onDeleteClick(TObject* sender);
    void onNewListClick(TObject* sender);
    void onNameListClick(TObject* sender);
    void onNameListDoubleClick(TObject* sender);
    void onApplyClick(TObject* sender);
    void onStyleChange(TObject* sender);
    void onChangeWallpaperClick(TObject* sender);
    void onSaveListClick(TObject* sender);
    void onLoadListClick(TObject* sender);
    void onStartStopClick(TObject* sender);
    // "Start With Windows" ticked or cleared: takes effect at once.
    void onStartWithWindowsClick(TObject* sender);
    void onAutoChangeTimer(TObject* sender);
    void onCloseClick(TObject* sender);
    void onToTrayClick(TObject* sender);
    void onExitClick(TObject* sender);
    void onAboutClick(TObject* sender);
    void onCloseRequest(TObject* sender, TCloseAction& action);
    // Delete removes the selected entry (as "-"), Enter applies it.
    void onNameListKeyDown(TObject* sender, WORD& key, TShiftState shift);
    void onFilesDropped(TObject* sender, const std::vector<std::string>& paths);

    // The name list's menu and the last list's saving as it is edited.
    TNameListMenu& NameListMenu() { return *nameListMenu_; }
    TLastListAutosave& LastListAutosave() { return *lastListAutosave_; }
    void onPauseClick(TObject* sender);
    void onTrayMenuPopup(TObject* sender);
    void onOptionsClick(TObject* sender);

    // Stores the options the options box shows and registers the hotkeys;
    // a combination another program holds is told in one message, and the
    // others still work.
    void ChangeOptions(const TOptionValues& values);
    // The same with the stored options but for the hotkeys' `options`.
    void ChangeHotkeys(const THotkeyOptions& options);
    // The options box; made at its first use.
    TOptionsForm& OptionsForm();

    // --- Rotation ---
    // The next picture of the rotation (forward through the history after
    // Previous), applied in the chosen style; while automatic change runs,
    // its interval starts again from this change.
    void NextWallpaper();
    // The picture shown before the current one; nothing at the oldest.
    void PreviousWallpaper();
    // Pause keeps automatic change running without ticks; Resume lets them
    // come again, the next when the interval since the last change ends.
    void PauseAutoChange();
    void ResumeAutoChange();
    bool AutoChangePaused() const { return autoChange_->Paused(); }
    // Why the change that is due waits; None while none does.
    TChangeWait AutoChangeWaiting() const { return autoChange_->Waiting(); }
    // The program's commands (CommandTable.h), and their switches.
    static std::span<const TCommandRow> Commands();
    static TSwitches CommandSwitches();
    // The commands of a command line, this start's or one a later start
    // handed over; each one's error is reported and the next goes on.
    void CarryOut(const std::vector<TCommand>& commands);
    // Queues commands to be carried out from the message loop, once the
    // start is complete and no box or dialog of the program is open.
    void HandOverCommands(const std::vector<TCommand>& commands);
    // The wall-clock time of the last change; nothing before the first.
    std::optional<int64_t> LastChange() const { return lastChange_; }

    // --- Operations ---
    // Adds the pictures of files and folders as "+" adds them (see
    // lists/PictureGathering.h); a folder's tree is read without holding up
    // the window (see lists/BackgroundAdd.h). Refused, and told why, while
    // automatic change runs.
    void AddFilesAndFolders(const std::vector<std::string>& items, TAddOrigin origin = TAddOrigin::User)
    {
        backgroundAdd_->Add(items, origin);
    }
    // Adds the pictures of the folders and keeps the list in step with them
    // (see lists/FolderFollower.h); files among `items` are added as "+"
    // adds them. Refused, and told why, while automatic change runs.
    void FollowFolders(const std::vector<std::string>& items, TAddOrigin origin = TAddOrigin::User);
    TFolderFollower& FolderFollower() { return *folderFollower_; }
    // Drops and /add: followed or added once, as the folder dialog's box
    // was last left ("followfolders").
    void AddOrFollow(const std::vector<std::string>& items, TAddOrigin origin);
    static constexpr const char* FollowCheckBoxText = "Keep the list in step with this folder";
    // Whether a folder scan runs; Escape in the window and the tray menu's
    // "Cancel Scan" stop it.
    bool Scanning() const { return backgroundAdd_->Scanning(); }
    void CancelScan() { backgroundAdd_->Cancel(); }
    TBackgroundAdd& BackgroundAdd() { return *backgroundAdd_; }
    TMenuItem& CancelScanMenuItem() { return *cancelScanMenuItem; }
    void ShowSelectedImage() { imageList_->ShowSelectedImage(); }
    void ApplySelectedWallpaper();
    // The same as the user's own act (Apply, the double click, Enter in the
    // list): the rotation then goes on from the pictures applied.
    void ApplySelectedByHand();
    // Every change of the wallpaper is drawn on a worker thread (see
    // wallpaper/BackgroundChange.h) and finished when its message comes:
    // whether one is still to finish (tests wait for it).
    bool ChangeBusy() const { return backgroundChange_->Busy(); }
    // A picture clicked, chosen by key, added or shown at the start is read
    // on a worker thread too, and shown when its message comes: whether one
    // is still to show (tests wait for it).
    bool PreviewBusy() const { return previewReading_->Busy(); }
    // Posted by the preview's worker (see TBackgroundChange).
    static constexpr UINT PreviewReadMessage = WM_APP + 5;
    // Draws the current wallpaper again for the monitors as they are now,
    // if the desktop still shows it.
    void RedrawWallpaper();
    // The monitors changed (a resolution, docking, a remote session, a
    // monitor waking): the redraw waits until the changes have settled, so
    // a burst of them makes one.
    void DisplayChanged();
    static constexpr unsigned DisplaySettleMs = 1000;
    // The one-shot wait after the last change (tests tick it).
    TTimer& DisplayChangeTimer() { return *displayChangeTimer_; }
    void LoadLastList() { listFiles_->LoadLastList(); }
    void SaveLastList() { listFiles_->SaveLastList(); }
    // The same at exit: an error names the file, the cause and the remedy.
    void SaveLastListNamingTheFile();
    void ToggleAutoChange() { autoChange_->Toggle(); }
    void UpdateTimerInterval() { autoChange_->UpdateTimerInterval(); }
    // On a first run, the settings key with its default values, and an
    // installed copy starts with Windows from then on.
    void EnsureDefaultSettings();
    // Puts the icon into the notification area and hides the window.
    void AddTrayIcon();
    // Asks the shell for the icon; while it refuses, asks again every few
    // seconds for about a minute, then shows the window, so the program is
    // never left without both.
    void PutIconInTray();
    // The window class only the main window has: a second start and the
    // installer find the running copy by it.
    static constexpr const char* MainWindowClassName = "TessivoMainWindow";
    static constexpr unsigned TrayIconRetryMs = 3000;
    static constexpr int TrayIconRetries = 20;
    // The settings step of the exit: the options and the autostart entry.
    void WriteSettings();
    const NOTIFYICONDATAW& TrayIconData() const { return trayIcon_->Data(); }
    // Keeps the list for the next run, stores the options, removes the icon
    // and ends the program. When a step fails, its error is shown and the
    // user is asked whether to end anyway (No keeps the program running).
    void ShutDownProgram();
    static constexpr const char* ListNotSavedQuestion = "The list could not be saved. End Tessivo anyway?";
    // The question "New list" asks before it empties a list of `count`
    // pictures.
    static std::string NewListQuestion(int count);
    static constexpr const char* OptionsNotSavedQuestion =
        "The options could not be saved. End Tessivo anyway?";
    // Shows the window and brings it to the front; the icon stays.
    void RestoreFromTray();
    // The same, and makes it the foreground window (a second start of the
    // program asks for this).
    void BringToFront();
    // Windows is ending the session: keep the list, store the options, drop
    // the icon, without any dialog.
    void EndSession();
    // Reports an error of an automatic change as a balloon from the tray
    // icon naming the file, so the rotation goes on unattended; false
    // without the icon to show it from.
    bool ReportUnattendedError(const std::string& file, const std::exception& error);
    // The taskbar button's window, which owns the main window.
    HWND TaskbarWindow() const { return taskbarButton_->Handle(); }

    void SetVisible(bool visible) override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    // The window also takes a later start's hand-over and the new taskbar's
    // message when this copy runs as administrator and they come from an
    // ordinary program; its system menu keeps Move, Minimize (to the tray)
    // and Close.
    void CreateWnd() override;
    // At a new DPI: the button glyphs drawn at it, the preview drawn again
    // at its box's new size, the tray icon at the shell's size.
    void DpiChanged() override;

private:
    // The start, in three steps: the controls from the layout table, the
    // handlers, then the start sequence.
    void BuildControls();
    void CreateComponents();
    void BindControls();
    void StyleControls();
    void DrawButtonGlyphs();
    // The program's icon at the notification area's size for the window's
    // DPI, loaded when that size changes.
    HICON TrayIconImage();
    void WireHandlers();
    void WireKeyboard();
    void WireAccessibility();
    // The preview's name, size, path and the list's total, as one text.
    std::string PreviewDescription() const;
    // Leaves Move, Minimize (to the tray) and Close in the system menu.
    void TrimSystemMenu();
    // Escape hides the window to the tray, as does Minimize in the system
    // menu: true when `message` was one of them.
    bool HandleKeyboardMessage(TMessage& message);
    void RunStartSequence();
    void RemoveStaleFiles();
    void CreateSubsystems();
    TWallpaperSystem WallpaperSystem();
    // The stored options into the controls, the window shown unless they
    // keep it in the tray; true when automatic change is to start.
    bool ReadSettings(const TOptionValues& stored);
    void CreateTrayMenu();
    // Drops, the name list's menu and the last list's saving as it is edited.
    void CreateListActions();
    void AddFolder();
    // Runs `run` (which runs `dialog`) with the dialog opening in the folder
    // last chosen for this kind of file, and keeps the folder chosen now.
    void InDialogFolder(IFileDialog& dialog, TDialogFolderKind kind, const std::function<void()>& run);
    // "Remove Missing Files": the entries whose files are gone.
    void RemoveMissingFiles();
    // A scan's end and Escape during a scan: true when `message` was one.
    bool HandleScanMessage(TMessage& message);
    // The path of the entry whose row is highlighted; raises when none is.
    std::string SelectedPath();
    bool HasSelectedEntry();
    bool StepDoneOrEndAnyway(const std::function<void()>& step, const std::string& question);
    void RetryTrayIcon();
    void StopTrayIconRetries();
    void CreateTrayIcon();
    // Who asked for a change, which decides how its error is told: the
    // user's own act in a box, a tick of the rotation in a balloon, a
    // redraw after a display change once.
    enum class TChangeOrigin { User, Rotation, Redraw };
    struct TChangeRequest {
        TChangeOrigin Origin = TChangeOrigin::User;
        // The picture applied first (the selected or the rotation's
        // entry), then the other monitors'.
        std::vector<std::string> Paths;
        int StyleIndex = -1;
        // How many of the pictures the rotation walked to in its history.
        size_t FromHistory = 0;
        // Kept in the history and the tray's tip once shown (not a redraw).
        bool NoteShown = true;
        // "Apply" goes grey once the change is asked for and again once
        // its preview shows (not for the tray's "Change Wallpaper").
        bool GreyApply = true;
        // The entry whose preview is read with the change (a JPEG decoded
        // once for both its preview and the wallpaper); -1 for none. Its
        // number among the preview's requests (see TPreview::NewRequest).
        int PreviewIndex = -1;
        uint64_t PreviewRequest = 0;
    };
    struct TDrawnChange;
    // What the worker needs to read a change's preview: the picture, the
    // desktop it is laid out on, and where entries' files are read.
    struct TPreviewRead {
        std::string Path;
        TPreviewFrame Frame;
        IEntryFiles* Files = nullptr;
    };
    // On the worker: the preview (when it has a path), then the plan's
    // bitmap, then, unless a newer change came, the desktop values and the
    // wallpaper call (which waits for every window to take the change).
    static void DrawChange(const TWallpaperPlan& plan, const TPreviewRead& preview,
                           const TWallpaperSystem& system, TDrawnChange& drawn, TDrawing& drawing);
    // The desktop the preview shows: the monitors, their colour and the
    // style chosen.
    TPreviewFrame PreviewDesktop();
    // The preview drawn again for the style and desktop as they are now.
    void RelayoutPreview();
    // The entry at currentIndex, previewed and applied (Next, Previous and
    // the rotation's tick).
    void ChangeToCurrent(TChangeOrigin origin);
    // Plans the change here, draws it on the worker, and finishes it here
    // (see FinishChange) unless a newer change came meanwhile.
    void RequestChange(TChangeRequest request);
    void FinishChange(const TChangeRequest& request, const TWallpaperPlan& plan, TDrawnChange& drawn,
                      std::exception_ptr error);
    // The preview decoded with the change, or why it could not be.
    void ShowChangePreview(const TChangeRequest& request, TDrawnChange& drawn);
    void ReportChangeError(const TChangeRequest& request, std::exception_ptr error);
    // A drawing's end: true when `message` was one.
    bool HandleChangeMessage(TMessage& message);
    // The entry at `index` is still `path` (the list may change while a
    // change is drawn).
    bool EntryStillAt(int index, const std::string& path) const;
    // The folder the wallpaper bitmap is written to; empty when there is none.
    std::string WallpaperFolder();
    void ChangeTo(int32_t index);
    // After every wallpaper put on the desktop: the history (of `path` and
    // `others`, but for the first `fromHistory`, which it holds already),
    // the time of the change and the tray tip.
    void NoteShown(const std::string& path, const std::vector<std::string>& others, size_t fromHistory = 0);
    // How many pictures a change puts on the desktop now (one per monitor
    // when each has its own picture and the style allows it).
    size_t PicturesPerChange(int styleIndex);
    // The rotation's next pictures, kept for the apply that follows; the
    // first one's index, -1 for none.
    int32_t ChooseNextPictures();
    int32_t TakePictures(std::vector<int32_t> group, size_t fromHistory);
    // The selected entry's path; none when no entry is selected.
    std::optional<std::string> SelectedEntry() const;
    // The other monitors' pictures: those chosen by the rotation, else the
    // list's entries after the selected one.
    std::vector<std::string> OtherMonitorPaths(int styleIndex);
    // The selected entry (and the ones after it, one for each other
    // monitor) was put on the desktop by hand in the style `styleIndex`:
    // the rotation goes on from them.
    void RotationFollowsSelected(int styleIndex);
    void RestoreRotation(const TOptionValues& stored);
    // The rotation's state into `values`.
    void TakeRotation(TOptionValues& values);
    void WriteRotation();
    void StartAutoChangeAtLaunch();
    // The apply of an automatic start, once the preview has read the
    // selected entry: only a picture it could show is applied.
    void ApplyAtLaunchOnceRead();
    unsigned IntervalMs() const;
    unsigned WaitSinceLastChange() const;
    void ResumeAfterSleep();
    // Why a change of the rotation that is due has to wait now: the
    // options, and the machine's state where they make it matter.
    TChangeWait WhyChangeWaits();
    // The tip names the picture on the desktop and, while the rotation is
    // paused or a change waits, says so.
    void UpdateTrayTip();
    // The one queue for what comes from outside (a later start's commands,
    // the hotkeys): carried out in order from the message loop, never inside
    // a box or dialog of the program, nor before the start is complete.
    void QueueCommand(std::function<void()> command);
    void ScheduleCommands();
    void RunPendingCommands();
    void RegisterHotkeys(const THotkeyOptions& options);
    void HotkeyPressed(int id);
    // Posted to itself: carry out the commands a later start handed over.
    static constexpr UINT RunCommandsMessage = WM_APP + 1;

    // --- Messages: the window procedure dispatches each to one of these ---
    // The icon's events (TrayCallbackMessage, the shell's version 4
    // protocol): selecting it by mouse or keyboard shows the window, its
    // context menu opens the tray menu at the point the shell gives.
    void OnTrayCallback(UINT event, POINT at);
    // A command message from a later start: checked, then carried out from
    // the message loop (the sender waits only for the check).
    bool OnCopyData(const COPYDATASTRUCT& data);
    // A later start without commands asks for the window.
    void OnShowRequest();
    // Explorer started again: its new taskbar gets the icon.
    void OnTaskbarCreated();
    void OnHotkey(int id);
    void OnDisplayChange();
    // Windows woke from sleep.
    void OnPowerResume();
    // The machine went on battery or back on mains power.
    void OnPowerStatusChange();

    TFlatPanel* header = nullptr;
    THeaderToolButton* closeButton = nullptr;
    THeaderToolButton* toTrayButton = nullptr;
    TFlatPanel* actionsPanel = nullptr;
    TFlatPanel* actionsHeader = nullptr;
    TFlatButton* addButton = nullptr;
    TFlatButton* deleteButton = nullptr;
    TFlatButton* applyButton = nullptr;
    TFlatButton* newListButton = nullptr;
    TFlatButton* saveListButton = nullptr;
    TFlatButton* loadListButton = nullptr;
    TFlatButton* aboutButton = nullptr;
    TFlatButton* exitButton = nullptr;
    TLabel* clockLabel = nullptr;
    TFlatPanel* previewPanel = nullptr;
    TImage* previewImage = nullptr;
    TFlatPanel* nameListPanel = nullptr;
    TListBox* nameList = nullptr;
    TFlatPanel* totalPanel = nullptr;
    TLabel* totalLabel = nullptr;
    TFlatPanel* optionsPanel = nullptr;
    TLabel* sizeLabel = nullptr;
    TLabel* nameLabel = nullptr;
    TLabel* pathLabel = nullptr;
    TCheckBox* startWithWindowsBox = nullptr;
    TCheckBox* startMinimizedBox = nullptr;
    TCheckBox* startAutoRunBox = nullptr;
    TComboBox* styleBox = nullptr;
    TSpinEdit* intervalEdit = nullptr;
    TCheckBox* randomBox = nullptr;
    TFlatButton* startStopButton = nullptr;

    IOpenPictureDialog* addPicturesDialog = nullptr;
    IFileDialog* saveListDialog = nullptr;
    IFileDialog* loadListDialog = nullptr;
    // The folder dialog of "Add Folder…" when the services bring none.
    TFolderDialog* addFolderDialog_ = nullptr;
    TTimer* autoChangeTimer = nullptr;
    TTimer* clockTimer = nullptr;
    // The retries of a refused icon add.
    TTimer* trayIconRetryTimer = nullptr;
    TStyleManager* styleManager = nullptr;
    TPopupMenu* trayMenu = nullptr;
    TMenuItem* restoreMenuItem = nullptr;
    TMenuItem* changeWallpaperMenuItem = nullptr;
    TMenuItem* aboutMenuItem = nullptr;
    TMenuItem* exitMenuItem = nullptr;
    TMenuItem* nextMenuItem = nullptr;
    TMenuItem* previousMenuItem = nullptr;
    TMenuItem* pauseMenuItem = nullptr;
    TMenuItem* optionsMenuItem = nullptr;
    TMenuItem* cancelScanMenuItem = nullptr;

    bool autoChangeRunning = false;
    int32_t rotationPosition = 0;
    int32_t currentIndex = 0;

    PlatformServices services_;
    // The pictures' paths and the selected entry; the name list shows it.
    TListModel listModel_;
    TAboutForm* aboutForm_ = nullptr;
    std::function<TAboutForm*()> makeAboutForm_;
    std::unique_ptr<TTaskbarButton> taskbarButton_;
    TSystemEntryFiles systemEntryFiles_;
    TSystemMachineState systemMachineState_;
    std::unique_ptr<TPreview> preview_;
    std::unique_ptr<TImageList> imageList_;
    std::unique_ptr<TListFiles> listFiles_;
    std::unique_ptr<TAutoChange> autoChange_;
    std::unique_ptr<TRotation> rotation_;
    std::optional<int64_t> lastChange_;
    // The file name of the picture last put on the desktop, for the tip.
    std::string shownName_;
    std::vector<std::function<void()>> pendingCommands_;
    bool runningCommands_ = false;
    bool started_ = false;
    bool showRequested_ = false;
    std::unique_ptr<IHotkeys> ownHotkeys_;
    std::unique_ptr<TGlobalHotkeys> hotkeys_;
    std::unique_ptr<TOptionsForm> optionsForm_;
    std::unique_ptr<TTrayIcon> trayIcon_;
    TSizedProgramIcon trayIconImage_;
    std::unique_ptr<TNameListMenu> nameListMenu_;
    std::unique_ptr<TLastListAutosave> lastListAutosave_;
    // The deck and the last list's saving follow every edit.
    TListSubscription editsFollowed_;
    std::unique_ptr<TBackgroundAdd> backgroundAdd_;
    std::unique_ptr<TFolderFollower> folderFollower_;
    int trayIconRetriesLeft_ = 0;
    // The other monitors' pictures the rotation chose, until their apply,
    // and how many of the change's pictures it walked to in its history.
    std::optional<std::vector<int32_t>> chosenOtherMonitors_;
    size_t chosenFromHistory_ = 0;
    // What was applied last, drawn again when the monitors change.
    TCurrentWallpaper currentWallpaper_;
    // A redraw that failed was reported; the next ones that fail are not.
    bool redrawFailureReported_ = false;
    // An automatic start waits for the preview's read to apply its entry;
    // any change asked for meanwhile makes it needless.
    bool applyAtLaunchPending_ = false;
    TTimer* displayChangeTimer_ = nullptr;
    // Last: made after the controls its changes finish on, and gone (its
    // thread waited for) before them.
    std::unique_ptr<TBackgroundChange> backgroundChange_;
    std::unique_ptr<TBackgroundChange> previewReading_;
};
