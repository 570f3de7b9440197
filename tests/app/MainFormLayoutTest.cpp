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
    const TMainForm::TestView f = form->Test();
    TMainForm* const form = this->form.get();
    const std::vector<Placement> table = {
        {f.header, form, Box(0, 0, 560, 15)},
        {f.closeButton, f.header, Box(0, 0, 15, 15)},
        {f.toTrayButton, f.header, Box(15, 0, 15, 15)},
        {f.actionsPanel, form, Box(2, 18, 116, 287)},
        {f.actionsHeader, f.actionsPanel, Box(2, 2, 112, 15)},
        {f.addButton, f.actionsPanel, Box(13, 27, 28, 30)},
        {f.deleteButton, f.actionsPanel, Box(45, 27, 28, 30)},
        {f.applyButton, f.actionsPanel, Box(13, 66, 92, 21)},
        {f.newListButton, f.actionsPanel, Box(13, 107, 44, 38)},
        {f.saveListButton, f.actionsPanel, Box(61, 107, 44, 38)},
        {f.loadListButton, f.actionsPanel, Box(13, 159, 92, 21)},
        {f.aboutButton, f.actionsPanel, Box(13, 195, 42, 44)},
        {f.exitButton, f.actionsPanel, Box(61, 195, 42, 44)},
        {f.clockLabel, f.actionsPanel, Box(23, 254, 73, 15)},
        {f.previewPanel, form, Box(120, 18, 222, 166)},
        {f.previewImage, f.previewPanel, Box(2, 2, 218, 162)},
        {f.nameListPanel, form, Box(344, 18, 212, 147)},
        {f.nameList, f.nameListPanel, Box(2, 2, 208, 143)},
        {f.totalPanel, form, Box(344, 167, 212, 17)},
        {f.optionsPanel, form, Box(120, 186, 436, 119)},
        {f.sizeLabel, f.optionsPanel, Box(102, 7, 139, 13)},
        {f.nameLabel, f.optionsPanel, Box(102, 25, 139, 13)},
        {f.pathLabel, f.optionsPanel, Box(102, 44, 139, 13)},
        {f.startWithWindowsBox, f.optionsPanel, Box(65, 59, 144, 17)},
        {f.startMinimizedBox, f.optionsPanel, Box(65, 79, 112, 17)},
        {f.startAutoRunBox, f.optionsPanel, Box(65, 99, 160, 17)},
        {f.intervalEdit, f.optionsPanel, Box(349, 64, 43, 22)},
        {f.randomBox, f.optionsPanel, Box(264, 90, 65, 17)},
        {f.startStopButton, f.optionsPanel, Box(389, 89, 38, 21)},
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
    // The separator lines, in the order they were made.
    const std::vector<std::pair<TWinControl*, std::vector<RECT>>> lines = {
        {f.actionsPanel, {Box(5, 22, 1, 260), Box(5, 95, 110, 1), Box(1, 251, 114, 1), Box(2, 271, 113, 1)}},
        {f.optionsPanel,
         {Box(5, 6, 250, 1), Box(5, 21, 52, 1), Box(5, 58, 248, 1), Box(5, 73, 52, 1), Box(56, 4, 1, 112),
          Box(245, 6, 180, 1), Box(245, 21, 180, 1), Box(252, 4, 1, 112)}},
    };
    for (const auto& [panel, expected] : lines) {
        std::vector<RECT> drawn;
        for (TControl* control : panel->Controls()) {
            if (auto* shape = dynamic_cast<TShape*>(control)) {
                EXPECT_EQ(shape->Pen().Color(), clSilver);
                drawn.push_back(shape->BoundsRect());
            }
        }
        ASSERT_EQ(drawn.size(), expected.size()) << panel->Name;
        for (size_t i = 0; i < drawn.size(); ++i) {
            EXPECT_EQ(drawn[i].left, expected[i].left) << panel->Name << " line " << i;
            EXPECT_EQ(drawn[i].top, expected[i].top) << panel->Name << " line " << i;
            EXPECT_EQ(drawn[i].right, expected[i].right) << panel->Name << " line " << i;
            EXPECT_EQ(drawn[i].bottom, expected[i].bottom) << panel->Name << " line " << i;
        }
    }
    // The combo box keeps its left, top and width; its height is the platform's.
    EXPECT_EQ(f.styleBox->Left(), 349);
    EXPECT_EQ(f.styleBox->Top(), 32);
    EXPECT_EQ(f.styleBox->Width(), 82);
}

