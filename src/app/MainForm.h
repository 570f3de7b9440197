#pragma once
// The main window: a borderless 560 x 308 form. It owns the program's
// controls and state; its handlers are short and call the code of the
// subsystem that does the work.

#include "app/PlatformServices.h"
#include "framework/Form.h"
#include "framework/Timer.h"
#include "framework/stdctrls/Label.h"

#include <cstdint>

class TForm1 : public TForm {
public:
    TForm1(TComponent* owner, const PlatformServices& services);

    // --- State ---
    bool AutoChangeRunning = false;
    int32_t RotationPosition = 0;
    int32_t CurrentIndex = 0;

    // --- Controls ---
    TLabel* LabelWatch;
    TTimer* TimerWatch;
    TTimer* TimerAutoChangeWallpaper;

    // --- Handlers ---
    void FormCreate(TObject* sender);
    void TimerWatchTimer(TObject* sender);

private:
    void CreateControls();

    PlatformServices services_;
};

extern TForm1* Form1;
