#include "lists/ImageList.h"

#include "core/Exceptions.h"
#include "core/FileNames.h"
#include "core/PictureFileNames.h"
#include "core/ScopeExit.h"
#include "lists/ListTexts.h"
#include "platform/Files.h"
#include "platform/FolderScan.h"
#include "platform/OrdinalCase.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <unordered_set>
#include <vector>

void TImageList::RefreshNameList()
{
    const std::vector<std::string>& paths = view_.PathList.Items().Texts();
    TControlItems& names = view_.NameList.Items();
    const int selected = view_.NameList.ItemIndex();
    const size_t existing = std::min(paths.size(), static_cast<size_t>(names.Count()));
    {
        const TItemsUpdate update(names);
        for (size_t i = 0; i < existing; ++i) {
            const int row = static_cast<int>(i);
            const std::string name = ExtractFileName(paths[i]);
            if (names[row] != name)
                names.SetStrings(row, name);
        }
        // The missing rows go in as one batch: the list makes room for all
        // of them at once instead of growing row by row.
        std::vector<std::string> missing;
        missing.reserve(paths.size() - existing);
        for (size_t i = existing; i < paths.size(); ++i)
            missing.push_back(ExtractFileName(paths[i]));
        names.AddStrings(std::move(missing));
    }
    if (view_.NameList.ItemIndex() != selected && selected < names.Count())
        view_.NameList.SetItemIndex(selected);
}

void TImageList::WriteTotal()
{
    view_.TotalLabel.SetCaption(TotalFilesText(view_.PathList.Items().Count()));
    view_.TotalLabel.SetHint("");
}

void TImageList::NoteSkipped(size_t skipped)
{
    view_.TotalLabel.SetCaption(TotalFilesText(view_.PathList.Items().Count()) + SkippedFilesNote(skipped));
    view_.TotalLabel.SetHint(SkippedFilesHint(skipped));
}

void TImageList::SelectNameRowOfPathSelection()
{
    view_.NameList.SetItemIndex(view_.PathList.ItemIndex());
}

void TImageList::ListChanged()
{
    if (OnListChange)
        OnListChange();
}

void TImageList::AddFiles(IOpenPictureDialog& dialog)
{
    dialog.SetTitle("Add image file ...");
    Append(dialog.Execute() ? dialog.Files() : std::vector<std::string>());
}

void TImageList::AddFilesAndFolders(const std::vector<std::string>& items)
{
    AddGathered(GatherPictures(items));
}

void TImageList::AddGathered(TGatheredPictures gathered)
{
    Append(std::move(gathered.Pictures));
    if (gathered.FirstProblem)
        throw *gathered.FirstProblem;
}

size_t TImageList::DropEntriesAlreadyListed(std::vector<std::string>& files)
{
    if (files.empty())
        return 0;
    // Windows takes names that differ only in case, in any script, for the
    // same file.
    std::unordered_set<std::wstring> listed;
    const std::vector<std::string>& paths = view_.PathList.Items().Texts();
    listed.reserve(paths.size() + files.size());
    for (const std::string& path : paths)
        listed.insert(OrdinalCaseKey(path));
    const size_t before = files.size();
    std::erase_if(files,
                  [&listed](const std::string& file) { return !listed.insert(OrdinalCaseKey(file)).second; });
    return before - files.size();
}

void TImageList::Append(std::vector<std::string> files)
{
    const size_t skipped = DropEntriesAlreadyListed(files);
    AppendAndShow(std::move(files));
    // After the preview, which writes the plain total.
    if (skipped > 0)
        NoteSkipped(skipped);
}

void TImageList::AppendAndShow(std::vector<std::string> files)
{
    TControlItems& paths = view_.PathList.Items();
    const int countBefore = paths.Count();
    const int previous = countBefore > 0 ? view_.PathList.ItemIndex() : 0;

    if (!files.empty()) {
        {
            const TItemsUpdate update(paths);
            paths.AddStrings(std::move(files));
        }
        ListChanged();
    }
    WriteTotal();

    if (previous == 0 && paths.Count() > 0) {
        currentIndex_ = 0;
    } else if (previous > 0) {
        currentIndex_ = previous;
    } else if (previous < 0 && paths.Count() > countBefore) {
        // Entries but no selected row: show the first of the new files, so
        // the user sees what was added.
        currentIndex_ = countBefore;
    } else {
        // Nothing to show; still bring the name list in step.
        RefreshNameList();
        return;
    }
    PreviewSelectedEntry();
    RefreshNameList();
    SelectNameRowOfPathSelection();
}

