#include "core/ShownHistory.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const TShownHistory::TAvailable Everything = [](const std::string&) { return true; };

TShownHistory Shown(std::initializer_list<std::string> paths)
{
    TShownHistory history;
    for (const std::string& path : paths)
        history.Shown(path);
    return history;
}

} // namespace

TEST(ShownHistory, WalksBackAndForwardLikeABrowser)
{
    TShownHistory history = Shown({"a", "b", "c", "c"});
    EXPECT_EQ(history.Entries(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(history.Back(Everything), "b");
    EXPECT_EQ(history.Back(Everything), "a");
    EXPECT_EQ(history.Back(Everything), std::nullopt);
    EXPECT_EQ(history.Current(), "a");
    EXPECT_EQ(history.Forward(Everything), "b");
    EXPECT_EQ(history.Forward(Everything), "c");
    EXPECT_EQ(history.Forward(Everything), std::nullopt); // the rotation carries on
    // A picture shown while stepped back drops those ahead of it.
    history.Back(Everything);
    history.Shown("x");
    EXPECT_EQ(history.Entries(), (std::vector<std::string>{"a", "b", "x"}));
    EXPECT_EQ(history.Back(Everything), "b");
    EXPECT_EQ(TShownHistory().Back(Everything), std::nullopt);
}

TEST(ShownHistory, KeepsTheNewestHundred)
{
    TShownHistory history;
    for (int i = 0; i < 250; ++i)
        history.Shown("p" + std::to_string(i));
    ASSERT_EQ(history.Entries().size(), TShownHistory::Capacity);
    EXPECT_EQ(history.Entries().front(), "p150");
    int steps = 0;
    while (history.Back(Everything))
        ++steps;
    EXPECT_EQ(steps, 99);
}

TEST(ShownHistory, StepsOverPicturesNoLongerInTheList)
{
    TShownHistory history = Shown({"a", "gone", "a", "b", "gone2", "c"});
    const std::set<std::string> list{"a", "b", "c"};
    const auto inList = [&](const std::string& path) { return list.contains(path); };
    EXPECT_EQ(history.Back(inList), "b");
    // "a", "gone", "a": with "gone" forgotten the two "a" are one step.
    EXPECT_EQ(history.Back(inList), "a");
    EXPECT_EQ(history.Back(inList), std::nullopt);
    EXPECT_EQ(history.Entries(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(history.Forward([](const std::string&) { return false; }), std::nullopt);
    EXPECT_EQ(history.Current(), "a");
}

TEST(ShownHistory, SurvivesSaveAndRestore)
{
    TShownHistory history = Shown({"C:\\a b.jpg", "D:\\x\xE9.bmp", "c"});
    history.Back(Everything);
    const TShownHistory restored = TShownHistory::Restore(history.Save());
    EXPECT_EQ(restored.Entries(), history.Entries());
    EXPECT_EQ(restored.Current(), "D:\\x\xE9.bmp");

    // Long paths: the text stays bounded and keeps the newest.
    TShownHistory longPaths;
    for (int i = 0; i < 100; ++i)
        longPaths.Shown(std::to_string(i) + std::string(2000, 'x'));
    const std::string text = longPaths.Save();
    EXPECT_LE(text.size(), TShownHistory::MaxSavedChars);
    const TShownHistory cut = TShownHistory::Restore(text);
    EXPECT_EQ(cut.Current(), longPaths.Current());
    EXPECT_GT(cut.Entries().size(), 20u);
}

TEST(ShownHistory, BadTextGivesWhatCanBeRead)
{
    for (const char* bad : {"", "x", "2|0|a", "1|zz|a", "1|-1|a", "1"})
        EXPECT_TRUE(TShownHistory::Restore(bad).Entries().empty()) << bad;
    EXPECT_EQ(TShownHistory::Restore("1|0").Current(), std::nullopt);
    // A current index past the end points at the newest; empty paths and
    // control characters are dropped.
    const TShownHistory odd = TShownHistory::Restore("1|99|a||b\x01|c|c");
    EXPECT_EQ(odd.Entries(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(odd.Current(), "c");
    EXPECT_TRUE(TShownHistory::Restore(std::string(1'000'000, 'a')).Entries().empty());
}
