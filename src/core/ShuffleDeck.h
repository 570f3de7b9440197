#pragma once
// "Random" as a shuffled deck of the list's entries: every entry comes once
// before any comes again, and a new deck never starts with the entry the
// last one ended on, so (with two or more entries) no picture follows
// itself. Entries added to the list join the part of the deck still to
// come, at random places; deleted ones leave it, and the indexes after them
// move down with the list.
//
// The deck can be kept as text (in the registry) and taken up again after a
// restart; text that is not a deck for the list as it is now gives a fresh
// deck.
//
// Portable: no Windows header.

#include "core/RandomSource.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TShuffleDeck {
public:
    // The most entries still to come that the text keeps; a longer deck is
    // cut, and the entries left out come again with the next deck. About
    // 700 KB of text at most.
    static constexpr size_t MaxSavedEntries = 65536;

    TShuffleDeck() = default;
    // A deck for a list of `count` entries, to be dealt at the first draw.
    explicit TShuffleDeck(int32_t count) : count_(count < 0 ? 0 : count) {}

    // The next entry of a list of `count` entries; -1 when it is empty. A
    // count other than the deck's means the list was replaced: the deck
    // starts afresh.
    int32_t Draw(int32_t count, IRandomSource& random);

    // `howMany` entries were inserted into the list at `index` (the end:
    // index == the old count).
    void Inserted(int32_t index, int32_t howMany, IRandomSource& random);
    // The entry at `index` was deleted from the list.
    void Deleted(int32_t index);
    // The entry at `index` was shown without being drawn (put on the
    // desktop by hand): it counts as drawn in this deck, and the others
    // still to come keep their order. A deck all drawn is dealt first, so
    // the entry does not come again at once.
    void Shown(int32_t index, IRandomSource& random);

    int32_t Count() const { return count_; }
    // The entries still to come in this deck, the next one first.
    std::vector<int32_t> ToCome() const;

    // "1:<count>:<last drawn or -1>:<entries to come, next first, by commas>"
    std::string Save() const;
    // The deck saved in `text` when it is one for a list of `count` entries
    // (every entry in range, none twice); a fresh deck otherwise.
    static TShuffleDeck Restore(std::string_view text, int32_t count);

private:
    void Deal(IRandomSource& random);

    int32_t count_ = 0;
    int32_t last_ = -1;
    std::vector<int32_t> toCome_; // the next entry at the back
};
