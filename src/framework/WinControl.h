#pragma once
// A control with a window of its own. One C++ object per HWND, found through
// GWLP_USERDATA (bound at WM_NCCREATE for our classes, right after creation
// for subclassed system controls). Every message enters through one exception
// barrier and is handled by the virtual WndProc.

#include "framework/Control.h"

#include <functional>
#include <string>
#include <vector>

class TPopupMenu;

// Files and folders dropped on a control, as UTF-8 paths.
using TDropFilesEvent = std::function<void(TObject* sender, const std::vector<std::string>& paths)>;

// What a control asks for when its window is made.
struct TCreateParams {
    std::string Caption;
    DWORD Style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    // Our own window class, registered on first use (its name gets the class
    // style appended, unless ExactClassName: a class others find the window
    // by, which only one kind of window uses)...
    std::string WinClassName;
    bool ExactClassName = false;
    UINT WindowClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    // ...or a system class (e.g. "LISTBOX") that is subclassed instead.
    std::string SystemClassName;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The window; asking for it makes it (with the parents' windows).
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    // Destroys the window and makes it anew with the current properties.
    void RecreateWnd();

    // Children in the order they were inserted.
    const std::vector<TControl*>& Controls() const { return controls_; }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // Lays out the aligned children inside AdjustClientRect's rectangle.
    void Realign();
    // The non-windowed child at a client point, or nullptr.
    TControl* ControlAtPos(POINT point) const;
    // Whether `control` is this control or lies somewhere inside it.
    bool ContainsControl(const TControl* control) const;

    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int tabOrder) { tabOrder_ = tabOrder; }
    // Where the focus goes when this control can no longer hold it (it is
    // disabled or hidden while focused), if that control can take it; the
    // next tab stop otherwise.
    TWinControl* FallbackFocus() const { return fallbackFocus_; }
    void SetFallbackFocus(TWinControl* control) { fallbackFocus_ = control; }
    bool Focused() const;
    virtual bool CanFocus() const;
    virtual void SetFocus();

    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() const override;
    void SetVisible(bool visible) override;
    void SetCaption(const std::string& text) override;
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) override;
    void WndProc(TMessage& message) override;
    void Invalidate() override;

    // Sends a message to every child in turn until one marks it handled
    // (a non-zero result).
    void Broadcast(TMessage& message);
    // Sends a message to every child, ignoring results.
    void NotifyControls(UINT msg);

    // Renders the control (and its children) into a DC at (x, y), as it
    // would appear on screen.
    void PaintTo(HDC dc, int x, int y);

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // The menu a right click (or the menu key) opens over the control;
    // none by default.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }
    // Whether files dropped on the control (or its children) reach
    // OnDropFiles.
    bool AcceptsDroppedFiles() const { return acceptsDroppedFiles_; }
    void SetAcceptsDroppedFiles(bool accept);
    TDropFilesEvent OnDropFiles;

    // The control that owns a window of ours, or nullptr.
    static TWinControl* FromHandle(HWND window);

    // --- What assistive technology reads (framework/Accessible.h) ---
    // The name given, else the caption without its "&" marks: a glyph-only
    // button and a control captioned by a painted label need one given.
    std::string AccessibleName() const;
    void SetAccessibleName(const std::string& name) { accessibleName_ = name; }
    // Read after the name: the text of the function given, else the hint.
    std::string AccessibleDescription() const;
    void SetAccessibleDescription(std::function<std::string()> text)
    {
        accessibleDescription_ = std::move(text);
    }
    // The role (ROLE_SYSTEM_...), the state bits of the control's kind
    // (checked, pressed...) beyond focus, availability and visibility, its
    // value, and the name of its default action (none when empty).
    virtual long AccessibleRole() const;
    virtual long AccessibleState() const { return 0; }
    virtual std::string AccessibleValue() const { return {}; }
    virtual std::string AccessibleAction() const { return {}; }
    // Carries out the default action (by default a click).
    virtual void DoAccessibleAction() { Click(); }
    // The rows a list shows, as child elements of its accessible object.
    virtual int AccessibleItemCount() const { return 0; }
    virtual std::string AccessibleItemName(int index) const { return {}; }
    virtual bool AccessibleItemSelected(int index) const { return false; }

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    // Called after the window exists (and its children's), to push state
    // into it (items of a list, the selection...).
    virtual void CreateWindowHandle(const TCreateParams& params);
    // Lets a container inset the area its aligned children fill.
    virtual void AdjustClientRect(RECT& rect);
    virtual void AlignControls(RECT& rect);
    void DefaultHandler(TMessage& message) override;
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(wchar_t& key);
    // Paints the non-windowed children onto the DC after the control's own
    // paint, each clipped to its bounds.
    void PaintControls(HDC dc);
    // Mouse enter/leave bookkeeping after a mouse message in client coordinates.
    void TrackMouse(POINT clientPoint);

    // Paints the whole client area into a DC: the background (unless the
    // control is opaque) and the non-windowed children.
    virtual void PaintWindow(HDC dc);

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    static void RegisterWindowClass(const TCreateParams& params);
    // The framework's reactions to window and control messages, one small
    // handler per message; WndProc only dispatches and says when the
    // platform's default handling runs. Handlers are named after their
    // message (the OnXxx names are the control's events); those that choose
    // whether the default runs take the whole message.
    void WMPaint(TMessage& message);
    void WMPrintClient(TMessage& message);
    void WMEraseBkgnd(TMessage& message);
    void WMSize();
    void WMEnable(bool enabled);
    void WMShowWindow(bool shown, bool byShowWindow);
    void WMSetFocus();
    void WMKillFocus();
    void WMKeyDown(TMessage& message);
    void WMKeyUp(TMessage& message);
    void WMChar(TMessage& message);
    // Button presses, releases and moves.
    void WMMouse(TMessage& message);
    void WMMouseLeave();
    // Shows the application-wide cursor if one is set; whether it did.
    bool ShowApplicationCursor();
    void WMCommand(TMessage& message);
    void WMContextMenu(TMessage& message);
    void WMDropFiles(TMessage& message);
    void WMMeasureItem(TMessage& message);
    void CMEnabledChanged();
    void CMFocusChanged(TMessage& message);
    void CMColorChanged();
    void CMFontChanged();
    void CMParentShowHintChanged(TMessage& message);
    // Fills the client area with the control's colour.
    void FillBackground(HDC dc);
    void UpdateBoundsFromWindow();
    // Called when this control is disabled or hidden: if the keyboard focus
    // is inside it, or the platform just took the focus away from it, the
    // form moves the focus on to the next tab stop.
    void PassFocusOn();
    void ReflectToChild(TMessage& message, HWND child);

    HWND handle_ = nullptr;
    WNDPROC defaultProc_ = nullptr; // the system class's procedure when subclassed
    std::vector<TControl*> controls_;
    bool tabStop_ = false;
    int tabOrder_ = -1;
    bool aligning_ = false;
    bool trackingLeave_ = false;
    TPopupMenu* popupMenu_ = nullptr;
    TWinControl* fallbackFocus_ = nullptr;
    std::string accessibleName_;
    std::function<std::string()> accessibleDescription_;
    bool acceptsDroppedFiles_ = false;
};
