#include "framework/dialogs/FolderDialog.h"

#include "framework/Application.h"
#include "framework/Form.h"
#include "platform/FolderPicker.h"

namespace {

HWND DialogOwner()
{
    if (HWND active = GetActiveWindow())
        return active;
    if (Application && Application->MainForm() && Application->MainForm()->HandleAllocated())
        return Application->MainForm()->Handle();
    return nullptr;
}

} // namespace

bool TFolderDialog::Execute()
{
    folder_.clear();
    if (Application)
        Application->EnterOleApartment();
    const TModalLoop modal;
    std::optional<std::string> chosen = PickFolder(DialogOwner(), title_, check_);
    if (!chosen)
        return false;
    folder_ = std::move(*chosen);
    return true;
}
