// The list box: items in the object and the window, selection, rebuilt
// windows, bad indexes, the user's clicks and the colours.

#include "framework/stdctrls/ListBox.h"

#include "core/Exceptions.h"
#include "platform/WideText.h"
#include "support/ErrorOf.h"
#include "support/Render.h"
#include "support/TestApplication.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// What the window itself holds, row by row.
std::vector<std::string> WindowRows(TListBox& box)
{
    std::vector<std::string> rows;
    const int count = static_cast<int>(SendMessageA(box.Handle(), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(box.Handle(), LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        SendMessageW(box.Handle(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(text.size() - 1);
        rows.push_back(Utf8FromWide(text));
    }
    return rows;
}

struct ListFixture : testing::Test {
    TestForm form{300, 200, false};
    TListBox* box = new TListBox(&form);
    ListFixture()
    {
        box->SetParent(&form);
        box->SetBounds(10, 10, 200, 150);
    }
};

} // namespace

TEST_F(ListFixture, ItemsAreKeptInTheObjectAndTheWindowAlike)
{
    box->Items().Add("b");
    box->Items().Add("d");
    box->Items().Insert(0, "a");
    box->Items().Insert(2, "c");
    box->Items().Insert(4, "e"); // at Count: appends
    box->Items().Delete(4);
    box->Items().AddStrings({"x", "y"});
    const std::vector<std::string> expected{"a", "b", "c", "d", "x", "y"};
    EXPECT_EQ(box->Items().Texts(), expected);
    EXPECT_EQ(WindowRows(*box), expected);
    EXPECT_EQ(box->Items()[2], "c");
    EXPECT_EQ(box->Items().IndexOf("x"), 4);
    box->Items().Clear();
    EXPECT_EQ(box->Items().Count(), 0);
    EXPECT_TRUE(WindowRows(*box).empty());
    EXPECT_EQ(box->ItemIndex(), -1);
}

TEST_F(ListFixture, ReplacingTextInPlaceKeepsTheSelection)
{
    box->Items().AddStrings({"one", "two", "three"});
    box->SetItemIndex(1);
    box->Items().SetStrings(1, "TWO");
    EXPECT_EQ(box->ItemIndex(), 1);
    box->Items().SetStrings(0, "ONE");
    box->Items().SetStrings(2, "THREE");
    EXPECT_EQ(box->ItemIndex(), 1);
    EXPECT_EQ(WindowRows(*box), (std::vector<std::string>{"ONE", "TWO", "THREE"}));

    // No selection stays no selection.
    box->SetItemIndex(-1);
    box->Items().SetStrings(1, "2");
    EXPECT_EQ(box->ItemIndex(), -1);
}

TEST_F(ListFixture, DeletingTheSelectedRowLeavesNoSelection)
{
    box->Items().AddStrings({"a", "b", "c"});
    box->SetItemIndex(2);
    box->Items().Delete(0);
    EXPECT_EQ(box->ItemIndex(), 1); // the same row, moved up
    box->Items().Delete(1);
    EXPECT_EQ(box->ItemIndex(), -1);
}

TEST_F(ListFixture, BadIndexesRaiseListIndexOutOfBoundsWithTheIndex)
{
    box->Items().AddStrings({"a", "b", "c"});
    EXPECT_EQ(ErrorOf<EListError>([&] { box->Items().Strings(3); }), "List index out of bounds (3)");
    EXPECT_EQ(ErrorOf<EListError>([&] { (void)box->Items()[-1]; }), "List index out of bounds (-1)");
    EXPECT_EQ(ErrorOf<EListError>([&] { box->Items().Delete(7); }), "List index out of bounds (7)");
    EXPECT_EQ(ErrorOf<EListError>([&] { box->Items().SetStrings(3, "x"); }), "List index out of bounds (3)");
    EXPECT_EQ(ErrorOf<EListError>([&] { box->Items().Insert(4, "x"); }), "List index out of bounds (4)");
    EXPECT_EQ(ErrorOf<EListError>([&] { box->SetItemIndex(3); }), "List index out of bounds (3)");
    EXPECT_EQ(ErrorOf<EListError>([&] { box->SetItemIndex(-2); }), "List index out of bounds (-2)");
    // Nothing was changed by the refused calls.
    EXPECT_EQ(WindowRows(*box), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(ListBox, ItemsAndSelectionSurviveARebuiltWindow)
{
    TestForm form(300, 200, false);
    auto* box = new TListBox(&form);
    // Filled before the window exists...
    box->Items().AddStrings({"first", "second", "third"});
    box->SetItemIndex(1);
    box->Items().Insert(0, "zero"); // the kept selection follows its row
    EXPECT_EQ(box->ItemIndex(), 2);
    box->SetItemHeight(13);
    box->Font().SetStyle(TFontStyle::Bold);
    box->SetParent(&form); // ...the window is made now
    EXPECT_EQ(WindowRows(*box), (std::vector<std::string>{"zero", "first", "second", "third"}));
    EXPECT_EQ(SendMessageA(box->Handle(), LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageA(box->Handle(), LB_GETITEMHEIGHT, 0, 0), 13);
    EXPECT_NE(GetWindowLongA(box->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);

    // A new border rebuilds the window; items, selection and height stay.
    HWND before = box->Handle();
    box->SetBorderStyle(TBorderStyle::None);
    EXPECT_NE(box->Handle(), before);
    EXPECT_EQ(GetWindowLongA(box->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_EQ(WindowRows(*box), (std::vector<std::string>{"zero", "first", "second", "third"}));
    EXPECT_EQ(box->ItemIndex(), 2);
    EXPECT_EQ(SendMessageA(box->Handle(), LB_GETITEMHEIGHT, 0, 0), 13);

    // So does rebuilding the parent's window.
    box->SetItemIndex(3);
    form.RecreateWnd();
    EXPECT_EQ(WindowRows(*box), (std::vector<std::string>{"zero", "first", "second", "third"}));
    EXPECT_EQ(box->ItemIndex(), 3);
    // A font change (which resets the row height in the window) keeps it.
    box->Font().SetHeight(-16);
    EXPECT_EQ(SendMessageA(box->Handle(), LB_GETITEMHEIGHT, 0, 0), 13);
}

TEST_F(ListFixture, UserClicksAndDoubleClicksFireTheEventsButCodeDoesNot)
{
    box->SetItemHeight(13);
    box->Items().AddStrings({"a", "b", "c", "d"});
    int clicks = 0, doubleClicks = 0, indexAtClick = -2;
    box->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, box);
        ++clicks;
        indexAtClick = box->ItemIndex();
    };
    box->OnDblClick = [&](TObject*) { ++doubleClicks; };

    box->SetItemIndex(3);
    EXPECT_EQ(clicks, 0);

    // A real click on the third row (rows are 13 pixels high).
    const LPARAM thirdRow = MAKELPARAM(20, 2 * 13 + 6);
    SendMessageA(box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, thirdRow);
    SendMessageA(box->Handle(), WM_LBUTTONUP, 0, thirdRow);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(indexAtClick, 2);
    EXPECT_EQ(doubleClicks, 0);

    // The second click of a double click.
    SendMessageA(box->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, thirdRow);
    SendMessageA(box->Handle(), WM_LBUTTONUP, 0, thirdRow);
    EXPECT_EQ(doubleClicks, 1);

    // The notifications as the list sends them to its parent.
    const int id = GetDlgCtrlID(box->Handle());
    SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box->Handle()));
    SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(box->Handle()));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(doubleClicks, 2);

    // The keyboard changes the selection as a user action too.
    const int before = clicks;
    SendMessageA(box->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(box->ItemIndex(), 3);
    EXPECT_EQ(clicks, before + 1);
}

TEST_F(ListFixture, ThePanelColourAndTheFontColourPaintTheList)
{
    const TColor panelWhite = RGBColor(255, 251, 247);
    box->SetColor(panelWhite);
    box->Font().SetColor(clBlack);
    box->Font().SetStyle(TFontStyle::Bold);
    box->SetBorderStyle(TBorderStyle::None);
    box->Items().AddStrings({"MMMMMMMM", "WWWWWWWW"});

    // The colour message, as the list sends it to its parent.
    gdi::MemoryDC dc;
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(form.Handle(), WM_CTLCOLORLISTBOX,
                                                             reinterpret_cast<WPARAM>(dc.Get()),
                                                             reinterpret_cast<LPARAM>(box->Handle())));
    LOGBRUSH described{};
    ASSERT_NE(brush, nullptr);
    GetObjectA(brush, sizeof described, &described);
    EXPECT_EQ(described.lbColor, ColorToRGB(panelWhite));
    EXPECT_EQ(GetBkColor(dc.Get()), ColorToRGB(panelWhite));
    EXPECT_EQ(GetTextColor(dc.Get()), ColorToRGB(clBlack));

    // And the painted list: the background in the panel colour, black text.
    auto picture = RenderControl(*box);
    EXPECT_EQ(PixelAt(*picture, 150, 140), ColorToRGB(panelWhite));
    int black = 0;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 60; ++x)
            black += PixelAt(*picture, x, y) == 0;
    EXPECT_GT(black, 20);
}

TEST(ListBox, SingleChangesToAShownListAreGatheredAndShownWhenTheLoopRuns)
{
    TestForm form(300, 200, true);
    auto* box = new TListBox(&form);
    box->SetParent(&form);
    box->SetBounds(0, 0, 200, 150);
    box->SetColor(clWhite);
    box->Font().SetColor(clBlack);
    for (int i = 0; i < 100; ++i)
        box->Items().Add("row " + std::to_string(i));
    box->Items().Delete(99);
    box->Items().Insert(0, "first");
    PumpMessages(50);

    // Shown again after the loop ran: the scroll bar counts every row...
    SCROLLINFO scroll{sizeof scroll, SIF_RANGE};
    GetScrollInfo(box->Handle(), SB_VERT, &scroll);
    EXPECT_EQ(scroll.nMax, 99);
    // ...and the rows are painted.
    auto picture = RenderControl(*box);
    int black = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 40; ++x)
            black += PixelAt(*picture, x, y) == 0;
    EXPECT_GT(black, 10);
    EXPECT_EQ(WindowRows(*box).front(), "first");
    EXPECT_EQ(WindowRows(*box).size(), 100u);
}

TEST_F(ListFixture, AVirtualListPaintsItsOwnRowsAndKeepsTheSelectionInStep)
{
    box->SetStyle(TListBoxStyle::Virtual);
    box->SetColor(clWhite);
    box->Font().SetColor(clBlack);
    box->SetItemHeight(13);
    box->Items().AddStrings({"MMMMMMMM", "b & c", "WWWWWWWW"});
    box->Items().Add("d");
    EXPECT_EQ(SendMessageA(box->Handle(), LB_GETCOUNT, 0, 0), 4);
    // Rows come and go as in a standard list: the selection follows its row.
    box->SetItemIndex(2);
    box->Items().Insert(0, "first");
    EXPECT_EQ(box->ItemIndex(), 3);
    box->Items().Delete(1);
    EXPECT_EQ(box->ItemIndex(), 2);
    box->Items().Delete(2);
    EXPECT_EQ(box->ItemIndex(), -1);
    EXPECT_EQ(SendMessageA(box->Handle(), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(box->Items().Texts(), (std::vector<std::string>{"first", "b & c", "d"}));

    // Painted from the items: text on each row, the selected row in the
    // highlight colour, nothing below the last row.
    box->Items().SetStrings(2, "MMMMMMMM");
    box->SetItemIndex(0);
    PumpMessages(10); // the single changes above are shown when the loop runs
    auto picture = RenderControl(*box);
    auto inkOfRow = [&](int row) {
        int ink = 0;
        for (int y = row * 13; y < row * 13 + 13; ++y)
            for (int x = 0; x < 60; ++x)
                ink += PixelAt(*picture, x, y) == 0;
        return ink;
    };
    EXPECT_EQ(PixelAt(*picture, 150, 5), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_GT(inkOfRow(1), 5);
    EXPECT_GT(inkOfRow(2), 20);
    EXPECT_EQ(inkOfRow(3), 0);
    EXPECT_EQ(PixelAt(*picture, 150, 140), ColorToRGB(clWhite));

    // A typed character selects the next row that starts with it.
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    SendMessageA(box->Handle(), WM_CHAR, 'm', 0);
    EXPECT_EQ(box->ItemIndex(), 2);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ListFixture, AVirtualListGivesItsRowsTextsToOtherProgramsInBothTextForms)
{
    box->SetStyle(TListBoxStyle::Virtual);
    box->Items().AddStrings({"C:\\caf\xc3\xa9.jpg", ""});
    const HWND list = box->Handle();
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 0, 0), 11);
    EXPECT_GE(SendMessageW(list, LB_GETTEXTLEN, 0, 0), 11);
    char ansi[64] = "unchanged";
    EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(ansi)), 11);
    EXPECT_STREQ(ansi, "C:\\caf\xE9.jpg");
    wchar_t wide[64] = L"unchanged";
    EXPECT_EQ(SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(wide)), 11);
    EXPECT_STREQ(wide, L"C:\\caf\u00E9.jpg");
    EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(ansi)), 0);
    EXPECT_STREQ(ansi, "");
    // Rows that do not exist, as a standard list answers them.
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 2, 0), LB_ERR);
    EXPECT_EQ(SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide)),
              LB_ERR);
    // Still a list without data: it keeps only the number of rows.
    EXPECT_EQ(GetWindowLongPtrA(list, GWL_STYLE) & LBS_NODATA, LBS_NODATA);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
}
