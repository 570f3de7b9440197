// "Apply", the double click, the style choice and the tray's "Change
// Wallpaper" on a hidden main form with a fake desktop and registry.

#include "FormFixture.h"

class WallpaperHandlers : public FormFixture {
protected:
    std::string Value(const char* name)
    {
        return registry.Value(TRegistryRoot::CurrentUser, "\\Control Panel\\Desktop", name)
            .value_or("<none>");
    }
};

TEST_F(WallpaperHandlers, ApplyWritesTheStylePairThenCallsTheDesktopAndDisablesApply)
{
    const std::string sea = MakeBitmap("sea.bmp", 4, 4);
    Add({sea});
    const std::pair<const char*, const char*> pairs[] = {{"0", "0"}, {"0", "1"}, {"2", "0"}};
    for (int style = 0; style < 3; ++style) {
        journal.clear();
        form->ComboBoxDisplayStyle->SetItemIndex(style);
        form->ComboBoxDisplayStyleChange(form->ComboBoxDisplayStyle);
        EXPECT_TRUE(form->ButtonApply->Enabled());
        form->ButtonApplyClick(form->ButtonApply);
        EXPECT_FALSE(form->ButtonApply->Enabled());
        EXPECT_EQ(Value("Wallpaper"), sea);
        EXPECT_EQ(Value("WallpaperStyle"), pairs[style].first);
        EXPECT_EQ(Value("TileWallpaper"), pairs[style].second);
        ASSERT_FALSE(journal.empty());
        EXPECT_EQ(journal.back(), "SetDeskWallpaper " + sea);
        EXPECT_EQ(Application->Cursor(), crDefault);
    }
}

TEST_F(WallpaperHandlers, NoStyleChosenAppliesNothingAndStillDisablesApply)
{
    Add({MakeBitmap("sea.bmp", 4, 4)});
    journal.clear();
    form->ComboBoxDisplayStyle->SetItemIndex(-1);
    form->ButtonApplyClick(form->ButtonApply);
    EXPECT_TRUE(journal.empty());
    EXPECT_FALSE(form->ButtonApply->Enabled());
    // Showing an entry enables it again.
    form->ShowSelectedImage();
    EXPECT_TRUE(form->ButtonApply->Enabled());
}

TEST_F(WallpaperHandlers, NoSelectedEntryIsAnErrorAndApplyEndsDisabled)
{
    form->ComboBoxDisplayStyle->SetItemIndex(0);
    Run([&] { form->ButtonApplyClick(form->ButtonApply); });
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text, "List index out of bounds (-1)");
    EXPECT_FALSE(form->ButtonApply->Enabled());
    EXPECT_EQ(Application->Cursor(), crDefault);
    EXPECT_TRUE(desktop.WallpaperCalls.empty());
}

TEST_F(WallpaperHandlers, DoubleClickAppliesTheEntryTheFirstClickShowed)
{
    const std::string a = MakeBitmap("a.bmp", 4, 4);
    const std::string b = MakeBitmap("b.bmp", 4, 4);
    Add({a, b});
    form->ComboBoxDisplayStyle->SetItemIndex(1);
    form->ListBox2->SetItemIndex(1);
    form->ListBox1Click(form->ListBox2);
    form->ListBox2DblClick(form->ListBox2);
    ASSERT_EQ(desktop.WallpaperCalls.size(), 1u);
    EXPECT_EQ(desktop.WallpaperCalls[0], b);
    EXPECT_EQ(Value("TileWallpaper"), "1");
    EXPECT_FALSE(form->ButtonApply->Enabled());
}

TEST_F(WallpaperHandlers, TrayCommandAlwaysCentresAndLeavesApplyAlone)
{
    const std::string sea = MakeBitmap("sea.bmp", 4, 4);
    Add({sea});
    form->ComboBoxDisplayStyle->SetItemIndex(2);
    form->ButtonApply->SetEnabled(true);
    form->ChangeWallpaper1Click(nullptr);
    EXPECT_EQ(Value("WallpaperStyle"), "0");
    EXPECT_EQ(Value("TileWallpaper"), "0");
    EXPECT_TRUE(form->ButtonApply->Enabled());
    form->ButtonApply->SetEnabled(false);
    form->ChangeWallpaper1Click(nullptr);
    EXPECT_FALSE(form->ButtonApply->Enabled());
    EXPECT_EQ(desktop.WallpaperCalls.size(), 2u);
}

TEST_F(WallpaperHandlers, UnsupportedExtensionDoesNothingSilently)
{
    const std::string sea = folder / "sea.ico";
    form->ListBox1->Items().Add(sea);
    form->ListBox1->SetItemIndex(0);
    form->ComboBoxDisplayStyle->SetItemIndex(0);
    journal.clear();
    Run([&] { form->ButtonApplyClick(form->ButtonApply); });
    EXPECT_TRUE(CapturedErrors().empty());
    EXPECT_TRUE(journal.empty());
    EXPECT_FALSE(form->ButtonApply->Enabled());
}

TEST_F(WallpaperHandlers, ARefusedWallpaperCallIsReportedWithTheFileAndTheSystemsReason)
{
    const std::string sea = MakeBitmap("sea.bmp", 4, 4);
    Add({sea});
    CapturedErrors().clear();
    desktop.WallpaperRefusal = "The device is not ready.";
    Run([&] { form->ButtonApplyClick(form->ButtonApply); });
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text,
              "Cannot set \"" + sea + "\" as the wallpaper. The device is not ready.");
}
