#pragma once
// The application object: title, main form, message loop, the one error
// handler, the application-wide cursor and the control under the mouse.

#include "framework/Component.h"
#include "framework/Control.h"

#include <exception>
#include <functional>
#include <string>

class TForm;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    std::string Title = "";
    // The first form created; closing it ends the program.
    TForm* MainForm() const { return mainForm_; }
    // When true (the default), Run shows the main form before the loop starts.
    bool ShowMainForm = true;

    // Runs the message loop until Terminate.
    void Run();
    // Ends the message loop at its next turn.
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles every waiting message, then returns.
    void ProcessMessages();
    // Dispatches one message, giving the keyboard handling of forms (Enter,
    // Escape, Tab, accelerators) the first look.
    void DispatchOne(MSG& msg);

    // The one error handler. Shows the error in a message box: error icon,
    // the application title as caption, the text with a full stop appended
    // when its rules say so. Tests set OnShowError to capture the text.
    void HandleException(const std::exception& error);
    void HandleUnknownException();
    std::function<void(const std::string& caption, const std::string& text)> OnShowError;

    // Application-wide cursor: while not crDefault it is shown over every
    // window of the program, whatever the window's own cursor.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);

    // The control the mouse pointer is over (the innermost), kept by the
    // windows' mouse messages; changing it sends CM_MOUSELEAVE to the old and
    // CM_MOUSEENTER to the new control.
    TControl* MouseControl() const { return mouseControl_; }
    void SetMouseControl(TControl* control);
    // A control that goes away stops being referenced.
    void ControlDestroying(TControl* control);

    // Called by TForm's constructor.
    void FormCreated(TForm* form);
    void FormDestroying(TForm* form);

    HINSTANCE Instance() const { return instance_; }

    // Runs f, handing any exception to the error handler; for every entry
    // from the platform (window procedures, timers, hooks).
    template <class F>
    void Guarded(F&& f)
    {
        try {
            f();
        } catch (const std::exception& error) {
            HandleException(error);
        } catch (...) {
            HandleUnknownException();
        }
    }

    // Hooks for the hint window, installed by the hint code.
    std::function<void(TControl* control)> OnMouseControlChanged;

private:
    bool IsKeyMessage(MSG& msg);

    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    TCursor cursor_ = crDefault;
    TControl* mouseControl_ = nullptr;
    HINSTANCE instance_;
};

// The application object of the process (created by the program's entry or a
// test's main).
extern TApplication* Application;
