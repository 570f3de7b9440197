#include "core/ShuffleDeck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace {

std::vector<int32_t> Draws(TShuffleDeck& deck, int32_t count, int times, IRandomSource& random)
{
    std::vector<int32_t> drawn;
    for (int i = 0; i < times; ++i)
        drawn.push_back(deck.Draw(count, random));
    return drawn;
}

std::vector<int32_t> Sorted(std::vector<int32_t> values)
{
    std::sort(values.begin(), values.end());
    return values;
}

std::vector<int32_t> Range(int32_t count)
{
    std::vector<int32_t> values(static_cast<size_t>(count));
    std::iota(values.begin(), values.end(), 0);
    return values;
}

// Always the first choice: the plain shuffle then deals the same deck again
// and again, which would put the last entry of one deck first in the next.
class TLowestRandom : public IRandomSource {
public:
    uint32_t Below(uint32_t) override { return 0; }
};

} // namespace

TEST(ShuffleDeck, DealsEveryEntryOnceAndNeverTheSameTwiceInARow)
{
    for (uint32_t seed = 0; seed < 200; ++seed) {
        for (int32_t count : {2, 3, 7}) {
            TSeededRandom random(seed);
            TShuffleDeck deck;
            const std::vector<int32_t> drawn = Draws(deck, count, count * 4, random);
            for (int32_t round = 0; round < 4; ++round)
                EXPECT_EQ(Sorted({drawn.begin() + round * count, drawn.begin() + (round + 1) * count}),
                          Range(count));
            EXPECT_EQ(std::adjacent_find(drawn.begin(), drawn.end()), drawn.end()) << seed << " " << count;
        }
    }
    TLowestRandom lowest;
    TShuffleDeck deck;
    const std::vector<int32_t> drawn = Draws(deck, 3, 9, lowest);
    EXPECT_EQ(std::adjacent_find(drawn.begin(), drawn.end()), drawn.end());

    TSeededRandom random(1);
    EXPECT_EQ(Draws(deck, 1, 3, random), (std::vector<int32_t>{0, 0, 0}));
    EXPECT_EQ(deck.Draw(0, random), -1);
}

TEST(ShuffleDeck, SameSeedSameRun)
{
    TSeededRandom first(42), second(42);
    TShuffleDeck a, b;
    EXPECT_EQ(Draws(a, 10, 25, first), Draws(b, 10, 25, second));
}

TEST(ShuffleDeck, AddedEntriesJoinTheRestAndDeletedOnesLeaveIt)
{
    TSeededRandom random(7);
    TShuffleDeck deck;
    deck.Draw(5, random);
    std::vector<int32_t> rest = deck.ToCome();

    // Two entries inserted at 2: indexes from 2 on move up, 2 and 3 are new.
    deck.Inserted(2, 2, random);
    for (int32_t& entry : rest)
        if (entry >= 2)
            entry += 2;
    rest.insert(rest.end(), {2, 3});
    EXPECT_EQ(Sorted(deck.ToCome()), Sorted(rest));
    EXPECT_EQ(deck.Count(), 7);

    // Deleting entry 0 takes it out; the others move down.
    deck.Deleted(0);
    std::erase(rest, 0);
    for (int32_t& entry : rest)
        --entry;
    EXPECT_EQ(Sorted(deck.ToCome()), Sorted(rest));

    // The rest of this deck is exactly what was still to come; the first
    // entry of the next deck is not the one just drawn.
    const std::vector<int32_t> drawn = Draws(deck, 6, static_cast<int>(rest.size()), random);
    EXPECT_TRUE(deck.ToCome().empty());
    EXPECT_EQ(Sorted(drawn), Sorted(rest));
    EXPECT_NE(deck.Draw(6, random), drawn.back());
}

TEST(ShuffleDeck, ANewListCountStartsAFreshDeck)
{
    TSeededRandom random(3);
    TShuffleDeck deck;
    deck.Draw(4, random);
    const std::vector<int32_t> drawn = Draws(deck, 6, 6, random);
    EXPECT_EQ(Sorted(drawn), Range(6));
}

TEST(ShuffleDeck, CarriesOnAfterSaveAndRestore)
{
    TSeededRandom random(11);
    TShuffleDeck deck;
    const std::vector<int32_t> before = Draws(deck, 3, 2, random);
    TShuffleDeck restored = TShuffleDeck::Restore(deck.Save(), 3);
    EXPECT_EQ(restored.ToCome(), deck.ToCome());
    EXPECT_EQ(restored.Save(), deck.Save());
    const std::vector<int32_t> after = Draws(restored, 3, 7, random);
    std::vector<int32_t> all = before;
    all.insert(all.end(), after.begin(), after.end());
    for (int round = 0; round < 3; ++round)
        EXPECT_EQ(Sorted({all.begin() + round * 3, all.begin() + round * 3 + 3}), Range(3));
    EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());
}

TEST(ShuffleDeck, BadTextGivesAFreshDeck)
{
    const TShuffleDeck good = TShuffleDeck::Restore("1:4:2:3,0", 4);
    EXPECT_EQ(good.ToCome(), (std::vector<int32_t>{3, 0}));
    for (const char* bad : {"", "garbage", "2:4:2:3,0", "1:5:2:3,0", "1:4:4:3,0", "1:4:-2:3,0", "1:4:2:3,3",
                            "1:4:2:3,4", "1:4:2:3,-1", "1:4:2:3,,0", "1:4:2:3,0,", "1:4:2:3 ,0",
                            "1:4:2:3,0:9", "1:4:2:99999999999999999999", "1:4:2:0,1,2,3,0"}) {
        const TShuffleDeck deck = TShuffleDeck::Restore(bad, 4);
        EXPECT_TRUE(deck.ToCome().empty()) << bad;
        EXPECT_EQ(deck.Count(), 4) << bad;
    }
    EXPECT_TRUE(TShuffleDeck::Restore(std::string(2'000'000, '1'), 4).ToCome().empty());
}
