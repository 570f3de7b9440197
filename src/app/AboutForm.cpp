#include "app/AboutForm.h"

#include "app/AboutPicture.h"
#include "app/LayoutHelpers.h"
#include "framework/ModalForm.h"
#include "tessivo_version.h"

namespace {

// The system colour of the desktop background.
constexpr TColor kDesktopColour = clSystemColor | COLOR_BACKGROUND;

TLabel* AboutLabel(TComponent* owner, TWinControl* parent, const char* name, int left, int top,
                   const std::string& caption)
{
    auto* label = new TLabel(owner);
    label->Name = name;
    label->SetParent(parent);
    label->Font().SetName("MS Sans Serif");
    label->Font().SetHeight(-11);
    label->Font().SetStyle(TFontStyle::Bold);
    label->Font().SetColor(kDesktopColour);
    label->SetLeft(left);
    label->SetTop(top);
    label->SetCaption(caption);
    return label;
}

// A label of a fixed width that holds a caption and an address after it.
TLabel* AddressLabel(TComponent* owner, TWinControl* parent, const char* name, int top,
                     const std::string& caption)
{
    auto* label = AboutLabel(owner, parent, name, 8, top, caption);
    label->SetAutoSize(false);
    label->SetBounds(8, top, 202, 13);
    return label;
}

} // namespace

TAboutForm::TAboutForm(TComponent* owner, TForm* mainWindow, HWND ownerWindow)
    : TForm(owner), mainWindow_(mainWindow), ownerWindow_(ownerWindow)
{
    Name = "aboutForm";
    SetCaption("Quorvel");
    // A dialog frame without any caption buttons.
    SetBorderStyle(TFormBorderStyle::Dialog);
    Font().SetName("MS Sans Serif");
    Font().SetHeight(-11);
    SetClientSize(219, 162);
    CreateControls();
}

void TAboutForm::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    params.Style &= ~WS_SYSMENU;
    params.WndParent = ownerWindow_;
}

void TAboutForm::CreateControls()
{
    panel = FramedPanel(this, this, "panel", 0, 0, 219, 162);
    panel->SetAlign(TAlign::Client);

    header = Place<TFlatPanel>(this, panel, "header", 2, 2, 215, 15);
    header->SetAlign(TAlign::Top);
    header->SetCaption("   About...");
    header->SetShowCaption(true);
    header->SetAlignment(TAlignment::LeftJustify);
    header->SetSpacing(70);
    header->SetColor(kHeaderGrey);
    header->Font().SetName("MS Sans Serif");
    header->Font().SetHeight(-11);
    header->Font().SetStyle(TFontStyle::Bold);

    pictureImage = Place<TImage>(this, panel, "pictureImage", 4, 21, 81, 65);
    pictureImage->SetStretch(true);
    pictureImage->Picture().SetGraphic(LoadAboutPicture());

    projectCaptionLabel = AboutLabel(this, panel, "projectCaptionLabel", 94, 24, "Project name: ");
    projectNameLabel = AboutLabel(this, panel, "projectNameLabel", 94, 40, "Tessivo");
    authorCaptionLabel = AboutLabel(this, panel, "authorCaptionLabel", 94, 56, "Author :");
    authorCaptionLabel->SetTransparent(true);
    authorLabel = AboutLabel(this, panel, "authorLabel", 135, 72, "Quorvel");
    authorLabel->SetTransparent(true);
    // The project keeps no mailbox or web site of its own: the lines say
    // where it is really reached, with no address that could mislead.
    contactLabel = AddressLabel(this, panel, "contactLabel", 96, "Contact:    the issue tracker");
    websiteLabel = AddressLabel(this, panel, "websiteLabel", 112, "Website:    none yet");
    // The build's one version number, the one the version resource carries.
    versionLabel = AboutLabel(this, panel, "versionLabel", 8, 140, "Version " TESSIVO_VERSION_STRING);

    Line(this, panel, "", 87, 19, 1, 140);
    Line(this, panel, "", 3, 89, 205, 1);
    Line(this, panel, "", 3, 127, 205, 1);

    closeButton = Place<TFlatButton>(this, panel, "closeButton", 136, 136, 73, 21);
    closeButton->SetCaption("Close");
    closeButton->OnClick = [this](TObject* s) { onCloseClick(s); };
    // The box has no system menu to close it by: Enter and Escape both
    // press "Close".
    closeButton->SetDefault(true);
    closeButton->Cancel = true;
}

TModalResult TAboutForm::ShowModal()
{
    // The tray menu stays reachable while the box is open: a second "About"
    // brings the open box to the front instead of opening it again.
    if (Visible()) {
        SetForegroundWindow(Handle());
        return mrNone;
    }
    placeOverMainWindow(this);
    return ::ShowModal(*this);
}

void TAboutForm::placeOverMainWindow(TObject*)
{
    if (!mainWindow_)
        return;
    // The main window's position and size count even while it is hidden.
    const int left = mainWindow_->Width() > Width()
                         ? mainWindow_->Left() + (mainWindow_->Width() - Width()) / 2
                         : mainWindow_->Left();
    const int top = mainWindow_->Height() > Height()
                        ? mainWindow_->Top() + (mainWindow_->Height() - Height()) / 2
                        : mainWindow_->Top();
    SetBounds(left, top, Width(), Height());
}

void TAboutForm::onCloseClick(TObject*)
{
    Close();
}
