#include "app/AboutForm.h"

#include "app/AboutPicture.h"
#include "app/LayoutHelpers.h"
#include "framework/ModalForm.h"

TTessivo_About* Tessivo_About = nullptr;

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
    label->Font().SetStyle(fsBold);
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

TTessivo_About::TTessivo_About(TComponent* owner, TForm* mainWindow, HWND ownerWindow)
    : TForm(owner), mainWindow_(mainWindow), ownerWindow_(ownerWindow)
{
    Name = "Tessivo_About";
    SetCaption("Quorvel");
    // A dialog frame without any caption buttons.
    SetBorderStyle(TFormBorderStyle::bsDialog);
    Font().SetName("MS Sans Serif");
    Font().SetHeight(-11);
    SetClientSize(219, 162);
    CreateControls();
}

void TTessivo_About::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    params.Style &= ~WS_SYSMENU;
    params.WndParent = ownerWindow_;
}

void TTessivo_About::CreateControls()
{
    cntNetPanel = FramedPanel(this, this, "cntNetPanel", 0, 0, 219, 162);
    cntNetPanel->SetAlign(TAlign::alClient);

    cntNetHeader = Place<TdxContainer>(this, cntNetPanel, "cntNetHeader", 2, 2, 215, 15);
    cntNetHeader->SetAlign(TAlign::alTop);
    cntNetHeader->SetCaption("   About...");
    cntNetHeader->SetShowCaption(true);
    cntNetHeader->SetAlignment(TAlignment::taLeftJustify);
    cntNetHeader->SetSpacing(70);
    cntNetHeader->SetColor(kHeaderGrey);
    cntNetHeader->Font().SetName("MS Sans Serif");
    cntNetHeader->Font().SetHeight(-11);
    cntNetHeader->Font().SetStyle(fsBold);

    Image2 = Place<TImage>(this, cntNetPanel, "Image2", 4, 21, 81, 65);
    Image2->SetStretch(true);
    Image2->Picture().SetGraphic(LoadAboutPicture());

    Label2 = AboutLabel(this, cntNetPanel, "Label2", 94, 24, "Project name: ");
    Label5 = AboutLabel(this, cntNetPanel, "Label5", 94, 40, "Tessivo");
    Label1 = AboutLabel(this, cntNetPanel, "Label1", 94, 56, "Autor :");
    Label1->SetTransparent(true);
    Label3 = AboutLabel(this, cntNetPanel, "Label3", 135, 72, "Quorvel");
    Label3->SetTransparent(true);
    // The project keeps no mailbox or web site of its own: the lines say
    // where it is really reached, with no address that could mislead.
    Label4 = AddressLabel(this, cntNetPanel, "Label4", 96, "Contact:    the issue tracker");
    Label7 = AddressLabel(this, cntNetPanel, "Label7", 112, "Website:    none yet");

    Shape1 = Line(this, cntNetPanel, "Shape1", 87, 19, 1, 140);
    Shape7 = Line(this, cntNetPanel, "Shape7", 3, 89, 205, 1);
    Shape2 = Line(this, cntNetPanel, "Shape2", 3, 127, 205, 1);

    Ok = Place<TdxButton>(this, cntNetPanel, "Ok", 136, 136, 73, 21);
    Ok->SetCaption("Close");
    Ok->OnClick = [this](TObject* s) { OkClick(s); };
    // The box has no system menu to close it by: Enter and Escape both
    // press "Close".
    Ok->SetDefault(true);
    Ok->Cancel = true;
}

TModalResult TTessivo_About::ShowModal()
{
    // The tray menu stays reachable while the box is open: a second "About"
    // brings the open box to the front instead of opening it again.
    if (Visible()) {
        SetForegroundWindow(Handle());
        return mrNone;
    }
    FormShow(this);
    return ::ShowModal(*this);
}

void TTessivo_About::FormShow(TObject*)
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

void TTessivo_About::OkClick(TObject*)
{
    Close();
}
