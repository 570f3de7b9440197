#include "framework/dialogs/FileDialogs.h"

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/dialogs/FileDialogText.h"

#include <algorithm>
#include <cderr.h>
#include <commctrl.h>
#include <cstring>

namespace {

// Room for many files from the start; the buffer grows beyond it as needed.
const size_t kInitialBufferSize = 0x10000;
// The platform says "too small" only if our own growth was outrun; showing
// the dialog again a few times is the most that makes sense.
const int kMaxAttempts = 3;
const UINT_PTR kSubclassId = 1;

DWORD PlatformFlags(TOpenOptions options)
{
    static const struct {
        TOpenOption Option;
        DWORD Flag;
    } kMap[] = {
        {ofReadOnly, OFN_READONLY},
        {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
        {ofHideReadOnly, OFN_HIDEREADONLY},
        {ofNoChangeDir, OFN_NOCHANGEDIR},
        {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
        {ofPathMustExist, OFN_PATHMUSTEXIST},
        {ofFileMustExist, OFN_FILEMUSTEXIST},
        {ofCreatePrompt, OFN_CREATEPROMPT},
        {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
        {ofEnableSizing, OFN_ENABLESIZING},
    };
    DWORD flags = 0;
    for (const auto& entry : kMap)
        if (options & entry.Option)
            flags |= entry.Flag;
    return flags;
}

HWND DialogOwner()
{
    if (HWND active = GetActiveWindow())
        return active;
    if (Application && Application->MainForm() && Application->MainForm()->HandleAllocated())
        return Application->MainForm()->Handle();
    return nullptr;
}

// The length of a text the dialog hands out through a CDM_ message.
size_t DialogTextLength(HWND dialog, UINT message)
{
    const LRESULT size = dialog ? SendMessageA(dialog, message, 0, 0) : 0;
    return size > 0 ? static_cast<size_t>(size) : 0;
}

// A text the dialog hands out through a CDM_ message: asks for the size
// first, then for the text.
std::string DialogText(HWND dialog, UINT message)
{
    if (!dialog)
        return {};
    const LRESULT size = SendMessageA(dialog, message, 0, 0);
    if (size <= 0)
        return {};
    std::string text(static_cast<size_t>(size) + 1, '\0');
    SendMessageA(dialog, message, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::strlen(text.c_str()));
    return text;
}

} // namespace

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

bool TOpenDialog::Execute()
{
    files_.clear();
    std::string text = fileName_;
    std::string folder = initialDir_;
    buffer_.clear();
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        bool bufferTooSmall = false;
        if (RunOnce(text, folder, bufferTooSmall))
            return true;
        if (!bufferTooSmall)
            return false;
        // Show the same choice again, now with room for it.
        text = confirmedText_;
        folder = confirmedFolder_;
    }
    return false;
}

bool TOpenDialog::RunOnce(const std::string& initialText, const std::string& initialDir, bool& bufferTooSmall)
{
    const size_t size = std::max({buffer_.size(), kInitialBufferSize, initialText.size() + 2});
    buffer_.assign(size, '\0');
    std::copy(initialText.begin(), initialText.end(), buffer_.begin());
    Prepare(record_, initialDir);
    confirmedFolder_.clear();
    confirmedText_.clear();
    const bool confirmed = RunDialog(record_);
    dialog_ = nullptr;
    if (!confirmed) {
        bufferTooSmall = CommDlgExtendedError() == FNERR_BUFFERTOOSMALL;
        if (bufferTooSmall) {
            // The first two bytes hold the size the platform wanted (cut to
            // 16 bits); our own measure of the confirmed choice may be larger.
            WORD wanted = 0;
            std::memcpy(&wanted, buffer_.data(), sizeof wanted);
            const size_t needed = std::max<size_t>(
                wanted, NeededFileBufferSize(confirmedFolder_.size(), confirmedText_.size()));
            buffer_.assign(GrownFileBufferSize(buffer_.size(), std::max(needed, buffer_.size() + 1)), '\0');
        }
        return false;
    }
    files_ = ParseDialogFiles(buffer_.data(), std::min<size_t>(record_.nMaxFile, buffer_.size()));
    if (record_.nFilterIndex > 0)
        filterIndex_ = static_cast<int>(record_.nFilterIndex);
    if (!files_.empty())
        fileName_ = files_.front();
    return true;
}

void TOpenDialog::Prepare(OPENFILENAMEA& record, const std::string& initialDir)
{
    const DLGTEMPLATE* childTemplate = ChildTemplate();
    filterText_ = filter_.empty() ? std::string() : DialogFilterText(filter_);
    record = OPENFILENAMEA{};
    record.lStructSize = sizeof record;
    record.hwndOwner = DialogOwner();
    // With a template handle, hInstance carries the template's address.
    record.hInstance =
        childTemplate ? reinterpret_cast<HINSTANCE>(const_cast<DLGTEMPLATE*>(childTemplate)) : nullptr;
    record.lpstrFilter = filterText_.empty() ? nullptr : filterText_.c_str();
    record.nFilterIndex = static_cast<DWORD>(std::max(filterIndex_, 0));
    record.lpstrFile = buffer_.data();
    record.nMaxFile = static_cast<DWORD>(buffer_.size());
    record.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    record.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    record.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
    // The hook is always there: it grows the buffer while the user chooses.
    record.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | PlatformFlags(options_) |
                   (childTemplate ? OFN_ENABLETEMPLATEHANDLE : 0);
    record.lpfnHook = &TOpenDialog::HookProcedure;
    record.lCustData = reinterpret_cast<LPARAM>(this);
}

bool TOpenDialog::RunDialog(OPENFILENAMEA& record)
{
    return GetOpenFileNameA(&record) != FALSE;
}

std::string TOpenDialog::CurrentFolder() const
{
    return DialogText(dialog_, CDM_GETFOLDERPATH);
}

std::string TOpenDialog::CurrentFileNameText() const
{
    return DialogText(dialog_, CDM_GETSPEC);
}

void TOpenDialog::MakeRoomForSelection()
{
    // The sizes include the closing NULs: a little more than needed.
    const size_t needed = NeededFileBufferSize(DialogTextLength(dialog_, CDM_GETFOLDERPATH),
                                               DialogTextLength(dialog_, CDM_GETSPEC));
    const size_t grown = GrownFileBufferSize(buffer_.size(), needed);
    if (grown == buffer_.size())
        return;
    // The dialog reads the record's buffer only when the user confirms.
    buffer_.resize(grown, '\0');
    record_.lpstrFile = buffer_.data();
    record_.nMaxFile = static_cast<DWORD>(buffer_.size());
}

void TOpenDialog::SelectionChanged()
{
    if (OnSelectionChange)
        OnSelectionChange(this);
}

UINT_PTR CALLBACK TOpenDialog::HookProcedure(HWND child, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG)
        SetWindowLongPtrA(child, DWLP_USER, reinterpret_cast<const OPENFILENAMEA*>(lParam)->lCustData);
    auto* dialog = reinterpret_cast<TOpenDialog*>(GetWindowLongPtrA(child, DWLP_USER));
    if (!dialog)
        return 0;
    UINT_PTR result = 0;
    // A dialog hook is called by the platform: nothing may be thrown back.
    TApplication::Guarded([&] { result = dialog->HandleHookMessage(child, msg, wParam, lParam); });
    return result;
}

UINT_PTR TOpenDialog::HandleHookMessage(HWND child, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        dialog_ = GetParent(child);
        ChildCreated(child);
        return TRUE;
    case WM_NOTIFY:
        switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
        case CDN_INITDONE:
            dialog_ = GetParent(child);
            // Watch the confirmation itself: names typed into the box make no
            // selection change, yet must fit as well.
            SetWindowSubclass(dialog_, &TOpenDialog::DialogSubclass, kSubclassId,
                              reinterpret_cast<DWORD_PTR>(this));
            if (OnShow)
                OnShow(this);
            break;
        case CDN_SELCHANGE:
            MakeRoomForSelection();
            SelectionChanged();
            break;
        }
        return 0;
    case WM_DRAWITEM:
        return DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    case WM_DESTROY:
        if (dialog_)
            RemoveWindowSubclass(dialog_, &TOpenDialog::DialogSubclass, kSubclassId);
        DialogClosing();
        return 0;
    }
    return 0;
}

LRESULT CALLBACK TOpenDialog::DialogSubclass(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                             DWORD_PTR data)
{
    if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
        auto* self = reinterpret_cast<TOpenDialog*>(data);
        TApplication::Guarded([self] {
            self->confirmedFolder_ = self->CurrentFolder();
            self->confirmedText_ = self->CurrentFileNameText();
            self->MakeRoomForSelection();
        });
    } else if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(dialog, &TOpenDialog::DialogSubclass, id);
    }
    return DefSubclassProc(dialog, msg, wParam, lParam);
}

TSaveDialog::TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

bool TSaveDialog::RunDialog(OPENFILENAMEA& record)
{
    return GetSaveFileNameA(&record) != FALSE;
}
