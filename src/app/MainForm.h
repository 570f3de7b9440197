#pragma once
// The main window: a borderless 560 x 308 form. It owns the program's
// controls and state; its handlers are short and call the code of the
// subsystem that does the work (lists/, wallpaper/).

#include "app/PlatformServices.h"
#include "app/TaskbarButton.h"
#include "app/TrayIcon.h"
#include "controls/dxButtons.h"
#include "controls/dxContainer.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "framework/Timer.h"
#include "framework/dialogs/FileDialogs.h"
#include "framework/dialogs/OpenPictureDialog.h"
#include "framework/stdctrls/CheckBox.h"
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/ListBox.h"
#include "framework/stdctrls/Shape.h"
#include "framework/stdctrls/SpinEdit.h"
#include "lists/ImageList.h"
#include "lists/ListFiles.h"
#include "lists/Preview.h"
#include "wallpaper/ApplyWallpaper.h"
#include "wallpaper/AutoChange.h"
#include "wallpaper/JpegToBitmap.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

class TForm1 : public TForm {
public:
    TForm1(TComponent* owner, const PlatformServices& services);
    ~TForm1() override;

    // --- State ---
    bool AutoChangeRunning = false;
    int32_t RotationPosition = 0;
    int32_t CurrentIndex = 0;
    TBitmap* PreviewBitmap() const { return preview_->PreviewBitmap(); }

    // --- Controls, parents before children ---
    TdxContainer* cntHeader;
    TdxToolButton* btnClose;
    TdxToolButton* dxToolButton4;
    TdxContainer* cntNetPanel;
    TdxContainer* cntNetHeader;
    TdxButton* ButtonAddFile;
    TdxButton* ButtonDeleteFile;
    TdxButton* ButtonApply;
    TdxButton* buttonNewList;
    TdxButton* ButtonSave;
    TdxButton* ButtonLoadList;
    TdxButton* ButtonAbout;
    TdxButton* ButtonExit;
    TLabel* LabelWatch;
    TShape* Shape1;
    TShape* Shape7;
    TShape* Shape3;
    TShape* Shape4;
    TdxContainer* dxContainer2;
    TImage* Image1;
    TdxContainer* dxContainer1;
    TListBox* ListBox2;
    TdxContainer* dxContainer4;
    TLabel* LabelSumOfFiles;
    TdxContainer* dxContainer3;
    TLabel* Label9;
    TLabel* Label8;
    TLabel* Label7;
    TLabel* Label10;
    TLabel* Label3;
    TLabel* Label5;
    TLabel* Label11;
    TLabel* Label12;
    TCheckBox* CheckAutoStart;
    TCheckBox* CheckStartMinimized;
    TCheckBox* checkAutoRun;
    TLabel* Label6;
    TLabel* Label1;
    TComboBox* ComboBoxDisplayStyle;
    TLabel* Label2;
    TLabel* Label4;
    TSpinEdit* SpinEditTimeInterval;
    TCheckBox* CheckBoxRandom;
    TdxButton* ButtonStartStop;
    TShape* Shape11;
    TShape* Shape10;
    TShape* Shape13;
    TShape* Shape12;
    TShape* Shape14;
    TShape* Shape5;
    TShape* Shape6;
    TShape* Shape2;
    TListBox* ListBox1;

    // --- Components without a place on screen ---
    IOpenPictureDialog* OpenPictureDialog1;
    IFileDialog* SaveDialog1;
    IFileDialog* OpenDialog1;
    TTimer* TimerAutoChangeWallpaper;
    TTimer* TimerWatch;
    TdxStyleManager* dxStyleManager1;
    TPopupMenu* PopupMenu1;
    TMenuItem* RestoreForm1;
    TMenuItem* ChangeWallpaper1;
    TMenuItem* N1;
    TMenuItem* Exit1;
    TMenuItem* N2;
    TMenuItem* Exit2;

    // --- Handlers ---
    void FormCreate(TObject* sender);
    void cntHeaderMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void cntHeaderPaint(TObject* sender, RECT rect, TCanvas& canvas, TFont& font);
    void TimerWatchTimer(TObject* sender);
    void ButtonAddFileClick(TObject* sender);
    void ButtonDeleteFileClick(TObject* sender);
    void buttonNewListClick(TObject* sender);
    void ListBox1Click(TObject* sender);
    void ListBox2DblClick(TObject* sender);
    void ButtonApplyClick(TObject* sender);
    void ComboBoxDisplayStyleChange(TObject* sender);
    void ChangeWallpaper1Click(TObject* sender);
    void ButtonSaveClick(TObject* sender);
    void ButtonLoadListClick(TObject* sender);
    void ButtonStartStopClick(TObject* sender);
    void TimerAutoChangeWallpaperTimer(TObject* sender);
    void btnCloseClick(TObject* sender);
    void dxToolButton4Click(TObject* sender);
    void ButtonExitClick(TObject* sender);
    void ButtonAboutClick(TObject* sender);
    void RestoreForm1Click(TObject* sender);
    void FormMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void FormClose(TObject* sender, TCloseAction& action);

