// The file dialogs, driven for real under the platform: many chosen files
// beyond the classic 65 519-character limit, the preview pane, the filter
// and title, typed names in the save dialog, where the keyboard focus starts,
// names of any length one after another, and names outside the code page.

#include "core/Exceptions.h"
#include "framework/dialogs/OpenPictureDialog.h"
#include "support/ModalScript.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <commctrl.h>
#include <cstdio>
#include <dlgs.h>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

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
    bitmap.SaveToFile(scratch / "p.bmp");
    return FileBytes(scratch / "p.bmp");
}

// A safety net: steps wait at most this many ticks, and a dialog still up
// at the end is cancelled, so a failing test ends instead of waiting for a
// user.
const int kGiveUpTicks = 600;

// Types a name (or several quoted ones) into the file-name box and
// confirms, as Enter would. Wide text, so any character can be typed.
void TypeAndConfirm(TickScript& script, TOpenDialog& dialog, const std::wstring& typed)
{
    script.Then([&dialog] { return dialog.Handle() != nullptr; });
    script.Then([&dialog, typed] {
        // Straight into the box (one of the two exists), whatever text form
        // the dialog itself uses.
        for (int box : {edt1, cmb13})
            SetDlgItemTextW(dialog.Handle(), box, typed.c_str());
        PostMessageA(dialog.Handle(), WM_COMMAND, IDOK, 0);
        return true;
    });
}

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end()); // the tests' paths are ASCII
}

