#pragma once
// Which picture comes next and which came before: the sequential place in
// the list, the shuffled deck of "Random", and the history of the pictures
// really shown, for "Previous" and "Next". Next after Previous walks
// forward through the history again, then carries on with the rotation.
//
// The deck follows the list by comparing it with the list it saw last:
// entries appended or one entry deleted keep the deck (the new ones join
// the part still to come); any other change deals a fresh deck.
//
// Portable: no Windows header.

#include "core/RandomSource.h"
#include "core/ShownHistory.h"
#include "core/ShuffleDeck.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TRotation {
public:
    explicit TRotation(uint32_t seed) : random_(seed) {}

    // The index of the next picture of `paths`: forward through the history
    // while stepped back, else the deck (random) or one past `position`
    // (sequential, which then moves). -1 for an empty list.
    int32_t Next(const std::vector<std::string>& paths, bool random, int32_t& position);
    // The index of the picture shown before the current one; nothing at
    // the oldest picture still in the list.
    std::optional<int32_t> Previous(const std::vector<std::string>& paths);
    // The next `count` pictures, one for each monitor, as Next gives them
    // one after the other. `fromHistory` tells how many of them (the first
    // ones) were walked to in the history and are shown there already.
    std::vector<int32_t> NextGroup(const std::vector<std::string>& paths, bool random, int32_t& position,
                                   size_t count, size_t& fromHistory);
    // The `count` pictures shown before the current ones, oldest first,
    // which become the current ones; fewer where the history holds fewer
    // before them, none when it holds fewer than `count` before the
    // current picture.
    std::vector<int32_t> PreviousGroup(const std::vector<std::string>& paths, size_t count);
    // `path` was put on the desktop.
    void Shown(const std::string& path) { history_.Shown(path); }
    // The user put the entries of `group` (the first monitor's first) on
    // the desktop by hand: in list order the rotation goes on after the
    // last of them (`position` moves there), and in random order they count
    // as dealt, the rest of the deck staying as it is. The history learns
    // of them through Shown, as of any change.
    void ShownByHand(const std::vector<std::string>& paths, const std::vector<int32_t>& group,
                     int32_t& position);
    std::optional<std::string> Current() const { return history_.Current(); }

    // Brings the deck in step with the list after an edit (Next does it
    // too): appended entries join it, a deleted one leaves it.
    void Follow(const std::vector<std::string>& paths);

    // The deck and the history as stored text, and taken up again for the
    // list as it is at start.
    std::string SavedDeck() const { return deck_.Save(); }
    std::string SavedHistory() const { return history_.Save(); }
    void Restore(std::string_view deck, std::string_view history, const std::vector<std::string>& paths);

private:
    // Whether Next would walk forward through the history.
    bool Ahead(const std::vector<std::string>& paths) const;

    TSeededRandom random_;
    TShuffleDeck deck_;
    TShownHistory history_;
    std::vector<std::string> known_;
};
