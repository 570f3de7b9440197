#pragma once
// The pictures put on the desktop, newest last, for "Previous" and "Next".
// It works as a browser's history does: Back steps to the picture shown
// before the current one, Forward steps towards the newest again and tells
// when there is nothing ahead (then the rotation carries on instead), and a
// picture shown while stepped back drops the pictures ahead of it.
//
// Entries are paths, so the history survives a list that was edited or
// reloaded; a step passes over (and forgets) pictures the caller no longer
// has. It keeps Capacity pictures and can be saved as text and taken up
// again after a restart; text that is not such a history gives what could
// be read of it, or an empty history.
//
// Portable: no Windows header.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TShownHistory {
public:
    static constexpr size_t Capacity = 100;
    // The saved text stays under this size: the oldest pictures go first.
    static constexpr size_t MaxSavedChars = 64 * 1024;

    // Whether a picture can still be shown (it is in the list).
    using TAvailable = std::function<bool(const std::string& path)>;

    // `path` was put on the desktop. Showing the current picture again
    // changes nothing.
    void Shown(const std::string& path);
    // The picture before the current one, which becomes current; nothing at
    // the oldest (the history stays where it was).
    std::optional<std::string> Back(const TAvailable& available);
    // The picture after the current one, which becomes current; nothing at
    // the newest.
    std::optional<std::string> Forward(const TAvailable& available);

    // The current picture; nothing while the history is empty.
    std::optional<std::string> Current() const;
    // The pictures, oldest first.
    const std::vector<std::string>& Entries() const { return entries_; }

    // "1|<index of the current picture>|<path>|<path>..." oldest first; "|"
    // cannot be part of a Windows path.
    std::string Save() const;
    static TShownHistory Restore(std::string_view text);

private:
    // Steps by `direction` past pictures that are not available, forgetting
    // them; nothing when no available picture lies that way.
    std::optional<std::string> Step(int direction, const TAvailable& available);

    std::vector<std::string> entries_;
    size_t current_ = 0; // meaningful while entries_ is not empty
};
