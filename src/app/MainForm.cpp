#include "app/MainForm.h"

#include "app/HideTitleBar.h"
#include "app/Settings.h"
#include "app/SettingsReadBack.h"
#include "core/ClockText.h"
#include "core/Exceptions.h"
#include "core/FileNames.h"
#include "framework/Application.h"
#include "framework/BusyCursor.h"
#include "platform/Files.h"
#include "platform/RandomSeed.h"
#include "platform/SystemClock.h"
#include "wallpaper/DesktopWallpaper.h"
#include "wallpaper/JpegToBitmap.h"

#include <cctype>

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* owner, const PlatformServices& services) : TForm(owner), services_(services)
{
    // First, so the window is made with its owner.
    taskbarButton_ = std::make_unique<TTaskbarButton>(
        Application->Title, [this] { return HandleAllocated() ? Handle() : nullptr; });
    Name = "Form1";
    SetCaption("Quorvel");
    SetBorderStyle(TFormBorderStyle::bsNone);
    SetColor(clBtnFace);
    Font().SetName("MS Sans Serif");
    Font().SetHeight(-11);
    SetShowHint(true);
    SetPosition(TPosition::poDesktopCenter);
    SetClientSize(560, 308);
    CreateControls();
    CreateSubsystems();
    // The creation handler runs inside the form's creation; an error ends it
    // at that step and is reported, and the form goes on as far as it got.
    Application->Guarded([this] { FormCreate(this); });
}

TForm1::~TForm1() = default;

void TForm1::CreateSubsystems()
{
    preview_ = std::make_unique<TPreview>(
        PreviewView{*ListBox1, *Image1, *Label3, *Label5, *Label11, *LabelSumOfFiles, *ButtonApply});
    imageList_ = std::make_unique<TImageList>(
        ImageListView{*ListBox1, *ListBox2, *LabelSumOfFiles, *Image1, *Label3, *Label5}, *preview_,
        CurrentIndex);
    listFiles_ = std::make_unique<TListFiles>(*imageList_, *ListBox1, CurrentIndex, services_.ProgramFolder,
                                              services_.LastListFolder);

    ButtonAddFile->OnClick = [this](TObject* s) { ButtonAddFileClick(s); };
    ButtonDeleteFile->OnClick = [this](TObject* s) { ButtonDeleteFileClick(s); };
    buttonNewList->OnClick = [this](TObject* s) { buttonNewListClick(s); };
    ButtonApply->OnClick = [this](TObject* s) { ButtonApplyClick(s); };
    ButtonSave->OnClick = [this](TObject* s) { ButtonSaveClick(s); };
    ButtonLoadList->OnClick = [this](TObject* s) { ButtonLoadListClick(s); };
    autoChange_ = std::make_unique<TAutoChange>(
        AutoChangeView{*ButtonStartStop,
                       *TimerAutoChangeWallpaper,
                       *SpinEditTimeInterval,
                       *CheckBoxRandom,
                       *ListBox1,
                       {CheckBoxRandom, ComboBoxDisplayStyle, SpinEditTimeInterval, ButtonAddFile,
                        ButtonDeleteFile, buttonNewList}},
        AutoChangeActions{[this] { ShowTickImage(); }, [this] { ApplyTickWallpaper(); },
                          services_.RandomSeed ? services_.RandomSeed : ClockSeed,
                          [this](const std::string& file, const std::exception& error) {
                              return ReportUnattendedError(file, error);
                          }},
        AutoChangeRunning, RotationPosition, CurrentIndex);

    ButtonStartStop->OnClick = [this](TObject* s) { ButtonStartStopClick(s); };
    TimerAutoChangeWallpaper->SetOnTimer([this](TObject* s) { TimerAutoChangeWallpaperTimer(s); });
    ConnectTrayAndExit();
}

std::string TForm1::WallpaperFolder()
{
    // Without a folder of the user's own, the bitmap has nowhere to go and
    // nothing can have been left there either: empty.
    try {
        return ExtractFilePath(WallpaperBitmapPath(*services_.Desktop));
    } catch (const EInOutError&) {
        return {};
    }
}

TWallpaperSystem TForm1::WallpaperSystem()
{
    return TWallpaperSystem{*services_.Desktop, *services_.Registry,
                            [this](const std::string& jpegPath, const std::string& bitmapPath) {
                                ConvertJpegToBitmap(jpegPath, bitmapPath, &wallpaperSpare_);
                            }};
}

void TForm1::FormCreate(TObject*)
{
    HideTitleBar(Handle(), true);
    // Rebuilds the window: anything that keeps the window handle must take
    // it after this step.
    SetPosition(TPosition::poScreenCenter);
    OpenPictureDialog1->SetOptions(ofHideReadOnly | ofAllowMultiSelect | ofEnableSizing);
    ButtonApply->SetEnabled(true);
    TimerAutoChangeWallpaper->SetEnabled(false);
    ComboBoxDisplayStyle->SetEnabled(true);
    SpinEditTimeInterval->SetEnabled(true);
    CheckBoxRandom->SetEnabled(true);
    // A settings key that cannot be made is reported; the start goes on, so
    // the program still gets its icon and reads what it can.
    Application->Guarded([this] { EnsureDefaultSettings(); });
    RotationPosition = 0;
    AutoChangeRunning = false;
    LabelWatch->SetHint(TodayHint(services_.Clock->Now(), services_.Clock->Names()));
    // Hides the window; the stored options decide below whether it shows.
    AddTrayIcon();
    // Temporary files of saves that were killed part-way, and the spare of
    // a wallpaper bitmap, in the folders the program writes to. Nothing here
    // may stop the start.
    Application->Guarded([this] {
        RemoveStaleTemporaryFiles(services_.ProgramFolder);
        if (services_.LastListFolder != services_.ProgramFolder)
            RemoveStaleTemporaryFiles(services_.LastListFolder);
        RemoveStaleTemporaryFiles(services_.Desktop->WindowsDirectory());
        if (const std::string wallpaperFolder = WallpaperFolder(); !wallpaperFolder.empty())
            RemoveStaleTemporaryFiles(wallpaperFolder);
    });
    // The list the user left last time. When it cannot be read, or its first
    // picture is gone, that is reported and the start goes on: the options
    // must still reach the controls, or the exit would store the controls'
    // initial states over them.
    Application->Guarded([this] { LoadLastList(); });
    RefreshNameList();
    ReadSettings();
}

