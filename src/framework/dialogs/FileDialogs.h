#pragma once
// The platform's open and save dialogs (explorer style). They run wide, so
// the names the user sees and chooses are the files' own, and each chosen
// path is handed out as UTF-8. A name no text can hold (one with half of a
// surrogate pair, which the file system allows) refuses the whole choice
// with an error naming it.
//
// A multiple selection of any length is returned whole: the result buffer
// grows when the user confirms, to hold what the dialog then shows, and
// should the platform still find it too small the dialog is shown again with
// the same folder and names, with room for them.
//
// The dialog opens with the keyboard focus in its file-name box, where the
// platform puts it, so a name can be typed straight away.

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
    const std::string& InitialDir() const override { return initialDir_; }
    void SetInitialDir(const std::string& folder) override { initialDir_ = folder; }

    // The dialog window while it is shown, else nullptr.
    HWND Handle() const { return dialog_; }
    // The dialog is up (its controls exist); the selection changed (told
    // once the platform's run of changes is over: Ctrl+A in a folder of
    // 2 000 files reports once, not 2 000 times).
    TNotifyEvent OnShow;
    TNotifyEvent OnSelectionChange;

protected:
    // Runs the platform's dialog on the prepared record.
    virtual bool RunDialog(OPENFILENAMEW& record);
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
    std::wstring CurrentFolder() const;
    std::wstring CurrentFileNameText() const;

private:
    static UINT_PTR CALLBACK HookProcedure(HWND child, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK DialogSubclass(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR data);
    UINT_PTR HandleHookMessage(HWND child, UINT msg, WPARAM wParam, LPARAM lParam);
    // Fills the record for a run; the buffer already holds the initial name.
    void Prepare(OPENFILENAMEW& record);
    // Grows the result buffer to hold what the dialog currently shows.
    void MakeRoomForSelection();
    bool RunOnce(const std::wstring& initialText, const std::wstring& initialDir, bool& bufferTooSmall);

    std::string title_;
    std::string filter_;
    int filterIndex_ = 1;
    std::string defaultExt_;
    std::string initialDir_;
    std::string fileName_;
    TOpenOptions options_ = TOpenOption::HideReadOnly | TOpenOption::EnableSizing;
    std::vector<std::string> files_;

    // The wide texts the record points to while the dialog runs.
    std::wstring runTitle_, runFilter_, runInitialDir_, runDefaultExt_;
    OPENFILENAMEW record_{};
    std::vector<wchar_t> buffer_;
    HWND dialog_ = nullptr;
    // A selection change is reported to the child dialog by a posted
    // message, at most one waiting at a time.
    bool selectionPending_ = false;
    // What the user last confirmed, to show again should the platform
    // refuse it for want of room.
    std::wstring confirmedFolder_;
    std::wstring confirmedText_;
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* owner);

protected:
    bool RunDialog(OPENFILENAMEW& record) override;
};