// A file made and removed by its wide name.
class WideNamedFile {
public:
    WideNamedFile(std::wstring path, const std::string& bytes) : path_(std::move(path))
    {
        HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    ~WideNamedFile() { DeleteFileW(path_.c_str()); }
    WideNamedFile(const WideNamedFile&) = delete;
    WideNamedFile& operator=(const WideNamedFile&) = delete;

private:
    std::wstring path_;
};

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
    dialog.SetOptions(TOpenOption::HideReadOnly | TOpenOption::AllowMultiSelect | TOpenOption::EnableSizing);
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
    dialog.SetOptions(TOpenOption::HideReadOnly | TOpenOption::AllowMultiSelect);
    TickScript script(100);
    TypeAndConfirm(script, dialog, Wide(typed));
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

TEST(FileDialog, SelectingManyFilesAtOnceUpdatesThePreviewOnce)
{
    // The platform reports each file of a Ctrl+A on its own; the preview
    // (and whatever listens) follows the selection once it has settled,
    // instead of once per file, which made large selections slow.
    TTempFolder folder;
    const int count = 40;
    for (int i = 0; i < count; ++i)
        folder.Write("picture " + std::to_string(100 + i) + ".bmp", BmpBytes(20, 10));
    TOpenPictureDialog dialog(nullptr);
    dialog.SetInitialDir(folder.Path());
    dialog.SetOptions(TOpenOption::HideReadOnly | TOpenOption::AllowMultiSelect);
    int changes = 0;
    dialog.OnSelectionChange = [&](TObject*) { ++changes; };
    HWND list = nullptr;
    int ticks = 0, changesBefore = 0;
    std::string preview;
    TickScript script(100);
    script.Then([&] {
        list = FileList(dialog.Handle());
        return ItemCount(list) == count || ++ticks > kGiveUpTicks;
    });
    script.Then([&] {
        changesBefore = changes;
        SetSelected(list, -1, true);
        return true;
    });
    script.Then([&] {
        preview = dialog.PreviewText();
        PostMessageA(dialog.Handle(), WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    CancelIfStillOpen(script, dialog);
    script.Start();
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(changes - changesBefore, 1);
    EXPECT_EQ(preview, "20 x 10");
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

TEST(FileDialog, PictureFiltersListEveryFormatFirst)
{
    const std::string all = "*.bmp;*.jpg;*.jpeg;*.jpe;*.jfif;*.png;*.gif;*.tif;*.tiff;*.webp";
    const std::string wallpapers = WallpaperPictureFilter();
    EXPECT_EQ(wallpapers.rfind("All files (" + all + ")|" + all + "|", 0), 0u) << wallpapers;
    for (const char* kind :
         {"|*.jpg;*.jpeg;*.jpe;*.jfif|", "|*.bmp|", "|*.png|", "|*.gif|", "|*.tif;*.tiff|"})
        EXPECT_NE(wallpapers.find(kind), std::string::npos) << kind;
    EXPECT_EQ(wallpapers.substr(wallpapers.size() - 7), "|*.webp");
    // The dialog's own default adds what it previews besides wallpapers.
    const TOpenPictureDialog dialog(nullptr);
    EXPECT_EQ(dialog.Filter().rfind("All (" + all + ";*.ico;*.emf;*.wmf)|", 0), 0u) << dialog.Filter();
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
        TypeAndConfirm(script, dialog, Wide(typed));
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

TEST(FileDialog, EveryDialogOpensWithTheFocusInTheFileNameBox)
{
    TTempFolder folder;
    folder.Write("sea.bmp", BmpBytes(8, 8));
    TOpenPictureDialog pictures(nullptr);
    pictures.SetOptions(TOpenOption::HideReadOnly | TOpenOption::AllowMultiSelect |
                        TOpenOption::EnableSizing);
    TOpenDialog open(nullptr);
    TSaveDialog save(nullptr);
    for (TOpenDialog* dialog : std::vector<TOpenDialog*>{&pictures, &open, &save}) {
        dialog->SetInitialDir(folder.Path());
        std::string focusedClass = "(nothing)";
        bool inFileNameBox = false;
        TickScript script(100);
        script.Then([&] { return dialog->Handle() && IsWindowVisible(dialog->Handle()); });
        script.Then([&] {
            const HWND focus = GetFocus();
            char name[64] = {};
            if (focus)
                GetClassNameA(focus, name, sizeof name);
            focusedClass = name;
            for (int id : {edt1, cmb13}) {
                const HWND box = GetDlgItem(dialog->Handle(), id);
                if (box && focus && (focus == box || IsChild(box, focus)))
                    inFileNameBox = true;
            }
            PostMessageA(dialog->Handle(), WM_COMMAND, IDCANCEL, 0);
            return true;
        });
        CancelIfStillOpen(script, *dialog);
        script.Start();
        EXPECT_FALSE(dialog->Execute());
        EXPECT_TRUE(inFileNameBox) << "the focus is on a " << focusedClass;
    }
}

TEST(FileDialog, AShorterNameAfterALongerOneIsReturnedWhole)
{
    TTempFolder folder;
    const std::string longName = (folder / "a_rather_long_list_name.lst");
    const std::string shortName = (folder / "b.lst");
    folder.Write("a_rather_long_list_name.lst", "0\r\n");
    folder.Write("b.lst", "0\r\n");
    TOpenDialog open(nullptr);
    TSaveDialog save(nullptr);
    for (TOpenDialog* dialog : std::vector<TOpenDialog*>{&open, &save}) {
        dialog->SetFilter("Image list (*.lst)|*.lst");
        dialog->SetOptions(TOpenOption::HideReadOnly | TOpenOption::EnableSizing);
        for (const std::string& typed : {longName, shortName, longName}) {
            TickScript script(100);
            TypeAndConfirm(script, *dialog, Wide(typed));
            CancelIfStillOpen(script, *dialog);
            script.Start();
            ASSERT_TRUE(dialog->Execute()) << typed;
            EXPECT_EQ(dialog->FileName(), typed);
            EXPECT_EQ(dialog->Files(), std::vector<std::string>{typed});
        }
    }
}

TEST(FileDialog, ANameOutsideTheCodePageStillOpensTheChosenFile)
{
    TTempFolder folder;
    const std::wstring omega = L"\u03A9mega.jpg"; // a Greek capital omega, not in code page 1252
    const WideNamedFile omegaFile(Wide(folder.Path()) + L"\\" + omega, "the omega picture");
    folder.Write("Omega.jpg", "the plain picture");
    TOpenPictureDialog dialog(nullptr);
    dialog.SetInitialDir(folder.Path());
    dialog.SetOptions(TOpenOption::HideReadOnly | TOpenOption::AllowMultiSelect | TOpenOption::EnableSizing);
    const std::vector<std::pair<std::wstring, std::vector<std::string>>> choices = {
        {omega, {"the omega picture"}},
        {L"\"" + omega + L"\" \"Omega.jpg\"", {"the omega picture", "the plain picture"}},
    };
    for (const auto& [typed, contents] : choices) {
        TickScript script(100);
        TypeAndConfirm(script, dialog, typed);
        CancelIfStillOpen(script, dialog);
        script.Start();
        ASSERT_TRUE(dialog.Execute());
        std::vector<std::string> opened;
        for (const std::string& file : dialog.Files())
            opened.push_back(FileBytes(file));
        EXPECT_EQ(opened, contents);
    }
}

TEST(FileDialog, ANewNameOutsideTheCodePageIsChosenAsItIs)
{
    TTempFolder folder;
    TSaveDialog dialog(nullptr);
    dialog.SetInitialDir(folder.Path());
    dialog.SetFileName((folder / "before.lst"));
    TickScript script(100);
    TypeAndConfirm(script, dialog, L"\u03A9mega \u5BCC\u58EB.lst");
    CancelIfStillOpen(script, dialog);
    script.Start();
    ASSERT_TRUE(dialog.Execute());
    const std::string chosen = folder / "\xce\xa9mega \xe5\xaf\x8c\xe5\xa3\xab.lst";
    EXPECT_EQ(dialog.Files(), std::vector<std::string>{chosen});
    EXPECT_EQ(dialog.FileName(), chosen);
}

namespace {

// The platform's dialog stood in for by one that "chooses" a given name: a
// name with half a surrogate pair, which NTFS allows and Wine cannot make.
class TChoosingDialog : public TOpenDialog {
public:
    TChoosingDialog(std::wstring chosen) : TOpenDialog(nullptr), chosen_(std::move(chosen)) {}

protected:
    bool RunDialog(OPENFILENAMEW& record) override
    {
        std::copy(chosen_.begin(), chosen_.end(), record.lpstrFile);
        record.lpstrFile[chosen_.size()] = L'\0';
        record.nFileOffset = static_cast<WORD>(chosen_.rfind(L'\\') + 1);
        return true;
    }

private:
    std::wstring chosen_;
};

} // namespace

TEST(FileDialog, ANameThatIsNotUnicodeIsRefusedByNameAndNothingIsChosen)
{
    TChoosingDialog dialog(std::wstring(L"C:\\pics\\a") + wchar_t(0xD83C) + L".jpg");
    dialog.SetFileName("C:\\pics\\before.jpg");
    try {
        dialog.Execute();
        FAIL() << "a lone surrogate was taken";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.Message,
                  "Cannot use the file \"C:\\pics\\a\xef\xbf\xbd.jpg\": its name has a character "
                  "(shown as \xef\xbf\xbd) that is not valid Unicode");
    }
    EXPECT_TRUE(dialog.Files().empty());
    EXPECT_EQ(dialog.FileName(), "C:\\pics\\before.jpg");
}