TEST_F(MainFormLayout, TheTotalIsDrawnWholeAtAnyCount)
{
    TLabel& total = *form->Test().totalLabel;
    EXPECT_EQ(total.Parent(), form->Test().totalPanel);
    for (int count : {1, 12, 100000}) {
        const std::string text = TotalFilesText(count);
        SCOPED_TRACE(text);
        total.SetCaption(text);
        EXPECT_EQ(total.Left(), 4);
        EXPECT_EQ(total.Top(), 2);
        // Within the panel's frame the ink is as wide as the text drawn on
        // its own, and it ends before the frame.
        auto shot = RenderControl(*form->Test().totalPanel);
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
    ASSERT_EQ(form->Test().nameLabel->Caption(), "photo 1 & more.bmp");
    // A short path, so that its "&" lies within the label's width.
    form->Test().pathLabel->SetCaption("C:\\a & b.jpg");
    auto shot = RenderControl(*form->Test().optionsPanel);
    for (TLabel* label : {form->Test().nameLabel, form->Test().pathLabel}) {
        SCOPED_TRACE(label->Name);
        const RECT box = label->BoundsRect();
        auto asIs =
            RenderTextAsIs(label->Font(), label->Caption(), box.right - box.left, box.bottom - box.top);
        EXPECT_TRUE(SameInk(*shot, box, *asIs));
    }
}

TEST_F(MainFormLayout, ALongPathIsCutInItsMiddleWithAnEllipsisAndWholeInItsHint)
{
    Add({MakeBitmap("a holiday picture with a long name.bmp", 4, 4)});
    TLabel& path = *form->Test().pathLabel;
    const std::string full = path.Caption();
    ASSERT_EQ(full, folder / "a holiday picture with a long name.bmp");
    EXPECT_EQ(path.Hint(), full);
    EXPECT_TRUE(path.ShowHint());

    auto shot = RenderControl(*form->Test().optionsPanel);
    const RECT box = path.BoundsRect();
    const int width = box.right - box.left, height = box.bottom - box.top;
    // The path is wider than the label: cut plainly, it would differ.
    auto cut = RenderTextAsIs(path.Font(), full, width, height);
    EXPECT_FALSE(SameInk(*shot, box, *cut));
    auto ellipsis = RenderText(path.Font(), full, width, height, DT_PATH_ELLIPSIS);
    EXPECT_TRUE(SameInk(*shot, box, *ellipsis));
}

TEST_F(MainFormLayout, WindowIsBorderless560By308AndHoldsNoWindowOutsideIt)
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
    // No window of the form lies out of sight (the list is no window).
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_TRUE(rect.top < client.bottom && rect.left < client.right && rect.bottom > 0 &&
                    rect.right > 0);
    }
    EXPECT_EQ(form->Position(), TPosition::poScreenCenter);
}

