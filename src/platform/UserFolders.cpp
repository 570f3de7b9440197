#include "platform/UserFolders.h"

#include "core/Exceptions.h"
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
    // process is killed right here.
    const std::string probe =
        WithBackslash(folder) + "~tsv-probe-" + std::to_string(GetCurrentProcessId()) + ".tmp";
    TFileHandle file(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return file.Valid();
}

std::string UserDataFolder()
{
    char appData[MAX_PATH + 1] = {};
    const HRESULT found = SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                                           appData);
    if (FAILED(found))
        throw EInOutError::FromErrorCode(ERROR_PATH_NOT_FOUND);
    const std::string folder = WithBackslash(appData) + "Tessivo\\";
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw EInOutError::FromErrorCode(static_cast<int>(GetLastError()));
    return folder;
}

std::string LastListFolder(const std::string& programFolder, const std::string& lastListName)
{
    if (FolderAcceptsNewFiles(programFolder))
        return programFolder;
    const std::string userFolder = UserDataFolder();
    if (!FileExists(userFolder + lastListName) && FileExists(programFolder + lastListName))
        CopyFileA((programFolder + lastListName).c_str(), (userFolder + lastListName).c_str(), TRUE);
    return userFolder;
}
