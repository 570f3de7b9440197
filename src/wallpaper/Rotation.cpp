#include "wallpaper/Rotation.h"

#include "wallpaper/RotationMath.h"

#include <algorithm>

namespace {

std::optional<int32_t> IndexOf(const std::vector<std::string>& paths, const std::string& path)
{
    const auto found = std::find(paths.begin(), paths.end(), path);
    if (found == paths.end())
        return std::nullopt;
    return static_cast<int32_t>(found - paths.begin());
}

// The one entry `before` had that `after` lacks, when that is the only
// difference; -1 otherwise.
int32_t DeletedEntry(const std::vector<std::string>& before, const std::vector<std::string>& after)
{
    if (after.size() + 1 != before.size())
        return -1;
    const auto [differs, unused] = std::mismatch(after.begin(), after.end(), before.begin());
    const auto index = differs - after.begin();
    return std::equal(differs, after.end(), before.begin() + index + 1) ? static_cast<int32_t>(index) : -1;
}

// True when the lists differ in exactly one place (a file renamed).
bool OneEntryRenamed(const std::vector<std::string>& before, const std::vector<std::string>& after)
{
    const auto [differs, unused] = std::mismatch(after.begin(), after.end(), before.begin(), before.end());
    return differs != after.end() && std::equal(differs + 1, after.end(), unused + 1);
}

} // namespace

void TRotation::Follow(const std::vector<std::string>& paths)
{
    if (paths == known_)
        return;
    const auto count = static_cast<int32_t>(paths.size());
    const auto knownCount = static_cast<int32_t>(known_.size());
    if (count > knownCount && deck_.Count() == knownCount &&
        std::equal(known_.begin(), known_.end(), paths.begin())) {
        deck_.Inserted(knownCount, count - knownCount, random_);
    } else if (count == knownCount && deck_.Count() == knownCount && OneEntryRenamed(known_, paths)) {
        // A renamed file keeps its place in the list, and so in the deck.
    } else if (const int32_t deleted = DeletedEntry(known_, paths);
               deleted >= 0 && deck_.Count() == knownCount) {
        deck_.Deleted(deleted);
    } else {
        deck_ = TShuffleDeck(count);
    }
    known_ = paths;
}

int32_t TRotation::Next(const std::vector<std::string>& paths, bool random, int32_t& position)
{
    Follow(paths);
    if (paths.empty())
        return -1;
    const auto inList = [&paths](const std::string& path) { return IndexOf(paths, path).has_value(); };
    if (const std::optional<std::string> ahead = history_.Forward(inList))
        return *IndexOf(paths, *ahead);
    const auto count = static_cast<int32_t>(paths.size());
    if (random)
        return deck_.Draw(count, random_);
    position = NextRotationPosition(position, count);
    return position;
}

void TRotation::ShownByHand(const std::vector<std::string>& paths, const std::vector<int32_t>& group,
                            int32_t& position)
{
    Follow(paths);
    for (const int32_t index : group) {
        if (index < 0 || index >= static_cast<int32_t>(paths.size()))
            continue;
        deck_.Shown(index, random_);
        position = index;
    }
}

std::optional<int32_t> TRotation::Previous(const std::vector<std::string>& paths)
{
    const auto inList = [&paths](const std::string& path) { return IndexOf(paths, path).has_value(); };
    if (const std::optional<std::string> before = history_.Back(inList))
        return IndexOf(paths, *before);
    return std::nullopt;
}

std::vector<int32_t> TRotation::NextGroup(const std::vector<std::string>& paths, bool random,
                                          int32_t& position, size_t count, size_t& fromHistory)
{
    std::vector<int32_t> group;
    fromHistory = 0;
    for (size_t picture = 0; picture < count; ++picture) {
        // Forward steps come first: nothing is added to the history until
        // the group is shown.
        const bool walked = history_.Current() && Ahead(paths);
        const int32_t next = Next(paths, random, position);
        if (next < 0)
            break;
        fromHistory += walked ? 1 : 0;
        group.push_back(next);
    }
    return group;
}

std::vector<int32_t> TRotation::PreviousGroup(const std::vector<std::string>& paths, size_t count)
{
    // Back to the last picture of the group before, then to its first one
    // and forward again, so that the history's current picture stays the
    // last one shown, as after NextGroup.
    // The current group is the oldest when the history holds nothing
    // before it: the history then stays where it was.
    const auto inList = [&paths](const std::string& path) { return IndexOf(paths, path).has_value(); };
    std::optional<int32_t> last;
    size_t steps = 0;
    for (; steps < count; ++steps) {
        last = Previous(paths);
        if (!last)
            break;
    }
    if (steps < count) {
        for (size_t step = 0; step < steps; ++step)
            history_.Forward(inList);
        return {};
    }
    std::vector<int32_t> group{*last};
    size_t back = 0;
    for (; back + 1 < count; ++back) {
        const std::optional<int32_t> previous = Previous(paths);
        if (!previous)
            break;
        group.insert(group.begin(), *previous);
    }
    for (size_t step = 0; step < back; ++step)
        history_.Forward(inList);
    return group;
}

bool TRotation::Ahead(const std::vector<std::string>& paths) const
{
    TShownHistory copy = history_;
    const auto inList = [&paths](const std::string& path) { return IndexOf(paths, path).has_value(); };
    return copy.Forward(inList).has_value();
}

void TRotation::Restore(std::string_view deck, std::string_view history,
                        const std::vector<std::string>& paths)
{
    deck_ = TShuffleDeck::Restore(deck, static_cast<int32_t>(paths.size()));
    history_ = TShownHistory::Restore(history);
    known_ = paths;
}
