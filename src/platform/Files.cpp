#include "platform/Files.h"

#include "core/Exceptions.h"
#include "core/FileNames.h"
#include "platform/SystemError.h"
#include "platform/WideText.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <utility>

namespace {

// Large enough that a list or a bitmap goes out in few system calls.
constexpr size_t WriteBufferSize = 64 * 1024;

// The writer's temporary files: "~tsv", 8 upper-case hex digits, ".tmp".
constexpr std::string_view TemporaryPrefix = "~tsv";
constexpr std::string_view TemporarySuffix = ".tmp";
constexpr size_t TemporaryDigits = 8;

// A name in the target's folder that no file has yet.
std::string TemporaryNameBeside(const std::string& path, unsigned attempt)
{
    static std::atomic<unsigned> counter{0};
    const unsigned unique = (GetCurrentProcessId() << 16) ^ GetTickCount() ^
                            (counter.fetch_add(1) * 0x9E3779B1u) ^ (attempt * 0x85EBCA6Bu);
    char digits[TemporaryDigits + 1];
    std::snprintf(digits, sizeof digits, "%08X", unique);
    return ExtractFilePath(path) + std::string(TemporaryPrefix) + digits + std::string(TemporarySuffix);
}

// A temporary file left this long without a write belongs to no running
// save: a writer writes and renames its file within moments of its last
// write, and one that is still open is not deleted anyway.
constexpr ULONGLONG StaleAfter100ns = 60ull * 10000000ull;

ULONGLONG FileTimeValue(const FILETIME& time)
{
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

} // namespace

[[noreturn]] void RaiseFileError(const std::string& path, DWORD errorCode, TFileErrorStyle style,
                                 bool creating)
{
    if (style == TFileErrorStyle::Text)
        throw EInOutError::FromErrorCode(static_cast<int>(errorCode));
    if (creating)
        throw EFCreateError::CannotCreate(path, SystemErrorMessage(errorCode));
    throw EFOpenError::CannotOpen(path, SystemErrorMessage(errorCode));
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FolderExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// --- TFileHandle ---

TFileHandle& TFileHandle::operator=(TFileHandle&& other) noexcept
{
    if (this != &other) {
        Close();
        Handle = other.Handle;
        other.Handle = INVALID_HANDLE_VALUE;
    }
    return *this;
}

bool TFileHandle::Close()
{
    if (!Valid())
        return true;
    const bool closed = CloseHandle(Handle) != 0;
    Handle = INVALID_HANDLE_VALUE;
    return closed;
}

// --- TInputFile ---

TInputFile::TInputFile(std::string path, TFileHandle handle)
    : FilePath(std::move(path)), File(std::move(handle))
{
}

static TFileHandle OpenForReading(const std::string& path, TFileErrorStyle style,
                                  DWORD share = FILE_SHARE_READ)
{
    TFileHandle handle(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!handle.Valid())
        RaiseFileError(path, GetLastError(), style, false);
    return handle;
}

TInputFile TInputFile::OpenText(const std::string& path)
{
    return TInputFile(path, OpenForReading(path, TFileErrorStyle::Text));
}

TInputFile TInputFile::OpenStream(const std::string& path)
{
    return TInputFile(path, OpenForReading(path, TFileErrorStyle::Stream));
}

TInputFile TInputFile::OpenTextSharingAll(const std::string& path)
{
    return TInputFile(path, OpenForReading(path, TFileErrorStyle::Text,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE));
}

size_t TInputFile::Read(char* buffer, size_t size)
{
    const DWORD wanted = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
    DWORD received = 0;
    // A failed read of an open file is an I/O error whichever way it was
    // opened: the file did open, so "Cannot open" would mislead.
    if (!ReadFile(File.Get(), buffer, wanted, &received, nullptr))
        throw EInOutError::FromErrorCode(static_cast<int>(GetLastError()));
    return received;
}

uint64_t TInputFile::Size() const
{
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(File.Get(), &size))
        throw EInOutError::FromErrorCode(static_cast<int>(GetLastError()));
    return static_cast<uint64_t>(size.QuadPart);
}

// --- TAtomicFileWriter ---

TAtomicFileWriter::TAtomicFileWriter(std::string targetPath, std::string tempPath, TFileHandle handle,
                                     TFileErrorStyle style)
    : TargetPath(std::move(targetPath)), TempPath(std::move(tempPath)), File(std::move(handle)), Style(style)
{
    Buffer.reserve(WriteBufferSize);
}

TAtomicFileWriter::TAtomicFileWriter(TAtomicFileWriter&& other) noexcept
    : TargetPath(std::move(other.TargetPath)), TempPath(std::move(other.TempPath)),
      File(std::move(other.File)), Style(other.Style), Buffer(std::move(other.Buffer)),
      Committed(other.Committed), FlushOnCommit(other.FlushOnCommit)
{
    other.TempPath.clear();
    other.Committed = true;
}

namespace {

// Creating a file over a read-only file or a folder is refused with "access
// denied"; a rename over them is not refused everywhere (Wine replaces a
// read-only file), so the writer gives the same answer up front.
void RefuseReadOnlyTarget(const std::string& path, TFileErrorStyle style)
{
    const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        RaiseFileError(path, ERROR_ACCESS_DENIED, style, true);
}

// Errors of a target another program holds for a moment: an antivirus
// scanner, the search indexer or a thumbnail cache opens a new file briefly
// without letting others delete or rename it.
bool IsPassingHold(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_LOCK_VIOLATION || error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

// Puts `temp` in place of an existing `target` so the target keeps its
// access list, attributes and creation time (a rename would give it the
// temporary file's); 0 or the error. ReplaceFileW cannot serve every file
// system (some network shares, FAT without the needed support): where it
// refuses for such a reason, or has already removed the target, the plain
// rename finishes the job.
DWORD ReplaceExisting(const std::wstring& temp, const std::wstring& target, DWORD moveFlags)
{
    if (ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr))
        return 0;
    const DWORD error = GetLastError();
    if (IsPassingHold(error) || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
        return error;
    // ERROR_UNABLE_TO_MOVE_REPLACEMENT: the target is gone, the new file
    // still has its temporary name. Anything else: ReplaceFileW is not
    // usable here.
    return MoveFileExW(temp.c_str(), target.c_str(), moveFlags) ? 0 : GetLastError();
}

// 0 when nothing keeps `target` from being deleted or renamed now, else the
// sharing error. Asked before ReplaceFileW: Wine's leaves an empty "rf*.tmp"
// file behind each time it finds the target held.
DWORD HoldOn(const std::wstring& target)
{
    const HANDLE probe =
        CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (probe == INVALID_HANDLE_VALUE)
        return GetLastError();
    CloseHandle(probe);
    return 0;
}

// A hold passes within moments; a few tries over about half a second ride
// it out without keeping the user waiting on a file that stays locked.
constexpr unsigned ReplaceAttempts = 5;
constexpr unsigned ReplaceRetryStepMs = 50;

// Puts the complete temporary file in the target's place; 0 or the error.
DWORD ReplaceWithRetries(const std::string& temp, const std::string& target, bool writeThrough)
{
    const std::wstring wideTemp = WideFromUtf8(temp);
    const std::wstring wideTarget = WideFromUtf8(target);
    const DWORD moveFlags = MOVEFILE_REPLACE_EXISTING | (writeThrough ? MOVEFILE_WRITE_THROUGH : 0);
    DWORD error = 0;
    for (unsigned attempt = 0; attempt < ReplaceAttempts; ++attempt) {
        if (attempt > 0)
            Sleep(attempt * ReplaceRetryStepMs);
        const DWORD attributes = GetFileAttributesW(wideTarget.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            error = MoveFileExW(wideTemp.c_str(), wideTarget.c_str(), moveFlags) ? 0 : GetLastError();
        else if (const DWORD held = HoldOn(wideTarget); IsPassingHold(held))
            error = held;
        else
            error = ReplaceExisting(wideTemp, wideTarget, moveFlags);
        if (!IsPassingHold(error))
            break;
    }
    // A hold that outlasted the retries is told as the sharing error it is.
    return error == ERROR_UNABLE_TO_REMOVE_REPLACED ? ERROR_SHARING_VIOLATION : error;
}

} // namespace

TAtomicFileWriter TAtomicFileWriter::Create(const std::string& path, TFileErrorStyle style)
{
    RefuseReadOnlyTarget(path, style);
    // CREATE_NEW never reuses a name; another file with the same temporary
    // name (another writer, a leftover) just means another name is tried.
    for (unsigned attempt = 0; attempt < 16; ++attempt) {
        std::string tempPath = TemporaryNameBeside(path, attempt);
        TFileHandle handle(CreateFileW(WideFromUtf8(tempPath).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                       nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (handle.Valid())
            return TAtomicFileWriter(path, std::move(tempPath), std::move(handle), style);
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            RaiseFileError(path, error, style, true);
    }
    RaiseFileError(path, ERROR_FILE_EXISTS, style, true);
}

TAtomicFileWriter TAtomicFileWriter::CreateText(const std::string& path)
{
    return Create(path, TFileErrorStyle::Text);
}

TAtomicFileWriter TAtomicFileWriter::CreateStream(const std::string& path)
{
    return Create(path, TFileErrorStyle::Stream);
}

TAtomicFileWriter::~TAtomicFileWriter()
{
    if (!Committed)
        Abandon();
}

void TAtomicFileWriter::Abandon()
{
    File.Close();
    if (!TempPath.empty())
        DeleteFileW(WideFromUtf8(TempPath).c_str());
    TempPath.clear();
    Committed = true;
}

void TAtomicFileWriter::Fail(DWORD errorCode)
{
    Abandon();
    RaiseFileError(TargetPath, errorCode, Style, true);
}

void TAtomicFileWriter::Write(const char* data, size_t size)
{
    if (!File.Valid())
        Fail(ERROR_INVALID_HANDLE);
    while (size > 0) {
        // A block at least as large as the buffer goes straight to the file
        // (once what is buffered is out, to keep the order): copying it
        // through the buffer would only cost a pass over it.
        if (Buffer.empty() && size >= WriteBufferSize) {
            WriteThrough(data, size);
            return;
        }
        const size_t room = WriteBufferSize - Buffer.size();
        const size_t count = std::min(room, size);
        Buffer.append(data, count);
        data += count;
        size -= count;
        if (Buffer.size() == WriteBufferSize)
            FlushBuffer();
    }
}

void TAtomicFileWriter::WriteThrough(const char* data, size_t size)
{
    while (size > 0) {
        DWORD written = 0;
        // One call takes a 32-bit count: at most 1 GB at a time.
        const DWORD count = static_cast<DWORD>(std::min<size_t>(size, size_t{1} << 30));
        if (!WriteFile(File.Get(), data, count, &written, nullptr))
            Fail(GetLastError());
        if (written == 0)
            Fail(ERROR_WRITE_FAULT);
        data += written;
        size -= written;
    }
}

void TAtomicFileWriter::FlushBuffer()
{
    WriteThrough(Buffer.data(), Buffer.size());
    Buffer.clear();
}

void TAtomicFileWriter::Commit()
{
    if (!File.Valid())
        Fail(ERROR_INVALID_HANDLE);
    FlushBuffer();
    if (FlushOnCommit && !FlushFileBuffers(File.Get()))
        Fail(GetLastError());
    if (!File.Close())
        Fail(GetLastError());
    if (const DWORD error = ReplaceWithRetries(TempPath, TargetPath, FlushOnCommit))
        Fail(error);
    TempPath.clear();
    Committed = true;
}

std::vector<uint8_t> ReadWholeFile(const std::string& path)
{
    TInputFile file = TInputFile::OpenStream(path);
    // Nothing the program reads whole (pictures) may be this large; refusing
    // here keeps a huge file from being read into memory at all.
    constexpr uint64_t largestFile = 0x7FFFFFFF;
    if (file.Size() > largestFile)
        throw EFOpenError::CannotOpen(path, "The file is too large.");
    std::vector<uint8_t> bytes(static_cast<size_t>(file.Size()) + 1);
    size_t filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(bytes.size() * 2);
        const size_t count = file.Read(reinterpret_cast<char*>(bytes.data() + filled), bytes.size() - filled);
        if (count == 0)
            break;
        filled += count;
    }
    bytes.resize(filled);
    return bytes;
}

void CopyFileWhole(const std::string& source, const std::string& target)
{
    TInputFile input = TInputFile::OpenTextSharingAll(source);
    TAtomicFileWriter output = TAtomicFileWriter::CreateText(target);
    std::vector<char> buffer(WriteBufferSize);
    while (const size_t count = input.Read(buffer.data(), buffer.size()))
        output.Write(buffer.data(), count);
    output.Commit();
}

bool IsTemporaryFileName(std::string_view name)
{
    if (name.size() != TemporaryPrefix.size() + TemporaryDigits + TemporarySuffix.size() ||
        name.substr(0, TemporaryPrefix.size()) != TemporaryPrefix ||
        name.substr(name.size() - TemporarySuffix.size()) != TemporarySuffix)
        return false;
    const std::string_view digits = name.substr(TemporaryPrefix.size(), TemporaryDigits);
    return std::all_of(digits.begin(), digits.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); });
}

int RemoveStaleTemporaryFiles(const std::string& folder)
{
    const std::string prefix = folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    int removed = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(WideFromUtf8(prefix + std::string(TemporaryPrefix) + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        // The search also matches short names and any letter case: the name
        // itself must be exactly one the writer makes.
        const std::string name = Utf8FromWideReplacing(found.cFileName);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || !IsTemporaryFileName(name))
            continue;
        if (FileTimeValue(now) < FileTimeValue(found.ftLastWriteTime) + StaleAfter100ns)
            continue;
        // A writer holds its file open without sharing deletion, so a save
        // in progress (in this or another instance) makes this fail.
        if (DeleteFileW(WideFromUtf8(prefix + name).c_str()))
            ++removed;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return removed;
}
