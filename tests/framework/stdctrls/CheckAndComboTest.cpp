// The check box and the drop-down list: state, the user's changes and the
// events they fire, rebuilt windows.

#include "core/Exceptions.h"
#include "framework/stdctrls/CheckBox.h"
#include "framework/stdctrls/ComboBox.h"
#include "support/Render.h"

#include <gtest/gtest.h>

TEST(CheckBox, TheUsersClickTogglesAndFiresOnClickButSettingFromCodeDoesNot)
{
    TestForm form(300, 200, false);
    auto* box = new TCheckBox(&form);
    box->SetCaption("Random");
    box->SetChecked(true); // before the window exists
    box->SetParent(&form);
    box->SetBounds(10, 10, 65, 17);
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    char caption[32] = {};
    GetWindowTextA(box->Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Random");

    int clicks = 0;
    bool checkedAtClick = true;
    box->OnClick = [&](TObject*) {
        ++clicks;
        checkedAtClick = box->Checked();
    };
    box->SetChecked(false);
    box->SetChecked(true);
    EXPECT_EQ(clicks, 0);

    // A click as the user makes it: the box toggles, then tells its parent.
    SendMessageA(box->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(checkedAtClick);
    EXPECT_FALSE(box->Checked());

    SendMessageA(box->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(box->Checked());
    form.RecreateWnd();
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST(CheckBox, StandsOnItsParentsColourWithItsFontColour)
{
    TestForm form(300, 200, false);
    const TColor panelWhite = RGBColor(255, 251, 247);
    form.SetColor(panelWhite);
    auto* box = new TCheckBox(&form);
    box->SetParent(&form);
    box->Font().SetColor(RGBColor(10, 20, 30));
    gdi::MemoryDC dc;
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(form.Handle(), WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(dc.Get()),
                                                             reinterpret_cast<LPARAM>(box->Handle())));
    ASSERT_NE(brush, nullptr);
    LOGBRUSH described{};
    GetObjectA(brush, sizeof described, &described);
    EXPECT_EQ(described.lbColor, ColorToRGB(panelWhite));
    EXPECT_EQ(GetTextColor(dc.Get()), ColorToRGB(RGBColor(10, 20, 30)));
}

TEST(ComboBox, ItemsAndIndexWithNoneAllowedAndBadIndexesRefused)
{
    TestForm form(300, 200, false);
    auto* combo = new TComboBox(&form);
    combo->Items().AddStrings({"Center", "Tile", "Stretch"});
    combo->SetParent(&form);
    combo->SetBounds(10, 10, 82, 21);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "");
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 3);

    combo->SetItemIndex(2);
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(combo->Text(), "Stretch");
    try {
        combo->SetItemIndex(3);
        ADD_FAILURE() << "index 3 of 3 items was taken";
    } catch (const EListError& error) {
        EXPECT_STREQ(error.what(), "List index out of bounds (3)");
    }
    EXPECT_EQ(combo->ItemIndex(), 2);
    combo->SetItemIndex(-1);
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCURSEL, 0, 0), CB_ERR);

    combo->SetItemIndex(1);
    form.RecreateWnd();
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 3);
}

TEST(ComboBox, TheUsersChoiceFiresOnChangeAndCodeDoesNot)
{
    TestForm form(300, 200, true);
    auto* combo = new TComboBox(&form);
    combo->Items().AddStrings({"Center", "Tile", "Stretch"});
    combo->SetParent(&form);
    combo->SetBounds(10, 10, 82, 21);
    int changes = 0, indexAtChange = -2;
    combo->OnChange = [&](TObject*) {
        ++changes;
        indexAtChange = combo->ItemIndex();
    };
    combo->SetItemIndex(0);
    EXPECT_EQ(changes, 0);

    // The Down key in the closed list picks the next item, as for a user.
    combo->SetFocus();
    SendMessageA(combo->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(indexAtChange, 1);
    EXPECT_EQ(combo->Text(), "Tile");
}

TEST(ComboBox, TheOpenedListHasRoomBelowTheClosedBox)
{
    TestForm form(300, 300, false);
    auto* combo = new TComboBox(&form);
    combo->Items().AddStrings({"Center", "Tile", "Stretch"});
    combo->SetParent(&form);
    combo->SetBounds(10, 10, 82, 21);
    RECT window;
    GetWindowRect(combo->Handle(), &window);
    // The control's bounds are the closed box the platform shows...
    EXPECT_EQ(combo->Height(), window.bottom - window.top);
    EXPECT_LT(combo->Height(), 40);
    // ...while the list keeps the room given for its rows.
    RECT dropped;
    SendMessageA(combo->Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_GT(dropped.bottom - dropped.top, combo->Height() + 3 * 10);
    combo->SetBounds(20, 30, 100, 21);
    SendMessageA(combo->Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_GT(dropped.bottom - dropped.top, combo->Height() + 3 * 10);
    EXPECT_EQ(combo->Left(), 20);
    EXPECT_EQ(combo->Width(), 100);
}
