#pragma once
// Reading a list file (".lst"): a count line, then one path per line.
//
// The reader works on bytes, never on characters: bytes are ANSI text, and
// every byte other than the line end is kept as it is (0x1A included, which
// some old text readers took for the end of the file). The one exception is
// a UTF-8 byte-order mark at the very start, which editors such as Notepad
// put there when a list is saved by hand: it is skipped, so such a list still
// reads instead of failing on its count.
//
// Portable: no Windows header.

#include "core/ByteStreams.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

    // Skips a UTF-8 byte-order mark at the start of the data, then bytes up
    // to 0x20 (blanks, controls, blank lines); at the end of the data the
    // count is 0. Otherwise reads the following run of bytes
    // above 0x20, at most 32, with ParseListCount, and then skips the rest of
    // the count's line through its LF.
    int32_t ReadCount();

    // The bytes up to the next LF, without it; every CR is left out (the CR
    // of CR LF and a CR on its own alike). At the end of the data: "".
    std::string ReadLine();

    // Reads `count` lines as entries (none when count <= 0). Lines missing
    // at the end of the data read as empty entries, but only while fewer
    // than `maxEntriesPastEnd` entries have been read: a damaged count must
    // not fill memory with billions of empty entries.
    std::vector<std::string> ReadEntries(int32_t count, size_t maxEntriesPastEnd);

    // True when every byte has been read.
    bool AtEnd();

private:
    // Makes at least one unread byte available; false at the end.
    bool Fill();
    // At the start of the data: steps over a UTF-8 byte-order mark.
    void SkipByteOrderMark();

    IByteSource& Source;
    std::array<char, 4096> Buffer{};
    size_t Position = 0;
    size_t Length = 0;
    bool Exhausted = false;
    bool StartSeen = false;
};
