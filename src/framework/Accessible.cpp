#include "framework/Accessible.h"

#include "framework/WinControl.h"
#include "platform/SystemLibrary.h"
#include "platform/WideText.h"

#include <oleacc.h>

#include <atomic>

namespace {

// oleacc is not among the system's known DLLs, so it is loaded from the
// system folder rather than imported; once loaded it stays for the run, as
// the objects it hands out are marshalled through it.
const TSystemLibrary& Oleacc()
{
    static const TSystemLibrary library(L"oleacc.dll");
    return library;
}

HRESULT ObjectFromWindow(HWND window, DWORD objectId, REFIID iid, void** object)
{
    using Function = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
    const auto function = Oleacc().Get<Function>("AccessibleObjectFromWindow");
    return function ? function(window, objectId, iid, object) : E_NOTIMPL;
}

LRESULT ResultFromObject(REFIID iid, WPARAM wParam, IUnknown* object)
{
    using Function = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    const auto function = Oleacc().Get<Function>("LresultFromObject");
    return function ? function(iid, wParam, object) : E_NOTIMPL;
}

// The object is bound to the window, not to the control: a request that
// comes after the window went (a screen reader may hold the object) finds
// nothing and says so.
class TAccessibleControl final : public IAccessible {
public:
    explicit TAccessibleControl(HWND window) : window_(window) {}

    // --- IUnknown ---
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    // --- IDispatch: callers use the IAccessible methods themselves ---
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        return E_NOTIMPL;
    }

