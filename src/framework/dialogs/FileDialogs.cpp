#include "framework/dialogs/FileDialogs.h"

#include "core/Exceptions.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/dialogs/FileDialogText.h"
#include "platform/WideText.h"

#include <algorithm>
#include <cderr.h>
#include <commctrl.h>
#include <cwchar>

namespace {

// Room for many files from the start; the buffer grows beyond it as needed.
const size_t kInitialBufferSize = 0x10000;
// The platform says "too small" only if our own growth was outrun; showing
// the dialog again a few times is the most that makes sense.
const int kMaxAttempts = 3;
const UINT_PTR kSubclassId = 1;
// Posted to the child dialog when the selection has changed.
constexpr UINT kSelectionSettled = WM_APP + 1;

DWORD PlatformFlags(TOpenOptions options)
{
    static const struct {
        TOpenOptions Option;
        DWORD Flag;
    } kMap[] = {
        {TOpenOption::ReadOnly, OFN_READONLY},
        {TOpenOption::OverwritePrompt, OFN_OVERWRITEPROMPT},
        {TOpenOption::HideReadOnly, OFN_HIDEREADONLY},
        {TOpenOption::NoChangeDir, OFN_NOCHANGEDIR},
        {TOpenOption::AllowMultiSelect, OFN_ALLOWMULTISELECT},
        {TOpenOption::PathMustExist, OFN_PATHMUSTEXIST},
        {TOpenOption::FileMustExist, OFN_FILEMUSTEXIST},
        {TOpenOption::CreatePrompt, OFN_CREATEPROMPT},
        {TOpenOption::NoReadOnlyReturn, OFN_NOREADONLYRETURN},
        {TOpenOption::EnableSizing, OFN_ENABLESIZING},
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

// The length (in characters, with the NUL) of a text the dialog hands out
// through a CDM_ message.
size_t DialogTextLength(HWND dialog, UINT message)
{
    const LRESULT size = dialog ? SendMessageW(dialog, message, 0, 0) : 0;
    return size > 0 ? static_cast<size_t>(size) : 0;
}

// A text the dialog hands out through a CDM_ message: asks for the size
// first, then for the text.
std::wstring DialogText(HWND dialog, UINT message)
{
    const size_t size = DialogTextLength(dialog, message);
    if (size == 0)
        return {};
    std::wstring text(size + 1, L'\0');
    SendMessageW(dialog, message, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::wcslen(text.c_str()));
    return text;
}

// A chosen path as UTF-8, or EFOpenError naming it when it is not Unicode.
std::string ChosenFileName(const std::wstring& path)
{
    try {
        return Utf8FromWide(path);
    } catch (const EConvertError&) {
        throw EFOpenError::NameNotUnicode(Utf8FromWideReplacing(path));
    }
}

} // namespace

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner)
{
}

bool TOpenDialog::Execute()
{
    files_.clear();
    std::wstring text = WideFromUtf8(fileName_);
    std::wstring folder = WideFromUtf8(initialDir_);
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

bool TOpenDialog::RunOnce(const std::wstring& initialText, const std::wstring& initialDir,
                          bool& bufferTooSmall)
{
    const size_t size = std::max({buffer_.size(), kInitialBufferSize, initialText.size() + 2});
    buffer_.assign(size, L'\0');
    std::copy(initialText.begin(), initialText.end(), buffer_.begin());
    runInitialDir_ = initialDir;
    Prepare(record_);
    confirmedFolder_.clear();
    confirmedText_.clear();
    // The shell's extensions in the dialog need the thread's apartment.
    if (Application)
        Application->EnterOleApartment();
    const TModalLoop modal;
    const bool confirmed = RunDialog(record_);
    dialog_ = nullptr;
    if (!confirmed) {
        bufferTooSmall = CommDlgExtendedError() == FNERR_BUFFERTOOSMALL;
        if (bufferTooSmall) {
            // The first character holds the size the platform wanted (cut
            // to 16 bits); our own measure of the confirmed choice may be
            // larger.
            const size_t wanted = static_cast<WORD>(buffer_[0]);
            const size_t needed =
                std::max(wanted, NeededFileBufferSize(confirmedFolder_.size(), confirmedText_.size()));
            buffer_.assign(GrownFileBufferSize(buffer_.size(), std::max(needed, buffer_.size() + 1)), L'\0');
        }
        return false;
    }
    const std::vector<std::wstring> chosen = ParseDialogFiles(
        buffer_.data(), std::min<size_t>(record_.nMaxFile, buffer_.size()), record_.nFileOffset);
    // Every chosen path as the program keeps it (UTF-8); a name with a lone
    // surrogate has no such form and refuses the whole choice (raised from
    // here, nothing is chosen).
    std::vector<std::string> files;
    files.reserve(chosen.size());
    for (const std::wstring& path : chosen)
        files.push_back(ChosenFileName(path));
    files_ = std::move(files);
    if (record_.nFilterIndex > 0)
        filterIndex_ = static_cast<int>(record_.nFilterIndex);
    if (!files_.empty())
        fileName_ = files_.front();
    return true;
}

void TOpenDialog::Prepare(OPENFILENAMEW& record)
{
    const DLGTEMPLATE* childTemplate = ChildTemplate();
    // The NULs inside the filter text come along.
    runFilter_ = filter_.empty() ? std::wstring() : WideFromUtf8(DialogFilterText(filter_));
    runTitle_ = WideFromUtf8(title_);
    runDefaultExt_ = WideFromUtf8(defaultExt_);
    selectionPending_ = false;
    record = OPENFILENAMEW{};
    record.lStructSize = sizeof record;
    record.hwndOwner = DialogOwner();
    // With a template handle, hInstance carries the template's address.
    record.hInstance =
        childTemplate ? reinterpret_cast<HINSTANCE>(const_cast<DLGTEMPLATE*>(childTemplate)) : nullptr;
    record.lpstrFilter = runFilter_.empty() ? nullptr : runFilter_.c_str();
    record.nFilterIndex = static_cast<DWORD>(std::max(filterIndex_, 0));
    record.lpstrFile = buffer_.data();
    record.nMaxFile = static_cast<DWORD>(buffer_.size());
    record.lpstrInitialDir = runInitialDir_.empty() ? nullptr : runInitialDir_.c_str();
    record.lpstrTitle = runTitle_.empty() ? nullptr : runTitle_.c_str();
    record.lpstrDefExt = runDefaultExt_.empty() ? nullptr : runDefaultExt_.c_str();
    // The hook is always there: it makes room for the choice when the user
    // confirms.
    record.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | PlatformFlags(options_) |
                   (childTemplate ? OFN_ENABLETEMPLATEHANDLE : 0);
    record.lpfnHook = &TOpenDialog::HookProcedure;
    record.lCustData = reinterpret_cast<LPARAM>(this);
}

bool TOpenDialog::RunDialog(OPENFILENAMEW& record)
{
    return GetOpenFileNameW(&record) != FALSE;
}

std::wstring TOpenDialog::CurrentFolder() const
{
    return DialogText(dialog_, CDM_GETFOLDERPATH);
}

std::wstring TOpenDialog::CurrentFileNameText() const
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
    buffer_.resize(grown, L'\0');
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
        SetWindowLongPtrW(child, DWLP_USER, reinterpret_cast<const OPENFILENAMEW*>(lParam)->lCustData);
    auto* dialog = reinterpret_cast<TOpenDialog*>(GetWindowLongPtrW(child, DWLP_USER));
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
        // FALSE: the focus stays in the file-name box, where the platform
        // has put it. (TRUE would move it to the first tab stop, which is
        // the places bar's first shortcut.)
        return FALSE;
    case WM_NOTIFY:
        switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
        case CDN_INITDONE:
            dialog_ = GetParent(child);
            // Watch the confirmation: the result is written only then, and
            // must fit whether the names were picked or typed.
            SetWindowSubclass(dialog_, &TOpenDialog::DialogSubclass, kSubclassId,
                              reinterpret_cast<DWORD_PTR>(this));
            if (OnShow)
                OnShow(this);
            break;
        case CDN_SELCHANGE:
            // The platform reports each change on its own, and rewrites the
            // file-name box for each: selecting 2 000 files sends 2 000 of
            // these. What follows a change (reading the names, the preview)
            // waits until the run is over, once.
            if (!selectionPending_)
                selectionPending_ = PostMessageW(child, kSelectionSettled, 0, 0) != FALSE;
            break;
        }
        return 0;
    case kSelectionSettled:
        selectionPending_ = false;
        SelectionChanged();
        return TRUE;
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

TSaveDialog::TSaveDialog(TComponent* owner) : TOpenDialog(owner)
{
}

bool TSaveDialog::RunDialog(OPENFILENAMEW& record)
{
    return GetSaveFileNameW(&record) != FALSE;
}
