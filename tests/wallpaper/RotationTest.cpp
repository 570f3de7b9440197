#include "wallpaper/Rotation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

std::vector<std::string> Entries(int count)
{
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i)
        paths.push_back("C:\\p\\" + std::to_string(i) + ".jpg");
    return paths;
}

// Draws `howMany` random entries of `paths`, each one shown.
std::vector<std::string> Draw(TRotation& rotation, const std::vector<std::string>& paths, int howMany)
{
    std::vector<std::string> drawn;
    int32_t position = 0;
    for (int i = 0; i < howMany; ++i) {
        drawn.push_back(paths.at(static_cast<size_t>(rotation.Next(paths, true, position))));
        rotation.Shown(drawn.back());
    }
    return drawn;
}

} // namespace

TEST(Rotation, EntriesAddedJoinTheDeckStillToComeAndDeletedOnesLeaveIt)
{
    for (uint32_t seed = 0; seed < 20; ++seed) {
        TRotation rotation(seed);
        std::vector<std::string> paths = Entries(4);
        std::vector<std::string> shown = Draw(rotation, paths, 2);
        paths.push_back("C:\\p\\new.jpg");
        // The deck's other two and the new one, each once.
        const std::vector<std::string> rest = Draw(rotation, paths, 3);
        std::set<std::string> dealt(shown.begin(), shown.end());
        dealt.insert(rest.begin(), rest.end());
        EXPECT_EQ(dealt.size(), 5u) << seed;

        shown = Draw(rotation, paths, 1);
        const auto deleted =
            std::find(paths.begin(), paths.end(), shown[0] == paths[0] ? paths[1] : paths[0]);
        const std::string gone = *deleted;
        paths.erase(deleted);
        const std::vector<std::string> after = Draw(rotation, paths, 3);
        EXPECT_EQ(std::count(after.begin(), after.end(), gone), 0) << seed;
        EXPECT_EQ(std::set<std::string>(after.begin(), after.end()).size(), 3u) << seed;
    }
}

TEST(Rotation, ARenamedEntryKeepsItsPlaceInTheDeck)
{
    TRotation rotation(7);
    std::vector<std::string> paths = Entries(5);
    Draw(rotation, paths, 2);
    const std::string deck = rotation.SavedDeck();
    paths[3] = "C:\\p\\renamed.jpg";
    rotation.Follow(paths);
    EXPECT_EQ(rotation.SavedDeck(), deck);
    // Two entries changed at once is no rename: the deck starts again.
    paths[0] = "C:\\p\\x.jpg";
    paths[1] = "C:\\p\\y.jpg";
    rotation.Follow(paths);
    EXPECT_NE(rotation.SavedDeck(), deck);
}

TEST(Rotation, NextAfterPreviousWalksForwardThenGoesOnInOrder)
{
    TRotation rotation(1);
    const std::vector<std::string> paths = Entries(4);
    int32_t position = 0;
    for (int i = 0; i < 3; ++i)
        rotation.Shown(paths.at(static_cast<size_t>(rotation.Next(paths, false, position))));
    EXPECT_EQ(rotation.Previous(paths), 2);
    EXPECT_EQ(rotation.Previous(paths), 1);
    EXPECT_EQ(rotation.Previous(paths), std::nullopt);
    EXPECT_EQ(rotation.Next(paths, false, position), 2);
    EXPECT_EQ(rotation.Next(paths, false, position), 3);
    EXPECT_EQ(rotation.Next(paths, false, position), 0);
    // A picture no longer in the list is passed over.
    const std::vector<std::string> fewer = {paths[0], paths[1], paths[3]};
    rotation.Shown(paths[0]);
    EXPECT_EQ(rotation.Previous(fewer), 2);
}

TEST(Rotation, PicturesAppliedByHandCountAsDealtAndTheRestOfTheDeckKeepsItsOrder)
{
    const std::vector<std::string> paths = Entries(6);
    const auto indexOf = [&paths](const std::string& path) {
        return static_cast<int32_t>(std::find(paths.begin(), paths.end(), path) - paths.begin());
    };
    for (uint32_t seed = 0; seed < 20; ++seed) {
        TRotation rotation(seed), untouched(seed);
        Draw(rotation, paths, 2);
        Draw(untouched, paths, 2);
        std::vector<std::string> rest = Draw(untouched, paths, 4);
        const std::string byHand = rest[2];
        int32_t position = 0;
        rotation.ShownByHand(paths, {indexOf(byHand)}, position);
        rotation.Shown(byHand);
        EXPECT_EQ(position, indexOf(byHand));
        rest.erase(rest.begin() + 2);
        EXPECT_EQ(Draw(rotation, paths, 3), rest) << seed;

        // With the deck all dealt: the next deck holds the others first.
        rotation.ShownByHand(paths, {indexOf(rest[0])}, position);
        rotation.Shown(rest[0]);
        const std::vector<std::string> next = Draw(rotation, paths, 5);
        EXPECT_EQ(std::set<std::string>(next.begin(), next.end()).size(), 5u) << seed;
        EXPECT_EQ(std::count(next.begin(), next.end(), rest[0]), 0) << seed;
    }
}

TEST(Rotation, GroupsOfTwoDealTheDeckAndPreviousStepsBackAWholeGroup)
{
    for (uint32_t seed = 0; seed < 20; ++seed) {
        TRotation rotation(seed);
        const std::vector<std::string> paths = Entries(4);
        int32_t position = 0;
        size_t fromHistory = 9;
        std::vector<std::vector<int32_t>> groups;
        for (int change = 0; change < 3; ++change) {
            groups.push_back(rotation.NextGroup(paths, true, position, 2, fromHistory));
            EXPECT_EQ(fromHistory, 0u);
            for (const int32_t index : groups.back())
                rotation.Shown(paths.at(index));
        }
        // The first two groups are one deck: every picture once.
        std::set<int32_t> dealt(groups[0].begin(), groups[0].end());
        dealt.insert(groups[1].begin(), groups[1].end());
        EXPECT_EQ(dealt.size(), 4u) << seed;

        EXPECT_EQ(rotation.PreviousGroup(paths, 2), groups[1]);
        EXPECT_EQ(rotation.PreviousGroup(paths, 2), groups[0]);
        EXPECT_TRUE(rotation.PreviousGroup(paths, 2).empty());
        // Forward again through what was shown, then the rotation goes on.
        EXPECT_EQ(rotation.NextGroup(paths, true, position, 2, fromHistory), groups[1]);
        EXPECT_EQ(fromHistory, 2u);
        EXPECT_EQ(rotation.NextGroup(paths, true, position, 2, fromHistory), groups[2]);
        EXPECT_EQ(fromHistory, 2u);
        EXPECT_EQ(rotation.NextGroup(paths, true, position, 2, fromHistory).size(), 2u);
        EXPECT_EQ(fromHistory, 0u);
    }
}
