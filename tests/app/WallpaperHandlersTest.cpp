// "Apply", the double click, the style choice and the tray's "Change
// Wallpaper" on a hidden main form with a fake desktop and registry.

#include "FormFixture.h"
#include "core/codec/BmpCodec.h"
#include "core/codec/PixelImage.h"
#include "platform/Files.h"

#include <algorithm>

class WallpaperHandlers : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        // The drawn bitmap goes to the test's own folder.
        desktop.ClosedFolders = {"C:\\windows"};
        desktop.UserFolder = folder.Path() + "\\";
    }
    std::string Value(const char* name)
    {
        return registry.Value(TRegistryRoot::CurrentUser, "\\Control Panel\\Desktop", name)
            .value_or("<none>");
    }
    std::string DrawnBitmap() const { return folder / "MyWallpaper.bmp"; }
    // The drawn bitmap's colour at x, y as B, G, R.
    std::vector<int> DrawnPixel(int x, int y) const
    {
        const uint8_t* pixel = ReadDrawnBitmap().Row(y) + 3 * x;
        return {pixel[0], pixel[1], pixel[2]};
    }
    PixelImage ReadDrawnBitmap() const
    {
        const std::vector<uint8_t> bytes = ReadWholeFile(DrawnBitmap());
        PixelImage image;
        DecodeBmp(bytes.data(), bytes.size(), image.Allocator());
        return image;
    }
};

TEST_F(WallpaperHandlers, ApplyWritesTheStylePairThenCallsTheDesktopAndDisablesApply)
{
    const std::string sea = MakeBitmap("sea.bmp", 4, 4);
    Add({sea});
    // Tile hands the picture over; every other style shows the bitmap drawn
    // at the desktop's size, with the pair that keeps Windows from scaling it.
    const std::pair<const char*, const char*> pairs[] = {{"0", "0"}, {"0", "1"},  {"2", "0"},
                                                         {"6", "0"}, {"10", "0"}, {"10", "0"}};
    for (int style = 0; style < 6; ++style) {
        SCOPED_TRACE(style);
        const std::string shown = style == 1 ? sea : DrawnBitmap();
        journal.clear();
        form->Test().styleBox->SetItemIndex(style);
        form->onStyleChange(form->Test().styleBox);
        EXPECT_TRUE(form->Test().applyButton->Enabled());
        form->onApplyClick(form->Test().applyButton);
        FinishChanges();
        EXPECT_FALSE(form->Test().applyButton->Enabled());
        EXPECT_EQ(Value("Wallpaper"), shown);
        EXPECT_EQ(Value("WallpaperStyle"), pairs[style].first);
        EXPECT_EQ(Value("TileWallpaper"), pairs[style].second);
        // The desktop is told once the values it reads are in place (the
        // rotation's own values may follow).
        const auto told = std::find(journal.begin(), journal.end(), "SetDeskWallpaper " + shown);
        ASSERT_NE(told, journal.end());
        EXPECT_TRUE(std::none_of(told, journal.end(), [](const std::string& entry) {
            return entry.starts_with("WriteString Wallpaper") ||
                   entry.starts_with("WriteString TileWallpaper");
        }));
        EXPECT_EQ(Application->Cursor(), crDefault);
    }
}

