#include "platform/UserFolders.h"

#include "core/Exceptions.h"
#include "platform/Desktop.h"
#include "platform/Files.h"

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
        TFileHandle file(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
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
    char appData[MAX_PATH + 1] = {};
    const HRESULT found =
        SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, appData);
    if (FAILED(found))
        throw EInOutError::FromErrorCode(ERROR_PATH_NOT_FOUND);
    const std::string folder = WithBackslash(appData) + "Tessivo\\";
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw EInOutError::FromErrorCode(static_cast<int>(GetLastError()));
    return folder;
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
        CopyFileA(beside.c_str(), own.c_str(), TRUE);
    return userFolder;
}
