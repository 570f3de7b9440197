#include "lists/ListFiles.h"

#include "lists/ListFileStore.h"
#include "platform/Files.h"
#include "platform/ProgramFolder.h"

template <class Input>
void TListFiles::ReadEntries(Input& input, int32_t count)
{
    TControlItems& paths = pathList_.Items();
    const TItemsUpdate update(paths);
    for (int32_t i = 0; i < count; ++i) {
        if (input.AtEnd() && paths.Count() >= MaxEntriesPastEnd)
            break;
        paths.Add(input.ReadLine());
    }
}

void TListFiles::Save(IFileDialog& dialog)
{
    dialog.SetTitle("Saving list of image files for wallpaper ...");
    if (!dialog.Execute())
        return;
    SaveListFile(dialog.FileName() + ListFileExtension, pathList_.Items().Texts());
}

void TListFiles::Load(IFileDialog& dialog)
{
    dialog.SetTitle("Loading file for wallpaper ...");
    if (dialog.Execute()) {
        {
            TListFileInput input(dialog.FileName());
            const int32_t count = input.ReadCount();
            pathList_.Items().Clear();
            list_.NameListClear();
            ReadEntries(input, count);
        }  // the file is closed before the first entry is shown
        if (pathList_.Items().Count() > 0) {
            currentIndex_ = 0;
            list_.ShowSelectedImage();
        }
        list_.RefreshNameList();
    }
    list_.WriteTotal();
    SaveLastList();
}

void TListFiles::LoadLastList()
{
    if (!FileExists(programFolder_ + LastListFileName)) {
        SetCurrentFolder(programFolder_);
        SaveListFile(LastListFileName, {});
    }
    SetCurrentFolder(programFolder_);
    int32_t count = 0;
    {
        TListFileInput input(LastListFileName);
        count = input.ReadCount();
        if (count > 0) {
            pathList_.Items().Clear();
            ReadEntries(input, count);
        }
    }  // the file is closed before the first entry is shown
    if (count > 0) {
        currentIndex_ = 0;
        list_.ShowSelectedImage();
    }
    list_.RefreshNameList();
}

void TListFiles::SaveLastList()
{
    SetCurrentFolder(programFolder_);
    SaveListFile(LastListFileName, pathList_.Items().Texts());
}
