#pragma once
// Reading a list file (".lst"): a count line, then one path per line.
//
// The reader works on bytes, never on characters: bytes are ANSI text, and
// every byte other than the line end is kept as it is (0x1A included, which
// some old text readers took for the end of the file).
//
// Portable: no Windows header.

#include "core/ByteStreams.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The longest run of bytes read as the count.
inline constexpr size_t MaxCountTextLength = 32;

// Reads `text` as a signed 32-bit integer: an optional "+" or "-", then
// decimal digits, or hexadecimal digits (either case) after "$", "x" or "0x"
// (either case of the x). Decimal must lie in the signed 32-bit range; hex
// may use all 32 bits and is taken as their two's-complement value ("$FFFFFFFF"
// is -1). Anything else raises EConvertError "Invalid numeric input".
int32_t ParseListCount(std::string_view text);

class TListFileReader {
public:
    // Reads from `source`, which must outlive the reader.
    explicit TListFileReader(IByteSource& source) : Source(source) {}
    TListFileReader(const TListFileReader&) = delete;
    TListFileReader& operator=(const TListFileReader&) = delete;

    // Skips bytes up to 0x20 (blanks, controls, blank lines); at the end of
    // the data the count is 0. Otherwise reads the following run of bytes
    // above 0x20, at most 32, with ParseListCount, and then skips the rest of
    // the count's line through its LF.
    int32_t ReadCount();

    // The bytes up to the next LF, without it; every CR is left out (the CR
    // of CR LF and a CR on its own alike). At the end of the data: "".
    std::string ReadLine();

    // True when every byte has been read.
    bool AtEnd();

private:
    // Makes at least one unread byte available; false at the end.
    bool Fill();

    IByteSource& Source;
    std::array<char, 4096> Buffer{};
    size_t Position = 0;
    size_t Length = 0;
    bool Exhausted = false;
};
