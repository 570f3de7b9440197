#include "core/ShuffleDeck.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace {

constexpr std::string_view SavedVersion = "1";

// One decimal number that is the whole of `text`.
std::optional<int32_t> ParseNumber(std::string_view text)
{
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// The text split at every `separator`.
std::vector<std::string_view> Fields(std::string_view text, char separator)
{
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        fields.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return fields;
        start = end + 1;
    }
}

} // namespace

int32_t TShuffleDeck::Draw(int32_t count, IRandomSource& random)
{
    if (count != count_) {
        *this = TShuffleDeck(count);
    }
    if (count_ == 0)
        return -1;
    if (toCome_.empty())
        Deal(random);
    last_ = toCome_.back();
    toCome_.pop_back();
    return last_;
}

void TShuffleDeck::Deal(IRandomSource& random)
{
    toCome_.resize(static_cast<size_t>(count_));
    for (int32_t i = 0; i < count_; ++i)
        toCome_[static_cast<size_t>(i)] = i;
    for (size_t i = toCome_.size(); i > 1; --i)
        std::swap(toCome_[i - 1], toCome_[random.Below(static_cast<uint32_t>(i))]);
    // The first of the new deck is the back one; it must not be the entry
    // just shown, so it changes places with one of the others.
    if (toCome_.size() > 1 && toCome_.back() == last_)
        std::swap(toCome_.back(), toCome_[random.Below(static_cast<uint32_t>(toCome_.size() - 1))]);
}

void TShuffleDeck::Shown(int32_t index, IRandomSource& random)
{
    if (index < 0 || index >= count_)
        return;
    last_ = index;
    if (toCome_.empty())
        Deal(random);
    std::erase(toCome_, index);
}

void TShuffleDeck::Inserted(int32_t index, int32_t howMany, IRandomSource& random)
{
    if (howMany <= 0 || index < 0 || index > count_)
        return;
    for (int32_t& entry : toCome_)
        if (entry >= index)
            entry += howMany;
    if (last_ >= index)
        last_ += howMany;
    count_ += howMany;
    // Each new entry goes to a random place among those to come: appended,
    // then swapped with a place chosen among all of them, its own included.
    for (int32_t added = index; added < index + howMany; ++added) {
        toCome_.push_back(added);
        std::swap(toCome_.back(), toCome_[random.Below(static_cast<uint32_t>(toCome_.size()))]);
    }
}

void TShuffleDeck::Deleted(int32_t index)
{
    if (index < 0 || index >= count_)
        return;
    std::erase(toCome_, index);
    for (int32_t& entry : toCome_)
        if (entry > index)
            --entry;
    if (last_ == index)
        last_ = -1;
    else if (last_ > index)
        --last_;
    --count_;
}

std::vector<int32_t> TShuffleDeck::ToCome() const
{
    return {toCome_.rbegin(), toCome_.rend()};
}

std::string TShuffleDeck::Save() const
{
    std::string text =
        std::string(SavedVersion) + ":" + std::to_string(count_) + ":" + std::to_string(last_) + ":";
    const size_t saved = std::min(toCome_.size(), MaxSavedEntries);
    for (size_t i = 0; i < saved; ++i) {
        if (i > 0)
            text += ',';
        text += std::to_string(toCome_[toCome_.size() - 1 - i]);
    }
    return text;
}

TShuffleDeck TShuffleDeck::Restore(std::string_view text, int32_t count)
{
    const TShuffleDeck fresh(count);
    if (text.size() > MaxSavedEntries * 12 + 64)
        return fresh;
    const std::vector<std::string_view> fields = Fields(text, ':');
    if (fields.size() != 4 || fields[0] != SavedVersion || ParseNumber(fields[1]) != fresh.count_)
        return fresh;
    const std::optional<int32_t> last = ParseNumber(fields[2]);
    if (!last || *last < -1 || *last >= fresh.count_)
        return fresh;

    TShuffleDeck deck(count);
    deck.last_ = *last;
    if (!fields[3].empty()) {
        std::vector<bool> seen(static_cast<size_t>(fresh.count_));
        for (std::string_view field : Fields(fields[3], ',')) {
            const std::optional<int32_t> entry = ParseNumber(field);
            if (!entry || *entry < 0 || *entry >= fresh.count_ || seen[static_cast<size_t>(*entry)])
                return fresh;
            seen[static_cast<size_t>(*entry)] = true;
            deck.toCome_.push_back(*entry);
        }
    }
    std::reverse(deck.toCome_.begin(), deck.toCome_.end());
    return deck;
}
