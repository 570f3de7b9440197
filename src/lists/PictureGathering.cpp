#include "lists/PictureGathering.h"

#include "core/FileNames.h"
#include "core/PictureFileNames.h"
#include "lists/ListTexts.h"
#include "platform/Files.h"
#include "platform/FolderScan.h"

#include <algorithm>
#include <iterator>

namespace {

// "C:\pictures\" names the same folder as "C:\pictures".
std::string WithoutTrailingSeparator(std::string folder)
{
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    return folder;
}

void GatherFolder(const std::string& folder, TScanSignals* signals, TGatheredPictures& gathered)
{
    TPictureScan scan = ScanPictureFolder(WithoutTrailingSeparator(folder), signals);
    gathered.Pictures.insert(gathered.Pictures.end(), std::make_move_iterator(scan.Pictures.begin()),
                             std::make_move_iterator(scan.Pictures.end()));
    gathered.SkippedFolders += scan.SkippedFolders;
    gathered.DeepFolders += scan.DeepFolders;
    gathered.UnusableNames += scan.UnusableNames;
    gathered.Cancelled = gathered.Cancelled || scan.Cancelled;
}

} // namespace

TGatheredPictures GatherPictures(const std::vector<std::string>& items, TScanSignals* signals)
{
    TGatheredPictures gathered;
    for (const std::string& item : items) {
        if (gathered.Cancelled)
            break;
        try {
            if (FolderExists(item)) {
                GatherFolder(item, signals, gathered);
            } else if (!FileExists(item)) {
                throw EInOutError::FromErrorCode(2); // "File not found"
            } else if (IsPictureFileName(ExtractFileName(item))) {
                gathered.Pictures.push_back(item);
            } else {
                throw Exception(NotAPictureText);
            }
        } catch (const Exception& error) {
            // The rest still goes in: one bad item must not cost the others.
            if (!gathered.FirstProblem)
                gathered.FirstProblem.emplace(FileAndReason(item, error.Message));
        }
    }
    return gathered;
}

bool HoldsFolder(const std::vector<std::string>& items)
{
    return std::any_of(items.begin(), items.end(),
                       [](const std::string& item) { return FolderExists(item); });
}

std::string LeftOutText(const TGatheredPictures& gathered)
{
    return LeftOutText(gathered.DeepFolders, MaxFolderDepth, gathered.SkippedFolders, gathered.UnusableNames);
}
