#pragma once
// Files as the program reads and writes them.
//
// Reading: an existing file, opened so that other programs may read it
// meanwhile but not write it.
//
// Writing: never in place. The bytes go to a temporary file in the target's
// folder, and only a complete,
// flushed file replaces the old one; a failure part-way (disk full, I/O
// error, an exception in the producer) leaves the old file exactly as it was
// and no temporary file behind.
//
// Two kinds of error report, as the callers need them:
//  - text style (list files): EInOutError with the mapped system error text,
//    e.g. "File not found", "File access denied", "I/O error 32";
//  - stream style (images): EFOpenError "Cannot open file "%s". %s" or
//    EFCreateError "Cannot create file "%s". %s" with the system's reason.

#include "core/ByteStreams.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

enum class TFileErrorStyle { Text, Stream };

// Owns a Win32 file handle and closes it on destruction.
class TFileHandle {
public:
    TFileHandle() = default;
    explicit TFileHandle(HANDLE handle) : Handle(handle) {}
    ~TFileHandle() { Close(); }
    TFileHandle(TFileHandle&& other) noexcept : Handle(other.Handle) { other.Handle = INVALID_HANDLE_VALUE; }
    TFileHandle& operator=(TFileHandle&& other) noexcept;
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;

    HANDLE Get() const { return Handle; }
    bool Valid() const { return Handle != INVALID_HANDLE_VALUE; }
    // Closes now; true when the system reported no error.
    bool Close();

private:
    HANDLE Handle = INVALID_HANDLE_VALUE;
};

// An existing file read front to back.
class TInputFile : public IByteSource {
public:
    // Opens for reading; failures raise EInOutError (text style).
    static TInputFile OpenText(const std::string& path);
    // Opens for reading; failures raise EFOpenError (stream style).
    static TInputFile OpenStream(const std::string& path);
    // Opens for reading while letting others read, write and delete it, so
    // a file that another program holds open for writing can still be
    // copied; failures raise EInOutError (text style).
    static TInputFile OpenTextSharingAll(const std::string& path);

    // Raises EInOutError when the system fails the read.
    size_t Read(char* buffer, size_t size) override;
    // The file's size in bytes when it was opened.
    uint64_t Size() const;
    const std::string& Path() const { return FilePath; }

private:
    TInputFile(std::string path, TFileHandle handle);

    std::string FilePath;
    TFileHandle File;
};

// A new file that replaces `path` only when Commit succeeds.
class TAtomicFileWriter : public IByteSink {
public:
    // Creates the temporary file beside `path`; failures raise EInOutError.
    static TAtomicFileWriter CreateText(const std::string& path);
    // The same; failures raise EFCreateError for `path`.
    static TAtomicFileWriter CreateStream(const std::string& path);

    TAtomicFileWriter(TAtomicFileWriter&& other) noexcept;
    TAtomicFileWriter(const TAtomicFileWriter&) = delete;
    TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;
    TAtomicFileWriter& operator=(TAtomicFileWriter&&) = delete;
    // Without a successful Commit: removes the temporary file; `path` is
    // left as it was.
    ~TAtomicFileWriter() override;

    // Buffered, except blocks of at least the buffer's size, which go to the
    // file directly; raises on a failed write (the file is then abandoned).
    void Write(const char* data, size_t size) override;
    // Writes out the buffer, flushes to disk, closes, and puts the new file
    // in place of `path`: an existing file is replaced keeping its access
    // list and attributes, and a file another program holds for a moment
    // (a virus scanner, the indexer) is waited for, up to about half a
    // second. On failure raises, removes the temporary file and leaves
    // `path` as it was.
    void Commit();

    // Whether Commit waits for the data to reach the disk (the default). A
    // file that can always be made again from its source needs the atomic
    // replace, so no one ever reads half of it, but not the wait: after a
    // crash it is simply made again.
    void SetFlushOnCommit(bool flush) { FlushOnCommit = flush; }

    const std::string& Path() const { return TargetPath; }
    // The temporary file's name while the writer is open (for tests).
    const std::string& TemporaryPath() const { return TempPath; }

private:
    TAtomicFileWriter(std::string targetPath, std::string tempPath, TFileHandle handle,
                      TFileErrorStyle style);
    static TAtomicFileWriter Create(const std::string& path, TFileErrorStyle style);
    void FlushBuffer();
    // Writes the bytes to the file now, all of them or raises.
    void WriteThrough(const char* data, size_t size);
    void Abandon();
    [[noreturn]] void Fail(DWORD errorCode);

    std::string TargetPath;
    std::string TempPath;
    TFileHandle File;
    TFileErrorStyle Style;
    std::string Buffer;
    bool Committed = false;
    bool FlushOnCommit = true;
};

// The whole of an existing file; failures to open raise EFOpenError (stream
// style), failed reads EInOutError. The size is read as a first guess only:
// the file may grow or shrink while it is read.
std::vector<uint8_t> ReadWholeFile(const std::string& path);

// True when `path` names an existing file (not a folder).
bool FileExists(const std::string& path);
// True when `path` names an existing folder.
bool FolderExists(const std::string& path);

// Copies the file `source` to `target`, replacing it whole (through the
// atomic writer). The source is read even while another program writes it.
// Failures raise EInOutError (text style); `target` is then as it was.
void CopyFileWhole(const std::string& source, const std::string& target);

// True for a name the atomic writer gives its temporary files.
bool IsTemporaryFileName(std::string_view name);

// Deletes the atomic writer's temporary files in `folder` that a killed or
// failed save left behind: only files with exactly the writer's names, only
// when nothing has written to them for a minute, and only when no one holds
// them open (a save in progress, here or in another instance, keeps its
// file open). Whatever cannot be deleted stays; nothing is raised. Returns
// how many were deleted.
int RemoveStaleTemporaryFiles(const std::string& folder);

// Raises the error `errorCode` for `path` in the given style; `creating` picks
// EFCreateError over EFOpenError in stream style.
[[noreturn]] void RaiseFileError(const std::string& path, DWORD errorCode, TFileErrorStyle style,
                                 bool creating);