TEST_F(MainFormLayout, CaptionsHintsFontsAndColours)
{
    const TMainForm::TestView f = form->Test();
    EXPECT_EQ(f.addButton->Caption(), "+");
    EXPECT_EQ(f.addButton->Hint(), "Add file (s) to current list");
    EXPECT_EQ(f.addButton->Font().Height(), -16);
    EXPECT_TRUE(f.addButton->Font().Style() & fsBold);
    EXPECT_EQ(f.deleteButton->Caption(), "-");
    EXPECT_EQ(f.deleteButton->Font().Height(), -21);
    EXPECT_EQ(f.deleteButton->Hint(), "Delete file(s) from current list");
    EXPECT_EQ(f.applyButton->Hint(), "Apply current picture on desktop");
    EXPECT_EQ(f.newListButton->Hint(), "New list (delete all files)");
    EXPECT_EQ(f.newListButton->Spacing(), 0);
    EXPECT_FALSE(f.newListButton->Glyph().Empty());
    EXPECT_EQ(f.saveListButton->Hint(), "Save current list");
    EXPECT_EQ(f.loadListButton->Caption(), "Load List");
    EXPECT_EQ(f.loadListButton->Hint(), "Load files from list");
    EXPECT_EQ(f.aboutButton->Caption(), "About");
    EXPECT_EQ(f.aboutButton->Hint(), "About the author");
    EXPECT_EQ(f.exitButton->Hint(), "Exit program");
    EXPECT_EQ(f.closeButton->Hint(), "Exit program");
    EXPECT_EQ(f.closeButton->ToolType(), TdxToolType::ttClose);
    EXPECT_EQ(f.toTrayButton->Hint(), "Minimize to system tray");
    EXPECT_EQ(f.toTrayButton->ToolType(), TdxToolType::ttPopup);
    EXPECT_EQ(f.startStopButton->Caption(), "Start");
    EXPECT_EQ(f.startStopButton->Hint(), "Start / Stop autochange");
    EXPECT_EQ(f.actionsHeader->Caption(), "     Actions");
    EXPECT_EQ(f.actionsHeader->Spacing(), 24);
    EXPECT_EQ(f.actionsHeader->Alignment(), TAlignment::taLeftJustify);
    EXPECT_EQ(ColorToRGB(f.actionsHeader->Color()), ColorToRGB(RGBColor(237, 233, 227)));
    EXPECT_EQ(ColorToRGB(f.actionsPanel->Color()), 16251903u);
    EXPECT_EQ(f.actionsPanel->BorderWidth(), 1);
    EXPECT_EQ(f.optionsPanel->BoundLines(), blLeft | blTop | blRight | blBottom);
    EXPECT_EQ(f.clockLabel->Font().Name(), "Times New Roman");
    EXPECT_EQ(f.clockLabel->Font().Height(), -13);
    EXPECT_TRUE(f.clockLabel->Font().Style() & fsBold);
    EXPECT_TRUE(f.clockLabel->Transparent());
    EXPECT_EQ(f.clockLabel->Caption(), "00:00:00 AM");
    EXPECT_EQ(f.totalLabel->Caption(), "Total : 0 file(s)");
    EXPECT_EQ(f.nameList->ItemHeight(), 13);
    EXPECT_EQ(SendMessageA(f.nameList->Handle(), LB_GETITEMHEIGHT, 0, 0), 13);
    EXPECT_EQ(f.nameList->Font().Style() & fsBold, fsBold);
    std::vector<std::string> captions;
    for (TControl* control : f.optionsPanel->Controls()) {
        auto* label = dynamic_cast<TLabel*>(control);
        if (label && label->Name.empty()) {
            EXPECT_TRUE(label->Font().Style() & fsBold);
            captions.push_back(label->Caption());
        }
    }
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Info:", "Size:", "Name:", "Path:", "Options:",
                                        "Auto change options :", "Display Style :", "Interval", "minute"}));
    EXPECT_EQ(f.startWithWindowsBox->Caption(), "Start With Windows");
    EXPECT_EQ(f.startMinimizedBox->Caption(), "Start Minimized");
    EXPECT_EQ(f.startAutoRunBox->Caption(), "Start in auto run mode");
    EXPECT_EQ(f.randomBox->Caption(), "Random");
    EXPECT_EQ(f.styleBox->Items().Texts(),
              (std::vector<std::string>{"Center", "Tile", "Stretch", "Fit", "Fill", "Span"}));
    // The stored "style" ("2") chose the item at startup.
    EXPECT_EQ(f.styleBox->ItemIndex(), 2);
    EXPECT_EQ(f.intervalEdit->Value(), 1);
    EXPECT_EQ(f.intervalEdit->MaxValue(), 1000);
    EXPECT_TRUE(f.previewImage->Stretch());
}

