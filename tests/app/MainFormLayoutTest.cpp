// The main window's layout: the window drawn against its reference picture,
// and what the picture cannot show, read back from the controls and windows.

#include "FormFixture.h"
#include "framework/graphics/Picture.h"
#include "lists/ListTexts.h"
#include "support/Render.h"

#include <cstdlib>
#include <tuple>

namespace {

// The reference picture of the window at 96 DPI, in the source tree.
const char* const kReferencePicture = TESSIVO_APP_TESTS_DIR "/data/main-window.png";

// `name` in the folder of the test program (the tests' working folder is
// a temporary one).
std::string BesideTheTests(const std::string& name)
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const std::string path = exe;
    return path.substr(0, path.find_last_of("\\/") + 1) + name;
}

// The name of the innermost control under `point` of `parent`, for telling
// where a picture differs.
std::string ControlAt(TWinControl& parent, POINT point)
{
    const auto& controls = parent.Controls();
    for (auto each = controls.rbegin(); each != controls.rend(); ++each) {
        const RECT bounds = (*each)->BoundsRect();
        if (!PtInRect(&bounds, point))
            continue;
        auto* windowed = dynamic_cast<TWinControl*>(*each);
        return windowed ? ControlAt(*windowed, {point.x - bounds.left, point.y - bounds.top}) : (*each)->Name;
    }
    return parent.Name;
}

// Every windowed control of `parent`, and below.
void EveryWindowedControl(TWinControl& parent, std::vector<TWinControl*>& found)
{
    for (TControl* control : parent.Controls())
        if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
            found.push_back(windowed);
            EveryWindowedControl(*windowed, found);
        }
}

} // namespace

class MainFormLayout : public FormFixture {};

// What the layout table makes, as a person sees it: every control's place,
// caption, font, colour, frame, separator line and glyph, pixel for pixel
// against the reference picture. TESSIVO_UPDATE_PICTURES=1 writes the
// window as it is now to main-window.bmp beside the test program instead;
// `convert main-window.bmp -define png:exclude-chunks=all
// tests/app/data/main-window.png` takes it as the new reference.
TEST_F(MainFormLayout, TheWindowLooksAsItsReferencePicture)
{
    auto shot = RenderControl(*form);
    if (const char* update = std::getenv("TESSIVO_UPDATE_PICTURES"); update && std::string(update) == "1") {
        shot->SaveToFile(BesideTheTests("main-window.bmp"));
        GTEST_SKIP() << "wrote main-window.bmp";
    }
    TPicture reference;
    reference.LoadFromFile(kReferencePicture);
    ASSERT_EQ(reference.Width(), shot->Width());
    ASSERT_EQ(reference.Height(), shot->Height());
    TBitmap expected(shot->Width(), shot->Height());
    expected.Canvas().Draw(0, 0, *reference.Graphic());
    int differences = 0;
    POINT first{-1, -1};
    for (int y = 0; y < shot->Height(); ++y)
        for (int x = 0; x < shot->Width(); ++x)
            if (PixelAt(*shot, x, y) != PixelAt(expected, x, y) && differences++ == 0)
                first = {x, y};
    if (differences > 0)
        shot->SaveToFile(BesideTheTests("main-window-actual.bmp"));
    EXPECT_EQ(differences, 0) << "first at (" << first.x << ", " << first.y << ") in "
                              << ControlAt(*form, first) << ": " << Hex(PixelAt(*shot, first.x, first.y))
                              << " instead of " << Hex(PixelAt(expected, first.x, first.y))
                              << "; the window as drawn is main-window-actual.bmp beside the tests";
}

