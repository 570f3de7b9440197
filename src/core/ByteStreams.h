#pragma once
// The smallest byte-stream interfaces the file formats need. The list-file
// reader and writer work over these, so the same code runs on a Win32 file in
// the program and on a block of memory in tests and fuzzing.
//
// Portable: no Windows header.

#include <cstddef>
#include <string>
#include <string_view>

// A source of bytes read front to back.
class IByteSource {
public:
    virtual ~IByteSource() = default;
    // Copies up to `size` bytes into `buffer` and returns how many were copied;
    // 0 means the end of the data. Failures are raised, never returned.
    virtual size_t Read(char* buffer, size_t size) = 0;
};

// A sink that takes bytes in order.
class IByteSink {
public:
    virtual ~IByteSink() = default;
    // Takes all `size` bytes or raises.
    virtual void Write(const char* data, size_t size) = 0;
};

// Reads from a block of memory the caller keeps alive.
class TMemoryByteSource : public IByteSource {
public:
    explicit TMemoryByteSource(std::string_view data) : Data(data) {}
    size_t Read(char* buffer, size_t size) override;

private:
    std::string_view Data;
    size_t Position = 0;
};

// Collects everything written into a string.
class TStringByteSink : public IByteSink {
public:
    void Write(const char* data, size_t size) override { Bytes.append(data, size); }
    const std::string& Text() const { return Bytes; }

private:
    std::string Bytes;
};
