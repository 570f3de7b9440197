#include "lists/ImageList.h"

#include "core/Exceptions.h"
#include "core/FileNames.h"
#include "core/PictureFileNames.h"
#include "core/ScopeExit.h"
#include "lists/ListTexts.h"
#include "platform/Files.h"
#include "platform/FolderScan.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <vector>

TImageList::TImageList(ImageListView view, TPreview& preview, int32_t& currentIndex)
    : view_(view), preview_(preview), currentIndex_(currentIndex), nameListView_(view.List, view.NameList),
      labelsFollowList_(view.List.Subscribe([this](const TListChange& change) {
          WriteTotal();
          if (change.Kind == TListChangeKind::Renamed)
              preview_.EntryRenamed(change.First);
      }))
{
    // The row of a picture that cannot be shown is drawn greyed.
    preview_.OnFailureShown = [this] { view_.NameList.Invalidate(); };
}

void TImageList::WriteTotal()
{
    view_.TotalLabel.SetCaption(TotalFilesText(view_.List.Count()));
    view_.TotalLabel.SetHint("");
}

void TImageList::NoteSkipped(size_t skipped)
{
    view_.TotalLabel.SetCaption(TotalFilesText(view_.List.Count()) + SkippedFilesNote(skipped));
    view_.TotalLabel.SetHint(SkippedFilesHint(skipped));
}

void TImageList::SelectNameRowOfSelectedEntry()
{
    view_.NameList.SetItemIndex(view_.List.Selected());
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

void TImageList::AddKeyed(TKeyedPaths ready, TListedKeys& listed)
{
    AppendWith([&] { return view_.List.Add(std::move(ready), listed); });
}

void TImageList::Append(std::vector<std::string> files)
{
    // Windows takes names that differ only in case, in any script, for the
    // same file: the list holds each file once.
    AppendWith([&] { return view_.List.Add(std::move(files)); });
}

void TImageList::AppendWith(const std::function<size_t()>& add)
{
    // A load that failed loses the user no pictures: they join the list
    // that stays, and the load's failure is told after.
    std::exception_ptr loadFailure;
    if (BeforeAdd) {
        try {
            BeforeAdd();
        } catch (...) {
            loadFailure = std::current_exception();
        }
    }
    AppendNow(add);
    if (loadFailure)
        std::rethrow_exception(loadFailure);
}

void TImageList::AppendNow(const std::function<size_t()>& add)
{
    const int countBefore = view_.List.Count();
    const int previous = countBefore > 0 ? view_.List.Selected() : 0;
    const size_t skipped = add();
    WriteTotal();
    ShowAfterAdd(countBefore, previous);
    // After the preview, which writes the plain total.
    if (skipped > 0)
        NoteSkipped(skipped);
}

void TImageList::ShowAfterAdd(int countBefore, int previous)
{
    const int count = view_.List.Count();
    if (previous == 0 && count > 0) {
        currentIndex_ = 0;
    } else if (previous > 0) {
        currentIndex_ = previous;
    } else if (previous < 0 && count > countBefore) {
        // Entries but no selected row: show the first of the new files, so
        // the user sees what was added.
        currentIndex_ = countBefore;
    } else {
        return; // nothing to show
    }
    PreviewSelectedEntry();
    SelectNameRowOfSelectedEntry();
}

void TImageList::DeleteSelected()
{
    int k = view_.List.Selected();
    if (k < 0) {
        // No selected entry (a preview failed before): delete the row the
        // user sees highlighted; with none, there is nothing to delete.
        k = view_.NameList.ItemIndex();
        if (k < 0 || k >= view_.List.Count())
            return;
    }
    const int next = k > 0 ? k - 1 : 0;
    view_.List.RemoveKeepingOut(k);
    view_.Image.Picture().Clear();
    view_.SizeLabel.SetVisible(false);
    view_.NameLabel.SetVisible(false);
    ShowNearestOnThisComputer(next);
    if (!view_.List.Empty())
        SelectNameRowOfSelectedEntry();
}

void TImageList::ShowNearestOnThisComputer(int from, bool reportFailure)
{
    const std::vector<std::string>& paths = view_.List.Paths();
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
        view_.List.Select(-1);
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

void TImageList::RemoveMissing(const std::function<bool(const std::string& entry)>& isMissing)
{
    // The user's own selection: the selected entry, else the highlighted
    // row; the list keeps it on its entry if that stays.
    const int selectedBefore = view_.List.Selected();
    const int users = selectedBefore >= 0 ? selectedBefore : view_.NameList.ItemIndex();
    if (users < view_.List.Count())
        view_.List.Select(users);
    if (view_.List.RemoveIf(isMissing) == 0) {
        view_.List.Select(selectedBefore);
        return;
    }
    // The user's own selection shows again; without one, no entry on
    // another computer is opened for them.
    if (view_.List.Selected() >= 0) {
        currentIndex_ = view_.List.Selected();
        PreviewSelectedEntry();
    } else {
        ShowNearestOnThisComputer(0);
    }
    SelectNameRowOfSelectedEntry();
}

void TImageList::NewList()
{
    view_.List.Clear();
    preview_.ShowNothing();
    WriteTotal();
}

void TImageList::ShowSelectedImage()
{
    preview_.RequestImage(currentIndex_, true);
}

void TImageList::PreviewSelectedEntry()
{
    try {
        preview_.RequestImage(currentIndex_);
    } catch (const Exception&) {
        // Shown in the preview; the selection is no one's error.
    }
}

void TImageList::ShowLoadedList(bool reportFailure)
{
    // The name list is selected even when the preview fails.
    const ScopeExit selectName([this] { SelectNameRowOfSelectedEntry(); });
    ShowNearestOnThisComputer(0, reportFailure);
}

void TImageList::ShowClickedEntry()
{
    // A click below the last row selects nothing: nothing to show.
    const int row = view_.NameList.ItemIndex();
    if (row < 0 || row >= view_.List.Count())
        return;
    currentIndex_ = row;
    PreviewSelectedEntry();
}
