// The program's entry: the application object, the main form (whose
// creation handler prepares everything), the About box, the message loop.

#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "app/SystemClock.h"
#include "framework/Application.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    TApplication application;
    application.Title = "Tessivo";

    SystemClock clock;
    PlatformServices services;
    services.Clock = &clock;

    Form1 = new TForm1(&application, services);
    Tessivo_About = new TTessivo_About(&application);
    application.Run();
    return 0;
}
