#pragma once
// The picture list itself: every entry's full path in the user's order, what
// is known about each entry besides its path, and the selected entry (the
// one the preview shows and "Apply" puts on the desktop). The name list, the
// total, the rotation's deck and the last list's saving are told of every
// change and read the list from here; no window holds it.
//
// Portable: no Windows header. The rule that makes two names one file is
// given at construction (Windows' rule in the program).

#include "lists/FollowedFolders.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// An entry added by itself, not as part of a folder the list follows. A
// followed folder's number is its index in TListModel::Folders().
constexpr int32_t NoFolder = -1;

// What the list knows of an entry besides its path.
struct TEntryMarks {
    // The followed folder the entry belongs to; NoFolder for none.
    int32_t Folder = NoFolder;
    // The entry's file was found gone.
    bool Missing = false;
};

enum class TListChangeKind : uint8_t {
    Added,     // Count entries appended at First
    Removed,   // Count entries taken out from First on
    Moved,     // the entry at First now stands at To
    Rewritten, // entries anywhere went: read the list again
    Loaded,    // the list was replaced by one read from a file
    Renamed,   // the entry at First names its file by a new path (it keeps its place)
};

struct TListChange {
    TListChangeKind Kind;
    int First = 0;
    int Count = 0;
    int To = 0;
};

class TListModel;
class TListedKeys;
struct TKeyedPaths;

// A listener's registration: the listener is told until this goes.
class TListSubscription {
public:
    TListSubscription() = default;
    TListSubscription(TListSubscription&& other) noexcept { *this = std::move(other); }
    TListSubscription& operator=(TListSubscription&& other) noexcept;
    TListSubscription(const TListSubscription&) = delete;
    TListSubscription& operator=(const TListSubscription&) = delete;
    ~TListSubscription() { Cancel(); }

    void Cancel();

private:
    friend class TListModel;
    struct TListeners;
    TListSubscription(std::weak_ptr<TListeners> listeners, uint64_t id)
        : listeners_(std::move(listeners)), id_(id)
    {
    }

    std::weak_ptr<TListeners> listeners_;
    uint64_t id_ = 0;
};

class TListModel {
public:
    // The key two names share exactly when they name the same file.
    using TNameKey = std::function<std::wstring(std::string_view name)>;
    using TListener = std::function<void(const TListChange&)>;

    explicit TListModel(TNameKey nameKey);
    TListModel(const TListModel&) = delete;
    TListModel& operator=(const TListModel&) = delete;
    ~TListModel();

    int Count() const { return static_cast<int>(paths_.size()); }
    bool Empty() const { return paths_.empty(); }
    // Indexes outside the list raise "List index out of bounds (%d)".
    const std::string& Path(int index) const;
    TEntryMarks Marks(int index) const;
    // Every path in order, for reading the whole list at once.
    const std::vector<std::string>& Paths() const { return paths_; }

    // Appends the paths the list does not hold yet, in order (a name given
    // twice goes in once); returns how many were left out.
    size_t Add(std::vector<std::string> paths, int32_t folder = NoFolder);
    // The same add with its keys made beforehand (see lists/ListedKeys.h):
    // `ready` keyed by this list's rule, `listed` following this list. The
    // keys still missing are made here; all are let go before the listeners
    // are told.
    size_t Add(TKeyedPaths ready, TListedKeys& listed, int32_t folder = NoFolder);
    // Makes `entries` the list as they are (a list file may name a file
    // twice, or hold empty lines); nothing is selected.
    // With `folders`, the list follows them; the entries inside one of them
    // belong to it.
    void Load(std::vector<std::string> entries, std::vector<TFollowedFolder> folders = {});
    void Remove(int index);
    // Removes the entry; one of a followed folder is kept out of it from
    // then on (the folder's next reading does not bring it back).
    void RemoveKeepingOut(int index);
    // The entry at `index` names its file by `path` now (the file was
    // renamed); it keeps its place, its marks and its selection.
    void Rename(int index, std::string path);
    // Removes every entry `unwanted` says yes to; returns how many went.
    size_t RemoveIf(const std::function<bool(const std::string& path)>& unwanted);
    size_t RemoveIf(const std::function<bool(const std::string& path, const TEntryMarks& marks)>& unwanted);
    void Clear();
    // The entry at `from` moves to stand at `to`; the others close up.
    void Move(int from, int to);
    // The key `path` shares with every name of the same file.
    std::wstring KeyOf(std::string_view path) const { return nameKey_(path); }
    // The rule KeyOf follows, for keys made elsewhere.
    const TNameKey& NameKey() const { return nameKey_; }
    // The entry naming the same file as `path`; -1 for none.
    int Find(std::string_view path) const;
    // Not a change of the list: tells no one (nothing shows it yet).
    void SetMissing(int index, bool missing);

    // --- Followed folders ---
    const std::vector<TFollowedFolder>& Folders() const { return folders_; }
    // Follows `folder` (a full path) and returns its number; a folder
    // followed already keeps its number. Plain entries inside it join it.
    // Not a change of the entries: tells no one.
    int32_t Follow(const std::string& folder);
    // The folder's entries stay, as plain entries; the folders after it
    // take the numbers one lower. Tells no one.
    void StopFollowing(int32_t folder);
    // The followed folder `path` lies inside; NoFolder for none.
    int32_t FolderOf(std::string_view path) const;
    // Whether "-" took `path` out of the folder.
    bool IsExcluded(int32_t folder, std::string_view path) const;
    // Marks every entry of the folder missing or found again (the folder
    // itself went or came back). Tells no one, as SetMissing.
    void SetFolderMissing(int32_t folder, bool missing);

    // The selected entry, -1 for none. It stays on its entry as others come
    // and go, and becomes -1 when its entry goes. Selecting outside
    // -1..Count()-1 raises "List index out of bounds (%d)".
    int Selected() const { return selected_; }
    void Select(int index);

    // `listener` is told of every change, after it is made, in the order
    // the listeners subscribed.
    [[nodiscard]] TListSubscription Subscribe(TListener listener);

private:
    void CheckIndex(int index, int upperBound) const;
    // Appends `paths`, none of them listed yet, and tells the listeners.
    void Append(std::vector<std::string> paths, int32_t folder);
    void Notify(const TListChange& change);
    // Marks one to one with the paths once an entry has one; until then
    // none, so a list of plain entries costs no more than its paths.
    void KeepMarks();
    void CheckFolder(int32_t folder) const;
    // The key every path inside `folder` starts with.
    std::wstring FolderKey(const std::string& folder) const;
    // Plain entries inside followed folders join them.
    void JoinFolders(int32_t first);

    TNameKey nameKey_;
    std::vector<std::string> paths_;
    std::vector<TEntryMarks> marks_;
    std::vector<TFollowedFolder> folders_;
    int selected_ = -1;
    std::shared_ptr<TListSubscription::TListeners> listeners_;
};
