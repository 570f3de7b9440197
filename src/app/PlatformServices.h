#pragma once
// What the main form needs from outside, handed to it at construction: the
// program passes the real services, tests pass fakes where the real thing
// cannot be observed or made to fail. Dialogs left empty are the form's own.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

class IClock;
class IDesktop;
class IEntryFiles;
class IRegistryFactory;
class IFileDialog;
class IFolderDialog;
class IHotkeys;
class IMachineState;
class INotifyIcon;
class IOpenPictureDialog;

struct PlatformServices {
    IClock* Clock = nullptr;
    IDesktop* Desktop = nullptr;
    IRegistryFactory* Registry = nullptr;
    INotifyIcon* NotifyIcon = nullptr;
    // Global hotkeys; the system's own when empty.
    IHotkeys* Hotkeys = nullptr;
    // Whether a full-screen program runs and the machine is on battery,
    // which automatic changes may wait for; the system's when empty.
    IMachineState* MachineState = nullptr;
    // The folder of the program's executable, ending in "\".
    std::string ProgramFolder;
    // The folder "LastList.lst" lives in, ending in "\": the program's folder
    // or, where that cannot be written, the user's own (LastListFolder).
    std::string LastListFolder;
    // The executable's full path (the autostart entry names it).
    std::string ProgramPath;
    // Seeds the random choice of automatic changing; the clock when empty.
    std::function<uint32_t()> RandomSeed;
    IOpenPictureDialog* OpenPictureDialog = nullptr;
    IFileDialog* OpenDialog = nullptr;
    IFileDialog* SaveDialog = nullptr;
    IFolderDialog* FolderDialog = nullptr;
    // The files the list's entries name, as the preview reads them; the
    // system's when empty.
    IEntryFiles* EntryFiles = nullptr;
    // Shows a file in its folder (Explorer); the shell's when empty.
    std::function<void(const std::string& path)> ShowFileInFolder;
    // Lets a message reach a window from programs with lower rights (see
    // AllowMessageFromLowerRights); the system's when empty.
    std::function<bool(HWND window, UINT message)> AllowMessageFromLowerRights;
};
