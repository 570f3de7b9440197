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
    TFolderWalk(IFolderReader& reader, TScanSignals* signals) : reader_(reader), signals_(signals) {}

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

    bool CancelRequested()
    {
        if (signals_ && signals_->CancelRequested.load(std::memory_order_relaxed))
            scan_.Cancelled = true;
        return scan_.Cancelled;
    }

    void CountFiles(const TFolderListing& listing)
    {
        if (!signals_)
            return;
        const auto files = std::count_if(listing.Entries.begin(), listing.Entries.end(),
                                         [](const TFolderEntry& entry) { return !entry.IsFolder; });
        signals_->FilesSeen.fetch_add(files, std::memory_order_relaxed);
    }

    void Visit(const std::string& folder, TFolderListing listing, int depth)
    {
        if (CancelRequested() || !FirstVisit(folder))
            return;
        CountFiles(listing);
        scan_.UnusableNames += listing.UnusableNames;
        std::sort(listing.Entries.begin(), listing.Entries.end(),
                  [](const TFolderEntry& a, const TFolderEntry& b) { return NameBefore(a.Name, b.Name); });
        for (const TFolderEntry& entry : listing.Entries)
            if (!entry.IsFolder && IsPictureFileName(entry.Name))
                scan_.Pictures.push_back(Join(folder, entry.Name));
        if (depth >= MaxFolderDepth) {
            scan_.DeepFolders +=
                static_cast<int>(std::count_if(listing.Entries.begin(), listing.Entries.end(),
                                               [](const TFolderEntry& entry) { return entry.IsFolder; }));
            return;
        }
        for (const TFolderEntry& entry : listing.Entries)
            if (entry.IsFolder)
                VisitSubfolder(Join(folder, entry.Name), depth + 1);
    }

    void VisitSubfolder(const std::string& folder, int depth)
    {
        if (CancelRequested())
            return;
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
    TScanSignals* signals_;
    std::set<TFolderIdentity> visited_;
    TPictureScan scan_;
};

} // namespace

TPictureScan ScanPictures(IFolderReader& reader, const std::string& folder, TScanSignals* signals)
{
    return TFolderWalk(reader, signals).Run(folder);
}
