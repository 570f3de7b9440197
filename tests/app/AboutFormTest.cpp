// The About box: its layout and picture, and how it shows, modally and
// centred over the main window.

#include "FormFixture.h"

#include "app/AboutForm.h"
#include "framework/ModalForm.h"
#include "framework/Timer.h"
#include "framework/graphics/JpegImage.h"

#include <cstring>

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

ModalView WhileShown(TAboutForm& about, HWND main, const std::function<void()>& open)
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
        about.closeButton->Click();
    });
    closer.SetEnabled(true);
    open();
    return view;
}

// The file version the test program's version resource carries, as
// "major.minor.patch", read from the fixed part of the resource.
std::string VersionResourceText()
{
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16));
    if (!found)
        return "";
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, found)));
    const DWORD size = SizeofResource(nullptr, found);
    for (DWORD at = 0; at + sizeof(VS_FIXEDFILEINFO) <= size; at += 4) {
        VS_FIXEDFILEINFO info;
        std::memcpy(&info, bytes + at, sizeof info);
        if (info.dwSignature == 0xFEEF04BD)
            return std::to_string(HIWORD(info.dwFileVersionMS)) + "." +
                   std::to_string(LOWORD(info.dwFileVersionMS)) + "." +
                   std::to_string(HIWORD(info.dwFileVersionLS));
    }
    return "";
}

} // namespace

class AboutBox : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        about = std::make_unique<TAboutForm>(nullptr, form.get(), form->TaskbarWindow());
        form->SetAboutForm(about.get());
    }
    void TearDown() override
    {
        form->SetAboutForm(nullptr);
        about.reset();
        FormFixture::TearDown();
    }
    std::unique_ptr<TAboutForm> about;
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

    EXPECT_EQ(about->header->Caption(), "   About...");
    EXPECT_EQ(about->projectCaptionLabel->Caption(), "Project name: ");
    EXPECT_EQ(about->projectNameLabel->Caption(), "Tessivo");
    EXPECT_EQ(about->authorCaptionLabel->Caption(), "Author :");
    EXPECT_EQ(about->authorLabel->Caption(), "Quorvel");
    EXPECT_EQ(about->contactLabel->Caption().rfind("Contact:", 0), 0u);
    EXPECT_EQ(about->websiteLabel->Caption().rfind("Website:", 0), 0u);
    EXPECT_EQ(about->closeButton->Caption(), "Close");
    EXPECT_EQ(about->authorLabel->Left(), 135);
    EXPECT_EQ(about->authorLabel->Top(), 72);
    EXPECT_EQ(about->closeButton->Left(), 136);
    EXPECT_EQ(about->closeButton->Top(), 136);
}

TEST_F(AboutBox, ShowsTheVersionOfTheVersionResourceBesideClose)
{
    const std::string version = VersionResourceText();
    ASSERT_FALSE(version.empty());
    EXPECT_EQ(about->versionLabel->Caption(), "Version " + version);
    EXPECT_TRUE(about->versionLabel->Visible());
    // Inside the box, left of "Close" and clear of the contact lines.
    EXPECT_LT(about->versionLabel->Left() + about->versionLabel->Width(), about->closeButton->Left());
    EXPECT_GT(about->versionLabel->Top(), about->websiteLabel->Top() + about->websiteLabel->Height());
    EXPECT_LE(about->versionLabel->Top() + about->versionLabel->Height(), about->ClientHeight());
}

TEST_F(AboutBox, ThePictureIsTheStoredJpegDecoded)
{
    TGraphic* picture = about->pictureImage->Picture().Graphic();
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

TEST_F(AboutBox, AboutMakesTheBoxOnFirstUseAndShowsItModallyCentredOverTheMainWindow)
{
    // The box is made on the first "About" and kept for the next ones.
    int made = 0;
    form->SetAboutForm(nullptr);
    form->SetAboutFormMaker([&] {
        ++made;
        return about.get();
    });
    form->RestoreFromTray();
    EXPECT_EQ(made, 0);
    WhileShown(*about, form->Handle(), [&] { form->Test().aboutButton->Click(); });
    const ModalView view = WhileShown(*about, form->Handle(), [&] { form->Test().aboutButton->Click(); });
    EXPECT_EQ(made, 1);
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
    ModalView view = WhileShown(*about, form->Handle(), [&] { form->Test().aboutMenuItem->Click(); });
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
            about->closeButton->Click();
        });
        press.SetEnabled(true);
        fallback.SetEnabled(true);
        about->ShowModal();
        EXPECT_TRUE(closedByKey) << key;
        EXPECT_FALSE(IsWindowVisible(about->Handle())) << key;
    }
}
