#include "platform/Win32Desktop.h"

#include "core/Exceptions.h"
#include "platform/SystemError.h"
#include "platform/UserFolders.h"
#include "platform/WideText.h"

#include <vector>
#include <windows.h>

std::string TWin32Desktop::WindowsDirectory()
{
    // A too-small buffer makes the call return the size it needs (NUL
    // included) and fill nothing; start at MAX_PATH and grow to that size.
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const UINT length = GetWindowsDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length == 0)
            throw EInOutError::FromErrorCode(static_cast<int>(GetLastError()));
        if (length < buffer.size())
            return Utf8FromWide(std::wstring_view(buffer.data(), length));
        buffer.resize(length + 1);
    }
    throw EInOutError::FromErrorCode(ERROR_INSUFFICIENT_BUFFER);
}

bool TWin32Desktop::FolderAcceptsNewFiles(const std::string& folder)
{
    return ::FolderAcceptsNewFiles(folder);
}

std::string TWin32Desktop::UserDataFolder()
{
    return ::UserDataFolder();
}

void TWin32Desktop::SetDeskWallpaper(const std::string& bitmapPath)
{
    // The call takes a non-const pointer; hand it a private copy.
    std::wstring path = WideFromUtf8(bitmapPath);
    if (!SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path.data(),
                               SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE))
        throw EWallpaperError::CannotSet(bitmapPath, SystemErrorMessage(GetLastError()));
}
