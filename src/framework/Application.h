#pragma once
// The application object: title, main form, message loop, the one error
// handler, the application-wide cursor, the control under the mouse and the
// colour scheme.

#include "framework/Component.h"
#include "framework/Control.h"
#include "framework/graphics/ColorScheme.h"
#include "platform/ComObjects.h"

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
    // The program's run: makes its forms inside the exception barrier, then
    // runs the message loop. When making them fails, the error is reported
    // and the loop does not start (there is no window to go on with).
    // Returns the process's exit code.
    int Run(const std::function<void()>& createForms);
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
    std::function<void(const std::string& caption, const std::string& text)> OnShowError;
    // A question in a message box captioned with the application title;
    // `flags` picks the buttons, the icon and the default button. Returns
    // the button chosen (IDYES, IDNO...).
    int Ask(const std::string& text, UINT flags);

    // The one exception barrier, for every entry from the platform (window
    // procedures, timer ticks, dialog hooks, menu commands) and for the
    // program's entry: runs f, and hands an error it raises to
    // ReportException instead of letting it go further. Returns whether f
    // ran to its end. It is static so that it behaves the same whether or
    // not an application object exists at that moment.
    template <class F>
    static bool Guarded(F&& f) noexcept
    {
        try {
            f();
            return true;
        } catch (const std::exception& error) {
            ReportException(error);
        } catch (...) {
            ReportUnknownException();
        }
        return false;
    }
    // Hands an error to the application object's error handler. Without an
    // application object (before it is made or after it is gone) the same
    // message box shows, captioned "Error". Never throws.
    static void ReportException(const std::exception& error) noexcept;
    static void ReportUnknownException() noexcept;

    // Application-wide cursor: while not crDefault it is shown over every
    // window of the program, whatever the window's own cursor.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    // The system's cursor for the application-wide one (not crDefault).
    HCURSOR SystemCursor() const;

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

    // Modal loops of the program's own: message boxes, modal forms, file
    // and folder dialogs. Work that must not run inside one (commands from
    // outside) waits while InModalLoop, and OnModalLoopsEnded is called when
    // the last one closes.
    bool InModalLoop() const { return modalLoops_ > 0; }
    std::function<void()> OnModalLoopsEnded;
    void ModalLoopStarted() { ++modalLoops_; }
    void ModalLoopEnded();

    // The main thread's OLE apartment, kept until the application object
    // goes. Entered when the message loop first runs out of work (after the
    // first paint, so it costs the start nothing) or before that by the
    // first use that needs it (the file and folder dialogs, whose shell
    // extensions need a single-threaded apartment).
    void EnterOleApartment() { ole_.Enter(); }

    // The colours every control draws with, chosen again when the system
    // tells of a change of its colours or of its contrast theme.
    TColorScheme& ColorScheme() { return colorScheme_; }
    // Chooses the colours again and repaints every window of the program.
    void SystemColorsChanged();

    // Hooks for the hint window, installed by the hint code.
    std::function<void(TControl* control)> OnMouseControlChanged;

private:
    bool IsKeyMessage(MSG& msg);
    void EnterOleApartmentWhenIdle();

    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    TCursor cursor_ = crDefault;
    TControl* mouseControl_ = nullptr;
    HINSTANCE instance_;
    TColorScheme colorScheme_;
    int modalLoops_ = 0;
    TOleApartment ole_;
};

// One modal loop of the program's own while the object lives (see
// TApplication::InModalLoop); nothing without an application object.
class TModalLoop {
public:
    TModalLoop();
    ~TModalLoop();
    TModalLoop(const TModalLoop&) = delete;
    TModalLoop& operator=(const TModalLoop&) = delete;

private:
    TApplication* application_;
};

// The application object of the process (created by the program's entry or a
// test's main).
extern TApplication* Application;
