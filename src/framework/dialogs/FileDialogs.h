#pragma once
// The platform's open and save dialogs (explorer style, ANSI). A multiple
// selection of any length is returned whole: the result buffer grows while
// the dialog runs (on every change of selection and when the user confirms),
// and should the platform still find it too small the dialog is shown again
// with the same folder and names, with room for them.

#include "framework/Component.h"
#include "framework/dialogs/DialogInterfaces.h"

#include <commdlg.h>
#include <string>
#include <vector>

class TOpenDialog : public TComponent, public virtual IFileDialog {
public:
    explicit TOpenDialog(TComponent* owner);

    const std::string& Title() const override { return title_; }
    void SetTitle(const std::string& title) override { title_ = title; }
    TOpenOptions Options() const override { return options_; }
    void SetOptions(TOpenOptions options) override { options_ = options; }
    bool Execute() override;
    std::vector<std::string> Files() const override { return files_; }
    std::string FileName() const override { return files_.empty() ? fileName_ : files_.front(); }

    // The name shown in the file-name box when the dialog opens.
    void SetFileName(const std::string& fileName) { fileName_ = fileName; }
    // "Description|*.a;*.b|Description 2|*.c"
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& filter) { filter_ = filter; }
    // 1-based; after Execute the filter the user last chose.
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int index) { filterIndex_ = index; }
    // Appended to a typed name without an extension; empty for none.
    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::string& extension) { defaultExt_ = extension; }
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& folder) { initialDir_ = folder; }

    // The dialog window while it is shown, else nullptr.
    HWND Handle() const { return dialog_; }
    // The dialog is up (its controls exist); the selection changed.
    TNotifyEvent OnShow;
    TNotifyEvent OnSelectionChange;

protected:
    // Runs the platform's dialog on the prepared record.
    virtual bool RunDialog(OPENFILENAMEA& record);
    // A child template placed beside the standard controls, or nullptr.
    virtual const DLGTEMPLATE* ChildTemplate() { return nullptr; }
    // The child dialog (of the template, or an empty one) was made.
    virtual void ChildCreated(HWND child) {}
    virtual void SelectionChanged();
    // Owner-drawn controls of the child template.
    virtual bool DrawItem(const DRAWITEMSTRUCT& item) { return false; }
    virtual void DialogClosing() {}

    // The dialog's current folder and file-name text (quoted names when
    // several are chosen).
    std::string CurrentFolder() const;
    std::string CurrentFileNameText() const;

private:
    static UINT_PTR CALLBACK HookProcedure(HWND child, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK DialogSubclass(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR data);
    UINT_PTR HandleHookMessage(HWND child, UINT msg, WPARAM wParam, LPARAM lParam);
    // Fills the record for a run; the buffer already holds the initial name.
    void Prepare(OPENFILENAMEA& record, const std::string& initialDir);
    // Grows the result buffer to hold what the dialog currently shows.
    void MakeRoomForSelection();
    bool RunOnce(const std::string& initialText, const std::string& initialDir, bool& bufferTooSmall);

    std::string title_;
    std::string filter_;
    std::string filterText_;
    int filterIndex_ = 1;
    std::string defaultExt_;
    std::string initialDir_;
    std::string fileName_;
    TOpenOptions options_ = ofHideReadOnly | ofEnableSizing;
    std::vector<std::string> files_;

    OPENFILENAMEA record_{};
    std::vector<char> buffer_;
    HWND dialog_ = nullptr;
    // What the user last confirmed, to show again should the platform
    // refuse it for want of room.
    std::string confirmedFolder_;
    std::string confirmedText_;
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* owner);

protected:
    bool RunDialog(OPENFILENAMEA& record) override;
};
