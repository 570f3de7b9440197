// The program at rest: the main form with a 10 000-entry list and a followed
// folder (watched all along), first hidden in the notification area with
// automatic changing off, then shown. For
// each state it counts the timer messages that reach the message loop in
// the given time, and it reports the private bytes of the idle process.
//
//   tessivo_idle_bench [--seconds=N] [--entries=N]
//
// Goal: no timer message at all while hidden with automatic changing off.
// Exit status 1 when that goal is missed or an error reached the handler.

#include "BenchForm.h"
#include "BenchMeasure.h"

#include "core/codec/BmpCodec.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Counts {
    int Timer = 0;
    int All = 0;
};

// Runs the message loop for `seconds`, counting what arrives.
Counts RunLoop(int seconds)
{
    Counts counts;
    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    for (DWORD now = GetTickCount(); static_cast<LONG>(end - now) > 0; now = GetTickCount()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ++counts.All;
            if (msg.message == WM_TIMER)
                ++counts.Timer;
            Application->DispatchOne(msg);
        }
    }
    return counts;
}

std::string SmallBitmap(const std::string& folder)
{
    const int width = 16, height = 12, stride = (width * 3 + 3) & ~3;
    std::vector<uint8_t> pixels(static_cast<size_t>(stride) * height, 0x80);
    const std::vector<uint8_t> bytes = EncodeBmp24(width, height, PixelRows{pixels.data(), stride});
    const std::string path = folder + "small.bmp";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        throw std::runtime_error("cannot write " + path);
    std::fclose(file);
    return path;
}

} // namespace

int main(int argc, char** argv)
{
    int seconds = 60, entries = 10000;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--seconds=", 10) == 0)
            seconds = std::atoi(argv[i] + 10);
        else if (std::strncmp(argv[i], "--entries=", 10) == 0)
            entries = std::atoi(argv[i] + 10);
    }
    try {
        TBenchForm bench;
        TMainForm& form = bench.Form();
        const std::string picture = SmallBitmap(bench.Folder().Path());
        bench.PictureDialog().Answer.assign(static_cast<size_t>(entries), picture);
        form.onAddClick(form.Test().addButton);
        // A followed folder: its watch waits on the system, never on a timer.
        const std::string followed = bench.Folder().Path() + "followed";
        CreateDirectoryA(followed.c_str(), nullptr);
        SmallBitmap(followed + "\\");
        form.FollowFolders({followed});
        for (int wait = 0; wait < 1000 && form.FolderFollower().Reading(); ++wait) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            Application->ProcessMessages();
        }
        form.AddTrayIcon();
        bench.Settle();
        // The add is an edit: the last list is saved once, 2 s after it.
        // That one timer is the edit's, not the tray's rest.
        RunLoop(3);
        char text[32];
        const ProcessMemory memory = CurrentProcessMemory();
        std::printf("list: %d entries, %zu followed folder(s) watched; automatic changing %s\n",
                    form.Test().listModel.Count(), form.Test().listModel.Folders().size(),
                    form.Test().autoChangeRunning ? "on" : "off");
        std::printf("idle in the tray: private bytes %s%s\n",
                    Megabytes(static_cast<int64_t>(memory.PrivateBytes), text),
                    memory.FromPagefileUsage ? " (PagefileUsage)" : "");

        const Counts hidden = RunLoop(seconds);
        std::printf("hidden in the tray, %d s: %d timer messages (%.1f per minute), %d messages in all\n",
                    seconds, hidden.Timer, hidden.Timer * 60.0 / seconds, hidden.All);
        form.RestoreFromTray();
        bench.Settle();
        const Counts shown = RunLoop(seconds);
        std::printf("shown, %d s: %d timer messages (%.1f per minute), %d messages in all\n", seconds,
                    shown.Timer, shown.Timer * 60.0 / seconds, shown.All);
        for (const std::string& error : bench.Errors())
            std::printf("error: %s\n", error.c_str());
        const bool ok = hidden.Timer == 0 && bench.Errors().empty();
        std::printf("goal (no timer message while hidden): %s\n", ok ? "met" : "MISSED");
        return ok ? 0 : 1;
    } catch (const std::exception& error) {
        std::printf("failed: %s\n", error.what());
        return 1;
    }
}
