// The file dialogs, driven for real under the platform: many chosen files
// beyond the classic 65 519-character limit, the preview pane, the filter
// and title, typed names in the save dialog.

#include "support/ModalScript.h"
#include "support/TempFolder.h"
#include "framework/dialogs/OpenPictureDialog.h"

#include <algorithm>
#include <commctrl.h>
#include <cstdio>
#include <dlgs.h>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace {

// The dialog's file list (a list view inside the shell view).
HWND FileList(HWND dialog)
{
    return dialog ? FindDescendant(dialog, WC_LISTVIEWA) : nullptr;
}

int ItemCount(HWND list)
{
    return list ? static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) : -1;
}

void SetSelected(HWND list, int index, bool selected)
{
    LVITEMA item{};
    // All rows at once (-1) can be selected but not focused.
    item.stateMask = index < 0 ? LVIS_SELECTED : LVIS_SELECTED | LVIS_FOCUSED;
    item.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

// The row whose text starts with a file's name (extensions may be hidden).
int RowOf(HWND list, const std::string& stem)
{
    for (int i = 0; i < ItemCount(list); ++i) {
        char text[MAX_PATH] = {};
        LVITEMA item{};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        if (std::string(text).rfind(stem, 0) == 0)
            return i;
    }
    return -1;
}

std::string BmpBytes(int width, int height)
{
    TBitmap bitmap(width, height);
    bitmap.Canvas().Brush().SetColor(RGBColor(0, 128, 255));
    bitmap.Canvas().FillRect({0, 0, width, height});
    TTempFolder scratch;
    bitmap.SaveToFile((scratch / "p.bmp"));
    std::string bytes;
    if (FILE* file = std::fopen((scratch / "p.bmp").c_str(), "rb")) {
        char chunk[4096];
        size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
            bytes.append(chunk, got);
        std::fclose(file);
    }
    return bytes;
}

// A safety net: steps wait at most this many ticks, and a dialog still up
// at the end is cancelled, so a failing test ends instead of waiting for a
// user.
const int kGiveUpTicks = 600;

void CancelIfStillOpen(TickScript& script, TOpenDialog& dialog)
{
    auto ticks = std::make_shared<int>(0);
    script.Then([&dialog, ticks] {
        if (++*ticks < kGiveUpTicks)
            return false;
        if (dialog.Handle())
            PostMessageA(dialog.Handle(), WM_COMMAND, IDCANCEL, 0);
        return true;
    });
}

} // namespace

TEST(FileDialog, EveryChosenFileIsReturnedBeyondTheClassicLimit)
{
    TTempFolder folder;
    std::set<std::string> created;
    // Few files with long names (the platform's list takes its time per
    // chosen file), still well within a full path's 260 characters.
    const int count = 330;
    const std::string longTail(180, 'x');
    size_t total = folder.Path().size() + 1;
    for (int i = 0; i < count; ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "%05d", i);
        const std::string name = "holiday picture " + std::string(number) + " " + longTail + ".jpg";
        folder.Write(name);
        created.insert((folder / name));
        total += name.size() + 1;
    }
    ASSERT_GT(total, 65519u); // more than a 16-bit size could hold

    TOpenPictureDialog dialog(nullptr);
    dialog.SetTitle("Add image file ...");
    dialog.SetInitialDir(folder.Path());
    dialog.SetOptions(ofHideReadOnly | ofAllowMultiSelect | ofEnableSizing);
    int ticks = 0;
    TickScript script(100);
    script.Then([&] { return ItemCount(FileList(dialog.Handle())) == count || ++ticks > kGiveUpTicks; });
    script.Then([&] {
        // Every file chosen at once, as with Ctrl+A in the list.
        if (HWND list = FileList(dialog.Handle()))
            SetSelected(list, -1, true);
        return true;
    });
    script.Then([&] {
        if (dialog.Handle())
            PostMessageA(dialog.Handle(), WM_COMMAND, IDOK, 0);
        return true;
    });
    CancelIfStillOpen(script, dialog);
    script.Start();
    ASSERT_TRUE(dialog.Execute());
    const std::vector<std::string> files = dialog.Files();
    EXPECT_EQ(files.size(), static_cast<size_t>(count));
    EXPECT_EQ(std::set<std::string>(files.begin(), files.end()), created);
    EXPECT_EQ(dialog.FileName(), files.front());
}

TEST(FileDialog, TypedNamesBeyondTheClassicLimitAreReturnedToo)
{
    TTempFolder folder;
    std::string typed;
    std::vector<std::string> expected;
    for (int i = 0; i < 1200; ++i) {
        char name[128];
        std::snprintf(name, sizeof name, "a picture with a rather long file name, number %05d of the set.bmp",
                      i);
        folder.Write(name);
        typed += std::string(i ? " \"" : "\"") + name + "\"";
        expected.push_back((folder / name));
    }
    ASSERT_GT(typed.size(), 65519u);

    TOpenPictureDialog dialog(nullptr);
    dialog.SetInitialDir(folder.Path());
    dialog.SetOptions(ofHideReadOnly | ofAllowMultiSelect);
    TickScript script(100);
    script.Then([&] { return dialog.Handle() != nullptr; });
    script.Then([&] {
        SendMessageA(dialog.Handle(), CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(typed.c_str()));
        SendMessageA(dialog.Handle(), CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(typed.c_str()));
        PostMessageA(dialog.Handle(), WM_COMMAND, IDOK, 0);
        return true;
    });
    CancelIfStillOpen(script, dialog);
    script.Start();
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Files(), expected); // in the typed order
}