    // --- Operations ---
    void RefreshNameList() { imageList_->RefreshNameList(); }
    void ShowSelectedImage() { imageList_->ShowSelectedImage(); }
    void ApplySelectedWallpaper();
    void LoadLastList() { listFiles_->LoadLastList(); }
    void SaveLastList() { listFiles_->SaveLastList(); }
    void ToggleAutoChange() { autoChange_->Toggle(); }
    void UpdateTimerInterval() { autoChange_->UpdateTimerInterval(); }
    // On a first run, the settings key with its default values.
    void EnsureDefaultSettings();
    // Puts the icon into the notification area and hides the window.
    void AddTrayIcon();
    // Asks the shell for the icon; while it refuses, asks again every few
    // seconds for about a minute, then shows the window, so the program is
    // never left without both.
    void PutIconInTray();
    // The window class only the main window has: a second start and the
    // installer find the running copy by it.
    static constexpr const char* MainWindowClassName = "TessivoMainWindow";
    // The retries of a refused icon add (ticked by tests).
    TTimer* TrayIconRetryTimer = nullptr;
    static constexpr unsigned TrayIconRetryMs = 3000;
    static constexpr int TrayIconRetries = 20;
    // The settings step of the exit: the options and the autostart entry.
    void WriteSettings();
    const NOTIFYICONDATAW& TrayIconData() const { return trayIcon_->Data(); }
    // Keeps the list for the next run, stores the options, removes the icon
    // and ends the program. When a step fails, its error is shown and the
    // user is asked whether to end anyway (No keeps the program running).
    void ShutDownProgram();
    static constexpr const char* ListNotSavedQuestion = "The list could not be saved. End Tessivo anyway?";
    static constexpr const char* OptionsNotSavedQuestion =
        "The options could not be saved. End Tessivo anyway?";
    // Shows the window and brings it to the front; the icon stays.
    void RestoreFromTray();
    // The same, and makes it the foreground window (a second start of the
    // program asks for this).
    void BringToFront();
    // A message numbered WM_USER: 515 shows the window, 516 opens the menu.
    void TrayIconMessage(TMessage& message);
    // Opens the tray menu at the mouse pointer.
    void OpenTrayMenu();
    // Windows is ending the session: keep the list, store the options, drop
    // the icon and the wallpaper's spare file, without any dialog.
    void EndSession();
    // Reports an error of an automatic change as a balloon from the tray
    // icon naming the file, so the rotation goes on unattended; false
    // without the icon to show it from.
    bool ReportUnattendedError(const std::string& file, const std::exception& error);
    // The taskbar button's window, which owns the main window.
    HWND TaskbarWindow() const { return taskbarButton_->Handle(); }

    void SetVisible(bool visible) override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    void CreateControls();
    void CreateSubsystems();
    TWallpaperSystem WallpaperSystem();
    void ReadSettings();
    void CreateTrayMenu();
    bool StepDoneOrEndAnyway(const std::function<void()>& step, const std::string& question);
    void RetryTrayIcon();
    void StopTrayIconRetries();
    void ConnectTrayAndExit();
    // A tick on a JPEG entry decodes it once, for both the preview and the
    // wallpaper bitmap; other entries are shown and applied as always.
    void ShowTickImage();
    void ApplyTickWallpaper();
    // The folder the wallpaper bitmap is written to; empty when there is none.
    std::string WallpaperFolder();

    PlatformServices services_;
    std::unique_ptr<TTaskbarButton> taskbarButton_;
    std::unique_ptr<TPreview> preview_;
    std::unique_ptr<TImageList> imageList_;
    std::unique_ptr<TListFiles> listFiles_;
    std::unique_ptr<TAutoChange> autoChange_;
    std::unique_ptr<TTrayIcon> trayIcon_;
    int trayIconRetriesLeft_ = 0;
    // The JPEG a tick decoded, from its preview until its apply.
    std::unique_ptr<TDecodedJpeg> tickPicture_;
    // The wallpaper bitmap's replaced version, for the next one to be
    // written over (deleted when the program ends).
    TSpareFile wallpaperSpare_;
};

extern TForm1* Form1;
