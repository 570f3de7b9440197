#pragma once
// The About box: a small dialog with the program's picture, its name, its
// maker, where to reach the project and the program's version. Created
// hidden once; shown modally, centred over the main window.

#include "controls/FlatButton.h"
#include "controls/FlatPanel.h"
#include "framework/Form.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/Shape.h"

class TAboutForm : public TForm {
public:
    // `mainWindow` is the window the box centres over; `ownerWindow`, when
    // given, owns the box's window (so it has no taskbar button of its own).
    TAboutForm(TComponent* owner, TForm* mainWindow, HWND ownerWindow = nullptr);

    TFlatPanel* panel;
    TFlatPanel* header;
    TImage* pictureImage;
    TLabel* projectCaptionLabel;
    TLabel* projectNameLabel;
    TLabel* authorCaptionLabel;
    TLabel* authorLabel;
    TLabel* contactLabel;
    TLabel* websiteLabel;
    TLabel* versionLabel;
    TFlatButton* closeButton;

    // Places the box over the main window, then shows it modally; returns
    // when it closes. While the box is open, it only comes to the front.
    TModalResult ShowModal();

    void placeOverMainWindow(TObject* sender);
    void onCloseClick(TObject* sender);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    void CreateControls();

    TForm* mainWindow_;
    HWND ownerWindow_;
};
