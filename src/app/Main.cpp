// The program's entry: the application object, the main form (whose
// creation handler prepares everything), the About box, the message loop.

#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "platform/SystemClock.h"
#include "framework/Application.h"
#include "framework/Hints.h"
#include "platform/ProgramFolder.h"
#include "platform/Registry.h"
#include "platform/Win32Desktop.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    TApplication application;
    application.Title = "Tessivo";

    SystemClock clock;
    TWin32Desktop desktop;
    TRegistryFactory registry;
    PlatformServices services;

    // Everything that can fail runs inside the application's exception
    // barrier, so an error before the message loop (the program folder, the
    // forms) shows the error box instead of ending the process silently.
    return application.Run([&] {
        services.Clock = &clock;
        services.Desktop = &desktop;
        services.Registry = &registry;
        services.ProgramFolder = ProgramFolder();
        InstallHints(application);
        Form1 = new TForm1(&application, services);
        Tessivo_About = new TTessivo_About(&application);
    });
}
