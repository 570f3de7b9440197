#include "app/AboutForm.h"

TTessivo_About* Tessivo_About = nullptr;

TTessivo_About::TTessivo_About(TComponent* owner) : TForm(owner)
{
    Name = "Tessivo_About";
    SetCaption("About Tessivo");
    SetBorderStyle(TFormBorderStyle::bsNone);
    SetPosition(TPosition::poMainFormCenter);
}