TEST_F(MainFormLayout, CreationPreparesControlsAndTheDateHint)
{
    // The list is empty: nothing to apply.
    EXPECT_FALSE(form->Test().applyButton->Enabled());
    EXPECT_FALSE(form->Test().autoChangeTimer->Enabled());
    // The window starts in the tray, where the clock does not run.
    EXPECT_FALSE(form->Test().clockTimer->Enabled());
    EXPECT_EQ(form->Test().clockTimer->Interval(), 1000u);
    EXPECT_FALSE(form->Test().autoChangeRunning);
    EXPECT_EQ(form->Test().rotationPosition, 0);
    EXPECT_EQ(form->Test().currentIndex, 0);
    EXPECT_EQ(pictures.options, ofHideReadOnly | ofAllowMultiSelect | ofEnableSizing);
    EXPECT_EQ(form->Test().clockLabel->Hint(), "Today is : Monday, 07 December 2026");

    // The hint keeps the day the program started; the clock ticks on.
    clock.now = {2026, 12, 8, 2, 0, 0, 3};
    form->onClockTimer(form->Test().clockTimer);
    EXPECT_EQ(form->Test().clockLabel->Caption(), "12:00:03 AM");
    EXPECT_EQ(form->Test().clockLabel->Hint(), "Today is : Monday, 07 December 2026");
    clock.now = {2026, 12, 8, 2, 13, 5, 9};
    form->onClockTimer(form->Test().clockTimer);
    EXPECT_EQ(form->Test().clockLabel->Caption(), "01:05:09 PM");
}

TEST_F(MainFormLayout, HeaderShowsStripesAndTheCentredTitle)
{
    auto shot = RenderControl(*form->Test().header);
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
    form->onHeaderPaint(form->Test().header, narrow, small.Canvas(), small.Canvas().Font());
    EXPECT_NE(Hex(PixelAt(small, 15, 4)), Hex(grey));
    EXPECT_NE(Hex(PixelAt(small, 15, 4)), "#FFFFFF");

    // A rectangle whose bottom is above its top: no stripes, still the title.
    TBitmap upside(60, 15);
    upside.Canvas().Brush().SetColor(clWhite);
    upside.Canvas().FillRect({0, 0, 60, 15});
    upside.Canvas().Brush().SetStyle(TBrushStyle::bsClear);
    form->onHeaderPaint(form->Test().header, {0, 10, 60, 5}, upside.Canvas(), upside.Canvas().Font());
    EXPECT_EQ(Hex(PixelAt(upside, 2, 10)), "#FFFFFF");

    // A rectangle lower down: its even rows striped once, nothing below it.
    TBitmap lower(60, 40);
    lower.Canvas().Brush().SetColor(clWhite);
    lower.Canvas().FillRect({0, 0, 60, 40});
    form->onHeaderPaint(form->Test().header, {0, 5, 60, 20}, lower.Canvas(), lower.Canvas().Font());
    for (int y = 0; y < 40; ++y)
        EXPECT_EQ(Hex(PixelAt(lower, 2, y)),
                  Hex(y >= 5 && y < 20 && (y - 5) % 2 == 0 ? grey : RGB(255, 255, 255)))
            << "row " << y;
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
    SendMessageA(form->Test().header->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 5));
    EXPECT_EQ(seen, static_cast<UINT>(WM_SYSCOMMAND));
    EXPECT_EQ(command, 0xF012u);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
}
