#include "framework/ModalForm.h"

#include "framework/Application.h"

#include <vector>

namespace {

// The windows disabled while a form is modal, enabled again when it goes,
// whatever way the loop ends.
class TDisabledWindows {
public:
    explicit TDisabledWindows(HWND keep) : keep_(keep)
    {
        EnumThreadWindows(GetCurrentThreadId(), &TDisabledWindows::Disable, reinterpret_cast<LPARAM>(this));
    }
    ~TDisabledWindows()
    {
        for (HWND window : disabled_)
            if (IsWindow(window))
                EnableWindow(window, TRUE);
    }
    TDisabledWindows(const TDisabledWindows&) = delete;
    TDisabledWindows& operator=(const TDisabledWindows&) = delete;

private:
    static BOOL CALLBACK Disable(HWND window, LPARAM self)
    {
        auto* windows = reinterpret_cast<TDisabledWindows*>(self);
        if (window != windows->keep_ && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            windows->disabled_.push_back(window);
        }
        return TRUE;
    }

    HWND keep_;
    std::vector<HWND> disabled_;
};

} // namespace

TModalResult ShowModal(TForm& form)
{
    form.SetModalResult(mrNone);
    // The window that had the focus gets it back, not whatever window the
    // platform would pick once the form hides.
    const HWND active = GetActiveWindow();
    {
        const TModalLoop modal;
        TDisabledWindows disabled(form.Handle());
        form.Show();
        MSG msg;
        while (form.Visible() && form.ModalResult() == mrNone) {
            const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
            if (got == 0 || got == -1) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            Application->DispatchOne(msg);
        }
        // Enable the others before hiding, so the activation goes back to
        // the window that had it rather than to another program.
    }
    form.Hide();
    if (active && IsWindow(active) && IsWindowVisible(active))
        SetForegroundWindow(active);
    if (form.ModalResult() == mrNone)
        form.SetModalResult(mrCancel);
    return form.ModalResult();
}
