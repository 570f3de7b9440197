// The main window's states: shown, or hidden in the notification area with
// its icon; the icon's events, the tray menu and the taskbar's restarts.

#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "core/Exceptions.h"
#include "framework/Application.h"
#include "platform/MessageFilter.h"
#include "platform/ProgramIcon.h"
#include "platform/SingleInstance.h"

#include <windowsx.h>

namespace {

// What the tip says of the rotation: nothing while it changes as planned.
std::string RotationStateText(bool paused, TChangeWait waiting)
{
    if (paused)
        return "paused";
    switch (waiting) {
    case TChangeWait::FullScreen:
        return "waiting for the full-screen program to end";
    case TChangeWait::MainsPower:
        return "waiting for mains power";
    case TChangeWait::None:
        break;
    }
    return {};
}

// The message a new taskbar broadcasts after Explorer starts again.
UINT TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

} // namespace

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
    // A system menu for Alt+Space; without a title bar nothing of it shows.
    params.Style |= WS_SYSMENU | WS_MINIMIZEBOX;
    params.ExactClassName = true;
}

void TMainForm::CreateWnd()
{
    TForm::CreateWnd();
    TrimSystemMenu();
    // Made again when the window is rebuilt: the filter is the window's. The
    // icon's events come from the shell, which runs with the user's rights.
    for (const UINT message : {static_cast<UINT>(WM_COPYDATA), ShowRunningCopyMessage(),
                               TaskbarCreatedMessage(), TrayCallbackMessage})
        if (services_.AllowMessageFromLowerRights)
            services_.AllowMessageFromLowerRights(Handle(), message);
        else
            ::AllowMessageFromLowerRights(Handle(), message);
}

void TMainForm::AddTrayIcon()
{
    PutIconInTray();
    Hide();
}

void TMainForm::PutIconInTray()
{
    if (trayIcon_->Add(Handle(), TrayIconImage())) {
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
    if (trayIcon_->Add(Handle(), TrayIconImage())) {
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

void TMainForm::UpdateTrayTip()
{
    trayIcon_->SetTip(
        TrayTip(Application->Title, RotationStateText(AutoChangePaused(), AutoChangeWaiting()), shownName_));
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

void TMainForm::onAboutClick(TObject*)
{
    if (!aboutForm_ && makeAboutForm_)
        aboutForm_ = makeAboutForm_();
    if (aboutForm_)
        aboutForm_->ShowModal();
}

void TMainForm::WndProc(TMessage& message)
{
    // Registered messages: their numbers are known only at run time.
    if (message.Msg == TaskbarCreatedMessage())
        return OnTaskbarCreated();
    if (message.Msg == ShowRunningCopyMessage())
        return OnShowRequest();
    switch (message.Msg) {
    case TrayCallbackMessage:
        return OnTrayCallback(LOWORD(message.LParam),
                              {GET_X_LPARAM(message.WParam), GET_Y_LPARAM(message.WParam)});
    case RunCommandsMessage:
        return RunPendingCommands();
    case WM_COPYDATA:
        message.Result =
            message.LParam && OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(message.LParam));
        return;
    case WM_HOTKEY:
        return OnHotkey(static_cast<int>(message.WParam));
    case WM_POWERBROADCAST:
        if (message.WParam == PBT_APMRESUMEAUTOMATIC || message.WParam == PBT_APMRESUMESUSPEND)
            OnPowerResume();
        else if (message.WParam == PBT_APMPOWERSTATUSCHANGE)
            OnPowerStatusChange();
        message.Result = TRUE;
        return;
    case WM_DISPLAYCHANGE:
        OnDisplayChange();
        break;
    case WM_QUERYENDSESSION:
        message.Result = TRUE;
        return;
    case WM_ENDSESSION:
        if (message.WParam)
            EndSession();
        return;
    default:
        break;
    }
    // A scan's messages before the keyboard's: Escape during a scan stops
    // the scan, and only a later one hides the window.
    if (HandleScanMessage(message) || HandleChangeMessage(message) || HandleKeyboardMessage(message))
        return;
    TForm::WndProc(message);
}

void TMainForm::OnTrayCallback(UINT event, POINT at)
{
    switch (event) {
    case NIN_SELECT:
    case NIN_KEYSELECT:
        RestoreFromTray();
        break;
    case WM_CONTEXTMENU:
        // Where the shell says: at the icon, also when the menu was asked
        // for from the keyboard.
        trayMenu->Popup(at.x, at.y);
        break;
    default:
        break;
    }
}

void TMainForm::OnTaskbarCreated()
{
    // A new taskbar knows nothing of the icon: register it again, and leave
    // the window as it is.
    PutIconInTray();
}

void TMainForm::OnShowRequest()
{
    // A second start of the program hands over to this one.
    if (started_)
        BringToFront();
    else
        showRequested_ = true;
}

void TMainForm::OnHotkey(int id)
{
    QueueCommand([this, id] { HotkeyPressed(id); });
}

void TMainForm::OnDisplayChange()
{
    // The drawn wallpaper has the old desktop's size: draw it anew once the
    // monitors have settled.
    Application->Guarded([this] { DisplayChanged(); });
}
