#include "app/MainForm.h"

#include "app/HideTitleBar.h"
#include "app/SystemClock.h"
#include "framework/Application.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* owner, const PlatformServices& services) : TForm(owner), services_(services)
{
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
    // The creation handler runs inside the form's creation; an error ends it
    // at that step and is reported, and the form goes on as far as it got.
    Application->Guarded([this] { FormCreate(this); });
}

void TForm1::CreateControls()
{
    LabelWatch = new TLabel(this);
    LabelWatch->Name = "LabelWatch";
    LabelWatch->SetParent(this);
    LabelWatch->SetAutoSize(false);
    LabelWatch->SetBounds(2 + 23, 18 + 254, 73, 15);
    LabelWatch->SetTransparent(true);
    LabelWatch->Font().SetName("Times New Roman");
    LabelWatch->Font().SetHeight(-13);
    LabelWatch->Font().SetStyle(fsBold);
    LabelWatch->Font().SetColor(clBlack);
    LabelWatch->SetShowHint(true);
    LabelWatch->SetCaption("00:00:00 AM");

    TimerWatch = new TTimer(this);
    TimerWatch->Name = "TimerWatch";
    TimerWatch->SetInterval(1000);
    TimerWatch->SetOnTimer([this](TObject* sender) { TimerWatchTimer(sender); });

    TimerAutoChangeWallpaper = new TTimer(this);
    TimerAutoChangeWallpaper->Name = "TimerAutoChangeWallpaper";
    TimerAutoChangeWallpaper->SetEnabled(false);
}

void TForm1::FormCreate(TObject*)
{
    HideTitleBar(Handle(), true);
    // Rebuilds the window: anything that keeps the window handle must take
    // it after this step.
    SetPosition(TPosition::poScreenCenter);
    TimerAutoChangeWallpaper->SetEnabled(false);
    RotationPosition = 0;
    AutoChangeRunning = false;
    LabelWatch->SetHint(TodayHint(services_.Clock->Now(), services_.Clock->Names()));
}

void TForm1::TimerWatchTimer(TObject*)
{
    LabelWatch->SetCaption(FormatClockTime(services_.Clock->Now()));
}
