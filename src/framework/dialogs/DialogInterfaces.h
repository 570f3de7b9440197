#pragma once
// What a form needs from a file dialog, so that tests can hand it a fake.
// Portable: no Windows header.

#include <cstdint>
#include <string>
#include <vector>

// Options of the file dialogs (any combination).
struct TOpenOption {
    enum : uint32_t {
        ReadOnly = 1 << 0,         // the read-only box starts ticked
        OverwritePrompt = 1 << 1,  // save: ask before replacing a file
        HideReadOnly = 1 << 2,     // no read-only box
        NoChangeDir = 1 << 3,      // the process's current folder stays as it was
        AllowMultiSelect = 1 << 4, // open: several files may be chosen
        PathMustExist = 1 << 5,    // the chosen folder must exist
        FileMustExist = 1 << 6,    // open: the chosen file must exist
        CreatePrompt = 1 << 7,     // open: ask before a file is to be created
        NoReadOnlyReturn = 1 << 8, // refuse read-only files
        EnableSizing = 1 << 9,     // the dialog can be resized
    };
};
using TOpenOptions = uint32_t;

class IFileDialog {
public:
    virtual ~IFileDialog() = default;

    virtual const std::string& Title() const = 0;
    virtual void SetTitle(const std::string& title) = 0;
    virtual TOpenOptions Options() const = 0;
    virtual void SetOptions(TOpenOptions options) = 0;
    // The folder the dialog opens in; empty: the current folder.
    virtual const std::string& InitialDir() const = 0;
    virtual void SetInitialDir(const std::string& folder) = 0;
    // Shows the dialog and waits; true when the user confirmed a choice.
    virtual bool Execute() = 0;
    // The chosen files as full paths, in the dialog's order (one file
    // unless several may be chosen); empty after a cancelled dialog.
    virtual std::vector<std::string> Files() const = 0;
    // The first chosen file; after a cancelled dialog, the name it was
    // opened with.
    virtual std::string FileName() const = 0;
};

// The dialog that picks image files, with a preview of the picture under
// the cursor. (Virtual bases: one dialog class can implement both.)
class IOpenPictureDialog : public virtual IFileDialog {};

// The dialog that picks one folder.
class IFolderDialog {
public:
    virtual ~IFolderDialog() = default;

    virtual void SetTitle(const std::string& title) = 0;
    // Shows the dialog and waits; true when the user chose a folder.
    virtual bool Execute() = 0;
    // The chosen folder's full path; empty after a cancelled dialog.
    virtual std::string Folder() const = 0;
    // A check box shown below the folder's name with `text`, ticked or not
    // (none while `text` is empty); its state is read after Execute.
    virtual void SetCheckBox(const std::string& text, bool checked) = 0;
    virtual bool CheckBoxChecked() const = 0;
};