TEST_F(WallpaperHandlers, TheWallpaperCallIsMadeOffTheWindowsThreadAndAnsweredEvenAsTheWindowCloses)
{
    // The call tells every window of the desktop and waits for each, this
    // program's own too: on the window's thread, a hung window of another
    // program would hold the window as long as it hangs.
    const std::string sea = MakeBitmap("sea.bmp", 4, 4);
    Add({sea});
    HWND window = form->Handle();
    DWORD callThread = 0;
    bool answered = false;
    HANDLE entered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    desktop.DuringWallpaperCall = [&] {
        callThread = GetCurrentThreadId();
        SetEvent(entered);
        DWORD_PTR result = 0;
        answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
    };
    form->onApplyClick(form->Test().applyButton);
    FinishChanges();
    EXPECT_NE(callThread, GetCurrentThreadId());
    EXPECT_TRUE(answered);
    EXPECT_EQ(Value("Wallpaper"), DrawnBitmap());

    // A window that closes while the call waits for it still answers it,
    // as it waits for the call to end.
    PutFileBytes(folder / "LastList.lst", "1\r\n" + sea + "\r\n");
    answered = false;
    ResetEvent(entered);
    {
        TMainForm second(nullptr, Services());
        window = second.Handle();
        Run([&] { second.onApplyClick(second.Test().applyButton); });
        ASSERT_EQ(WaitForSingleObject(entered, 10000), WAIT_OBJECT_0);
    }
    EXPECT_TRUE(answered);
    desktop.DuringWallpaperCall = nullptr;
    CloseHandle(entered);
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(WallpaperHandlers, FillDrawsABitmapOfTheMonitorsSizeAndRedrawsItWhenTheScreenChanges)
{
    // A wide picture filling a tall monitor: cropped left and right, no band.
    const std::string sea = MakeBitmap("sea.bmp", 40, 10, clRed);
    Add({sea});
    desktop.Screens = {{0, 0, 120, 90}};
    form->Test().styleBox->SetItemIndex(4);
    form->onApplyClick(form->Test().applyButton);
    FinishChanges();
    PixelImage drawn = ReadDrawnBitmap();
    EXPECT_EQ(drawn.Width(), 120);
    EXPECT_EQ(drawn.Height(), 90);
    for (const int y : {0, 89}) {
        const uint8_t* corner = drawn.Row(y);
        EXPECT_EQ((std::vector<int>{corner[0], corner[1], corner[2]}), (std::vector<int>{0, 0, 255}));
    }

    // A burst of changes (a dock, a monitor waking) is drawn once, after
    // the last of them has settled.
    desktop.Screens = {{0, 0, 64, 48}};
    desktop.WallpaperCalls.clear();
    for (int message = 0; message < 3; ++message)
        form->Perform(WM_DISPLAYCHANGE, 24, MAKELPARAM(64, 48));
    EXPECT_TRUE(desktop.WallpaperCalls.empty());
    EXPECT_TRUE(form->DisplayChangeTimer().Enabled());
    EXPECT_EQ(form->DisplayChangeTimer().Interval(), 1000u);
    form->DisplayChangeTimer().Tick();
    FinishChanges();
    EXPECT_FALSE(form->DisplayChangeTimer().Enabled());
    drawn = ReadDrawnBitmap();
    EXPECT_EQ(drawn.Width(), 64);
    EXPECT_EQ(drawn.Height(), 48);
    EXPECT_EQ(desktop.WallpaperCalls, (std::vector<std::string>{DrawnBitmap()}));
}

TEST_F(WallpaperHandlers, ADisplayChangeKeepsTheWallpaperTheUserChoseInWindowsSettings)
{
    Add({MakeBitmap("sea.bmp", 4, 4)});
    form->Test().styleBox->SetItemIndex(2);
    form->onApplyClick(form->Test().applyButton);
    FinishChanges();
    ASSERT_EQ(desktop.WallpaperCalls.size(), 1u);
    // Windows may report the name in another letter case: still ours.
    desktop.Wallpaper = DrawnBitmap();
    std::transform(desktop.Wallpaper.begin(), desktop.Wallpaper.end(), desktop.Wallpaper.begin(), ::toupper);
    form->Perform(WM_DISPLAYCHANGE, 24, MAKELPARAM(800, 600));
    form->DisplayChangeTimer().Tick();
    FinishChanges();
    EXPECT_EQ(desktop.WallpaperCalls.size(), 2u);

    desktop.Wallpaper = "C:\\Users\\ann\\Pictures\\own.jpg";
    form->Perform(WM_DISPLAYCHANGE, 24, MAKELPARAM(1024, 768));
    form->DisplayChangeTimer().Tick();
    FinishChanges();
    EXPECT_EQ(desktop.WallpaperCalls.size(), 2u);
    EXPECT_EQ(desktop.Wallpaper, "C:\\Users\\ann\\Pictures\\own.jpg");
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(WallpaperHandlers, WithAPictureForEachMonitorEveryChangeTakesTheNextTwoPictures)
{
    registry.SetValue(TRegistryRoot::CurrentUser, "\\Software\\Tessivo", "permonitor", "1");
    const std::vector<int> red{0, 0, 255}, green{0, 128, 0}, blue{255, 0, 0}, white{255, 255, 255};
    Add({MakeBitmap("a.bmp", 4, 4, clRed), MakeBitmap("b.bmp", 4, 4, clGreen),
         MakeBitmap("c.bmp", 4, 4, clBlue), MakeBitmap("d.bmp", 4, 4, clWhite)});
    desktop.Screens = {{0, 0, 40, 30}, {40, 0, 100, 40}};
    form->Test().styleBox->SetItemIndex(4);
    const auto expectMonitors = [&](const std::vector<int>& first, const std::vector<int>& second) {
        EXPECT_EQ(DrawnPixel(20, 15), first);
        EXPECT_EQ(DrawnPixel(70, 20), second);
    };
    // Start applies the selected entry and the one after it.
    form->Test().startStopButton->OnClick(form->Test().startStopButton);
    FinishChanges();
    expectMonitors(red, green);
    SendMessageA(form->Test().autoChangeTimer->WindowHandle(), WM_TIMER, 1, 0);
    FinishChanges();
    expectMonitors(green, blue);
    EXPECT_EQ(form->Test().rotationPosition, 2);
    form->NextWallpaper();
    FinishChanges();
    expectMonitors(white, red);
    EXPECT_EQ(form->Test().rotationPosition, 0);
    form->PreviousWallpaper();
    FinishChanges();
    expectMonitors(green, blue);
    form->NextWallpaper();
    FinishChanges();
    expectMonitors(white, red);
    EXPECT_EQ(form->Test().nameLabel->Caption(), "d.bmp");
    // Applied by hand, b and c: Next goes on after both.
    form->Test().nameList->SetItemIndex(1);
    form->onNameListClick(form->Test().nameList);
    form->onApplyClick(form->Test().applyButton);
    FinishChanges();
    expectMonitors(green, blue);
    form->NextWallpaper();
    FinishChanges();
    expectMonitors(white, red);

    // Tile and Span show one picture; with one monitor the option changes nothing.
    form->Test().styleBox->SetItemIndex(5);
    form->onApplyClick(form->Test().applyButton);
    FinishChanges();
    expectMonitors(white, white);
    // Next goes on after the picture applied by hand (d): a.
    desktop.Screens = {{0, 0, 100, 40}};
    form->Test().styleBox->SetItemIndex(4);
    form->NextWallpaper();
    FinishChanges();
    expectMonitors(red, red);
    EXPECT_EQ(form->Test().rotationPosition, 0);
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(WallpaperHandlers, ARedrawThatFailsIsReportedOnceAndBeforeAnyApplyNothingIsDrawn)
{
    form->Perform(WM_DISPLAYCHANGE, 24, MAKELPARAM(1024, 768));
    EXPECT_TRUE(desktop.WallpaperCalls.empty());
    const std::string sea = MakeBitmap("sea.bmp", 4, 4);
    Add({sea});
    form->Test().styleBox->SetItemIndex(2);
    form->onApplyClick(form->Test().applyButton);
    FinishChanges();
    ASSERT_EQ(desktop.WallpaperCalls.size(), 1u);
    std::remove(sea.c_str());
    CapturedErrors().clear();
    for (int burst = 0; burst < 2; ++burst) {
        form->Perform(WM_DISPLAYCHANGE, 24, MAKELPARAM(800, 600));
        SendMessageA(form->DisplayChangeTimer().WindowHandle(), WM_TIMER, 1, 0);
        FinishChanges();
    }
    EXPECT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(desktop.WallpaperCalls.size(), 1u);
}

TEST_F(WallpaperHandlers, NoStyleChosenAppliesNothingAndStillDisablesApply)
{
    Add({MakeBitmap("sea.bmp", 4, 4)});
    journal.clear();
    form->Test().styleBox->SetItemIndex(-1);
    form->onApplyClick(form->Test().applyButton);
    FinishChanges();
    EXPECT_TRUE(journal.empty());
    EXPECT_FALSE(form->Test().applyButton->Enabled());
    // Showing an entry enables it again.
    form->ShowSelectedImage();
    FinishPreviews();
    EXPECT_TRUE(form->Test().applyButton->Enabled());
}

TEST_F(WallpaperHandlers, NoSelectedEntryAppliesNothingWithoutAnErrorAndApplyEndsDisabled)
{
    form->Test().styleBox->SetItemIndex(0);
    Run([&] { form->onApplyClick(form->Test().applyButton); });
    FinishChanges();
    EXPECT_TRUE(CapturedErrors().empty());
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
    FinishChanges();
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
    FinishChanges();
    EXPECT_EQ(Value("WallpaperStyle"), "0");
    EXPECT_EQ(Value("TileWallpaper"), "0");
    EXPECT_TRUE(form->Test().applyButton->Enabled());
    form->Test().applyButton->SetEnabled(false);
    form->onChangeWallpaperClick(nullptr);
    FinishChanges();
    EXPECT_FALSE(form->Test().applyButton->Enabled());
    EXPECT_EQ(desktop.WallpaperCalls.size(), 2u);
}

TEST_F(WallpaperHandlers, UnsupportedExtensionDoesNothingSilently)
{
    const std::string sea = folder / "sea.ico";
    form->Test().listModel.Add({sea});
    form->Test().listModel.Select(0);
    form->Test().styleBox->SetItemIndex(0);
    journal.clear();
    Run([&] { form->onApplyClick(form->Test().applyButton); });
    FinishChanges();
    EXPECT_TRUE(CapturedErrors().empty());
    EXPECT_TRUE(journal.empty());
    EXPECT_FALSE(form->Test().applyButton->Enabled());
}

TEST_F(WallpaperHandlers, ARefusedWallpaperCallIsReportedWithTheFileAndTheSystemsReason)
{
    const std::string sea = MakeBitmap("sea.bmp", 4, 4);
    Add({sea});
    CapturedErrors().clear();
    form->Test().styleBox->SetItemIndex(2);
    desktop.WallpaperRefusal = "The device is not ready.";
    Run([&] { form->onApplyClick(form->Test().applyButton); });
    FinishChanges();
    ASSERT_EQ(CapturedErrors().size(), 1u);
    // The desktop is handed the drawn bitmap, so that is the file named.
    EXPECT_EQ(CapturedErrors()[0].Text,
              "Cannot set \"" + DrawnBitmap() + "\" as the wallpaper. The device is not ready.");
}
