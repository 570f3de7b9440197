// Ending the program: the exit sequence of the exit buttons and the menu,
// close requests, and the end of a Windows session.

#include "app/MainForm.h"
#include "app/Settings.h"
#include "app/SettingsReadBack.h"
#include "core/Exceptions.h"
#include "framework/Application.h"

namespace {

// Runs a step and drops its error: for steps whose failure must not stop
// the program from ending.
template <class Step>
void Quietly(Step&& step) noexcept
{
    try {
        step();
    } catch (...) {
    }
}

} // namespace

bool TMainForm::StepDoneOrEndAnyway(const std::function<void()>& step, const std::string& question)
{
    if (Application->Guarded(step))
        return true;
    // The error has been shown; the user decides. No (the default) keeps
    // the program running as it was, so nothing is lost unasked.
    return Application->Ask(question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void TMainForm::ShutDownProgram()
{
    // Every step that can fail comes first, while the window and the icon
    // still let the user reach the program; once the icon goes, nothing may
    // stop the end.
    if (!StepDoneOrEndAnyway([this] { SaveLastListNamingTheFile(); }, ListNotSavedQuestion))
        return;
    if (!StepDoneOrEndAnyway([this] { WriteSettings(); }, OptionsNotSavedQuestion))
        return;
    StopTrayIconRetries();
    // A folder scan is abandoned: what it found would not be kept.
    CancelScan();
    Quietly([this] { trayIcon_->Remove(); });
    Application->Terminate();
}

void TMainForm::SaveLastListNamingTheFile()
{
    // The user is about to decide whether to end without the list: they
    // need to know which file failed and what would let it succeed.
    try {
        SaveLastList();
    } catch (const EInOutError& error) {
        throw EInOutError::ListNotSaved(listFiles_->LastListPath(), error.ErrorCode);
    }
}

void TMainForm::WriteSettings()
{
    TOptionValues values;
    TakeOptions(*this, values);
    TakeRotation(values);
    TAutostart autostart(*services_.Registry, services_.ProgramPath);
    WriteSettingsAtExit(*services_.Registry, autostart, values);
}

void TMainForm::onCloseClick(TObject*)
{
    ShutDownProgram();
}

void TMainForm::onExitClick(TObject*)
{
    ShutDownProgram();
}

void TMainForm::onCloseRequest(TObject*, TCloseAction& action)
{
    // Alt+F4, the taskbar's "Close" and an installer's close request end the
    // program the same way the exit buttons do, so the run's list edits are
    // kept and no dead icon stays behind.
    action = TCloseAction::None;
    ShutDownProgram();
}

void TMainForm::EndSession()
{
    // Windows ends the process once this returns, without destructors: no
    // dialog may stop it, each step is tried on its own and its error
    // dropped, and what the destructors would remove is removed here.
    Quietly([this] { SaveLastList(); });
    Quietly([this] { WriteSettings(); });
    StopTrayIconRetries();
    Quietly([this] { trayIcon_->Remove(); });
}
