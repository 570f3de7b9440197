// The main window's states: shown, or hidden in the notification area with
// its icon; the icon's events, the tray menu and the taskbar's restarts.

#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "core/Exceptions.h"
#include "framework/Application.h"
#include "platform/ProgramIcon.h"
#include "platform/SingleInstance.h"

namespace {

// The message a new taskbar broadcasts after Explorer starts again.
UINT TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

TMenuItem* MenuItem(TPopupMenu* menu, TComponent* owner, const char* name, const char* caption,
                    TNotifyEvent onClick)
{
    auto* item = new TMenuItem(owner);
    item->Name = name;
    item->SetCaption(caption);
    item->OnClick = std::move(onClick);
    menu->Add(item);
    return item;
}

} // namespace

void TMainForm::CreateTrayMenu()
{
    trayMenu = new TPopupMenu(this);
    trayMenu->Name = "trayMenu";
    // The rotation's items first, above the items the menu always had,
    // which keep their places at its foot.
    nextMenuItem =
        MenuItem(trayMenu, this, "nextMenuItem", "Next Wallpaper", [this](TObject* s) { onNextClick(s); });
    previousMenuItem = MenuItem(trayMenu, this, "previousMenuItem", "Previous Wallpaper",
                                [this](TObject* s) { onPreviousClick(s); });
    pauseMenuItem =
        MenuItem(trayMenu, this, "pauseMenuItem", "Pause", [this](TObject* s) { onPauseClick(s); });
    pauseMenuItem->SetVisible(false);
    cancelScanMenuItem =
        MenuItem(trayMenu, this, "cancelScanMenuItem", "Cancel Scan", [this](TObject*) { CancelScan(); });
    cancelScanMenuItem->SetVisible(false);
    optionsMenuItem = MenuItem(trayMenu, this, "optionsMenuItem", "Options\u2026",
                               [this](TObject* s) { onOptionsClick(s); });
    trayMenu->OnPopup = [this](TObject* s) { onTrayMenuPopup(s); };
    MenuItem(trayMenu, this, "", "-", nullptr);
    restoreMenuItem = MenuItem(trayMenu, this, "restoreMenuItem", "Restore Form",
                               [this](TObject* s) { onRestoreClick(s); });
    changeWallpaperMenuItem = MenuItem(trayMenu, this, "changeWallpaperMenuItem", "Change Wallpaper",
                                       [this](TObject* s) { onChangeWallpaperClick(s); });
    MenuItem(trayMenu, this, "", "-", nullptr);
    aboutMenuItem =
        MenuItem(trayMenu, this, "aboutMenuItem", "About", [this](TObject* s) { onAboutClick(s); });
    MenuItem(trayMenu, this, "", "-", nullptr);
    exitMenuItem = MenuItem(trayMenu, this, "exitMenuItem", "Exit", [this](TObject* s) { onExitClick(s); });
}

void TMainForm::CreateTrayIcon()
{
    trayIcon_ = std::make_unique<TTrayIcon>(*services_.NotifyIcon);
    trayIconRetryTimer = new TTimer(this);
    trayIconRetryTimer->SetEnabled(false);
    trayIconRetryTimer->SetInterval(TrayIconRetryMs);
}

void TMainForm::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    // Owned by the taskbar button, so the window has no button of its own.
    if (taskbarButton_)
        params.WndParent = taskbarButton_->Handle();
    params.WinClassName = MainWindowClassName;
    params.ExactClassName = true;
}

void TMainForm::AddTrayIcon()
{
    PutIconInTray();
    Hide();
}

void TMainForm::PutIconInTray()
{
    if (trayIcon_->Add(Handle(), LoadSmallProgramIcon())) {
        StopTrayIconRetries();
        return;
    }
    // Explorer may still be starting (at logon an add can fail or time
    // out): ask again a little later rather than lose the icon.
    if (!trayIconRetryTimer->Enabled()) {
        trayIconRetriesLeft_ = TrayIconRetries;
        trayIconRetryTimer->SetEnabled(true);
    }
}

void TMainForm::RetryTrayIcon()
{
    if (trayIcon_->Add(Handle(), LoadSmallProgramIcon())) {
        StopTrayIconRetries();
        return;
    }
    if (--trayIconRetriesLeft_ > 0)
        return;
    // No icon to reach the program by: the window stays instead.
    StopTrayIconRetries();
    RestoreFromTray();
}

