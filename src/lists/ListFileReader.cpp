#include "lists/ListFileReader.h"

#include "core/Exceptions.h"
#include "core/Utf8.h"
#include "core/WindowsPaths.h"

#include <algorithm>
#include <cstring>

namespace {

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

constexpr char Utf8ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr size_t Utf8ByteOrderMarkLength = 3;

// Entries are gathered before the count is trusted: room is made for at most
// this many up front, and more only as lines really arrive.
constexpr size_t MaxEntriesReservedUpFront = 1 << 16;

} // namespace

int32_t ParseListCount(std::string_view text)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size())
        throw EConvertError::InvalidNumericInput();

    const unsigned base = hex ? 16 : 10;
    // Hex may fill all 32 bits; decimal stops at the signed range, which
    // reaches one further on the negative side.
    const uint64_t limit = hex ? 0xFFFFFFFFull : negative ? 0x80000000ull : 0x7FFFFFFFull;
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const unsigned digit = static_cast<unsigned>(DigitValue(text[i]));
        if (digit >= base)
            throw EConvertError::InvalidNumericInput();
        value = value * base + digit;
        if (value > limit)
            throw EConvertError::InvalidNumericInput();
    }
    const uint32_t bits = static_cast<uint32_t>(value);
    return static_cast<int32_t>(negative ? 0u - bits : bits);
}

bool TListFileReader::Fill()
{
    if (Position < Length)
        return true;
    if (Exhausted)
        return false;
    Position = 0;
    Length = Source.Read(Buffer.data(), Buffer.size());
    if (Length == 0)
        Exhausted = true;
    return Length > 0;
}

bool TListFileReader::AtEnd()
{
    return !Fill();
}

void TListFileReader::SkipByteOrderMark()
{
    if (StartSeen)
        return;
    StartSeen = true;
    if (Position != 0)
        return;
    // A source may hand out its bytes one at a time: gather enough of them
    // to tell a mark from a count that starts with the same byte.
    while (Length < Utf8ByteOrderMarkLength && !Exhausted) {
        const size_t count = Source.Read(Buffer.data() + Length, Buffer.size() - Length);
        if (count == 0)
            Exhausted = true;
        Length += count;
    }
    if (Length >= Utf8ByteOrderMarkLength &&
        std::memcmp(Buffer.data(), Utf8ByteOrderMark, Utf8ByteOrderMarkLength) == 0) {
        Position = Utf8ByteOrderMarkLength;
        MarkSeen = true;
    }
}

int32_t TListFileReader::ReadCount()
{
    SkipByteOrderMark();
    for (;;) {
        if (!Fill())
            return 0;
        if (!IsBlank(Buffer[Position]))
            break;
        if (Buffer[Position++] == '\n')
            ++LineFeeds;
    }
    std::string text;
    while (text.size() < MaxCountTextLength && Fill() && !IsBlank(Buffer[Position]))
        text.push_back(Buffer[Position++]);
    const int32_t count = ParseListCount(text);
    // The rest of the count's line is ignored.
    while (Fill()) {
        if (Buffer[Position++] == '\n') {
            ++LineFeeds;
            break;
        }
    }
    return count;
}

std::string TListFileReader::ReadLine()
{
    StartSeen = true;
    const int lineNumber = LineFeeds + 1;
    std::string line;
    while (Fill()) {
        const char* begin = Buffer.data() + Position;
        const char* end = Buffer.data() + Length;
        const char* lineFeed =
            static_cast<const char*>(std::memchr(begin, '\n', static_cast<size_t>(end - begin)));
        const char* stop = lineFeed ? lineFeed : end;
        line.append(begin, stop);
        if (lineFeed) {
            Position = static_cast<size_t>(lineFeed - Buffer.data()) + 1;
            ++LineFeeds;
            break;
        }
        Position = Length;
    }
    // Every CR is left out, the one of CR LF and a lone one alike.
    if (line.find('\r') != std::string::npos)
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
    return AsText(std::move(line), lineNumber);
}

std::string TListFileReader::AsText(std::string line, int lineNumber) const
{
    if (!CodePage)
        return line;
    if (!MarkSeen)
        return CodePage->ToUtf8(line);
    if (!IsValidUtf8(line))
        throw EConvertError::ListLineNotUtf8(lineNumber);
    return line;
}

std::vector<std::string> TListFileReader::ReadEntries(int32_t count, size_t maxEntriesPastEnd)
{
    std::vector<std::string> entries;
    if (count <= 0)
        return entries;
    entries.reserve(std::min(static_cast<size_t>(count), MaxEntriesReservedUpFront));
    for (int32_t i = 0; i < count; ++i) {
        if (entries.size() >= maxEntriesPastEnd && AtEnd())
            break;
        const int lineNumber = LineFeeds + 1;
        entries.push_back(ReadLine());
        // Only text can be judged: in the bytes of a double-byte code page
        // a "|" may be the second half of a character.
        if (CodePage && !IsNameWindowsAllows(entries.back()))
            throw EConvertError::ListLineNotAFileName(lineNumber);
    }
    return entries;
}

std::vector<std::string> TListFileReader::ReadTrailingLines(size_t maxLines)
{
    std::vector<std::string> lines;
    while (lines.size() < maxLines && !AtEnd()) {
        try {
            lines.push_back(ReadLine());
        } catch (const EConvertError&) {
            // The line was read past; only its text is left out.
        }
    }
    return lines;
}
