// Ending the program: the exit sequence of the exit buttons and the menu,
// close requests, and the end of a Windows session.

#include "app/MainForm.h"
#include "app/Settings.h"
#include "framework/Application.h"

void TForm1::ShutDownProgram()
{
    // In this order; an error stops the sequence at its step and reaches the
    // error handler, and the program goes on from where it stopped.
    SaveLastList();
    trayIcon_->Remove();
    WriteSettings();
    Application->Terminate();
}

void TForm1::WriteSettings()
{
    TAutostart autostart(*services_.Registry, services_.ProgramPath);
    WriteSettingsAtExit(*services_.Registry, autostart,
                        TExitOptions{CheckAutoStart->Checked(), CheckStartMinimized->Checked(),
                                     checkAutoRun->Checked(), SpinEditTimeInterval->Text(),
                                     CheckBoxRandom->Checked()});
}

void TForm1::btnCloseClick(TObject*)
{
    ShutDownProgram();
}

void TForm1::ButtonExitClick(TObject*)
{
    ShutDownProgram();
}

void TForm1::FormClose(TObject*, TCloseAction& action)
{
    // Alt+F4 and the taskbar's "Close" end the program the same way the
    // exit buttons do, so the run's list edits are kept and no dead icon
    // stays behind. The sequence itself ends the program (or, on an error,
    // keeps it running).
    action = TCloseAction::caNone;
    ShutDownProgram();
}

void TForm1::EndSession()
{
    // Windows ends the program once this returns: no dialog may stop it, so
    // each step is tried on its own and its error dropped.
    auto quietly = [](auto&& step) {
        try {
            step();
        } catch (...) {
        }
    };
    quietly([this] { SaveLastList(); });
    quietly([this] { trayIcon_->Remove(); });
    quietly([this] { WriteSettings(); });
}
