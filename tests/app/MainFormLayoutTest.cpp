// The main window's layout, read back from the created controls and windows.

#include "FormFixture.h"
#include "lists/ListTexts.h"
#include "support/Render.h"

namespace {

struct Placement {
    TControl* control;
    TWinControl* parent;
    RECT bounds; // left, top, right, bottom
};

RECT Box(int left, int top, int width, int height)
{
    return {left, top, left + width, top + height};
}

} // namespace

class MainFormLayout : public FormFixture {};

TEST_F(MainFormLayout, EveryControlStandsWhereTheLayoutPutsIt)
{
    TForm1& f = *form;
    const std::vector<Placement> table = {
        {f.cntHeader, &f, Box(0, 0, 560, 15)},
        {f.btnClose, f.cntHeader, Box(0, 0, 15, 15)},
        {f.dxToolButton4, f.cntHeader, Box(15, 0, 15, 15)},
        {f.cntNetPanel, &f, Box(2, 18, 116, 287)},
        {f.cntNetHeader, f.cntNetPanel, Box(2, 2, 112, 15)},
        {f.ButtonAddFile, f.cntNetPanel, Box(13, 27, 28, 30)},
        {f.ButtonDeleteFile, f.cntNetPanel, Box(45, 27, 28, 30)},
        {f.ButtonApply, f.cntNetPanel, Box(13, 66, 92, 21)},
        {f.buttonNewList, f.cntNetPanel, Box(13, 107, 44, 38)},
        {f.ButtonSave, f.cntNetPanel, Box(61, 107, 44, 38)},
        {f.ButtonLoadList, f.cntNetPanel, Box(13, 159, 92, 21)},
        {f.ButtonAbout, f.cntNetPanel, Box(13, 195, 42, 44)},
        {f.ButtonExit, f.cntNetPanel, Box(61, 195, 42, 44)},
        {f.LabelWatch, f.cntNetPanel, Box(23, 254, 73, 15)},
        {f.Shape1, f.cntNetPanel, Box(5, 22, 1, 260)},
        {f.Shape7, f.cntNetPanel, Box(5, 95, 110, 1)},
        {f.Shape3, f.cntNetPanel, Box(1, 251, 114, 1)},
        {f.Shape4, f.cntNetPanel, Box(2, 271, 113, 1)},
        {f.dxContainer2, &f, Box(120, 18, 222, 166)},
        {f.Image1, f.dxContainer2, Box(2, 2, 218, 162)},
        {f.dxContainer1, &f, Box(344, 18, 212, 147)},
        {f.ListBox2, f.dxContainer1, Box(2, 2, 208, 143)},
        {f.dxContainer4, &f, Box(344, 167, 212, 17)},
        {f.dxContainer3, &f, Box(120, 186, 436, 119)},
        {f.Label3, f.dxContainer3, Box(102, 7, 139, 13)},
        {f.Label5, f.dxContainer3, Box(102, 25, 139, 13)},
        {f.Label11, f.dxContainer3, Box(102, 44, 139, 13)},
        {f.CheckAutoStart, f.dxContainer3, Box(65, 59, 144, 17)},
        {f.CheckStartMinimized, f.dxContainer3, Box(65, 79, 112, 17)},
        {f.checkAutoRun, f.dxContainer3, Box(65, 99, 160, 17)},
        {f.SpinEditTimeInterval, f.dxContainer3, Box(349, 64, 43, 22)},
        {f.CheckBoxRandom, f.dxContainer3, Box(264, 90, 65, 17)},
        {f.ButtonStartStop, f.dxContainer3, Box(389, 89, 38, 21)},
        {f.Shape11, f.dxContainer3, Box(5, 6, 250, 1)},
        {f.Shape10, f.dxContainer3, Box(5, 21, 52, 1)},
        {f.Shape13, f.dxContainer3, Box(5, 58, 248, 1)},
        {f.Shape12, f.dxContainer3, Box(5, 73, 52, 1)},
        {f.Shape14, f.dxContainer3, Box(56, 4, 1, 112)},
        {f.Shape5, f.dxContainer3, Box(245, 6, 180, 1)},
        {f.Shape6, f.dxContainer3, Box(245, 21, 180, 1)},
        {f.Shape2, f.dxContainer3, Box(252, 4, 1, 112)},
        {f.ListBox1, &f, Box(8, 312, 473, 113)},
    };
    for (const Placement& place : table) {
        SCOPED_TRACE(place.control->Name);
        EXPECT_EQ(place.control->Parent(), place.parent);
        const RECT bounds = place.control->BoundsRect();
        EXPECT_EQ(bounds.left, place.bounds.left);
        EXPECT_EQ(bounds.top, place.bounds.top);
        EXPECT_EQ(bounds.right, place.bounds.right);
        EXPECT_EQ(bounds.bottom, place.bounds.bottom);
        if (auto* windowed = dynamic_cast<TWinControl*>(place.control)) {
            // The window itself agrees.
            RECT window;
            GetWindowRect(windowed->Handle(), &window);
            MapWindowPoints(nullptr, place.parent->Handle(), reinterpret_cast<POINT*>(&window), 2);
            EXPECT_EQ(window.left, bounds.left);
            EXPECT_EQ(window.top, bounds.top);
            EXPECT_EQ(window.right - window.left, bounds.right - bounds.left);
        }
    }
    // The combo box keeps its left, top and width; its height is the platform's.
    EXPECT_EQ(f.ComboBoxDisplayStyle->Left(), 349);
    EXPECT_EQ(f.ComboBoxDisplayStyle->Top(), 32);
    EXPECT_EQ(f.ComboBoxDisplayStyle->Width(), 82);
}