TEST_F(MainFormLayout, EveryWindowStandsWhereItsControlSays)
{
    std::vector<TWinControl*> windowed;
    EveryWindowedControl(*form, windowed);
    ASSERT_GE(windowed.size(), 20u);
    for (TWinControl* control : windowed) {
        SCOPED_TRACE(control->Name);
        const RECT bounds = control->BoundsRect();
        RECT window;
        GetWindowRect(control->Handle(), &window);
        MapWindowPoints(nullptr, control->Parent()->Handle(), reinterpret_cast<POINT*>(&window), 2);
        EXPECT_EQ(window.left, bounds.left);
        EXPECT_EQ(window.top, bounds.top);
        EXPECT_EQ(window.right - window.left, bounds.right - bounds.left);
    }
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
    EXPECT_EQ(form->Position(), TPosition::ScreenCenter);
}

// What the window's picture cannot show: the system's check boxes (they do
// not draw into it), hints, the choices of the closed combo box and the spin
// box, and the rows of the still empty list.
TEST_F(MainFormLayout, CheckBoxesHintsChoicesAndListRows)
{
    const TMainForm::TestView f = form->Test();
    const std::vector<std::tuple<TCheckBox*, std::string, RECT>> boxes = {
        {f.startWithWindowsBox, "Start With Windows", {65, 59, 65 + 144, 59 + 17}},
        {f.startMinimizedBox, "Start Minimized", {65, 79, 65 + 112, 79 + 17}},
        {f.startAutoRunBox, "Start in auto run mode", {65, 99, 65 + 160, 99 + 17}},
        {f.randomBox, "Random", {264, 90, 264 + 65, 90 + 17}},
    };
    for (const auto& [box, caption, bounds] : boxes) {
        EXPECT_EQ(box->Caption(), caption);
        EXPECT_EQ(box->Parent(), f.optionsPanel);
        const RECT actual = box->BoundsRect();
        EXPECT_TRUE(EqualRect(&bounds, &actual)) << caption;
    }
    const std::vector<std::pair<TControl*, std::string>> hints = {
        {f.addButton, "Add file (s) to current list"},
        {f.deleteButton, "Delete file(s) from current list"},
        {f.applyButton, "Apply current picture on desktop"},
        {f.newListButton, "New list (delete all files)"},
        {f.saveListButton, "Save current list"},
        {f.loadListButton, "Load files from list"},
        {f.aboutButton, "About the author"},
        {f.exitButton, "Exit program"},
        {f.closeButton, "Exit program"},
        {f.toTrayButton, "Minimize to system tray"},
        {f.startStopButton, "Start / Stop autochange"},
    };
    for (const auto& [control, hint] : hints)
        EXPECT_EQ(control->Hint(), hint) << control->Name;
    EXPECT_EQ(f.styleBox->Items().Texts(),
              (std::vector<std::string>{"Center", "Tile", "Stretch", "Fit", "Fill", "Span"}));
    // The stored "style" ("2") chose the item at startup.
    EXPECT_EQ(f.styleBox->ItemIndex(), 2);
    EXPECT_EQ(f.intervalEdit->MaxValue(), 1000);
    EXPECT_EQ(f.nameList->ItemHeight(), 13);
    EXPECT_EQ(SendMessageA(f.nameList->Handle(), LB_GETITEMHEIGHT, 0, 0), 13);
    EXPECT_EQ(f.nameList->Font().Style() & TFontStyle::Bold, TFontStyle::Bold);
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
    EXPECT_EQ(pictures.options,
              TOpenOption::HideReadOnly | TOpenOption::AllowMultiSelect | TOpenOption::EnableSizing);
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
    small.Canvas().Brush().SetStyle(TBrushStyle::Clear);
    small.Canvas().Font().Assign(form->Font());
    form->onHeaderPaint(form->Test().header, narrow, small.Canvas(), small.Canvas().Font());
    EXPECT_NE(Hex(PixelAt(small, 15, 4)), Hex(grey));
    EXPECT_NE(Hex(PixelAt(small, 15, 4)), "#FFFFFF");

    // A rectangle whose bottom is above its top: no stripes, still the title.
    TBitmap upside(60, 15);
    upside.Canvas().Brush().SetColor(clWhite);
    upside.Canvas().FillRect({0, 0, 60, 15});
    upside.Canvas().Brush().SetStyle(TBrushStyle::Clear);
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
