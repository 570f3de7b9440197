#include "core/Exceptions.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

std::string FormatText(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string result;
    if (length > 0) {
        std::vector<char> buffer(static_cast<size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        result.assign(buffer.data(), static_cast<size_t>(length));
    }
    va_end(args);
    return result;
}

std::string WithFullStop(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

std::string FileAndReason(const std::string& file, const std::string& reason)
{
    if (reason.find(file) != std::string::npos)
        return reason;
    return file + "\n" + reason;
}

EListError EListError::IndexOutOfBounds(int index)
{
    return EListError(FormatText(ErrorText::ListIndexOutOfBounds, index));
}

EConvertError EConvertError::InvalidNumericInput()
{
    return EConvertError(ErrorText::InvalidNumericInput);
}

EConvertError EConvertError::ListLineNotUtf8(int lineNumber)
{
    return EConvertError(FormatText(ErrorText::ListLineNotUtf8, lineNumber));
}

EConvertError EConvertError::ListLineNotAFileName(int lineNumber)
{
    return EConvertError(FormatText(ErrorText::ListLineNotAFileName, lineNumber));
}

EConvertError EConvertError::TextNotUnicode(const std::string& shown)
{
    return EConvertError(FormatText(ErrorText::TextNotUnicode, shown.c_str()));
}

EFOpenError EFOpenError::CannotOpen(const std::string& fileName, const std::string& reason)
{
    return EFOpenError(FormatText(ErrorText::CannotOpenFile, fileName.c_str(), reason.c_str()));
}

EFOpenError EFOpenError::NameNotUnicode(const std::string& shownName)
{
    return EFOpenError(FormatText(ErrorText::NameNotUnicode, shownName.c_str()));
}

EFCreateError EFCreateError::CannotCreate(const std::string& fileName, const std::string& reason)
{
    return EFCreateError(FormatText(ErrorText::CannotCreateFile, fileName.c_str(), reason.c_str()));
}

EInOutError EInOutError::FromErrorCode(int errorCode)
{
    // The classic runtime's named I/O errors; every other code is numbered.
    switch (errorCode) {
    case 2:
        return EInOutError(ErrorText::FileNotFound, errorCode);
    case 3:
    case 123:
        return EInOutError(ErrorText::InvalidFilename, errorCode);
    case 4:
        return EInOutError(ErrorText::TooManyOpenFiles, errorCode);
    case 5:
        return EInOutError(ErrorText::FileAccessDenied, errorCode);
    default:
        return EInOutError(FormatText(ErrorText::IoError, errorCode), errorCode);
    }
}

namespace {

// Why a write failed and what the user can do, for the codes a save meets.
std::string SaveFailureReason(int errorCode)
{
    switch (errorCode) {
    case 39:  // ERROR_HANDLE_DISK_FULL
    case 112: // ERROR_DISK_FULL
        return "the disk is full. Free some space and try again.";
    case 5: // ERROR_ACCESS_DENIED
        return "access was denied. Check that the file is not read-only and that you may write to its "
               "folder, then try again.";
    case 32: // ERROR_SHARING_VIOLATION
    case 33: // ERROR_LOCK_VIOLATION
        return "another program is using the file. Close that program and try again.";
    case 19: // ERROR_WRITE_PROTECT
        return "the disk is write-protected. Remove the protection and try again.";
    case 2:  // ERROR_FILE_NOT_FOUND
    case 3:  // ERROR_PATH_NOT_FOUND
    case 15: // ERROR_INVALID_DRIVE
    case 21: // ERROR_NOT_READY
    case 53: // ERROR_BAD_NETPATH
    case 67: // ERROR_BAD_NET_NAME
        return "its folder cannot be reached. Check that the drive is connected and try again.";
    default:
        return FormatText("the system reported error %d. Try again.", errorCode);
    }
}

} // namespace

EInOutError EInOutError::ListNotSaved(const std::string& path, int errorCode)
{
    return EInOutError(
        FormatText(ErrorText::ListNotSaved, path.c_str(), SaveFailureReason(errorCode).c_str()), errorCode);
}

ELastListNotRead ELastListNotRead::KeptAs(const std::string& reason, const std::string& backupPath)
{
    return ELastListNotRead(FormatText(ErrorText::LastListKept, reason.c_str(), backupPath.c_str()));
}

EInvalidGraphic EInvalidGraphic::UnknownExtension(const std::string& extensionWithoutDot)
{
    return EInvalidGraphic(FormatText(ErrorText::UnknownPictureExtension, extensionWithoutDot.c_str()));
}

EInvalidGraphic EInvalidGraphic::InvalidBitmap()
{
    return EInvalidGraphic(ErrorText::InvalidBitmap);
}

EInvalidGraphic EInvalidGraphic::TooLarge(int width, int height)
{
    return EInvalidGraphic(FormatText(ErrorText::ImageTooLarge, width, height));
}

EInvalidGraphic EInvalidGraphic::ScanLineOutOfRange()
{
    return EInvalidGraphic(ErrorText::ScanLineOutOfRange);
}

EInvalidGraphic EInvalidGraphic::UnknownFormat()
{
    return EInvalidGraphic(ErrorText::UnknownPictureFormat);
}

EInvalidGraphic EInvalidGraphic::InvalidPicture(const std::string& formatName)
{
    return EInvalidGraphic(FormatText(ErrorText::InvalidPicture, formatName.c_str()));
}

EInvalidGraphic EInvalidGraphic::UnsupportedPicture(const std::string& formatName)
{
    return EInvalidGraphic(FormatText(ErrorText::UnsupportedPicture, formatName.c_str()));
}

EJPEG EJPEG::FromMessageCode(int messageCode)
{
    return EJPEG(FormatText(ErrorText::JpegError, messageCode), messageCode);
}

EOutOfResources EOutOfResources::NoTimers()
{
    return EOutOfResources(ErrorText::NoTimers);
}

ERegistryException ERegistryException::InvalidDataType(const std::string& valueName)
{
    return ERegistryException(FormatText(ErrorText::RegInvalidDataType, valueName.c_str()));
}

ERegistryException ERegistryException::GetDataFailed(const std::string& valueName)
{
    return ERegistryException(FormatText(ErrorText::RegGetDataFailed, valueName.c_str()));
}

ERegistryException ERegistryException::SetDataFailed(const std::string& valueName)
{
    return ERegistryException(FormatText(ErrorText::RegSetDataFailed, valueName.c_str()));
}

ERegistryException ERegistryException::OptionsReset(const std::vector<std::string>& valueNames)
{
    std::string names;
    for (const std::string& name : valueNames)
        names += (names.empty() ? "" : ", ") + name;
    return ERegistryException(FormatText(ErrorText::OptionsReset, names.c_str()));
}

EWallpaperError EWallpaperError::CannotSet(const std::string& bitmapPath, const std::string& reason)
{
    return EWallpaperError(FormatText(ErrorText::CannotSetWallpaper, bitmapPath.c_str(), reason.c_str()));
}