TEST_F(MainFormLayout, TheTotalIsDrawnWholeAtAnyCount)
{
    TLabel& total = *form->LabelSumOfFiles;
    EXPECT_EQ(total.Parent(), form->dxContainer4);
    for (int count : {1, 12, 100000}) {
        const std::string text = TotalFilesText(count);
        SCOPED_TRACE(text);
        total.SetCaption(text);
        EXPECT_EQ(total.Left(), 4);
        EXPECT_EQ(total.Top(), 2);
        // Within the panel's frame the ink is as wide as the text drawn on
        // its own, and it ends before the frame.
        auto shot = RenderControl(*form->dxContainer4);
        const RECT inside{2, 2, shot->Width() - 2, shot->Height() - 2};
        const RECT drawn = DarkBox(*shot, inside);
        const RECT whole = DarkBox(*RenderTextAsIs(total.Font(), text, 400, 20), {0, 0, 400, 20});
        EXPECT_EQ(drawn.right - drawn.left, whole.right - whole.left);
        EXPECT_EQ(drawn.bottom - drawn.top, whole.bottom - whole.top);
        EXPECT_LT(drawn.right, inside.right);
    }
}

TEST_F(MainFormLayout, FileNamesInTheNameAndPathShowTheirAmpersand)
{
    Add({MakeBitmap("photo 1 & more.bmp", 4, 4)});
    ASSERT_EQ(form->Label5->Caption(), "photo 1 & more.bmp");
    // A short path, so that its "&" lies within the label's width.
    form->Label11->SetCaption("C:\\a & b.jpg");
    auto shot = RenderControl(*form->dxContainer3);
    for (TLabel* label : {form->Label5, form->Label11}) {
        SCOPED_TRACE(label->Name);
        const RECT box = label->BoundsRect();
        auto asIs =
            RenderTextAsIs(label->Font(), label->Caption(), box.right - box.left, box.bottom - box.top);
        EXPECT_TRUE(SameInk(*shot, box, *asIs));
    }
}

TEST_F(MainFormLayout, WindowIsBorderless560By308AndPathListLiesBelowIt)
{
    HWND window = form->Handle();
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 560);
    EXPECT_EQ(client.bottom, 308);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION, 0);
    char caption[32] = {};
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ(caption, "Quorvel");
    EXPECT_GE(form->ListBox1->Top(), client.bottom);
    EXPECT_EQ(form->Position(), TPosition::poScreenCenter);
}

