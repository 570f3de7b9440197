#pragma once
// A file's bytes seen through a read-only memory mapping. Only the pages a
// reader touches are read from the disk and held, and they are the file's
// own (the system may drop and read them again), not the program's memory:
// a small picture padded to gigabytes costs what its decoder reads, not
// the file's size.

#include "platform/Files.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

class TMappedFile {
public:
    // Opens and maps the file (opened as TInputFile::OpenStream opens it:
    // others may read it meanwhile, not write it). EFOpenError when it
    // cannot be opened or mapped.
    static std::shared_ptr<const TMappedFile> Open(const std::string& path);

    ~TMappedFile();
    TMappedFile(const TMappedFile&) = delete;
    TMappedFile& operator=(const TMappedFile&) = delete;

    // The bytes; an empty file has none (Size 0, Data not null).
    const uint8_t* Data() const { return view_ ? view_ : &kNoBytes; }
    size_t Size() const { return size_; }
    const std::string& Path() const { return path_; }

private:
    TMappedFile(std::string path, TFileHandle file);

    static constexpr uint8_t kNoBytes = 0;
    std::string path_;
    TFileHandle file_;
    HANDLE mapping_ = nullptr;
    const uint8_t* view_ = nullptr;
    size_t size_ = 0;
};

// Picture bytes that stay valid while any copy of this lives: a mapped
// file, or a buffer of the program's own (a resource, a test's bytes).
struct TPictureBytes {
    std::shared_ptr<const void> Owner;
    const uint8_t* Data = nullptr;
    size_t Size = 0;

    // The file's bytes through TMappedFile (EFOpenError as it raises).
    static TPictureBytes OfFile(const std::string& path);
    static TPictureBytes OfBuffer(std::vector<uint8_t> buffer);
};
