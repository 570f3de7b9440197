#include "lists/ImageList.h"

#include "core/Exceptions.h"
#include "core/FileNames.h"
#include "lists/ListTexts.h"

#include <algorithm>
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

void TImageList::Append(std::vector<std::string> files)
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
        // Entries but no selected row (a preview failed before): show the
        // first of the new files, so the user sees what was added.
        currentIndex_ = countBefore;
    } else {
        // Nothing to show; still bring the name list in step.
        RefreshNameList();
        return;
    }
    ShowSelectedImage();
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
    if (paths.Count() > 0) {
        currentIndex_ = next;
        ShowSelectedImage();
    }
    RefreshNameList();
    if (view_.NameList.Items().Count() > 0)
        SelectNameRowOfPathSelection();
}

void TImageList::NewList()
{
    view_.PathList.Items().Clear();
    view_.NameList.Items().Clear();
    view_.Image.Picture().Clear();
    WriteTotal();
    ListChanged();
}

void TImageList::ShowClickedEntry()
{
    currentIndex_ = view_.NameList.ItemIndex();
    ShowSelectedImage();
}
