#pragma once
// One libjpeg decompressor reading from memory, with C++ errors.
//
// libjpeg reports a fatal error by calling error_exit, which must not return;
// ours longjmps. Each libjpeg call therefore sits in a small C-style function
// (JpegSession.cpp) that sets its own jump target, holds nothing with a
// destructor, and only reports success or failure. This class turns a failure
// into "destroy the decompressor, then throw EJPEG with libjpeg's message
// code and its meaning in words", so no longjmp ever crosses a C++ destructor and no C++ exception
// ever crosses libjpeg.
//
// Warnings (corrupt data, premature end) are not errors: libjpeg counts them
// and goes on, as its own tools do. They are not printed.
//
// Internal to the codec folder.

#include <cstddef>
#include <cstdint>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <jpeglib.h>
#include <memory>
#include <string>

struct JpegState;

class JpegSession {
public:
    // Creates the decompressor over `data` (which must outlive the session).
    JpegSession(const uint8_t* data, size_t size);
    ~JpegSession();
    JpegSession(const JpegSession&) = delete;
    JpegSession& operator=(const JpegSession&) = delete;

    // The decompressor, for reading header fields and setting parameters.
    jpeg_decompress_struct& Decompressor();

    // The libjpeg calls, each throwing EJPEG on a fatal error.
    void ReadHeader();
    bool HasMultipleScans();
    void CalcOutputDimensions();
    void StartDecompress();
    int ConsumeInput(); // JPEG_REACHED_SOS, JPEG_REACHED_EOI, JPEG_ROW_COMPLETED, ...
    void StartOutput(int scanNumber);
    void FinishOutput();
    // Reads up to `count` rows into `rows`; returns how many it read.
    unsigned ReadScanlines(uint8_t** rows, unsigned count);
    // Passes over up to `count` rows without making them (a file of one
    // scan only); returns how many it passed.
    unsigned SkipScanlines(unsigned count);

    // Bytes of the input that libjpeg has taken so far.
    size_t BytesRead();

    // Destroys the decompressor and throws EJPEG with `messageCode` and
    // `reason` (a JpegReason text), for limits this program sets on top of
    // libjpeg's own checks.
    [[noreturn]] void Fail(int messageCode, const std::string& reason);

private:
    [[noreturn]] void FailWithLibraryError();
    void Destroy();

    std::unique_ptr<JpegState> State;
    const uint8_t* Input = nullptr;
    size_t InputSize = 0;
};
