#include "lists/ListFileWriter.h"

namespace {

constexpr char LineEnd[] = "\r\n";

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
