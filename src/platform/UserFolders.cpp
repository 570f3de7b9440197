#include "platform/UserFolders.h"

#include "core/Exceptions.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/WideText.h"

#include <memory>
#include <shlobj.h>
#include <string>
#include <windows.h>

namespace {

std::string WithBackslash(std::string folder)
{
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder;
}

} // namespace

bool FolderAcceptsNewFiles(const std::string& folder)
{
    // Delete-on-close: the probe disappears with its handle, even when the
    // process is killed right here. A probe name that is taken (one left by
    // a power cut) is skipped for the next one.
    const std::string stem =
        WithBackslash(folder) + "~tsv-probe-" + std::to_string(GetCurrentProcessId()) + "-";
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::string probe = stem + std::to_string(attempt) + ".tmp";
        TFileHandle file(CreateFileW(WideFromUtf8(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (file.Valid())
            return true;
        if (GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    return false;
}

std::string UserDataFolder()
{
    // The known-folder call has no length limit (the older SHGetFolderPath
    // stops at MAX_PATH); the shell allocates the text, which is freed here.
    PWSTR appData = nullptr;
    const HRESULT found = SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &appData);
    const std::unique_ptr<wchar_t, decltype(&CoTaskMemFree)> owned(appData, &CoTaskMemFree);
    if (FAILED(found) || !appData)
        throw EInOutError::FromErrorCode(ERROR_PATH_NOT_FOUND);
    const std::string folder = WithBackslash(Utf8FromWide(appData)) + "Tessivo\\";
    if (!CreateDirectoryW(WideFromUtf8(folder).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw EInOutError::FromErrorCode(static_cast<int>(GetLastError()));
    return folder;
}

std::string PicturesFolder()
{
    PWSTR pictures = nullptr;
    // Made when missing, as Windows makes it for a new profile: a dialog
    // told to open in a folder that is not there opens in the current one.
    const HRESULT found = SHGetKnownFolderPath(FOLDERID_Pictures, KF_FLAG_CREATE, nullptr, &pictures);
    const std::unique_ptr<wchar_t, decltype(&CoTaskMemFree)> owned(pictures, &CoTaskMemFree);
    if (FAILED(found) || !pictures)
        return {};
    return WithBackslash(Utf8FromWide(pictures));
}

std::string LastListFolder(IDesktop& system, const std::string& programFolder,
                           const std::string& lastListName)
{
    if (system.FolderAcceptsNewFiles(programFolder))
        return programFolder;
    std::string userFolder;
    try {
        userFolder = system.UserDataFolder();
    } catch (const EInOutError&) {
        return programFolder;
    }
    const std::string beside = programFolder + lastListName;
    const std::string own = userFolder + lastListName;
    // Best effort: should the copy fail, the list beside the program stays
    // as it was and the user's folder starts a new one.
    if (!FileExists(own) && FileExists(beside))
        CopyFileW(WideFromUtf8(beside).c_str(), WideFromUtf8(own).c_str(), TRUE);
    return userFolder;
}