TEST_F(MainFormLayout, CaptionsHintsFontsAndColours)
{
    TForm1& f = *form;
    EXPECT_EQ(f.ButtonAddFile->Caption(), "+");
    EXPECT_EQ(f.ButtonAddFile->Hint(), "Add file (s) to curent list");
    EXPECT_EQ(f.ButtonAddFile->Font().Height(), -16);
    EXPECT_TRUE(f.ButtonAddFile->Font().Style() & fsBold);
    EXPECT_EQ(f.ButtonDeleteFile->Caption(), "-");
    EXPECT_EQ(f.ButtonDeleteFile->Font().Height(), -21);
    EXPECT_EQ(f.ButtonDeleteFile->Hint(), "Delete file(s) from curent list");
    EXPECT_EQ(f.ButtonApply->Hint(), "Apply curent picture on desktop");
    EXPECT_EQ(f.buttonNewList->Hint(), "New list (delete all files)");
    EXPECT_EQ(f.buttonNewList->Spacing(), 0);
    EXPECT_FALSE(f.buttonNewList->Glyph().Empty());
    EXPECT_EQ(f.ButtonSave->Hint(), "Save curent list");
    EXPECT_EQ(f.ButtonLoadList->Caption(), "Load List");
    EXPECT_EQ(f.ButtonLoadList->Hint(), "Load files from list");
    EXPECT_EQ(f.ButtonAbout->Caption(), "About");
    EXPECT_EQ(f.ButtonAbout->Hint(), "About the autor");
    EXPECT_EQ(f.ButtonExit->Hint(), "Exit program");
    EXPECT_EQ(f.btnClose->Hint(), "Exit program");
    EXPECT_EQ(f.btnClose->ToolType(), TdxToolType::ttClose);
    EXPECT_EQ(f.dxToolButton4->Hint(), "Minimize to system tray");
    EXPECT_EQ(f.dxToolButton4->ToolType(), TdxToolType::ttPopup);
    EXPECT_EQ(f.ButtonStartStop->Caption(), "Start");
    EXPECT_EQ(f.ButtonStartStop->Hint(), "Start / Stop autochange");
    EXPECT_EQ(f.cntNetHeader->Caption(), "     Actions");
    EXPECT_EQ(f.cntNetHeader->Spacing(), 24);
    EXPECT_EQ(f.cntNetHeader->Alignment(), TAlignment::taLeftJustify);
    EXPECT_EQ(ColorToRGB(f.cntNetHeader->Color()), ColorToRGB(RGBColor(237, 233, 227)));
    EXPECT_EQ(ColorToRGB(f.cntNetPanel->Color()), 16251903u);
    EXPECT_EQ(f.cntNetPanel->BorderWidth(), 1);
    EXPECT_EQ(f.dxContainer3->BoundLines(), blLeft | blTop | blRight | blBottom);
    EXPECT_EQ(f.LabelWatch->Font().Name(), "Times New Roman");
    EXPECT_EQ(f.LabelWatch->Font().Height(), -13);
    EXPECT_TRUE(f.LabelWatch->Font().Style() & fsBold);
    EXPECT_TRUE(f.LabelWatch->Transparent());
    EXPECT_EQ(f.LabelWatch->Caption(), "00:00:00 AM");
    EXPECT_EQ(f.LabelSumOfFiles->Caption(), "Total : 0 file(s)");
    EXPECT_EQ(f.ListBox2->ItemHeight(), 13);
    EXPECT_EQ(SendMessageA(f.ListBox2->Handle(), LB_GETITEMHEIGHT, 0, 0), 13);
    EXPECT_EQ(f.ListBox2->Font().Style() & fsBold, fsBold);
    EXPECT_EQ(f.Label9->Caption(), "Info:");
    EXPECT_EQ(f.Label12->Caption(), "Options:");
    EXPECT_EQ(f.Label6->Caption(), "Auto change options :");
    EXPECT_EQ(f.Label1->Caption(), "Display Style :");
    EXPECT_EQ(f.Label2->Caption(), "Interval");
    EXPECT_EQ(f.Label4->Caption(), "minute");
    EXPECT_EQ(f.CheckAutoStart->Caption(), "Start With Windows");
    EXPECT_EQ(f.CheckStartMinimized->Caption(), "Start Minimized");
    EXPECT_EQ(f.checkAutoRun->Caption(), "Start in auto run mode");
    EXPECT_EQ(f.CheckBoxRandom->Caption(), "Random");
    EXPECT_EQ(f.ComboBoxDisplayStyle->Items().Texts(),
              (std::vector<std::string>{"Center", "Tile", "Stretch"}));
    // The stored "style" ("2") chose the item at startup.
    EXPECT_EQ(f.ComboBoxDisplayStyle->ItemIndex(), 2);
    EXPECT_EQ(f.SpinEditTimeInterval->Value(), 1);
    EXPECT_EQ(f.SpinEditTimeInterval->MaxValue(), 1000);
    EXPECT_TRUE(f.Image1->Stretch());
}