    // --- IAccessible ---
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override { return NoText(help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long*) override { return NoText(file); }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* shortcut) override
    {
        return NoText(shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~TAccessibleControl() = default;

    // The control, or nullptr once its window is gone.
    const TWinControl* Control() const
    {
        return IsWindow(window_) ? TWinControl::FromHandle(window_) : nullptr;
    }
    // Which element `child` names: 0 the control itself, 1... its list rows,
    // -1 none of them.
    long Element(const VARIANT& child) const;
    // Runs `answer` with the control and the element; every failure, a
    // thrown one included, becomes an error result.
    template <class Answer>
    HRESULT For(const VARIANT& child, Answer&& answer) const noexcept;
    static HRESULT NoText(BSTR* text);
    static HRESULT Text(const std::string& text, BSTR* out);
    static HRESULT Number(long value, VARIANT* out);

    std::atomic<ULONG> references_{1};
    HWND window_;
};

HRESULT TAccessibleControl::NoText(BSTR* text)
{
    if (!text)
        return E_POINTER;
    *text = nullptr;
    return S_FALSE;
}

HRESULT TAccessibleControl::Text(const std::string& text, BSTR* out)
{
    if (text.empty())
        return NoText(out);
    const std::wstring wide = WideFromUtf8Replacing(text);
    *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT TAccessibleControl::Number(long value, VARIANT* out)
{
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = value;
    return S_OK;
}

long TAccessibleControl::Element(const VARIANT& child) const
{
    const TWinControl* control = Control();
    if (!control || child.vt != VT_I4)
        return -1;
    const long id = child.lVal;
    return id >= 0 && id <= control->AccessibleItemCount() ? id : -1;
}

template <class Answer>
HRESULT TAccessibleControl::For(const VARIANT& child, Answer&& answer) const noexcept
{
    try {
        const TWinControl* control = Control();
        if (!control)
            return CO_E_OBJNOTCONNECTED;
        const long element = Element(child);
        return element < 0 ? E_INVALIDARG : answer(*control, element);
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT TAccessibleControl::get_accParent(IDispatch** parent)
{
    if (!parent)
        return E_POINTER;
    *parent = nullptr;
    // A child control's parent is its parent's client area; a window of
    // its own has the platform's window object around it.
    const bool child = (GetWindowLongW(window_, GWL_STYLE) & WS_CHILD) != 0;
    const HWND around = child ? GetParent(window_) : window_;
    const HRESULT result = ObjectFromWindow(around, child ? OBJID_CLIENT : OBJID_WINDOW, IID_IDispatch,
                                            reinterpret_cast<void**>(parent));
    return SUCCEEDED(result) ? S_OK : S_FALSE;
}

HRESULT TAccessibleControl::get_accChildCount(long* count)
{
    if (!count)
        return E_POINTER;
    const TWinControl* control = Control();
    if (!control)
        return CO_E_OBJNOTCONNECTED;
    // The rows of a list; the child windows have objects of their own, which
    // clients reach through the windows.
    *count = control->AccessibleItemCount();
    return S_OK;
}

HRESULT TAccessibleControl::get_accChild(VARIANT child, IDispatch** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    // Rows are simple elements, answered through this object.
    return For(child, [](const TWinControl&, long) { return S_FALSE; });
}

HRESULT TAccessibleControl::get_accName(VARIANT child, BSTR* name)
{
    if (!name)
        return E_POINTER;
    return For(child, [name](const TWinControl& control, long element) {
        return Text(element == 0 ? control.AccessibleName() : control.AccessibleItemName(element - 1), name);
    });
}

HRESULT TAccessibleControl::get_accValue(VARIANT child, BSTR* value)
{
    if (!value)
        return E_POINTER;
    return For(child, [value](const TWinControl& control, long element) {
        return element == 0 ? Text(control.AccessibleValue(), value) : NoText(value);
    });
}

HRESULT TAccessibleControl::get_accDescription(VARIANT child, BSTR* description)
{
    if (!description)
        return E_POINTER;
    return For(child, [description](const TWinControl& control, long element) {
        return element == 0 ? Text(control.AccessibleDescription(), description) : NoText(description);
    });
}

HRESULT TAccessibleControl::get_accRole(VARIANT child, VARIANT* role)
{
    if (!role)
        return E_POINTER;
    return For(child, [role](const TWinControl& control, long element) {
        return Number(element == 0 ? control.AccessibleRole() : ROLE_SYSTEM_LISTITEM, role);
    });
}

HRESULT TAccessibleControl::get_accState(VARIANT child, VARIANT* state)
{
    if (!state)
        return E_POINTER;
    const HWND window = window_;
    return For(child, [state, window](const TWinControl& control, long element) {
        long bits = 0;
        if (!IsWindowVisible(window))
            bits |= STATE_SYSTEM_INVISIBLE;
        if (!IsWindowEnabled(window))
            bits |= STATE_SYSTEM_UNAVAILABLE;
        const bool focused = GetFocus() == window;
        if (element > 0) {
            bits |= STATE_SYSTEM_SELECTABLE;
            if (control.AccessibleItemSelected(element - 1))
                bits |= STATE_SYSTEM_SELECTED | (focused ? STATE_SYSTEM_FOCUSED : 0);
            return Number(bits, state);
        }
        if (control.TabStop() && IsWindowEnabled(window))
            bits |= STATE_SYSTEM_FOCUSABLE;
        if (focused)
            bits |= STATE_SYSTEM_FOCUSED;
        return Number(bits | control.AccessibleState(), state);
    });
}

HRESULT TAccessibleControl::get_accFocus(VARIANT* focus)
{
    if (!focus)
        return E_POINTER;
    VariantInit(focus);
    const TWinControl* control = Control();
    if (!control)
        return CO_E_OBJNOTCONNECTED;
    if (GetFocus() != window_)
        return S_FALSE;
    for (long row = 0; row < control->AccessibleItemCount(); ++row)
        if (control->AccessibleItemSelected(row))
            return Number(row + 1, focus);
    return Number(CHILDID_SELF, focus);
}

HRESULT TAccessibleControl::get_accSelection(VARIANT* selection)
{
    if (!selection)
        return E_POINTER;
    VariantInit(selection);
    const TWinControl* control = Control();
    if (!control)
        return CO_E_OBJNOTCONNECTED;
    for (long row = 0; row < control->AccessibleItemCount(); ++row)
        if (control->AccessibleItemSelected(row))
            return Number(row + 1, selection);
    return S_FALSE;
}

HRESULT TAccessibleControl::get_accDefaultAction(VARIANT child, BSTR* action)
{
    if (!action)
        return E_POINTER;
    return For(child, [action](const TWinControl& control, long element) {
        return element == 0 ? Text(control.AccessibleAction(), action) : NoText(action);
    });
}

HRESULT TAccessibleControl::accSelect(long flags, VARIANT child)
{
    const HWND window = window_;
    return For(child, [flags, window](const TWinControl&, long element) {
        if (element != 0 || flags != SELFLAG_TAKEFOCUS)
            return E_NOTIMPL;
        return SetFocus(window) ? S_OK : S_FALSE;
    });
}

HRESULT TAccessibleControl::accLocation(long* left, long* top, long* width, long* height, VARIANT child)
{
    if (!left || !top || !width || !height)
        return E_POINTER;
    const HWND window = window_;
    return For(child, [=](const TWinControl&, long element) {
        if (element != 0)
            return DISP_E_MEMBERNOTFOUND;
        RECT rect{};
        GetWindowRect(window, &rect);
        *left = rect.left;
        *top = rect.top;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    });
}

HRESULT TAccessibleControl::accHitTest(long x, long y, VARIANT* child)
{
    if (!child)
        return E_POINTER;
    VariantInit(child);
    if (!Control())
        return CO_E_OBJNOTCONNECTED;
    RECT rect{};
    GetWindowRect(window_, &rect);
    const POINT point{x, y};
    return PtInRect(&rect, point) ? Number(CHILDID_SELF, child) : S_FALSE;
}

HRESULT TAccessibleControl::accDoDefaultAction(VARIANT child)
{
    const HWND window = window_;
    return For(child, [window](const TWinControl& control, long element) {
        if (element != 0 || control.AccessibleAction().empty())
            return DISP_E_MEMBERNOTFOUND;
        // Later, from the message loop: the action may open a dialog, and
        // the caller (another program) must not wait for it to close.
        return PostMessageW(window, CM_ACCESSIBLEACTION, 0, 0) ? S_OK : E_FAIL;
    });
}

} // namespace

bool AnswerAccessibleObject(HWND window, TMessage& message)
{
    // The object id is a 32-bit value, whatever the width of lParam.
    if (static_cast<LONG>(static_cast<DWORD>(message.LParam)) != OBJID_CLIENT)
        return false;
    auto* object = new TAccessibleControl(window);
    message.Result = ResultFromObject(__uuidof(IAccessible), message.WParam, object);
    object->Release();
    return true;
}
