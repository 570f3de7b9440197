#pragma once
// The About box: a small dialog with the program's picture, its name, its
// maker and where to reach the project. Created hidden once; shown modally,
// centred over the main window.

#include "controls/dxButtons.h"
#include "controls/dxContainer.h"
#include "framework/Form.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/Shape.h"

class TTessivo_About : public TForm {
public:
    // `mainWindow` is the window the box centres over; `ownerWindow`, when
    // given, owns the box's window (so it has no taskbar button of its own).
    TTessivo_About(TComponent* owner, TForm* mainWindow, HWND ownerWindow = nullptr);

    TdxContainer* cntNetPanel;
    TdxContainer* cntNetHeader;
    TImage* Image2;
    TLabel* Label2;
    TLabel* Label5;
    TLabel* Label1;
    TLabel* Label3;
    TLabel* Label4;
    TLabel* Label7;
    TShape* Shape1;
    TShape* Shape7;
    TShape* Shape2;
    TdxButton* Ok;

    // Places the box over the main window, then shows it modally; returns
    // when it closes. While the box is open, it only comes to the front.
    TModalResult ShowModal();

    void FormShow(TObject* sender);
    void OkClick(TObject* sender);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    void CreateControls();

    TForm* mainWindow_;
    HWND ownerWindow_;
};

extern TTessivo_About* Tessivo_About;
