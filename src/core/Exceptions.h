#pragma once
// The program's one exception hierarchy. Every message text the program can
// raise is here, as a format string, so the texts live in one place; code that
// raises uses the named factories instead of spelling texts itself.
//
// Portable: no Windows header, so parsers and codecs in the host build raise
// the same exceptions as the Windows program.

#include <stdexcept>
#include <string>
#include <vector>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }

    std::string Message;
};

// Message texts, verbatim. %d takes an int, %s a string.
namespace ErrorText {
inline constexpr const char* ListIndexOutOfBounds = "List index out of bounds (%d)";
inline constexpr const char* CannotOpenFile = "Cannot open file \"%s\". %s";
inline constexpr const char* CannotCreateFile = "Cannot create file \"%s\". %s";
inline constexpr const char* UnknownPictureExtension = "Unknown picture file extension (.%s)";
inline constexpr const char* InvalidBitmap = "Bitmap image is not valid";
inline constexpr const char* JpegError = "JPEG error #%d";
inline constexpr const char* InvalidNumericInput = "Invalid numeric input";
inline constexpr const char* NoTimers = "Not enough timers available";
inline constexpr const char* FileNotFound = "File not found";
inline constexpr const char* InvalidFilename = "Invalid filename";
inline constexpr const char* TooManyOpenFiles = "Too many open files";
inline constexpr const char* FileAccessDenied = "File access denied";
inline constexpr const char* IoError = "I/O error %d";
inline constexpr const char* RegInvalidDataType = "Invalid data type for '%s'";
inline constexpr const char* RegGetDataFailed = "Failed to get data for '%s'";
inline constexpr const char* RegSetDataFailed = "Failed to set data for '%s'";
// Stored options that were missing a usable value at start and now hold
// their defaults, named in one list so the user is told once.
inline constexpr const char* OptionsReset =
    "Some options could not be read and were reset to their defaults: %s";
// The system refused to show a bitmap as the wallpaper; its reason follows.
inline constexpr const char* CannotSetWallpaper = "Cannot set \"%s\" as the wallpaper. %s";
// Not from a fixed table: a picture too large to hold in memory. Clear wording
// of our own, in the style of the others.
inline constexpr const char* ImageTooLarge = "Image is too large (%d x %d pixels)";
inline constexpr const char* ScanLineOutOfRange = "Scan line index out of range";
// Pictures of the formats beyond BMP and JPEG: data of no known format, a
// file of a known format that is broken, and one that uses what neither
// this program nor the system can decode (an animation's later frames,
// a system without the format's decoder).
inline constexpr const char* UnknownPictureFormat = "Unknown picture format";
inline constexpr const char* InvalidPicture = "%s image is not valid";
inline constexpr const char* UnsupportedPicture = "This %s image cannot be read on this system";
// The last list could not be read at start: the reason, then where a copy of
// the file is kept so that the next write of the last list cannot lose it.
inline constexpr const char* LastListKept = "%s. The last list is kept as %s";
// A chosen file whose name holds half of a UTF-16 surrogate pair: no text
// can name it, so the program could neither open it again nor keep it in a
// list. The broken character shows as U+FFFD.
inline constexpr const char* NameNotUnicode = "Cannot use the file \"%s\": its name has a character "
                                              "(shown as \xEF\xBF\xBD) that is not valid Unicode";
// A list file that starts with the UTF-8 byte-order mark, with a line that
// is not UTF-8 after all.
inline constexpr const char* ListLineNotUtf8 = "Line %d of the list file is not valid UTF-8 text";
// A list file with a line no file of Windows can be named (a quote, a "|",
// a control character...): such a line is no picture of the user's, and it
// must never reach a command line or the file system.
inline constexpr const char* ListLineNotAFileName =
    "Line %d of the list file is not a file name Windows allows";
// Text handed to or received from the system that is not valid Unicode
// (never from the program's own texts, which are checked where they enter).
inline constexpr const char* TextNotUnicode = "The text \"%s\" is not valid Unicode";
// The last list could not be written at exit: which file, then why and what
// the user can do, in words (a bare system error code helps no one).
inline constexpr const char* ListNotSaved = "Could not save the list to %s: %s";
} // namespace ErrorText