void TMainForm::StopTrayIconRetries()
{
    if (trayIconRetryTimer)
        trayIconRetryTimer->SetEnabled(false);
}

void TMainForm::RestoreFromTray()
{
    Show();
}

void TMainForm::BringToFront()
{
    RestoreFromTray();
    SetForegroundWindow(Handle());
}

bool TMainForm::ReportUnattendedError(const std::string& file, const std::exception& error)
{
    // The file first: the balloon's text is short, and the reason alone may
    // not say which picture of the list failed.
    return trayIcon_->ShowErrorBalloon(Application->Title, WithFullStop(FileAndReason(file, error.what())));
}

void TMainForm::SetVisible(bool visible)
{
    TForm::SetVisible(visible);
    if (taskbarButton_)
        taskbarButton_->SetShown(visible);
    // Nobody sees the clock of a hidden window: it stops, and shows the
    // right time the moment the window is back.
    if (clockTimer) {
        clockTimer->SetEnabled(visible);
        if (visible)
            onClockTimer(clockTimer);
    }
}

void TMainForm::onToTrayClick(TObject*)
{
    AddTrayIcon();
}

void TMainForm::onRestoreClick(TObject*)
{
    RestoreFromTray();
}

void TMainForm::onAboutClick(TObject*)
{
    if (aboutForm_)
        aboutForm_->ShowModal();
}

void TMainForm::onMouseMove(TObject*, TShiftState, int x, int)
{
    // The icon's events arrive as mouse moves with the mouse message in X:
    // 514 is the left button released over the icon.
    if (x == WM_LBUTTONUP)
        RestoreFromTray();
}

void TMainForm::TrayIconMessage(TMessage& message)
{
    switch (message.LParam) {
    case WM_LBUTTONDBLCLK:
        RestoreFromTray();
        break;
    case WM_RBUTTONDOWN:
        OpenTrayMenu();
        break;
    default:
        break;
    }
}

void TMainForm::OpenTrayMenu()
{
    POINT cursor{};
    GetCursorPos(&cursor);
    trayMenu->Popup(cursor.x, cursor.y);
}

bool TMainForm::HandleCommandMessage(TMessage& message)
{
    if (message.Msg == ShowRunningCopyMessage()) {
        // A second start of the program hands over to this one.
        if (started_)
            BringToFront();
        else
            showRequested_ = true;
        return true;
    }
    if (message.Msg == WM_COPYDATA) {
        message.Result = ReceiveCommands(message.LParam) ? TRUE : FALSE;
        return true;
    }
    if (message.Msg == WM_HOTKEY) {
        Application->Guarded([this, &message] { HotkeyPressed(message.WParam); });
        return true;
    }
    if (message.Msg == RunCommandsMessage) {
        RunPendingCommands();
        return true;
    }
    return false;
}

void TMainForm::WndProc(TMessage& message)
{
    if (message.Msg == WM_USER) {
        TrayIconMessage(message);
        return;
    }
    if (message.Msg == TaskbarCreatedMessage()) {
        // A new taskbar knows nothing of the icon: register it again, and
        // leave the window as it is.
        PutIconInTray();
        return;
    }
    if (HandleCommandMessage(message) || HandleScanMessage(message))
        return;
    if (message.Msg == WM_POWERBROADCAST) {
        if (message.WParam == PBT_APMRESUMEAUTOMATIC || message.WParam == PBT_APMRESUMESUSPEND)
            Application->Guarded([this] { ResumeAfterSleep(); });
        message.Result = TRUE;
        return;
    }
    if (message.Msg == WM_DISPLAYCHANGE) {
        // The drawn wallpaper has the old desktop's size: draw it anew.
        Application->Guarded([this] { RedrawWallpaper(); });
        TForm::WndProc(message);
        return;
    }
    if (message.Msg == WM_QUERYENDSESSION) {
        message.Result = TRUE;
        return;
    }
    if (message.Msg == WM_ENDSESSION) {
        if (message.WParam)
            EndSession();
        return;
    }
    // A right-button release over the icon (identifier 0) opens the menu, as
    // users expect of a tray icon; the mouse-move rule then sees it as well.
    const bool iconEvent =
        message.Msg == TrayCallbackMessage && message.WParam == 0 && HIWORD(message.LParam) == 0;
    TForm::WndProc(message);
    if (iconEvent && LOWORD(message.LParam) == WM_RBUTTONUP)
        OpenTrayMenu();
}
