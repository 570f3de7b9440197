// What the list offers besides its buttons: files and folders dropped on the
// window, the name list's right-click menu, and the last list saved shortly
// after each edit, so a crash does not lose the edits.

#include "app/MainForm.h"
#include "core/Exceptions.h"
#include "framework/Application.h"
#include "framework/BusyCursor.h"
#include "framework/Messages.h"
#include "framework/dialogs/FolderDialog.h"
#include "platform/Clipboard.h"
#include "platform/Files.h"
#include "platform/Shell.h"

#include <dbt.h>

void TMainForm::CreateListActions()
{
    // Drops anywhere on the window: the platform hands a drop on a child
    // (the list, the preview) to the window that accepts files.
    SetAcceptsDroppedFiles(true);
    OnDropFiles = [this](TObject* s, const std::vector<std::string>& paths) { onFilesDropped(s, paths); };

    nameListMenu_ = std::make_unique<TNameListMenu>(
        this, NameListMenuActions{
                  [this] { AddFolder(); }, [this] { imageList_->DeleteSelected(); },
                  [this] { RemoveMissingFiles(); },
                  [this] {
                      const std::string path = SelectedPath();
                      (services_.ShowFileInFolder ? services_.ShowFileInFolder : ::ShowFileInFolder)(path);
                  },
                  [this] { CopyTextToClipboard(Handle(), SelectedPath()); },
                  [this] { return !autoChangeRunning; }, [this] { return HasSelectedEntry(); },
                  [this] {
                      const int32_t number = listModel_.FolderOf(SelectedPath());
                      return number == NoFolder ? std::string()
                                                : listModel_.Folders()[static_cast<size_t>(number)].Path;
                  },
                  [this] {
                      folderFollower_->StopFollowing(listModel_.FolderOf(SelectedPath()));
                      lastListAutosave_->ListChanged();
                  }});
    nameList->SetPopupMenu(&nameListMenu_->Menu());
    // Entries whose preview failed (gone, broken) are greyed, and those of
    // a followed folder that is not there.
    nameList->RowGreyed = [this](int row) {
        return row < listModel_.Count() &&
               (listModel_.Marks(row).Missing || preview_->HasFailed(listModel_.Path(row)));
    };
    // A right click selects the row under the pointer first, as lists do,
    // so the menu acts on the entry the user pointed at.
    nameList->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int x, int y) {
        if (button != TMouseButton::Right)
            return;
        const LRESULT hit = nameList->Perform(LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
        const int row = LOWORD(hit);
        if (HIWORD(hit) == 0 && row != nameList->ItemIndex()) {
            nameList->SetItemIndex(row);
            onNameListClick(nameList);
        }
    };
    if (!services_.FolderDialog) {
        addFolderDialog_ = new TFolderDialog(this);
        addFolderDialog_->Name = "addFolderDialog";
    }

    backgroundAdd_ = std::make_unique<TBackgroundAdd>(
        this, *imageList_, *totalLabel,
        BackgroundAddActions{[this] { return Handle(); }, [this] { return autoChangeRunning; },
                             [this](const std::string& text) {
                                 return trayIcon_->ShowErrorBalloon(Application->Title, WithFullStop(text));
                             }});
    folderFollower_ =
        std::make_unique<TFolderFollower>(this, listModel_, preview_->Files(), [this] { return Handle(); });
    lastListAutosave_ = std::make_unique<TLastListAutosave>(
        this,
        [this] {
            // A long list is written on a worker thread, so the window
            // goes on answering; its end comes as a message.
            if (listFiles_->SaveLastListInBackground(Handle(), TListFiles::LastListWrittenMessage))
                lastListAutosave_->WriteBegan();
        },
        [this](const std::exception& error) { ReportUnattendedError(listFiles_->LastListPath(), error); });
    // A long list file is read on a worker; the long list it brings is
    // then written as the edits' saves write it.
    listFiles_->ReadInBackground({[this] { return Handle(); }, [this] { lastListAutosave_->WriteBegan(); }});
    // Every edit, whichever way it came: the deck follows the list (added
    // entries join the part still to come, deleted ones leave it), and the
    // last list is saved shortly after. A list read from a file is no edit:
    // its reader writes the last list as it must, and the deck takes it up
    // when the rotation next moves (which follows the list itself).
    editsFollowed_ = listModel_.Subscribe([this](const TListChange& change) {
        if (change.Kind == TListChangeKind::Loaded)
            return;
        if (rotation_)
            rotation_->Follow(listModel_.Paths());
        lastListAutosave_->ListChanged();
    });
}

