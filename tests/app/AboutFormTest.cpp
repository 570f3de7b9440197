// The About box: its layout and picture, and how it shows, modally and
// centred over the main window.

#include "FormFixture.h"

#include "app/AboutForm.h"
#include "framework/ModalForm.h"
#include "framework/Timer.h"
#include "framework/graphics/JpegImage.h"

namespace {

// Shows the box modally through `open` and, from a timer tick inside the
// modal loop, records what the user would see, then clicks "Close".
struct ModalView {
    RECT Box{};
    bool MainEnabled = true;
    bool BoxShown = false;
    // What a second "About" from the tray menu answered while the box was open.
    TModalResult Again = -1;
};

ModalView WhileShown(TTessivo_About& about, HWND main, const std::function<void()>& open)
{
    ModalView view;
    TTimer closer(nullptr);
    closer.SetInterval(10);
    closer.SetOnTimer([&](TObject*) {
        closer.SetEnabled(false);
        GetWindowRect(about.Handle(), &view.Box);
        view.MainEnabled = IsWindowEnabled(main) != FALSE;
        view.BoxShown = IsWindowVisible(about.Handle()) != FALSE;
        view.Again = about.ShowModal();
        about.Ok->Click();
    });
    closer.SetEnabled(true);
    open();
    return view;
}

} // namespace

class AboutBox : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        about = std::make_unique<TTessivo_About>(nullptr, form.get(), form->TaskbarWindow());
        Tessivo_About = about.get();
    }
    void TearDown() override
    {
        Tessivo_About = nullptr;
        about.reset();
        FormFixture::TearDown();
    }
    std::unique_ptr<TTessivo_About> about;
};

TEST_F(AboutBox, IsADialogWithoutCaptionButtonsAndItsOwnContent)
{
    EXPECT_FALSE(about->Visible());
    char caption[32] = {};
    GetWindowTextA(about->Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Quorvel");
    const LONG_PTR style = GetWindowLongPtrA(about->Handle(), GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style & WS_SYSMENU, 0);
    EXPECT_EQ(about->ClientWidth(), 219);
    EXPECT_EQ(about->ClientHeight(), 162);
    // No taskbar button of its own.
    EXPECT_EQ(GetWindow(about->Handle(), GW_OWNER), form->TaskbarWindow());

    EXPECT_EQ(about->cntNetHeader->Caption(), "   About...");
    EXPECT_EQ(about->Label2->Caption(), "Project name: ");
    EXPECT_EQ(about->Label5->Caption(), "Tessivo");
    EXPECT_EQ(about->Label1->Caption(), "Autor :");
    EXPECT_EQ(about->Label3->Caption(), "Quorvel");
    EXPECT_EQ(about->Label4->Caption().rfind("Contact:", 0), 0u);
    EXPECT_EQ(about->Label7->Caption().rfind("Website:", 0), 0u);
    EXPECT_EQ(about->Ok->Caption(), "Close");
    EXPECT_EQ(about->Label3->Left(), 135);
    EXPECT_EQ(about->Label3->Top(), 72);
    EXPECT_EQ(about->Ok->Left(), 136);
    EXPECT_EQ(about->Ok->Top(), 136);
}

TEST_F(AboutBox, ThePictureIsTheStoredJpegDecoded)
{
    TGraphic* picture = about->Image2->Picture().Graphic();
    ASSERT_NE(picture, nullptr);
    auto* jpeg = dynamic_cast<TJPEGImage*>(picture);
    ASSERT_NE(jpeg, nullptr);
    EXPECT_EQ(jpeg->Width(), 162);
    EXPECT_EQ(jpeg->Height(), 130);
    // The sun, high on the right, is yellow; the frame's corner is brown.
    const TColor sun = jpeg->Bitmap().Canvas().Pixel(120, 34);
    EXPECT_GT(GetRValue(sun), 220);
    EXPECT_GT(GetGValue(sun), 180);
    EXPECT_LT(GetBValue(sun), 120);
    const TColor frame = jpeg->Bitmap().Canvas().Pixel(4, 60);
    EXPECT_LT(GetBValue(frame), GetRValue(frame));
}

TEST_F(AboutBox, AboutShowsTheBoxModallyCentredOverTheMainWindow)
{
    form->RestoreFromTray();
    const ModalView view = WhileShown(*about, form->Handle(), [&] { form->ButtonAbout->Click(); });
    EXPECT_TRUE(view.BoxShown);
    EXPECT_FALSE(view.MainEnabled);
    EXPECT_EQ(view.Again, mrNone);
    EXPECT_EQ(view.Box.left, form->Left() + (form->Width() - about->Width()) / 2);
    EXPECT_EQ(view.Box.top, form->Top() + (form->Height() - about->Height()) / 2);
    // Closed: hidden, the main window takes input again.
    EXPECT_FALSE(IsWindowVisible(about->Handle()));
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    EXPECT_EQ(about->ModalResult(), mrCancel);
}

TEST_F(AboutBox, OverAHiddenOrSmallMainWindowTheBoxKeepsToItsPositionRule)
{
    // From the tray menu, the window hidden: over its last position.
    form->SetBounds(100, 120, 560, 308);
    ModalView view = WhileShown(*about, form->Handle(), [&] { form->Exit1->Click(); });
    EXPECT_TRUE(view.BoxShown);
    EXPECT_EQ(view.Box.left, 100 + (560 - about->Width()) / 2);
    EXPECT_EQ(view.Box.top, 120 + (308 - about->Height()) / 2);

    // A main window smaller than the box: the box takes its edges.
    form->SetBounds(50, 60, 100, 80);
    view = WhileShown(*about, form->Handle(), [&] { about->ShowModal(); });
    EXPECT_EQ(view.Box.left, 50);
    EXPECT_EQ(view.Box.top, 60);
}

TEST_F(AboutBox, EscapeAndEnterCloseTheBox)
{
    for (const WPARAM key : {VK_ESCAPE, VK_RETURN}) {
        bool closedByKey = true;
        TTimer press(nullptr), fallback(nullptr);
        press.SetInterval(10);
        press.SetOnTimer([&](TObject*) {
            press.SetEnabled(false);
            PostMessageA(about->Handle(), WM_KEYDOWN, key, 0);
        });
        // Closes a box the key left open, so the test ends either way.
        fallback.SetInterval(2000);
        fallback.SetOnTimer([&](TObject*) {
            fallback.SetEnabled(false);
            closedByKey = false;
            about->Ok->Click();
        });
        press.SetEnabled(true);
        fallback.SetEnabled(true);
        about->ShowModal();
        EXPECT_TRUE(closedByKey) << key;
        EXPECT_FALSE(IsWindowVisible(about->Handle())) << key;
    }
}
