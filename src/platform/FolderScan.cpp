#include "platform/FolderScan.h"

#include "core/Exceptions.h"
#include "platform/Files.h"
#include "platform/WideText.h"

#include <windows.h>

namespace {

// Closes a FindFirstFileEx search.
class TFindHandle {
public:
    explicit TFindHandle(HANDLE handle) : handle_(handle) {}
    TFindHandle(const TFindHandle&) = delete;
    TFindHandle& operator=(const TFindHandle&) = delete;
    ~TFindHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            FindClose(handle_);
    }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

bool IsDotEntry(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

// The name as the program keeps it (UTF-8); nothing for a name with half
// of a surrogate pair, which no text can hold.
std::optional<std::string> UsableName(const WIN32_FIND_DATAW& found)
{
    try {
        return Utf8FromWide(found.cFileName);
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

} // namespace

TFolderListing TDiskFolderReader::List(const std::string& folder)
{
    const std::wstring pattern = WideFromUtf8(folder) + (folder.ends_with('\\') ? L"*" : L"\\*");
    WIN32_FIND_DATAW found;
    // The basic information level: no short names, which nothing needs.
    TFindHandle search(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                        nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (search.Get() == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) // an empty drive root has not even "." in it
            return {};
        RaiseFileError(folder, error, TFileErrorStyle::Text, false);
    }
    TFolderListing listing;
    do {
        if (IsDotEntry(found.cFileName))
            continue;
        if (std::optional<std::string> name = UsableName(found))
            listing.Entries.push_back(
                {std::move(*name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
        else
            ++listing.UnusableNames;
    } while (!StopRequested() && FindNextFileW(search.Get(), &found));
    if (StopRequested())
        return listing;
    const DWORD error = GetLastError();
    if (error != ERROR_NO_MORE_FILES)
        RaiseFileError(folder, error, TFileErrorStyle::Text, false);
    return listing;
}

std::optional<TFolderIdentity> TDiskFolderReader::Identity(const std::string& folder)
{
    // Opening a folder needs the backup-semantics flag; no access rights
    // are asked for, only its information.
    TFileHandle handle(CreateFileW(WideFromUtf8(folder).c_str(), 0,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    if (!handle.Valid() || !GetFileInformationByHandle(handle.Get(), &information))
        return std::nullopt;
    return TFolderIdentity{information.dwVolumeSerialNumber,
                           (static_cast<uint64_t>(information.nFileIndexHigh) << 32) |
                               information.nFileIndexLow};
}

TPictureScan ScanPictureFolder(const std::string& folder, TScanSignals* signals)
{
    TDiskFolderReader reader(signals ? &signals->CancelRequested : nullptr);
    return ScanPictures(reader, folder, signals);
}