// printf-style formatting of the texts above into a std::string.
std::string FormatText(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// The text shown to the user: a full stop is appended when the message's last
// character comes after "." in character order (letters and digits do; ")"
// and "." itself do not).
std::string WithFullStop(const std::string& message);

// An error of a picture nobody just chose (a start, an automatic change):
// the file on the first line, the reason below it, unless the reason
// already names the file.
std::string FileAndReason(const std::string& file, const std::string& reason);

// --- The kinds of error, each with factories for its texts ---

class EListError : public Exception {
public:
    using Exception::Exception;
    static EListError IndexOutOfBounds(int index);
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
    static EConvertError InvalidNumericInput();
    static EConvertError ListLineNotUtf8(int lineNumber);
    static EConvertError ListLineNotAFileName(int lineNumber);
    // `shown` is the text with U+FFFD for what is broken.
    static EConvertError TextNotUnicode(const std::string& shown);
};

// File open/create failures; Reason is the mapped OS error text.
class EFOpenError : public Exception {
public:
    using Exception::Exception;
    static EFOpenError CannotOpen(const std::string& fileName, const std::string& reason);
    // `shownName` is the name with U+FFFD for the broken character.
    static EFOpenError NameNotUnicode(const std::string& shownName);
};

class EFCreateError : public Exception {
public:
    using Exception::Exception;
    static EFCreateError CannotCreate(const std::string& fileName, const std::string& reason);
};

// Input/output errors of text files, carrying the OS error code.
class EInOutError : public Exception {
public:
    EInOutError(std::string message, int errorCode) : Exception(std::move(message)), ErrorCode(errorCode) {}
    // The text for an OS error code: the named ones, else "I/O error %d".
    static EInOutError FromErrorCode(int errorCode);
    // A list that could not be saved to `path` with the OS error code: the
    // file, the cause in words and what to do about it.
    static EInOutError ListNotSaved(const std::string& path, int errorCode);
    int ErrorCode;
};

// The last list could not be read; its file was copied aside first.
class ELastListNotRead : public Exception {
public:
    using Exception::Exception;
    static ELastListNotRead KeptAs(const std::string& reason, const std::string& backupPath);
};

class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
    static EInvalidGraphic UnknownExtension(const std::string& extensionWithoutDot);
    static EInvalidGraphic InvalidBitmap();
    static EInvalidGraphic TooLarge(int width, int height);
    static EInvalidGraphic ScanLineOutOfRange();
    static EInvalidGraphic UnknownFormat();
    static EInvalidGraphic InvalidPicture(const std::string& formatName);
    static EInvalidGraphic UnsupportedPicture(const std::string& formatName);
};

class EJPEG : public Exception {
public:
    EJPEG(std::string message, int messageCode) : Exception(std::move(message)), MessageCode(messageCode) {}
    static EJPEG FromMessageCode(int messageCode);
    int MessageCode;
};

class EOutOfResources : public Exception {
public:
    using Exception::Exception;
    static EOutOfResources NoTimers();
};

class ERegistryException : public Exception {
public:
    using Exception::Exception;
    static ERegistryException InvalidDataType(const std::string& valueName);
    static ERegistryException GetDataFailed(const std::string& valueName);
    static ERegistryException SetDataFailed(const std::string& valueName);
    // `valueNames` joined by ", ".
    static ERegistryException OptionsReset(const std::vector<std::string>& valueNames);
};

// The wallpaper call failed; Reason is the system's text for its error.
class EWallpaperError : public Exception {
public:
    using Exception::Exception;
    static EWallpaperError CannotSet(const std::string& bitmapPath, const std::string& reason);
};
