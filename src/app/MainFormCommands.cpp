// The main window's commands: the table the tray menu, the command line,
// the hotkeys and a later start's hand-over are built from, and carrying
// them out.

#include "app/GlobalHotkeys.h"
#include "app/MainForm.h"
#include "core/CommandMessage.h"
#include "framework/Application.h"

#include <span>

std::span<const TCommandRow> TMainForm::Commands()
{
    using enum TMenuPlace;
    using enum TCommandKind;
    constexpr TSwitch NoSwitch{nullptr, Show, false};
    constexpr int NoHotkey = 0;
    // clang-format off
    static const TCommandRow rows[] = {
        // id, tray menu, its text, switch, hotkey, handler
        {"restore", Default, "Restore Form", NoSwitch, NoHotkey,
         [](TMainForm& form, const TCommand&) { form.RestoreFromTray(); }},
        {"next", AfterLine, "Next Wallpaper", {"next", Next, false}, int(THotkeyAction::Next),
         [](TMainForm& form, const TCommand&) { form.NextWallpaper(); }},
        {"previous", Item, "Previous Wallpaper", {"previous", Previous, false}, int(THotkeyAction::Previous),
         [](TMainForm& form, const TCommand&) { form.PreviousWallpaper(); }},
        // Shown while automatic change runs, as "Pause" or "Resume".
        {"pause", Item, "Pause", NoSwitch, int(THotkeyAction::Pause),
         [](TMainForm& form, const TCommand&) { form.onPauseClick(&form); }},
        {"pauseRotation", None, nullptr, {"pause", Pause, false}, NoHotkey,
         [](TMainForm& form, const TCommand&) { form.PauseAutoChange(); }},
        {"resumeRotation", None, nullptr, {"resume", Resume, false}, NoHotkey,
         [](TMainForm& form, const TCommand&) { form.ResumeAutoChange(); }},
        {"show", None, nullptr, {"show", Show, false}, NoHotkey,
         [](TMainForm& form, const TCommand&) { form.BringToFront(); }},
        {"add", None, nullptr, {"add", Add, true}, NoHotkey,
         [](TMainForm& form, const TCommand& command) {
             form.AddOrFollow(command.Paths, TAddOrigin::Unattended);
         }},
        {"follow", None, nullptr, {"follow", Follow, true}, NoHotkey,
         [](TMainForm& form, const TCommand& command) {
             form.FollowFolders(command.Paths, TAddOrigin::Unattended);
         }},
        // Shown while a folder scan runs.
        {"cancelScan", Item, "Cancel Scan", NoSwitch, NoHotkey,
         [](TMainForm& form, const TCommand&) { form.CancelScan(); }},
        {"options", Item, "Options\u2026", NoSwitch, NoHotkey,
         [](TMainForm& form, const TCommand&) { form.onOptionsClick(&form); }},
        {"changeWallpaper", AfterLine, "Change Wallpaper", NoSwitch, NoHotkey,
         [](TMainForm& form, const TCommand&) { form.onChangeWallpaperClick(&form); }},
        {"about", AfterLine, "About", NoSwitch, NoHotkey,
         [](TMainForm& form, const TCommand&) { form.onAboutClick(&form); }},
        {"exit", AfterLine, "Exit", NoSwitch, NoHotkey,
         [](TMainForm& form, const TCommand&) { form.onExitClick(&form); }},
    };
    // clang-format on
    return rows;
}

TSwitches TMainForm::CommandSwitches()
{
    static const std::vector<TSwitch> switches = SwitchesOf(Commands());
    return switches;
}

void TMainForm::CreateTrayMenu()
{
    trayMenu =
        MakeCommandMenu(this, Commands(), [this](const TCommandRow& row) { row.Run(*this, TCommand{}); });
    trayMenu->OnPopup = [this](TObject* s) { onTrayMenuPopup(s); };
    restoreMenuItem = CommandMenuItem(*trayMenu, "restore");
    nextMenuItem = CommandMenuItem(*trayMenu, "next");
    previousMenuItem = CommandMenuItem(*trayMenu, "previous");
    pauseMenuItem = CommandMenuItem(*trayMenu, "pause");
    cancelScanMenuItem = CommandMenuItem(*trayMenu, "cancelScan");
    optionsMenuItem = CommandMenuItem(*trayMenu, "options");
    changeWallpaperMenuItem = CommandMenuItem(*trayMenu, "changeWallpaper");
    aboutMenuItem = CommandMenuItem(*trayMenu, "about");
    exitMenuItem = CommandMenuItem(*trayMenu, "exit");
    pauseMenuItem->SetVisible(false);
    cancelScanMenuItem->SetVisible(false);
}

void TMainForm::CarryOut(const std::vector<TCommand>& commands)
{
    for (const TCommand& command : commands)
        if (const TCommandRow* row = CommandOfSwitch(Commands(), command.Kind))
            Application->Guarded([&] { row->Run(*this, command); });
}

bool TMainForm::OnCopyData(const COPYDATASTRUCT& data)
{
    // Any program may send this message: only a well-formed command message
    // of ours is taken.
    if (data.dwData != CommandMessageTag || (data.cbData > 0 && !data.lpData))
        return false;
    const std::optional<std::vector<TCommand>> commands = DecodeCommandMessage(
        std::span(static_cast<const uint8_t*>(data.lpData), data.cbData), CommandSwitches());
    if (!commands)
        return false;
    HandOverCommands(*commands);
    return true;
}

void TMainForm::HotkeyPressed(int id)
{
    if (const TCommandRow* row = CommandOfHotkey(Commands(), id))
        row->Run(*this, TCommand{});
}
