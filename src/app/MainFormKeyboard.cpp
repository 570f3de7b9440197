// The main window from the keyboard: the name list's keys, Escape, and the
// system menu Alt+Space opens on the borderless window.

#include "app/MainForm.h"

void TMainForm::WireKeyboard()
{
    nameList->OnKeyDown = [this](TObject* s, WORD& key, TShiftState shift) {
        onNameListKeyDown(s, key, shift);
    };
    // "Apply" greys itself once it has applied: the focus goes back to the
    // list, never on to "New list", where a second Space would empty it.
    applyButton->SetFallbackFocus(nameList);
}

void TMainForm::onNameListKeyDown(TObject*, WORD& key, TShiftState shift)
{
    if (shift & (TShiftFlag::Shift | TShiftFlag::Ctrl | TShiftFlag::Alt))
        return;
    if (key == VK_DELETE) {
        // As "-", and not while it is locked (automatic change runs).
        if (deleteButton->Enabled())
            onDeleteClick(deleteButton);
        key = 0;
    } else if (key == VK_RETURN) {
        ApplySelectedByHand();
        key = 0;
    }
}

void TMainForm::TrimSystemMenu()
{
    // Without a title bar the window is still moved, hidden and closed
    // from the keyboard through this menu.
    if (HandleAllocated())
        KeepSystemMenuItems(Handle(),
                            {{SC_MOVE, ""}, {SC_MINIMIZE, "Mi&nimize to the tray"}, {SC_CLOSE, ""}});
}

bool TMainForm::HandleKeyboardMessage(TMessage& message)
{
    if (message.Msg == WM_SYSCOMMAND && (message.WParam & 0xFFF0) == SC_MINIMIZE) {
        AddTrayIcon();
        return true;
    }
    if (message.Msg == CM_DIALOGKEY && message.WParam == VK_ESCAPE &&
        !(KeyboardShiftState() & (TShiftFlag::Shift | TShiftFlag::Ctrl | TShiftFlag::Alt))) {
        // Escape nobody else wanted (an open drop-down list closes first).
        TForm::WndProc(message);
        if (message.Result == 0) {
            AddTrayIcon();
            message.Result = 1;
        }
        return true;
    }
    return false;
}
