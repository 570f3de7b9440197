#include "lists/ListFileWriter.h"

#include <gtest/gtest.h>

namespace {

std::string Written(const std::vector<std::string>& entries)
{
    TStringByteSink sink;
    WriteListFile(sink, entries);
    return sink.Text();
}

} // namespace

TEST(ListFileWriter, WritesTheCountThenEachEntryWithCrLfAndNothingElse)
{
    EXPECT_EQ(Written({}), std::string("0\r\n"));
    EXPECT_EQ(Written({"C:\\pics\\sea.jpg"}), "1\r\nC:\\pics\\sea.jpg\r\n");
    // Entries go out byte for byte: empty, spaced, 8-bit and 0x1A alike.
    EXPECT_EQ(Written({"", " a ", "\xe9\x1a", "sea.jpg"}),
              std::string("4\r\n\r\n a \r\n\xe9\x1a\r\nsea.jpg\r\n"));
}

TEST(ListFileWriter, CountIsPlainDecimal)
{
    const std::vector<std::string> many(1234, "x");
    const std::string text = Written(many);
    EXPECT_EQ(text.substr(0, 6), "1234\r\n");
    EXPECT_EQ(text.size(), 6 + 1234 * 3u);
}
