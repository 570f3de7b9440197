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
        form->Test().styleBox->SetItemIndex(style);
        form->onStyleChange(form->Test().styleBox);
        EXPECT_TRUE(form->Test().applyButton->Enabled());
        form->onApplyClick(form->Test().applyButton);
        EXPECT_FALSE(form->Test().applyButton->Enabled());
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
    form->Test().styleBox->SetItemIndex(-1);
    form->onApplyClick(form->Test().applyButton);
    EXPECT_TRUE(journal.empty());
    EXPECT_FALSE(form->Test().applyButton->Enabled());
    // Showing an entry enables it again.
    form->ShowSelectedImage();
    EXPECT_TRUE(form->Test().applyButton->Enabled());
}

TEST_F(WallpaperHandlers, NoSelectedEntryIsAnErrorAndApplyEndsDisabled)
{
    form->Test().styleBox->SetItemIndex(0);
    Run([&] { form->onApplyClick(form->Test().applyButton); });
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text, "List index out of bounds (-1)");
    EXPECT_FALSE(form->Test().applyButton->Enabled());
    EXPECT_EQ(Application->Cursor(), crDefault);
    EXPECT_TRUE(desktop.WallpaperCalls.empty());
}

TEST_F(WallpaperHandlers, DoubleClickAppliesTheEntryTheFirstClickShowed)
{
    const std::string a = MakeBitmap("a.bmp", 4, 4);
    const std::string b = MakeBitmap("b.bmp", 4, 4);
    Add({a, b});
    form->Test().styleBox->SetItemIndex(1);
    form->Test().nameList->SetItemIndex(1);
    form->onNameListClick(form->Test().nameList);
    form->onNameListDoubleClick(form->Test().nameList);
    ASSERT_EQ(desktop.WallpaperCalls.size(), 1u);
    EXPECT_EQ(desktop.WallpaperCalls[0], b);
    EXPECT_EQ(Value("TileWallpaper"), "1");
    EXPECT_FALSE(form->Test().applyButton->Enabled());
}

TEST_F(WallpaperHandlers, TrayCommandAlwaysCentresAndLeavesApplyAlone)
{
    const std::string sea = MakeBitmap("sea.bmp", 4, 4);
    Add({sea});
    form->Test().styleBox->SetItemIndex(2);
    form->Test().applyButton->SetEnabled(true);
    form->onChangeWallpaperClick(nullptr);
    EXPECT_EQ(Value("WallpaperStyle"), "0");
    EXPECT_EQ(Value("TileWallpaper"), "0");
    EXPECT_TRUE(form->Test().applyButton->Enabled());
    form->Test().applyButton->SetEnabled(false);
    form->onChangeWallpaperClick(nullptr);
    EXPECT_FALSE(form->Test().applyButton->Enabled());
    EXPECT_EQ(desktop.WallpaperCalls.size(), 2u);
}

TEST_F(WallpaperHandlers, UnsupportedExtensionDoesNothingSilently)
{
    const std::string sea = folder / "sea.ico";
    form->Test().pathList->Items().Add(sea);
    form->Test().pathList->SetItemIndex(0);
    form->Test().styleBox->SetItemIndex(0);
    journal.clear();
    Run([&] { form->onApplyClick(form->Test().applyButton); });
    EXPECT_TRUE(CapturedErrors().empty());
    EXPECT_TRUE(journal.empty());
    EXPECT_FALSE(form->Test().applyButton->Enabled());
}

TEST_F(WallpaperHandlers, ARefusedWallpaperCallIsReportedWithTheFileAndTheSystemsReason)
{
    const std::string sea = MakeBitmap("sea.bmp", 4, 4);
    Add({sea});
    CapturedErrors().clear();
    desktop.WallpaperRefusal = "The device is not ready.";
    Run([&] { form->onApplyClick(form->Test().applyButton); });
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text,
              "Cannot set \"" + sea + "\" as the wallpaper. The device is not ready.");
}