void TMainForm::onFilesDropped(TObject*, const std::vector<std::string>& paths)
{
    AddOrFollow(paths, TAddOrigin::User);
}

void TMainForm::AddOrFollow(const std::vector<std::string>& items, TAddOrigin origin)
{
    if (ReadOptions(*services_.Registry).Flag(OptionNames::FollowFolders))
        FollowFolders(items, origin);
    else
        AddFilesAndFolders(items, origin);
}

void TMainForm::FollowFolders(const std::vector<std::string>& items, TAddOrigin origin)
{
    if (backgroundAdd_->RefusedWhileLocked(origin))
        return;
    std::vector<std::string> files;
    for (const std::string& item : items) {
        if (FolderExists(item))
            folderFollower_->Follow(item);
        else
            files.push_back(item);
    }
    // The folders followed are part of the list kept for the next run.
    if (files.size() != items.size())
        lastListAutosave_->ListChanged();
    if (!files.empty())
        AddFilesAndFolders(files, origin);
}

bool TMainForm::HandleScanMessage(TMessage& message)
{
    bool handled = false;
    Application->Guarded([&] { handled = folderFollower_->HandleMessage(message.Msg, message.WParam); });
    if (handled)
        return true;
    // A drive came (a USB stick put back): a followed folder on it that
    // was missing is looked for. The message goes on to the form as well.
    if (message.Msg == WM_DEVICECHANGE && message.WParam == DBT_DEVICEARRIVAL)
        folderFollower_->DriveArrived();
    if (message.Msg == TListFiles::LastListWrittenMessage) {
        Application->Guarded([this, &message] {
            try {
                if (listFiles_->LastListWritten(message.WParam))
                    lastListAutosave_->WriteEnded(nullptr);
            } catch (const std::exception& error) {
                lastListAutosave_->WriteEnded(&error);
            }
        });
        return true;
    }
    if (message.Msg == TListFiles::ListReadMessage) {
        // A load whose read ends after the program began to end is dropped:
        // the list was kept as it was.
        if (!Application->Terminated())
            Application->Guarded([this, &message] { listFiles_->ListRead(message.WParam); });
        return true;
    }
    if (message.Msg == TBackgroundAdd::ScanEndedMessage) {
        Application->Guarded([this, &message] { backgroundAdd_->ScanEnded(message.WParam); });
        return true;
    }
    if (message.Msg == CM_DIALOGKEY && message.WParam == VK_ESCAPE && Scanning()) {
        CancelScan();
        message.Result = 1;
        return true;
    }
    return false;
}

void TMainForm::AddFolder()
{
    IFolderDialog& dialog = services_.FolderDialog ? *services_.FolderDialog : *addFolderDialog_;
    dialog.SetTitle("Add folder ...");
    const bool following = ReadOptions(*services_.Registry).Flag(OptionNames::FollowFolders);
    dialog.SetCheckBox(FollowCheckBoxText, following);
    if (!dialog.Execute())
        return;
    if (dialog.CheckBoxChecked() != following) {
        TOptionValues chosen;
        chosen.SetFlag(OptionNames::FollowFolders, dialog.CheckBoxChecked());
        // Only the choice for the next time is lost when it cannot be kept.
        Application->Guarded([&] { WriteOptions(*services_.Registry, chosen, {TWrittenWhen::WhenChosen}); });
    }
    if (dialog.CheckBoxChecked())
        FollowFolders({dialog.Folder()});
    else
        AddFilesAndFolders({dialog.Folder()});
}

void TMainForm::RemoveMissingFiles()
{
    IEntryFiles& files = preview_->Files();
    const TBusyCursor busy;
    imageList_->RemoveMissing([&files](const std::string& entry) {
        // Another computer's files are not asked for: asking would connect
        // to it. Such an entry stays.
        return !files.OnAnotherComputer(entry) && !files.Exists(entry);
    });
}

bool TMainForm::HasSelectedEntry()
{
    const int row = nameList->ItemIndex();
    return row >= 0 && row < listModel_.Count();
}

std::string TMainForm::SelectedPath()
{
    if (!HasSelectedEntry())
        throw EListError::IndexOutOfBounds(nameList->ItemIndex());
    return listModel_.Path(nameList->ItemIndex());
}