void TForm1::EnsureDefaultSettings()
{
    ::EnsureDefaultSettings(*services_.Registry);
}

void TForm1::ReadSettings()
{
    TAutostart autostart(*services_.Registry, services_.ProgramPath);
    ReadSettingsIntoControls(*services_.Registry, autostart,
                             SettingsControls{*CheckStartMinimized, *CheckAutoStart, *ComboBoxDisplayStyle,
                                              *CheckBoxRandom, *checkAutoRun, *SpinEditTimeInterval,
                                              *ListBox1, [this] { Show(); }, [this] { ToggleAutoChange(); }});
}

void TForm1::ShowTickImage()
{
    tickPicture_.reset();
    const std::string entry = ListBox1->Items().Strings(CurrentIndex);
    std::string extension = ExtractFileExt(entry);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    // Exactly the files that the preview loads as JPEG and the apply converts.
    if (extension != ".jpg") {
        ShowSelectedImage();
        return;
    }
    std::unique_ptr<TDecodedJpeg> picture;
    {
        const TBusyCursor busy;
        picture = std::make_unique<TDecodedJpeg>(DecodeJpegFile(entry));
    }
    const PixelRows rows = picture->Rows();
    preview_->ShowDecodedImage(CurrentIndex,
                               PixelRowsView{rows.Row0, picture->Width, picture->Height, rows.Stride});
    tickPicture_ = std::move(picture);
}

void TForm1::ApplyTickWallpaper()
{
    const std::unique_ptr<TDecodedJpeg> picture = std::move(tickPicture_);
    TWallpaperSystem system = WallpaperSystem();
    if (picture) {
        system.ConvertJpegToBitmap = [this, &picture](const std::string& jpegPath,
                                                      const std::string& bitmapPath) {
            if (jpegPath == picture->Path)
                WriteBitmapFile(*picture, bitmapPath, &wallpaperSpare_);
            else
                ConvertJpegToBitmap(jpegPath, bitmapPath, &wallpaperSpare_);
        };
    }
    ::ApplySelectedWallpaper(WallpaperView{*ListBox1, *ComboBoxDisplayStyle, *ButtonApply}, system);
}

void TForm1::ButtonStartStopClick(TObject*)
{
    autoChange_->StartStopClick(ListBox2->Items().Count());
}

void TForm1::TimerAutoChangeWallpaperTimer(TObject*)
{
    autoChange_->Tick();
}

void TForm1::cntHeaderMouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    // Any button starts the platform's own move loop, as a title bar would.
    ReleaseCapture();
    Perform(WM_SYSCOMMAND, 0xF012, 0);
}

void TForm1::cntHeaderPaint(TObject*, RECT rect, TCanvas& canvas, TFont&)
{
    // A grey line on every second row, then the title on a button-face box.
    for (int i = rect.top; i <= rect.bottom; ++i) {
        canvas.Pen().SetColor(RGBColor(0x80, 0x80, 0x80));
        canvas.Rectangle(rect.left + 1, rect.top + 2 * i, rect.right - 1, rect.top + 2 * i + 1);
    }
    canvas.Brush().SetColor(clBtnFace);
    canvas.DrawText(" Tessivo ", rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void TForm1::TimerWatchTimer(TObject*)
{
    LabelWatch->SetCaption(FormatClockTime(services_.Clock->Now()));
}

void TForm1::ButtonAddFileClick(TObject*)
{
    imageList_->AddFiles(*OpenPictureDialog1);
}

void TForm1::ButtonDeleteFileClick(TObject*)
{
    imageList_->DeleteSelected();
}

void TForm1::buttonNewListClick(TObject*)
{
    imageList_->NewList();
}

void TForm1::ListBox1Click(TObject*)
{
    imageList_->ShowClickedEntry();
}

void TForm1::ListBox2DblClick(TObject*)
{
    ApplySelectedWallpaper();
}

void TForm1::ButtonApplyClick(TObject*)
{
    ApplySelectedWallpaper();
}

void TForm1::ComboBoxDisplayStyleChange(TObject*)
{
    ButtonApply->SetEnabled(true);
}

void TForm1::ChangeWallpaper1Click(TObject*)
{
    ApplySelectedWallpaperCentred(*ListBox1, WallpaperSystem());
}

void TForm1::ApplySelectedWallpaper()
{
    ::ApplySelectedWallpaper(WallpaperView{*ListBox1, *ComboBoxDisplayStyle, *ButtonApply},
                             WallpaperSystem());
}

void TForm1::ButtonSaveClick(TObject*)
{
    listFiles_->Save(*SaveDialog1);
}

void TForm1::ButtonLoadListClick(TObject*)
{
    listFiles_->Load(*OpenDialog1);
}
