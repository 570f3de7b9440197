// The program's entry: one copy per session, the application object, the
// main form (whose creation handler prepares everything), the About box, the
// message loop.

#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "framework/Application.h"
#include "framework/Hints.h"
#include "lists/ListFileStore.h"
#include "platform/ErrorMode.h"
#include "platform/NotifyIcon.h"
#include "platform/ProgramFolder.h"
#include "platform/Registry.h"
#include "platform/SingleInstance.h"
#include "platform/SystemClock.h"
#include "platform/UserFolders.h"
#include "platform/Win32Desktop.h"

#include <windows.h>

namespace {

// How long a second start waits for a copy started just before it to make
// its window and reach its message loop: a start on a busy machine at logon
// can take many seconds, and a request given up on would leave the user
// with no window.
constexpr unsigned kRunningCopyWaitMs = 60000;

// A later start: the running copy takes over what was asked of this one.
// (Only the showing of its window, so far.)
int HandOver()
{
    HandOverToRunningCopy(TMainForm::MainWindowClassName, kRunningCopyWaitMs);
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    FailCriticalErrorsQuietly();
    // Before any window: two copies would each change the wallpaper and
    // overwrite the other's list and options at exit.
    const TSingleInstance instance(SingleInstanceMutexName);
    if (!instance.First())
        return HandOver();

    TApplication application;
    application.Title = "Tessivo";

    SystemClock clock;
    TWin32Desktop desktop;
    TRegistryFactory registry;
    TWin32NotifyIcon notifyIcon;
    PlatformServices services;

    // Everything that can fail runs inside the application's exception
    // barrier, so an error before the message loop (the program folder, the
    // forms) shows the error box instead of ending the process silently.
    return application.Run([&] {
        services.Clock = &clock;
        services.Desktop = &desktop;
        services.Registry = &registry;
        services.NotifyIcon = &notifyIcon;
        services.ProgramFolder = ProgramFolder();
        // Chosen once, so that reading at start and writing at exit agree.
        services.LastListFolder = LastListFolder(desktop, services.ProgramFolder, LastListFileName);
        services.ProgramPath = ProgramFileName();
        InstallHints(application);
        auto* mainForm = new TMainForm(&application, services);
        mainForm->SetAboutForm(new TAboutForm(&application, mainForm, mainForm->TaskbarWindow()));
        // The startup sequence alone decides whether the main window shows
        // (the stored options may keep it in the tray).
        application.ShowMainForm = false;
    });
}
