#include "core/FolderWalk.h"

#include "core/Exceptions.h"
#include "core/PictureFileNames.h"

#include <algorithm>
#include <set>

namespace {

// A folder given as "C:\" already ends in the separator.
std::string Join(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == '\\')
        return folder + name;
    return folder + "\\" + name;
}

class TFolderWalk {
public:
    explicit TFolderWalk(IFolderReader& reader) : reader_(reader) {}

    TPictureScan Run(const std::string& folder)
    {
        Visit(folder, reader_.List(folder), 0);
        return std::move(scan_);
    }

private:
    // True the first time a folder is met; a folder without identity is
    // always new.
    bool FirstVisit(const std::string& folder)
    {
        const std::optional<TFolderIdentity> identity = reader_.Identity(folder);
        return !identity || visited_.insert(*identity).second;
    }

    void Visit(const std::string& folder, TFolderListing listing, int depth)
    {
        if (!FirstVisit(folder))
            return;
        scan_.UnusableNames += listing.UnusableNames;
        std::sort(listing.Entries.begin(), listing.Entries.end(),
                  [](const TFolderEntry& a, const TFolderEntry& b) { return NameBefore(a.Name, b.Name); });
        for (const TFolderEntry& entry : listing.Entries)
            if (!entry.IsFolder && IsPictureFileName(entry.Name))
                scan_.Pictures.push_back(Join(folder, entry.Name));
        if (depth >= MaxFolderDepth)
            return;
        for (const TFolderEntry& entry : listing.Entries)
            if (entry.IsFolder)
                VisitSubfolder(Join(folder, entry.Name), depth + 1);
    }

    void VisitSubfolder(const std::string& folder, int depth)
    {
        TFolderListing listing;
        try {
            listing = reader_.List(folder);
        } catch (const Exception&) {
            ++scan_.SkippedFolders;
            return;
        }
        Visit(folder, std::move(listing), depth);
    }

    IFolderReader& reader_;
    std::set<TFolderIdentity> visited_;
    TPictureScan scan_;
};

} // namespace

TPictureScan ScanPictures(IFolderReader& reader, const std::string& folder)
{
    return TFolderWalk(reader).Run(folder);
}
