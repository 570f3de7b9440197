#include "lists/ListFileWriter.h"

#include <optional>

namespace {

constexpr char LineEnd[] = "\r\n";
constexpr char Utf8ByteOrderMark[] = "\xEF\xBB\xBF";

} // namespace

void WriteListFile(IByteSink& sink, const std::vector<std::string>& entries)
{
    const std::string count = std::to_string(entries.size());
    sink.Write(count.data(), count.size());
    sink.Write(LineEnd, 2);
    for (const std::string& entry : entries) {
        sink.Write(entry.data(), entry.size());
        sink.Write(LineEnd, 2);
    }
}

void WriteListFile(IByteSink& sink, const std::vector<std::string>& entries, const ICodePage& codePage)
{
    std::vector<std::string> lines;
    lines.reserve(entries.size());
    for (const std::string& entry : entries) {
        std::optional<std::string> bytes = codePage.FromUtf8(entry);
        if (!bytes) {
            sink.Write(Utf8ByteOrderMark, 3);
            WriteListFile(sink, entries);
            return;
        }
        lines.push_back(std::move(*bytes));
    }
    WriteListFile(sink, lines);
}
