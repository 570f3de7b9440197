#include "lists/ListModel.h"

#include "core/Exceptions.h"
#include "lists/ListedKeys.h"

#include <algorithm>
#include <iterator>

struct TListSubscription::TListeners {
    std::vector<std::pair<uint64_t, TListModel::TListener>> Entries;
    uint64_t NextId = 1;
};

TListSubscription& TListSubscription::operator=(TListSubscription&& other) noexcept
{
    if (this != &other) {
        Cancel();
        listeners_ = std::move(other.listeners_);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

void TListSubscription::Cancel()
{
    if (const std::shared_ptr<TListeners> listeners = listeners_.lock())
        std::erase_if(listeners->Entries, [this](const auto& entry) { return entry.first == id_; });
    listeners_.reset();
    id_ = 0;
}

TListModel::TListModel(TNameKey nameKey)
    : nameKey_(std::move(nameKey)), listeners_(std::make_shared<TListSubscription::TListeners>())
{
}

TListModel::~TListModel() = default;

void TListModel::CheckIndex(int index, int upperBound) const
{
    if (index < 0 || index >= upperBound)
        throw EListError::IndexOutOfBounds(index);
}

void TListModel::KeepMarks()
{
    if (marks_.size() != paths_.size())
        marks_.resize(paths_.size());
}

const std::string& TListModel::Path(int index) const
{
    CheckIndex(index, Count());
    return paths_[static_cast<size_t>(index)];
}

TEntryMarks TListModel::Marks(int index) const
{
    CheckIndex(index, Count());
    return marks_.empty() ? TEntryMarks{} : marks_[static_cast<size_t>(index)];
}

size_t TListModel::Add(std::vector<std::string> paths, int32_t folder)
{
    if (paths.empty())
        return 0;
    // The keys of the list as it is are made for each add rather than kept:
    // the list holds no second copy of every name between adds.
    TListedKeys listed(*this);
    return Add(KeyPaths(std::move(paths), nameKey_), listed, folder);
}

size_t TListModel::Add(TKeyedPaths ready, TListedKeys& listed, int32_t folder)
{
    listed.KeyMore(paths_.size());
    size_t kept = 0;
    for (size_t i = 0; i < ready.Paths.size(); ++i) {
        if (listed.Holds(ready.Keys[i]))
            continue;
        if (kept != i)
            ready.Paths[kept] = std::move(ready.Paths[i]);
        ++kept;
    }
    const size_t skipped = ready.GivenTwice + (ready.Paths.size() - kept);
    ready.Paths.resize(kept);
    // The keys are gone before the listeners are told: their memory is free
    // again for what the views make of the new entries.
    listed.Forget();
    std::vector<std::wstring>().swap(ready.Keys);
    if (kept > 0)
        Append(std::move(ready.Paths), folder);
    return skipped;
}

void TListModel::Append(std::vector<std::string> paths, int32_t folder)
{
    const int first = Count();
    const bool marked = folder != NoFolder || !marks_.empty();
    if (paths_.empty())
        paths_ = std::move(paths);
    else
        paths_.insert(paths_.end(), std::make_move_iterator(paths.begin()),
                      std::make_move_iterator(paths.end()));
    if (marked) {
        marks_.resize(static_cast<size_t>(first));
        marks_.resize(paths_.size(), TEntryMarks{folder, false});
    }
    Notify({TListChangeKind::Added, first, Count() - first});
}

void TListModel::Load(std::vector<std::string> entries, std::vector<TFollowedFolder> folders)
{
    paths_ = std::move(entries);
    marks_.clear();
    folders_ = std::move(folders);
    selected_ = -1;
    JoinFolders(0);
    Notify({TListChangeKind::Loaded, 0, Count()});
}

void TListModel::Remove(int index)
{
    CheckIndex(index, Count());
    paths_.erase(paths_.begin() + index);
    if (!marks_.empty())
        marks_.erase(marks_.begin() + index);
    if (selected_ == index)
        selected_ = -1;
    else if (selected_ > index)
        --selected_;
    Notify({TListChangeKind::Removed, index, 1});
}

void TListModel::RemoveKeepingOut(int index)
{
    const TEntryMarks marks = Marks(index);
    if (marks.Folder != NoFolder)
        folders_[static_cast<size_t>(marks.Folder)].Excluded.push_back(paths_[static_cast<size_t>(index)]);
    Remove(index);
}

void TListModel::Rename(int index, std::string path)
{
    CheckIndex(index, Count());
    paths_[static_cast<size_t>(index)] = std::move(path);
    Notify({TListChangeKind::Renamed, index, 1});
}

size_t TListModel::RemoveIf(const std::function<bool(const std::string& path)>& unwanted)
{
    return RemoveIf([&unwanted](const std::string& path, const TEntryMarks&) { return unwanted(path); });
}

size_t
TListModel::RemoveIf(const std::function<bool(const std::string& path, const TEntryMarks& marks)>& unwanted)
{
    size_t kept = 0;
    int keptSelected = -1;
    for (size_t row = 0; row < paths_.size(); ++row) {
        if (unwanted(paths_[row], marks_.empty() ? TEntryMarks{} : marks_[row]))
            continue;
        if (static_cast<int>(row) == selected_)
            keptSelected = static_cast<int>(kept);
        if (kept != row) {
            paths_[kept] = std::move(paths_[row]);
            if (!marks_.empty())
                marks_[kept] = marks_[row];
        }
        ++kept;
    }
    const size_t removed = paths_.size() - kept;
    if (removed == 0)
        return 0;
    paths_.resize(kept);
    if (!marks_.empty())
        marks_.resize(kept);
    selected_ = keptSelected;
    Notify({TListChangeKind::Rewritten, 0, Count()});
    return removed;
}

void TListModel::Clear()
{
    const int count = Count();
    const bool followed = !folders_.empty();
    paths_.clear();
    marks_.clear();
    // A new list starts from nothing: it follows no folder either.
    folders_.clear();
    selected_ = -1;
    if (count > 0 || followed)
        Notify({TListChangeKind::Removed, 0, count});
}

void TListModel::Move(int from, int to)
{
    CheckIndex(from, Count());
    CheckIndex(to, Count());
    if (from == to)
        return;
    const auto rotate = [from, to](auto& items) {
        const auto at = [&items](int index) { return items.begin() + index; };
        if (from < to)
            std::rotate(at(from), at(from + 1), at(to + 1));
        else
            std::rotate(at(to), at(from), at(from + 1));
    };
    rotate(paths_);
    if (!marks_.empty())
        rotate(marks_);
    if (selected_ == from)
        selected_ = to;
    else if (from < selected_ && selected_ <= to)
        --selected_;
    else if (to <= selected_ && selected_ < from)
        ++selected_;
    Notify({TListChangeKind::Moved, from, 1, to});
}

int TListModel::Find(std::string_view path) const
{
    const std::wstring key = nameKey_(path);
    const auto found = std::find_if(paths_.begin(), paths_.end(),
                                    [&](const std::string& entry) { return nameKey_(entry) == key; });
    return found == paths_.end() ? -1 : static_cast<int>(found - paths_.begin());
}

void TListModel::SetMissing(int index, bool missing)
{
    CheckIndex(index, Count());
    if (marks_.empty() && !missing)
        return;
    KeepMarks();
    marks_[static_cast<size_t>(index)].Missing = missing;
}

void TListModel::CheckFolder(int32_t folder) const
{
    if (folder < 0 || static_cast<size_t>(folder) >= folders_.size())
        throw EListError::IndexOutOfBounds(folder);
}

std::wstring TListModel::FolderKey(const std::string& folder) const
{
    std::wstring key = nameKey_(folder);
    if (key.empty() || (key.back() != L'\\' && key.back() != L'/'))
        key.push_back(L'\\');
    return key;
}

void TListModel::JoinFolders(int32_t first)
{
    if (folders_.empty())
        return;
    std::vector<std::wstring> keys;
    keys.reserve(folders_.size() - static_cast<size_t>(first));
    for (size_t folder = static_cast<size_t>(first); folder < folders_.size(); ++folder)
        keys.push_back(FolderKey(folders_[folder].Path));
    for (size_t row = 0; row < paths_.size(); ++row) {
        if (!marks_.empty() && marks_[row].Folder != NoFolder)
            continue;
        const std::wstring key = nameKey_(paths_[row]);
        for (size_t k = 0; k < keys.size(); ++k) {
            if (key.size() > keys[k].size() && key.compare(0, keys[k].size(), keys[k]) == 0) {
                KeepMarks();
                marks_[row].Folder = first + static_cast<int32_t>(k);
                break;
            }
        }
    }
}

int32_t TListModel::Follow(const std::string& folder)
{
    const std::string path = WithoutTrailingSeparator(folder);
    const std::wstring key = FolderKey(path);
    for (size_t known = 0; known < folders_.size(); ++known) {
        if (FolderKey(folders_[known].Path) == key)
            return static_cast<int32_t>(known);
    }
    folders_.push_back({path, {}});
    const auto number = static_cast<int32_t>(folders_.size() - 1);
    JoinFolders(number);
    return number;
}

void TListModel::StopFollowing(int32_t folder)
{
    CheckFolder(folder);
    folders_.erase(folders_.begin() + folder);
    for (TEntryMarks& marks : marks_) {
        if (marks.Folder == folder)
            marks = TEntryMarks{};
        else if (marks.Folder > folder)
            --marks.Folder;
    }
}

int32_t TListModel::FolderOf(std::string_view path) const
{
    const std::wstring key = nameKey_(path);
    for (size_t folder = 0; folder < folders_.size(); ++folder) {
        const std::wstring folderKey = FolderKey(folders_[folder].Path);
        if (key.size() > folderKey.size() && key.compare(0, folderKey.size(), folderKey) == 0)
            return static_cast<int32_t>(folder);
    }
    return NoFolder;
}

bool TListModel::IsExcluded(int32_t folder, std::string_view path) const
{
    CheckFolder(folder);
    const std::wstring key = nameKey_(path);
    const std::vector<std::string>& excluded = folders_[static_cast<size_t>(folder)].Excluded;
    return std::any_of(excluded.begin(), excluded.end(),
                       [&](const std::string& name) { return nameKey_(name) == key; });
}

void TListModel::SetFolderMissing(int32_t folder, bool missing)
{
    CheckFolder(folder);
    for (TEntryMarks& marks : marks_) {
        if (marks.Folder == folder)
            marks.Missing = missing;
    }
}

void TListModel::Select(int index)
{
    if (index < -1 || index >= Count())
        throw EListError::IndexOutOfBounds(index);
    selected_ = index;
}

TListSubscription TListModel::Subscribe(TListener listener)
{
    const uint64_t id = listeners_->NextId++;
    listeners_->Entries.emplace_back(id, std::move(listener));
    return TListSubscription(listeners_, id);
}

void TListModel::Notify(const TListChange& change)
{
    // A copy: a listener may subscribe or cancel while it is told.
    const auto entries = listeners_->Entries;
    for (const auto& [id, listener] : entries)
        listener(change);
}
