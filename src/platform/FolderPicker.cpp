#include "platform/FolderPicker.h"

#include "core/Exceptions.h"
#include "platform/ComObjects.h"
#include "platform/SystemError.h"
#include "platform/WideText.h"

#include <shobjidl.h>

namespace {

constexpr DWORD CheckBoxId = 1;

// A failed COM call raises its reason.
void Check(HRESULT result)
{
    if (FAILED(result))
        throw Exception("Cannot show the folder dialog. " +
                        SystemErrorMessage(static_cast<unsigned long>(result)));
}

// A text a shell call hands out, freed when this object goes.
class TShellText {
public:
    TShellText() = default;
    TShellText(const TShellText&) = delete;
    TShellText& operator=(const TShellText&) = delete;
    ~TShellText() { CoTaskMemFree(text_); }
    wchar_t** Receive() { return &text_; }
    const wchar_t* Get() const { return text_; }

private:
    wchar_t* text_ = nullptr;
};

} // namespace

std::optional<std::string> PickFolder(HWND owner, const std::string& title, TFolderPickerCheck& check)
{
    const TComApartment apartment;
    TComPtr<IFileOpenDialog> dialog;
    Check(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                           reinterpret_cast<void**>(dialog.Receive())));
    FILEOPENDIALOGOPTIONS options = 0;
    Check(dialog->GetOptions(&options));
    Check(dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST));
    if (!title.empty())
        Check(dialog->SetTitle(WideFromUtf8(title).c_str()));
    TComPtr<IFileDialogCustomize> custom;
    if (!check.Text.empty()) {
        // Without the customisation (an older shell), the dialog shows
        // without the box rather than not at all.
        if (FAILED(dialog->QueryInterface(IID_IFileDialogCustomize,
                                          reinterpret_cast<void**>(custom.Receive()))) ||
            FAILED(custom->AddCheckButton(CheckBoxId, WideFromUtf8(check.Text).c_str(), check.Checked)))
            custom.Reset();
    }
    const HRESULT shown = dialog->Show(owner);
    if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED))
        return std::nullopt;
    Check(shown);
    BOOL checked = check.Checked;
    if (custom.Get() && SUCCEEDED(custom->GetCheckButtonState(CheckBoxId, &checked)))
        check.Checked = checked != FALSE;
    TComPtr<IShellItem> item;
    Check(dialog->GetResult(item.Receive()));
    TShellText path;
    Check(item->GetDisplayName(SIGDN_FILESYSPATH, path.Receive()));
    try {
        return Utf8FromWide(path.Get());
    } catch (const EConvertError&) {
        throw EFOpenError::NameNotUnicode(Utf8FromWideReplacing(path.Get()));
    }
}
