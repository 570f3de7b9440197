#include "lists/FolderChanges.h"

#include "core/PictureFileNames.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {

// The net effect of a burst, gathered before the list is touched.
class TBurst {
public:
    TBurst(TListModel& list, int32_t folder, const TIsFolder& isFolder)
        : list_(list), folder_(folder), isFolder_(isFolder)
    {
    }

    void Added(const std::string& path);
    void Removed(const std::string& path);
    void Renamed(const std::string& from, const std::string& to);
    void RescanNeeded() { rescan_ = true; }
    // Applies the removals, then the adds; true when a rescan is needed.
    bool Apply();

private:
    bool Wanted(const std::string& path) const
    {
        return IsPictureFileName(path) && !list_.IsExcluded(folder_, path);
    }
    // The entry of this folder naming `path`; -1 for none.
    int EntryOf(const std::wstring& key);
    bool DropFromAdds(const std::wstring& key);
    // Entries inside the folder `from` take the same names inside `to`.
    bool RenameInside(const std::string& from, const std::string& to);

    TListModel& list_;
    int32_t folder_;
    const TIsFolder& isFolder_;
    std::vector<std::string> adds_;
    std::unordered_set<std::wstring> addKeys_;
    std::unordered_set<std::wstring> removals_;
    // Keys of folders that went, each ending in a separator.
    std::vector<std::wstring> removedFolders_;
    bool rescan_ = false;
    // The folder's entries by key, for renames; renames keep every row.
    std::unordered_map<std::wstring, int> rows_;
    bool rowsMade_ = false;
};

int TBurst::EntryOf(const std::wstring& key)
{
    if (!rowsMade_) {
        // Made at the first rename only: most bursts bring no rename.
        for (int row = 0; row < list_.Count(); ++row) {
            if (list_.Marks(row).Folder == folder_)
                rows_.emplace(list_.KeyOf(list_.Path(row)), row);
        }
        rowsMade_ = true;
    }
    const auto found = rows_.find(key);
    return found == rows_.end() ? -1 : found->second;
}

bool TBurst::DropFromAdds(const std::wstring& key)
{
    if (addKeys_.erase(key) == 0)
        return false;
    std::erase_if(adds_, [&](const std::string& path) { return list_.KeyOf(path) == key; });
    return true;
}

void TBurst::Added(const std::string& path)
{
    const std::wstring key = list_.KeyOf(path);
    removals_.erase(key);
    if (Wanted(path)) {
        if (addKeys_.insert(key).second)
            adds_.push_back(path);
    } else if (!IsPictureFileName(path) && isFolder_(path)) {
        // A folder moved or copied in: its pictures are known only by reading it.
        rescan_ = true;
    }
}

void TBurst::Removed(const std::string& path)
{
    const std::wstring key = list_.KeyOf(path);
    if (DropFromAdds(key))
        return;
    removals_.insert(key);
    removedFolders_.push_back(list_.KeyOf(path + "\\"));
}

bool TBurst::RenameInside(const std::string& from, const std::string& to)
{
    const std::wstring prefix = list_.KeyOf(from + "\\");
    bool renamed = false;
    for (int row = 0; row < list_.Count(); ++row) {
        const std::string& path = list_.Path(row);
        if (list_.Marks(row).Folder != folder_ || path.size() <= from.size() + 1)
            continue;
        if (list_.KeyOf(path).starts_with(prefix)) {
            std::string renamedPath = to + path.substr(from.size());
            if (rowsMade_) {
                rows_.erase(list_.KeyOf(path));
                rows_[list_.KeyOf(renamedPath)] = row;
            }
            list_.Rename(row, std::move(renamedPath));
            renamed = true;
        }
    }
    return renamed;
}

void TBurst::Renamed(const std::string& from, const std::string& to)
{
    const std::wstring fromKey = list_.KeyOf(from);
    const int row = EntryOf(fromKey);
    if (DropFromAdds(fromKey) || row < 0) {
        // A renamed folder takes its pictures' names along; only a folder
        // is looked into, so a download's rename costs no walk of the list.
        if (IsPictureFileName(to) || !isFolder_(to) || !RenameInside(from, to))
            Added(to);
        return;
    }
    if (!Wanted(to)) {
        Removed(from);
        return;
    }
    const std::wstring toKey = list_.KeyOf(to);
    removals_.erase(toKey);
    rows_.erase(fromKey);
    rows_[toKey] = row;
    list_.Rename(row, to);
}

bool TBurst::Apply()
{
    if (!removals_.empty()) {
        list_.RemoveIf([this](const std::string& path, const TEntryMarks& marks) {
            if (marks.Folder != folder_)
                return false;
            const std::wstring key = list_.KeyOf(path);
            if (removals_.count(key) != 0)
                return true;
            return std::any_of(removedFolders_.begin(), removedFolders_.end(),
                               [&key](const std::wstring& prefix) { return key.starts_with(prefix); });
        });
    }
    if (!adds_.empty())
        list_.Add(std::move(adds_), folder_);
    return rescan_;
}

} // namespace

bool ApplyFolderChanges(TListModel& list, int32_t folder, const std::vector<TFolderChange>& changes,
                        const TIsFolder& isFolder)
{
    TBurst burst(list, folder, isFolder);
    const std::string* renamedFrom = nullptr;
    for (const TFolderChange& change : changes) {
        switch (change.Kind) {
        case TFolderChangeKind::Added:
            burst.Added(change.Path);
            break;
        case TFolderChangeKind::Removed:
            burst.Removed(change.Path);
            break;
        case TFolderChangeKind::RenamedFrom:
            renamedFrom = &change.Path;
            break;
        case TFolderChangeKind::RenamedTo:
            // A new name without its old one is a file that came.
            if (renamedFrom)
                burst.Renamed(*renamedFrom, change.Path);
            else
                burst.Added(change.Path);
            renamedFrom = nullptr;
            break;
        case TFolderChangeKind::Rescan:
            burst.RescanNeeded();
            break;
        }
    }
    return burst.Apply();
}

void ApplyFolderScan(TListModel& list, int32_t folder, const std::vector<std::string>& pictures,
                     bool complete)
{
    std::unordered_set<std::wstring> found;
    found.reserve(pictures.size());
    for (const std::string& picture : pictures)
        found.insert(list.KeyOf(picture));
    if (complete) {
        list.RemoveIf([&](const std::string& path, const TEntryMarks& marks) {
            return marks.Folder == folder && found.count(list.KeyOf(path)) == 0;
        });
    }
    std::unordered_set<std::wstring> excluded;
    for (const std::string& path : list.Folders()[static_cast<size_t>(folder)].Excluded)
        excluded.insert(list.KeyOf(path));
    std::vector<std::string> wanted;
    for (const std::string& picture : pictures) {
        if (excluded.empty() || excluded.count(list.KeyOf(picture)) == 0)
            wanted.push_back(picture);
    }
    list.Add(std::move(wanted), folder);
    list.SetFolderMissing(folder, false);
}