void TImageList::DeleteSelected()
{
    TControlItems& paths = view_.PathList.Items();
    int k = view_.PathList.ItemIndex();
    if (k < 0) {
        // No selected entry (a preview failed before): delete the row the
        // user sees highlighted; with none, there is nothing to delete.
        k = view_.NameList.ItemIndex();
        if (k < 0 || k >= paths.Count()) {
            RefreshNameList();
            return;
        }
    }
    const int next = k > 0 ? k - 1 : 0;
    paths.Delete(k);
    ListChanged();
    if (k < view_.NameList.Items().Count())
        view_.NameList.Items().Delete(k);
    view_.Image.Picture().Clear();
    WriteTotal();
    view_.SizeLabel.SetVisible(false);
    view_.NameLabel.SetVisible(false);
    ShowNearestOnThisComputer(next);
    RefreshNameList();
    if (view_.NameList.Items().Count() > 0)
        SelectNameRowOfPathSelection();
}

void TImageList::ShowNearestOnThisComputer(int from, bool reportFailure)
{
    const std::vector<std::string>& paths = view_.PathList.Items().Texts();
    IEntryFiles& files = preview_.Files();
    const int count = static_cast<int>(paths.size());
    // `from` first, then the entries before it, then those after it.
    int found = -1;
    for (int step = 0; step < count && found < 0; ++step) {
        const int row = step <= from ? from - step : step;
        if (row < count && !files.OnAnotherComputer(paths[static_cast<size_t>(row)]))
            found = row;
    }
    if (found < 0) {
        view_.PathList.SetItemIndex(-1);
        view_.NameList.SetItemIndex(-1);
        preview_.ShowNothing();
        return;
    }
    currentIndex_ = found;
    if (reportFailure)
        ShowSelectedImage();
    else
        PreviewSelectedEntry();
}

void TImageList::ReplaceEntries(std::vector<std::string> entries)
{
    TControlItems& paths = view_.PathList.Items();
    {
        const TItemsUpdate update(paths);
        paths.Clear();
        paths.AddStrings(std::move(entries));
    }
    view_.NameList.Items().Clear();
    ListChanged();
    WriteTotal();
    RefreshNameList();
}

void TImageList::RemoveMissing(const std::function<bool(const std::string& entry)>& isMissing)
{
    TControlItems& paths = view_.PathList.Items();
    const int selected =
        view_.PathList.ItemIndex() >= 0 ? view_.PathList.ItemIndex() : view_.NameList.ItemIndex();
    std::vector<std::string> kept;
    int keptSelected = -1;
    for (int row = 0; row < paths.Count(); ++row) {
        if (isMissing(paths[row]))
            continue;
        if (row == selected)
            keptSelected = static_cast<int>(kept.size());
        kept.push_back(paths[row]);
    }
    if (static_cast<int>(kept.size()) == paths.Count())
        return;
    ReplaceEntries(std::move(kept));
    // The user's own selection shows again; without one, no entry on
    // another computer is opened for them.
    if (keptSelected >= 0) {
        currentIndex_ = keptSelected;
        PreviewSelectedEntry();
    } else {
        ShowNearestOnThisComputer(0);
    }
    SelectNameRowOfPathSelection();
}

void TImageList::NewList()
{
    view_.PathList.Items().Clear();
    view_.NameList.Items().Clear();
    preview_.ShowNothing();
    WriteTotal();
    ListChanged();
}

void TImageList::ShowSelectedImage()
{
    try {
        preview_.ShowSelectedImage(currentIndex_);
    } catch (const Exception&) {
        // The row is now marked as failed.
        view_.NameList.Invalidate();
        throw;
    }
}

void TImageList::PreviewSelectedEntry()
{
    try {
        ShowSelectedImage();
    } catch (const Exception&) {
        // Shown in the preview; the selection is no one's error.
    }
}

void TImageList::ShowLoadedList(bool reportFailure)
{
    // The name list is selected even when the preview fails.
    const ScopeExit selectName([this] { SelectNameRowOfPathSelection(); });
    ShowNearestOnThisComputer(0, reportFailure);
}

void TImageList::ShowClickedEntry()
{
    // A click below the last row selects nothing: nothing to show.
    const int row = view_.NameList.ItemIndex();
    if (row < 0 || row >= view_.PathList.Items().Count())
        return;
    currentIndex_ = row;
    PreviewSelectedEntry();
}
