#include "core/ShownHistory.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr std::string_view SavedVersion = "1";
constexpr char Separator = '|';

bool IsStorablePath(const std::string& path)
{
    if (path.empty())
        return false;
    for (char c : path)
        if (c == Separator || static_cast<unsigned char>(c) < 0x20)
            return false;
    return true;
}

} // namespace

void TShownHistory::Shown(const std::string& path)
{
    if (!IsStorablePath(path) || Current() == path)
        return;
    if (!entries_.empty())
        entries_.resize(current_ + 1);
    entries_.push_back(path);
    if (entries_.size() > Capacity)
        entries_.erase(entries_.begin(), entries_.end() - Capacity);
    current_ = entries_.size() - 1;
}

std::optional<std::string> TShownHistory::Back(const TAvailable& available)
{
    return Step(-1, available);
}

std::optional<std::string> TShownHistory::Forward(const TAvailable& available)
{
    return Step(+1, available);
}

std::optional<std::string> TShownHistory::Step(int direction, const TAvailable& available)
{
    if (entries_.empty())
        return std::nullopt;
    for (;;) {
        if (direction < 0 ? current_ == 0 : current_ + 1 >= entries_.size())
            return std::nullopt;
        const size_t next = direction < 0 ? current_ - 1 : current_ + 1;
        // A picture the same as the current one would be a step that
        // changes nothing (it can follow when one between them was
        // forgotten): it is passed over as well.
        if (available(entries_[next]) && entries_[next] != entries_[current_]) {
            current_ = next;
            return entries_[current_];
        }
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(next));
        if (direction < 0)
            --current_;
    }
}

std::optional<std::string> TShownHistory::Current() const
{
    if (entries_.empty())
        return std::nullopt;
    return entries_[current_];
}

std::string TShownHistory::Save() const
{
    // The newest pictures that fit, so the text stays bounded.
    size_t first = entries_.size();
    size_t chars = 16;
    while (first > 0 && chars + entries_[first - 1].size() + 1 <= MaxSavedChars) {
        chars += entries_[first - 1].size() + 1;
        --first;
    }
    const size_t current = current_ < first ? 0 : current_ - first;
    std::string text = std::string(SavedVersion) + Separator + std::to_string(current);
    for (size_t i = first; i < entries_.size(); ++i)
        text += Separator + entries_[i];
    return text;
}

TShownHistory TShownHistory::Restore(std::string_view text)
{
    TShownHistory history;
    if (text.size() > MaxSavedChars)
        return history;
    const size_t versionEnd = text.find(Separator);
    const size_t currentEnd = text.find(Separator, versionEnd == std::string_view::npos ? 0 : versionEnd + 1);
    if (versionEnd == std::string_view::npos || text.substr(0, versionEnd) != SavedVersion)
        return history;
    const std::string_view currentText = text.substr(
        versionEnd + 1, currentEnd == std::string_view::npos ? currentEnd : currentEnd - versionEnd - 1);
    size_t current = 0;
    const auto [end, error] =
        std::from_chars(currentText.data(), currentText.data() + currentText.size(), current);
    if (error != std::errc() || end != currentText.data() + currentText.size())
        return history;

    size_t start = currentEnd;
    while (start != std::string_view::npos) {
        const size_t next = text.find(Separator, start + 1);
        const std::string path(
            text.substr(start + 1, next == std::string_view::npos ? next : next - start - 1));
        // Shown() keeps only storable paths and no picture twice in a row.
        if (IsStorablePath(path) && (history.entries_.empty() || history.entries_.back() != path))
            history.entries_.push_back(path);
        start = next;
    }
    if (history.entries_.size() > Capacity) {
        const size_t dropped = history.entries_.size() - Capacity;
        history.entries_.erase(history.entries_.begin(),
                               history.entries_.begin() + static_cast<std::ptrdiff_t>(dropped));
        current = current < dropped ? 0 : current - dropped;
    }
    history.current_ = history.entries_.empty() ? 0 : std::min(current, history.entries_.size() - 1);
    return history;
}
