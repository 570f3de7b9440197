#pragma once
// Reading a list file (".lst"): a count line, then one path per line.
//
// The reader splits bytes, never characters: every byte other than the line
// end is kept as it is (0x1A included, which some old text readers took for
// the end of the file). A UTF-8 byte-order mark at the very start (the
// program writes one when a name does not fit the code page; Notepad does
// too) is skipped, so the count still reads.
//
// Given a code page, the reader hands out text (UTF-8): after the mark each
// line must be UTF-8, and one that is not raises EConvertError naming its
// line, before anything is used; without the mark every line is code-page
// text, as lists were always written. Without a code page the lines are the
// bytes as they stand.
//
// Portable: no Windows header.

#include "core/ByteStreams.h"
#include "core/CodePage.h"

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
    // Reads text from `source`; both must outlive the reader.
    TListFileReader(IByteSource& source, const ICodePage& codePage) : Source(source), CodePage(&codePage) {}
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
    // With a code page, as text (see above).
    std::string ReadLine();

    // Reads `count` lines as entries (none when count <= 0). Read as text,
    // a line Windows allows as no file name (see IsNameWindowsAllows)
    // raises EConvertError naming its line. Lines missing
    // at the end of the data read as empty entries, but only while fewer
    // than `maxEntriesPastEnd` entries have been read: a damaged count must
    // not fill memory with billions of empty entries.
    std::vector<std::string> ReadEntries(int32_t count, size_t maxEntriesPastEnd);

    // The lines after the entries, up to the end of the data or `maxLines`.
    // Read as text, a line that is not valid text is left out: nothing after
    // the entries may cost the list its entries.
    std::vector<std::string> ReadTrailingLines(size_t maxLines);

    // True when every byte has been read.
    bool AtEnd();

    // The data began with the UTF-8 byte-order mark (known once the count
    // or a line has been read).
    bool ByteOrderMarkSeen() const { return MarkSeen; }

private:
    // Makes at least one unread byte available; false at the end.
    bool Fill();
    // The line's bytes as text, by the file's encoding.
    std::string AsText(std::string line, int lineNumber) const;
    // At the start of the data: steps over a UTF-8 byte-order mark.
    void SkipByteOrderMark();

    IByteSource& Source;
    const ICodePage* CodePage = nullptr;
    std::array<char, 4096> Buffer{};
    size_t Position = 0;
    size_t Length = 0;
    bool Exhausted = false;
    bool StartSeen = false;
    bool MarkSeen = false;
    // Line feeds passed so far: the number of the line being read, less one.
    int LineFeeds = 0;
};
