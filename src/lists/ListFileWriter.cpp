#include "lists/ListFileWriter.h"

#include <optional>

namespace {

constexpr char LineEnd[] = "\r\n";
constexpr char Utf8ByteOrderMark[] = "\xEF\xBB\xBF";

void WriteLines(IByteSink& sink, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        sink.Write(line.data(), line.size());
        sink.Write(LineEnd, 2);
    }
}

// The lines in the code page; nothing when one of them cannot be written in it.
std::optional<std::vector<std::string>> InCodePage(const std::vector<std::string>& lines,
                                                   const ICodePage& codePage)
{
    std::vector<std::string> converted;
    converted.reserve(lines.size());
    for (const std::string& line : lines) {
        std::optional<std::string> bytes = codePage.FromUtf8(line);
        if (!bytes)
            return std::nullopt;
        converted.push_back(std::move(*bytes));
    }
    return converted;
}

} // namespace

void WriteListFile(IByteSink& sink, const std::vector<std::string>& entries,
                   const std::vector<std::string>& trailingLines)
{
    const std::string count = std::to_string(entries.size());
    sink.Write(count.data(), count.size());
    sink.Write(LineEnd, 2);
    WriteLines(sink, entries);
    WriteLines(sink, trailingLines);
}

void WriteListFile(IByteSink& sink, const std::vector<std::string>& entries, const ICodePage& codePage,
                   const std::vector<std::string>& trailingLines)
{
    std::optional<std::vector<std::string>> lines = InCodePage(entries, codePage);
    std::optional<std::vector<std::string>> trailing = InCodePage(trailingLines, codePage);
    if (!lines || !trailing) {
        sink.Write(Utf8ByteOrderMark, 3);
        WriteListFile(sink, entries, trailingLines);
        return;
    }
    WriteListFile(sink, *lines, *trailing);
}
