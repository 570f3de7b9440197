// A followed folder of 10 000 pictures (100 folders in two levels, as the
// folder benchmark's tree) on a main form with the real file system:
//   - the first reading when the folder is followed;
//   - reading it again with nothing changed, as every start does (the
//     worker's scan and the diff against the list, until the list is in step);
//   - 500 pictures copied in at once: how many list updates they make and
//     how long applying them takes once the burst has been quiet for its
//     two seconds (the timer's tick, run at once here), and the whole wait
//     from the last file written until the list holds them, quiet time
//     included.
// Goals: the unchanged reading and the burst's apply under 300 ms each, and
// the burst one update of the list. Exit status 1 when a goal is missed, a
// count is wrong or an error reached the error handler.
//
//   tessivo_follow_bench [--pictures-per-folder=N] [--burst=N]

#include "BenchForm.h"
#include "BenchMeasure.h"
#include "BenchTree.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string>

namespace {

constexpr double kGoalMs = 300;

// Handles messages as the loop would until `done` (or a minute went by).
void PumpUntil(const std::function<bool()>& done)
{
    const ULONGLONG giveUp = GetTickCount64() + 60000;
    while (!done()) {
        if (GetTickCount64() > giveUp)
            throw std::runtime_error("gave up waiting");
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        Application->ProcessMessages();
    }
}

void WriteEmptyFiles(const std::string& folder, int count)
{
    for (int i = 0; i < count; ++i) {
        const std::string path = folder + "\\copied " + std::to_string(i) + ".jpg";
        const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            throw std::runtime_error("cannot write " + path);
        CloseHandle(file);
    }
}

bool Goal(const char* what, double ms)
{
    std::printf("%-44s %8.1f ms  (goal < %.0f ms: %s)\n", what, ms, kGoalMs, ms < kGoalMs ? "met" : "MISSED");
    return ms < kGoalMs;
}

} // namespace

int main(int argc, char** argv)
{
    TBenchTreeShape shape;
    int burst = 500;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--pictures-per-folder=", 22) == 0)
            shape.PicturesPerFolder = std::atoi(argv[i] + 22);
        else if (std::strncmp(argv[i], "--burst=", 8) == 0)
            burst = std::atoi(argv[i] + 8);
    }
    const std::string root = MakeBenchTree("follow", shape);
    bool ok = true;
    try {
        TBenchForm bench;
        TMainForm& form = bench.Form();
        TFolderFollower& follower = form.FolderFollower();
        const TListModel& list = form.Test().listModel;

        TStopwatch first;
        form.FollowFolders({root});
        PumpUntil([&] { return !follower.Reading(); });
        std::printf("followed folder: %d pictures\n", list.Count());
        std::printf("%-44s %8.1f ms\n", "first reading (list empty before)", first.Milliseconds());
        ok = list.Count() == static_cast<int>(shape.Pictures()) && ok;

        TStopwatch again;
        form.FollowFolders({root}); // read anew, as at a start
        PumpUntil([&] { return !follower.Reading(); });
        ok = Goal("reading again, nothing changed", again.Milliseconds()) && ok;

        int updates = 0;
        const TListSubscription counter =
            const_cast<TListModel&>(list).Subscribe([&](const TListChange&) { ++updates; });
        WriteEmptyFiles(root, burst);
        TStopwatch wait;
        // Every change heard: the quiet time then starts from the last one.
        PumpUntil([&] { return follower.SettleTimer().Enabled(); });
        PumpUntil([&] { return list.Count() == static_cast<int>(shape.Pictures()) + burst; });
        const double waited = wait.Milliseconds();
        // The same once more with the tick run at once, for the apply alone.
        WriteEmptyFiles(root + "\\set 0000", burst);
        PumpUntil([&] { return follower.SettleTimer().Enabled(); });
        Sleep(500);
        Application->ProcessMessages();
        const int before = updates;
        TStopwatch apply;
        follower.SettleTimer().Tick();
        const double applied = apply.Milliseconds();
        std::printf("%d pictures copied in: %d list update(s) (goal: 1), list %d\n", burst, updates - before,
                    list.Count());
        ok = updates - before == 1 && list.Count() == static_cast<int>(shape.Pictures()) + 2 * burst && ok;
        ok = Goal("applying the burst after its quiet time", applied) && ok;
        std::printf("%-44s %8.1f ms  (2 s of it the quiet time)\n",
                    "last file written until the list has them", waited);
        for (const std::string& error : bench.Errors())
            std::printf("error: %s\n", error.c_str());
        ok = ok && bench.Errors().empty();
    } catch (const std::exception& error) {
        std::printf("failed: %s\n", error.what());
        ok = false;
    }
    RemoveBenchTree(root);
    return ok ? 0 : 1;
}
