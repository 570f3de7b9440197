// When the last list is saved as edits come: a steady clock the test sets,
// and the timer ticked at the moment it would fire, so no time passes.

#include "lists/LastListAutosave.h"

#include <gtest/gtest.h>

#include <vector>

TEST(LastListAutosave, EditsThatKeepComingAreSavedTenSecondsAfterTheFirstUnsavedOne)
{
    TComponent owner(nullptr);
    int64_t now = 5'000'000;
    const int64_t start = now;
    std::vector<int64_t> saves;
    TLastListAutosave autosave(
        &owner, [&] { saves.push_back(now - start); }, [](const std::exception&) {}, [&] { return now; });
    int64_t dueAt = 0;
    // Time passes until `t`; the timer fires on the way if it is due.
    const auto passTo = [&](int64_t t) {
        if (autosave.Pending() && dueAt <= t) {
            now = dueAt;
            autosave.Timer().Tick();
        }
        now = t;
    };

    // Thirty edits a second apart: never two quiet seconds.
    for (int edit = 0; edit < 30; ++edit) {
        passTo(start + edit * 1000);
        autosave.ListChanged();
        dueAt = now + autosave.Timer().Interval();
    }
    passTo(start + 40'000);
    EXPECT_EQ(saves, (std::vector<int64_t>{10'000, 20'000, 30'000}));

    // A single edit is saved when two quiet seconds have passed.
    autosave.ListChanged();
    EXPECT_EQ(autosave.Timer().Interval(), TLastListAutosave::DelayMs);
}
