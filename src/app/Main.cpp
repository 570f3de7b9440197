// The program's entry: its command line, one copy per session (a later
// start hands its commands to the running copy), the application object, the
// main form (whose creation handler prepares everything), the About box, the
// message loop, then this start's commands.

#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "core/CommandMessage.h"
#include "core/Commands.h"
#include "core/Exceptions.h"
#include "framework/Application.h"
#include "framework/Hints.h"
#include "lists/ListFileStore.h"
#include "platform/CommandLine.h"
#include "platform/ErrorMode.h"
#include "platform/NotifyIcon.h"
#include "platform/ProgramFolder.h"
#include "platform/Registry.h"
#include "platform/SingleInstance.h"
#include "platform/SystemClock.h"
#include "platform/SystemLibrary.h"
#include "platform/UserFolders.h"
#include "platform/Win32Desktop.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// Why a later start could not hand over to the running copy, in words; the
// start ends after saying so, never silently.
std::string HandOverFailureText(THandOverResult result)
{
    switch (result) {
    case THandOverResult::Refused:
        return "Tessivo is already running as administrator, and this start cannot reach it. Close that "
               "copy, or start this one as administrator too";
    case THandOverResult::NotAnswering:
        return "Tessivo is already running but does not answer. Wait a moment and start it again, or end "
               "that copy in Task Manager";
    case THandOverResult::NoWindow:
    case THandOverResult::Delivered:
        break;
    }
    return "Another copy of Tessivo holds its lock but does not answer: it may be stuck while starting. "
           "Wait a moment and start it again, or end that copy in Task Manager";
}

// A later start: the running copy takes over what was asked of this one,
// the commands or, without any, the showing of its window.
int HandOver(const std::vector<TCommand>& commands)
{
    const std::vector<uint8_t> message =
        commands.empty() ? std::vector<uint8_t>() : EncodeCommandMessage(commands);
    const THandOverResult result =
        HandOverToRunningCopy(TMainForm::MainWindowClassName, THandOverWaits{}, message, CommandMessageTag);
    if (result == THandOverResult::Delivered)
        return 0;
    TApplication application;
    application.Title = "Tessivo";
    application.HandleException(Exception(HandOverFailureText(result)));
    return 1;
}

// This start's commands; a command line the program does not understand is
// told in one box (which lists the switches) and ends the start.
std::optional<std::vector<TCommand>> CommandsOfThisStart()
{
    try {
        std::vector<TCommand> commands = ParseCommands(ProgramArguments(), TMainForm::CommandSwitches());
        for (TCommand& command : commands)
            for (std::string& path : command.Paths)
                path = FullPath(path);
        // Checked here too, so that a command line too big to hand over is
        // told by this start, whether or not a copy runs.
        if (!commands.empty())
            EncodeCommandMessage(commands);
        return commands;
    } catch (const std::exception& error) {
        TApplication::ReportException(error);
        return std::nullopt;
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    // First: every DLL loaded from here on comes from the system folder,
    // not from the folder the program was unpacked in.
    SearchDllsInSystemFolderOnly();
    FailCriticalErrorsQuietly();
    const std::optional<std::vector<TCommand>> commands = CommandsOfThisStart();
    if (!commands)
        return 1;
    // Before any window: two copies would each change the wallpaper and
    // overwrite the other's list and options at exit.
    const TSingleInstance instance(SingleInstanceMutexName);
    if (!instance.First())
        return HandOver(*commands);

    // Before the application: its forms go first at the end, and a change
    // still drawn on a worker meanwhile uses the desktop and the registry.
    SystemClock clock;
    TWin32Desktop desktop;
    TRegistryFactory registry;
    TWin32NotifyIcon notifyIcon;
    PlatformServices services;

    TApplication application;
    application.Title = "Tessivo";

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
        mainForm->SetAboutFormMaker([&application, mainForm] {
            return new TAboutForm(&application, mainForm, mainForm->TaskbarWindow());
        });
        // The startup sequence alone decides whether the main window shows
        // (the stored options may keep it in the tray).
        application.ShowMainForm = false;
        // Carried out from the message loop, once the start is complete.
        mainForm->HandOverCommands(*commands);
    });
}