TEST(FileDialog, ThePreviewShowsThePictureUnderTheCursorOrNone)
{
    TTempFolder folder;
    folder.Write("sea.bmp", BmpBytes(40, 30));
    folder.Write("broken.bmp", "this is not a bitmap");
    TOpenPictureDialog dialog(nullptr);
    dialog.SetInitialDir(folder.Path());
    std::vector<std::string> seen;
    dialog.OnSelectionChange = [&](TObject*) {
        seen.push_back(dialog.PreviewText());
        if (const TBitmap* preview = dialog.PreviewPicture())
            seen.back() +=
                " shown " + std::to_string(preview->Width()) + "x" + std::to_string(preview->Height());
    };
    HWND list = nullptr;
    int ticks = 0;
    TickScript script(100);
    script.Then([&] {
        list = FileList(dialog.Handle());
        return ItemCount(list) == 2 || ++ticks > kGiveUpTicks;
    });
    script.Then([&] {
        SetSelected(list, RowOf(list, "sea"), true);
        return true;
    });
    script.Then([&] {
        SetSelected(list, -1, false);
        SetSelected(list, RowOf(list, "broken"), true);
        return true;
    });
    script.Then([&] {
        PostMessageA(dialog.Handle(), WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    CancelIfStillOpen(script, dialog);
    script.Start();
    EXPECT_FALSE(dialog.Execute());
    EXPECT_TRUE(dialog.Files().empty());

    // A small picture is shown at its own size; a bad file shows none.
    ASSERT_FALSE(seen.empty());
    EXPECT_NE(std::find(seen.begin(), seen.end(), "40 x 30 shown 40x30"), seen.end());
    EXPECT_EQ(seen.back(), "(None)");
}

TEST(FileDialog, TheTitleAndTheFilterReachTheDialog)
{
    TOpenPictureDialog dialog(nullptr);
    dialog.SetTitle("Add image file ...");
    dialog.SetFilter(
        "All files (*.bmp;*.jpg)|*.bmp;*.jpg|JPEG Image File (*.jpg)|*.jpg|Bitmaps (*.bmp)|*.bmp");
    std::string title;
    std::vector<std::string> filters;
    TickScript script(100);
    script.Then([&] { return dialog.Handle() != nullptr; });
    script.Then([&] {
        char text[128] = {};
        GetWindowTextA(dialog.Handle(), text, sizeof text);
        title = text;
        HWND types = GetDlgItem(dialog.Handle(), cmb1);
        const int count = static_cast<int>(SendMessageA(types, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char item[128] = {};
            SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
            filters.push_back(item);
        }
        PostMessageA(dialog.Handle(), WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    CancelIfStillOpen(script, dialog);
    script.Start();
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(title, "Add image file ...");
    EXPECT_EQ(filters, (std::vector<std::string>{"All files (*.bmp;*.jpg)", "JPEG Image File (*.jpg)",
                                                 "Bitmaps (*.bmp)"}));
}

TEST(FileDialog, SavingTakesTheTypedNameAsItIsAndAsksNothingBeforeReplacing)
{
    TTempFolder folder;
    folder.Write("old list.lst", "0\r\n");
    TSaveDialog dialog(nullptr);
    dialog.SetFilter("Image list (*.lst)|*.lst");
    dialog.SetInitialDir(folder.Path());
    for (const std::string typed : {"new list", "old list.lst"}) {
        bool asked = false;
        TickScript script(100);
        script.Then([&] { return dialog.Handle() != nullptr; });
        script.Then([&] {
            SendMessageA(dialog.Handle(), CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(typed.c_str()));
            SendMessageA(dialog.Handle(), CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(typed.c_str()));
            PostMessageA(dialog.Handle(), WM_COMMAND, IDOK, 0);
            return true;
        });
        script.Then([&] {
            // A question box over the dialog would mean a prompt.
            for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
                if (dialog.Handle() && GetWindow(window, GW_OWNER) == dialog.Handle() &&
                    IsWindowVisible(window)) {
                    asked = true;
                    PostMessageA(window, WM_COMMAND, IDYES, 0);
                }
            return true;
        });
        CancelIfStillOpen(script, dialog);
        script.Start();
        ASSERT_TRUE(dialog.Execute()) << typed;
        EXPECT_EQ(dialog.FileName(), (folder / typed));
        EXPECT_FALSE(asked) << typed;
    }
}
