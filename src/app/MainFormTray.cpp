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

void TMainForm::TrayIconMessage(TMessage& message)
{
    switch (LOWORD(message.LParam)) {
    case NIN_SELECT:
    case NIN_KEYSELECT:
        RestoreFromTray();
        break;
    case WM_CONTEXTMENU:
        // Where the shell says: at the icon, also when the menu was asked
        // for from the keyboard.
        trayMenu->Popup(GET_X_LPARAM(message.WParam), GET_Y_LPARAM(message.WParam));
        break;
    default:
        break;
    }
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
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(message.LParam);
        message.Result = data && ReceiveCommands(*data) ? TRUE : FALSE;
        return true;
    }
    if (message.Msg == WM_HOTKEY) {
        QueueCommand([this, id = static_cast<int>(message.WParam)] { HotkeyPressed(id); });
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
    if (message.Msg == TrayCallbackMessage) {
        TrayIconMessage(message);
        return;
    }
    if (message.Msg == TaskbarCreatedMessage()) {
        // A new taskbar knows nothing of the icon: register it again, and
        // leave the window as it is.
        PutIconInTray();
        return;
    }
    // A scan's messages before the keyboard's: Escape during a scan stops
    // the scan, and only a later one hides the window.
    if (HandleCommandMessage(message) || HandleScanMessage(message) || HandleKeyboardMessage(message))
        return;
    if (message.Msg == WM_POWERBROADCAST) {
        if (message.WParam == PBT_APMRESUMEAUTOMATIC || message.WParam == PBT_APMRESUMESUSPEND)
            Application->Guarded([this] { ResumeAfterSleep(); });
        message.Result = TRUE;
        return;
    }
    if (message.Msg == WM_DISPLAYCHANGE) {
        // The drawn wallpaper has the old desktop's size: draw it anew once
        // the monitors have settled.
        Application->Guarded([this] { DisplayChanged(); });
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
    TForm::WndProc(message);
}
