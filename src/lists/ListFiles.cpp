#include "lists/ListFiles.h"

#include "core/Exceptions.h"
#include "platform/Files.h"
#include "platform/ProgramFolder.h"

namespace {

TListFileContent ReadContent(TListFileInput& input)
{
    return ReadListFileContent(input, TListFiles::MaxEntriesPastEnd);
}

} // namespace

void TListFiles::Save(IFileDialog& dialog)
{
    dialog.SetTitle("Saving list of image files for wallpaper ...");
    // The name may be that of an existing list: the dialog asks before the
    // user's file is replaced.
    dialog.SetOptions(dialog.Options() | TOpenOption::OverwritePrompt);
    if (!dialog.Execute())
        return;
    SaveListFile(ListFileNameFor(dialog.FileName()), list_.Paths(), list_.Folders());
}

void TListFiles::Load(IFileDialog& dialog)
{
    FinishLoad();
    dialog.SetTitle("Loading file for wallpaper ...");
    if (!dialog.Execute()) {
        EndLoad(nullptr);
        return;
    }
    auto input = std::make_unique<TListFileInput>(dialog.FileName());
    if (readWindow_.Window && input->LongerThan(BackgroundReadBytes)) {
        read_ = std::make_unique<TListFileRead>(std::move(input), MaxEntriesPastEnd, readWindow_.Window(),
                                                ListReadMessage, static_cast<WPARAM>(++readTag_));
        return;
    }
    TListFileContent content = ReadContent(*input);
    input.reset(); // the file is closed before the first entry is shown
    EndLoad(&content);
}

void TListFiles::EndLoad(TListFileContent* content)
{
    if (content)
        ReplaceList(std::move(*content), true);
    commands_.WriteTotal();
    if (!content || !readWindow_.LastListWriteBegan) {
        SaveLastList();
        return;
    }
    // A long list loaded is written as the edits' saves write it: on a
    // worker, its failure told by whoever follows those writes.
    if (SaveLastListInBackground(readWindow_.Window(), LastListWrittenMessage))
        readWindow_.LastListWriteBegan();
}

bool TListFiles::ListRead(WPARAM tag)
{
    if (!read_ || tag != static_cast<WPARAM>(readTag_))
        return false;
    ApplyRead();
    return true;
}

void TListFiles::FinishLoad()
{
    if (read_)
        ApplyRead();
}

void TListFiles::ApplyRead()
{
    // The hourglass goes with the read, also when it failed.
    const std::unique_ptr<TListFileRead> read = std::move(read_);
    TListFileContent content = read->Finish();
    EndLoad(&content);
}

void TListFiles::ReplaceList(TListFileContent content, bool reportFailure)
{
    // The name list and the total follow at once: the first picture may
    // fail to show, and the user must still see the list that was loaded.
    list_.Load(std::move(content.Entries), std::move(content.Folders));
    if (!list_.Empty())
        commands_.ShowLoadedList(reportFailure);
}

void TListFiles::LoadLastList()
{
    SetCurrentFolder(programFolder_);
    if (!FileExists(LastListPath()))
        SaveListFile(LastListPath(), {});
    TListFileContent content = ReadLastList();
    // At a start nobody chose the picture (and the start may be hidden in
    // the tray): one that cannot be shown says so in the preview, no box.
    if (!content.Entries.empty() || !content.Folders.empty())
        ReplaceList(std::move(content), false);
}

TListFileContent TListFiles::ReadLastList()
{
    try {
        TListFileInput input(LastListPath(), lastListWait_);
        return ReadContent(input);
    } catch (const Exception& error) {
        // The program starts with an empty list, which the next exit would
        // write over the user's file: keep the file first.
        if (!KeepUnreadLastList())
            throw;
        throw ELastListNotRead::KeptAs(error.Message, lastListFolder_ + LastListBackupFileName);
    }
}

bool TListFiles::KeepUnreadLastList()
{
    lastListUnkept_ = FileExists(LastListPath());
    if (!lastListUnkept_)
        return false;
    try {
        CopyFileWhole(LastListPath(), lastListFolder_ + LastListBackupFileName);
    } catch (const Exception&) {
        // Still held by another program, say: the next write of the last
        // list tries again and does not write until the copy is made.
        return false;
    }
    lastListUnkept_ = false;
    return true;
}

void TListFiles::SaveLastList()
{
    AwaitLastListWrite();
    SetCurrentFolder(programFolder_);
    if (lastListUnkept_ && FileExists(LastListPath())) {
        CopyFileWhole(LastListPath(), lastListFolder_ + LastListBackupFileName);
    }
    lastListUnkept_ = false;
    SaveListFile(LastListPath(), list_.Paths(), list_.Folders());
}

void TListFiles::AwaitLastListWrite()
{
    if (const std::unique_ptr<TWorkerThread> write = std::move(lastListWrite_)) {
        try {
            write->Finish();
        } catch (...) {
            // Written over next, by a save that tells its own failure.
        }
    }
}

bool TListFiles::SaveLastListInBackground(HWND window, UINT message)
{
    if (lastListUnkept_ || list_.Count() < BackgroundWriteEntries) {
        SaveLastList();
        return false;
    }
    AwaitLastListWrite();
    SetCurrentFolder(programFolder_);
    lastListWrite_ =
        std::make_unique<TWorkerThread>([path = LastListPath(), entries = list_.Paths(),
                                         folders = list_.Folders()] { SaveListFile(path, entries, folders); },
                                        window, message, static_cast<WPARAM>(++lastListWriteTag_));
    return true;
}

bool TListFiles::LastListWritten(WPARAM tag)
{
    if (!lastListWrite_ || tag != static_cast<WPARAM>(lastListWriteTag_))
        return false;
    const std::unique_ptr<TWorkerThread> write = std::move(lastListWrite_);
    write->Finish();
    return true;
}
