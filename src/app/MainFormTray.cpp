// The main window's states: shown, or hidden in the notification area with
// its icon; the icon's events, the tray menu and the taskbar's restarts.

#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "core/Exceptions.h"
#include "framework/Application.h"
#include "platform/SingleInstance.h"

namespace {

// The message a new taskbar broadcasts after Explorer starts again.
UINT TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

HICON TrayIconImage()
{
    return LoadNotificationIcon(Application->Instance(), 1);
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

void TForm1::CreateTrayMenu()
{
    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->Name = "PopupMenu1";
    RestoreForm1 = MenuItem(PopupMenu1, this, "RestoreForm1", "Restore Form",
                            [this](TObject* s) { RestoreForm1Click(s); });
    ChangeWallpaper1 = MenuItem(PopupMenu1, this, "ChangeWallpaper1", "Change Wallpaper",
                                [this](TObject* s) { ChangeWallpaper1Click(s); });
    N1 = MenuItem(PopupMenu1, this, "N1", "-", nullptr);
    Exit1 = MenuItem(PopupMenu1, this, "Exit1", "About", [this](TObject* s) { ButtonAboutClick(s); });
    N2 = MenuItem(PopupMenu1, this, "N2", "-", nullptr);
    Exit2 = MenuItem(PopupMenu1, this, "Exit2", "Exit", [this](TObject* s) { ButtonExitClick(s); });
}

void TForm1::ConnectTrayAndExit()
{
    CreateTrayMenu();
    trayIcon_ = std::make_unique<TTrayIcon>(*services_.NotifyIcon);
    TrayIconRetryTimer = new TTimer(this);
    TrayIconRetryTimer->SetEnabled(false);
    TrayIconRetryTimer->SetInterval(TrayIconRetryMs);
    TrayIconRetryTimer->SetOnTimer([this](TObject*) { RetryTrayIcon(); });
    btnClose->OnClick = [this](TObject* s) { btnCloseClick(s); };
    dxToolButton4->OnClick = [this](TObject* s) { dxToolButton4Click(s); };
    ButtonExit->OnClick = [this](TObject* s) { ButtonExitClick(s); };
    ButtonAbout->OnClick = [this](TObject* s) { ButtonAboutClick(s); };
    OnMouseMove = [this](TObject* s, TShiftState shift, int x, int y) { FormMouseMove(s, shift, x, y); };
    OnClose = [this](TObject* s, TCloseAction& action) { FormClose(s, action); };
}

void TForm1::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    // Owned by the taskbar button, so the window has no button of its own.
    if (taskbarButton_)
        params.WndParent = taskbarButton_->Handle();
    params.WinClassName = MainWindowClassName;
    params.ExactClassName = true;
}

void TForm1::AddTrayIcon()
{
    PutIconInTray();
    Hide();
}

void TForm1::PutIconInTray()
{
    if (trayIcon_->Add(Handle(), TrayIconImage())) {
        StopTrayIconRetries();
        return;
    }
    // Explorer may still be starting (at logon an add can fail or time
    // out): ask again a little later rather than lose the icon.
    if (!TrayIconRetryTimer->Enabled()) {
        trayIconRetriesLeft_ = TrayIconRetries;
        TrayIconRetryTimer->SetEnabled(true);
    }
}

void TForm1::RetryTrayIcon()
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

void TForm1::StopTrayIconRetries()
{
    if (TrayIconRetryTimer)
        TrayIconRetryTimer->SetEnabled(false);
}

void TForm1::RestoreFromTray()
{
    Show();
}

void TForm1::BringToFront()
{
    RestoreFromTray();
    SetForegroundWindow(Handle());
}

bool TForm1::ReportUnattendedError(const std::string& file, const std::exception& error)
{
    // The file first: the balloon's text is short, and the reason alone may
    // not say which picture of the list failed.
    std::string text = error.what();
    if (text.find(file) == std::string::npos)
        text = file + "\n" + text;
    return trayIcon_->ShowErrorBalloon(Application->Title, WithFullStop(text));
}

void TForm1::SetVisible(bool visible)
{
    TForm::SetVisible(visible);
    if (taskbarButton_)
        taskbarButton_->SetShown(visible);
    // Nobody sees the clock of a hidden window: it stops, and shows the
    // right time the moment the window is back.
    if (TimerWatch) {
        TimerWatch->SetEnabled(visible);
        if (visible)
            TimerWatchTimer(TimerWatch);
    }
}

void TForm1::dxToolButton4Click(TObject*)
{
    AddTrayIcon();
}

void TForm1::RestoreForm1Click(TObject*)
{
    RestoreFromTray();
}

void TForm1::ButtonAboutClick(TObject*)
{
    if (Tessivo_About)
        Tessivo_About->ShowModal();
}

void TForm1::FormMouseMove(TObject*, TShiftState, int x, int)
{
    // The icon's events arrive as mouse moves with the mouse message in X:
    // 514 is the left button released over the icon.
    if (x == WM_LBUTTONUP)
        RestoreFromTray();
}

void TForm1::TrayIconMessage(TMessage& message)
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

void TForm1::OpenTrayMenu()
{
    POINT cursor{};
    GetCursorPos(&cursor);
    PopupMenu1->Popup(cursor.x, cursor.y);
}

void TForm1::WndProc(TMessage& message)
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
    if (message.Msg == ShowRunningCopyMessage()) {
        // A second start of the program hands over to this one.
        BringToFront();
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
