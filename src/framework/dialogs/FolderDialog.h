#pragma once
// The platform's folder picker (the common item dialog in its folder mode).
// The chosen folder is handed out as UTF-8; a folder that is no file-system
// folder (a library, the network neighbourhood) cannot be chosen.

#include "framework/Component.h"
#include "framework/dialogs/DialogInterfaces.h"
#include "platform/FolderPicker.h"

#include <string>

class TFolderDialog : public TComponent, public IFolderDialog {
public:
    explicit TFolderDialog(TComponent* owner) : TComponent(owner) {}

    void SetTitle(const std::string& title) override { title_ = title; }
    bool Execute() override;
    std::string Folder() const override { return folder_; }
    void SetCheckBox(const std::string& text, bool checked) override { check_ = {text, checked}; }
    bool CheckBoxChecked() const override { return check_.Checked; }

private:
    TFolderPickerCheck check_;
    std::string title_;
    std::string folder_;
};
