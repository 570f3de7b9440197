// libFuzzer target: the list-file reader over arbitrary bytes, as bytes and
// as text (code page or marked UTF-8).
//
// Whatever the bytes, the reader must either give a count or raise
// EConvertError, and never read out of bounds. What it reads must survive a
// round trip: written back as a list file and read again, the same entries
// come out.

#include "core/Exceptions.h"
#include "core/Utf8.h"
#include "lists/Latin1CodePage.h"
#include "lists/ListFileReader.h"
#include "lists/ListFileWriter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Read as text, every entry is valid UTF-8 (or the read fails), and it is
// written and read back unchanged.
void CheckTextRoundTrip(std::string_view bytes)
{
    const TLatin1CodePage codePage;
    TMemoryByteSource source(bytes);
    TListFileReader reader(source, codePage);
    std::vector<std::string> entries;
    try {
        const int32_t count = reader.ReadCount();
        for (int32_t i = 0; i < count && !reader.AtEnd(); ++i)
            entries.push_back(reader.ReadLine());
    } catch (const EConvertError&) {
        return;
    }
    for (const std::string& entry : entries)
        if (!IsValidUtf8(entry))
            __builtin_trap();
    TStringByteSink sink;
    WriteListFile(sink, entries, codePage);
    TMemoryByteSource written(sink.Text());
    TListFileReader again(written, codePage);
    if (again.ReadCount() != static_cast<int32_t>(entries.size()))
        __builtin_trap();
    for (const std::string& entry : entries)
        if (again.ReadLine() != entry)
            __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CheckTextRoundTrip(std::string_view(reinterpret_cast<const char*>(data), size));
    TMemoryByteSource source(std::string_view(reinterpret_cast<const char*>(data), size));
    TListFileReader reader(source);
    int32_t count = 0;
    try {
        count = reader.ReadCount();
    } catch (const EConvertError&) {
        return 0;
    }
    // Past the end every entry reads as "", so the loop stops there instead
    // of running up to a huge count.
    std::vector<std::string> entries;
    for (int32_t i = 0; i < count && !reader.AtEnd(); ++i) {
        entries.push_back(reader.ReadLine());
        if (entries.back().find_first_of("\r\n") != std::string::npos)
            __builtin_trap();
    }

    TStringByteSink sink;
    WriteListFile(sink, entries);
    TMemoryByteSource written(sink.Text());
    TListFileReader again(written);
    if (again.ReadCount() != static_cast<int32_t>(entries.size()))
        __builtin_trap();
    for (const std::string& entry : entries) {
        if (again.ReadLine() != entry)
            __builtin_trap();
    }
    if (!again.AtEnd())
        __builtin_trap();
    return 0;
}