TEST_F(MainFormLayout, CreationPreparesControlsAndTheDateHint)
{
    EXPECT_TRUE(form->ButtonApply->Enabled());
    EXPECT_FALSE(form->TimerAutoChangeWallpaper->Enabled());
    // The window starts in the tray, where the clock does not run.
    EXPECT_FALSE(form->TimerWatch->Enabled());
    EXPECT_EQ(form->TimerWatch->Interval(), 1000u);
    EXPECT_FALSE(form->AutoChangeRunning);
    EXPECT_EQ(form->RotationPosition, 0);
    EXPECT_EQ(form->CurrentIndex, 0);
    EXPECT_EQ(pictures.options, ofHideReadOnly | ofAllowMultiSelect | ofEnableSizing);
    EXPECT_EQ(form->LabelWatch->Hint(), "Today is : Monday, 07 December 2026");

    // The hint keeps the day the program started; the clock ticks on.
    clock.now = {2026, 12, 8, 2, 0, 0, 3};
    form->TimerWatchTimer(form->TimerWatch);
    EXPECT_EQ(form->LabelWatch->Caption(), "12:00:03 AM");
    EXPECT_EQ(form->LabelWatch->Hint(), "Today is : Monday, 07 December 2026");
    clock.now = {2026, 12, 8, 2, 13, 5, 9};
    form->TimerWatchTimer(form->TimerWatch);
    EXPECT_EQ(form->LabelWatch->Caption(), "01:05:09 PM");
}

TEST_F(MainFormLayout, HeaderShowsStripesAndTheCentredTitle)
{
    auto shot = RenderControl(*form->cntHeader);
    const COLORREF grey = RGB(0x80, 0x80, 0x80);
    const COLORREF face = ColorToRGB(clBtnFace);
    // Stripes on the even rows between the tool buttons and the title.
    for (int y = 0; y < 15; ++y)
        EXPECT_EQ(Hex(PixelAt(*shot, 100, y)), Hex(y % 2 == 0 ? grey : face)) << "row " << y;
    EXPECT_EQ(Hex(PixelAt(*shot, 558, 0)), Hex(grey));
    EXPECT_EQ(Hex(PixelAt(*shot, 559, 0)), Hex(face)); // the stripes stop one pixel short
    // The title's box in the middle covers the stripes: its text cell is
    // button face (or ink), never a grey stripe, across the title's width.
    int boxLeft = -1, boxRight = -1;
    for (int x = 0; x < 550; ++x)
        if (PixelAt(*shot, x, 4) != grey) {
            if (x > 40 && boxLeft < 0)
                boxLeft = x;
            if (boxLeft >= 0)
                boxRight = x;
        }
    EXPECT_GT(boxRight - boxLeft, 30);
    EXPECT_NEAR((boxLeft + boxRight) / 2.0, 280, 3);
    for (int y = 2; y <= 12; y += 2)
        EXPECT_NE(Hex(PixelAt(*shot, 280, y)), Hex(grey)) << "row " << y;

    // Too narrow for the title: cut with an ellipsis (no stripes left in the box).
    RECT narrow{0, 0, 30, 15};
    TBitmap small(30, 15);
    small.Canvas().Brush().SetColor(clWhite);
    small.Canvas().FillRect(narrow);
    small.Canvas().Brush().SetStyle(TBrushStyle::bsClear);
    small.Canvas().Font().Assign(form->Font());
    form->cntHeaderPaint(form->cntHeader, narrow, small.Canvas(), small.Canvas().Font());
    EXPECT_NE(Hex(PixelAt(small, 15, 4)), Hex(grey));
    EXPECT_NE(Hex(PixelAt(small, 15, 4)), "#FFFFFF");

    // A rectangle whose bottom is above its top: no stripes, still the title.
    TBitmap upside(60, 15);
    upside.Canvas().Brush().SetColor(clWhite);
    upside.Canvas().FillRect({0, 0, 60, 15});
    upside.Canvas().Brush().SetStyle(TBrushStyle::bsClear);
    form->cntHeaderPaint(form->cntHeader, {0, 10, 60, 5}, upside.Canvas(), upside.Canvas().Font());
    EXPECT_EQ(Hex(PixelAt(upside, 2, 10)), "#FFFFFF");
}

TEST_F(MainFormLayout, HeaderPressWithAnyButtonStartsTheMoveLoop)
{
    // The window procedure sees the move command the press sends.
    UINT seen = 0;
    WPARAM command = 0;
    HWND window = form->Handle();
    static UINT* seenPtr;
    static WPARAM* commandPtr;
    seenPtr = &seen;
    commandPtr = &command;
    static WNDPROC original;
    original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    SetWindowLongPtrA(
        window, GWLP_WNDPROC,
        reinterpret_cast<LONG_PTR>(+[](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (msg == WM_SYSCOMMAND) {
                *seenPtr = msg;
                *commandPtr = wParam;
                return 0; // do not enter the real move loop in a test
            }
            return CallWindowProcA(original, hwnd, msg, wParam, lParam);
        }));
    SendMessageA(form->cntHeader->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 5));
    EXPECT_EQ(seen, static_cast<UINT>(WM_SYSCOMMAND));
    EXPECT_EQ(command, 0xF012u);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
}
