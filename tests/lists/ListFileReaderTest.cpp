#include "lists/ListFileReader.h"

#include "core/Exceptions.h"
#include "lists/ListFileWriter.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;

namespace {

// Hands out at most `Chunk` bytes per call, so every case also runs with
// line ends and counts split across refills.
class TChunkedSource : public IByteSource {
public:
    TChunkedSource(std::string_view data, size_t chunk) : Data(data), Chunk(chunk) {}
    size_t Read(char* buffer, size_t size) override
    {
        const size_t count = std::min({size, Chunk, Data.size() - Position});
        std::copy_n(Data.data() + Position, count, buffer);
        Position += count;
        return count;
    }

private:
    std::string_view Data;
    size_t Chunk;
    size_t Position = 0;
};

struct TReadResult {
    int32_t Count;
    std::vector<std::string> Entries;
};

// Reads the count, then `lines` lines (the count itself when -1), the way a
// load does.
TReadResult ReadList(std::string_view bytes, size_t chunk, int lines = -1)
{
    TChunkedSource source(bytes, chunk);
    TListFileReader reader(source);
    TReadResult result{reader.ReadCount(), {}};
    const int wanted = lines >= 0 ? lines : result.Count;
    for (int i = 0; i < wanted; ++i)
        result.Entries.push_back(reader.ReadLine());
    return result;
}

class ListFileReaderTest : public testing::TestWithParam<size_t> {
protected:
    TReadResult Read(std::string_view bytes, int lines = -1) { return ReadList(bytes, GetParam(), lines); }
};

} // namespace

INSTANTIATE_TEST_SUITE_P(ChunkSizes, ListFileReaderTest, testing::Values(1, 2, 3, 7, 4096, 1 << 20));

TEST_P(ListFileReaderTest, ReadsWhatTheWriterWrote)
{
    const std::vector<std::string> entries = {"C:\\pics\\sea.jpg",
                                              "",
                                              "  spaced  ",
                                              "D:\\\xe9t\xe9.bmp",
                                              "\x1a"
                                              "after eof mark",
                                              "relative.jpg"};
    TStringByteSink sink;
    WriteListFile(sink, entries);
    const TReadResult result = Read(sink.Text());
    EXPECT_EQ(result.Count, 6);
    EXPECT_EQ(result.Entries, entries);
}

TEST_P(ListFileReaderTest, CountIsFoundAfterBlankBytesAndTheRestOfItsLineIsSkipped)
{
    EXPECT_THAT(Read("\r\n \t\r\n  2\r\na\r\nb\r\n").Entries, ElementsAre("a", "b"));
    EXPECT_THAT(Read("2 entries follow\r\na\r\nb\r\n").Entries, ElementsAre("a", "b"));
    EXPECT_THAT(Read("2\x01garbage\nx\ny\n").Entries, ElementsAre("x", "y"));
    EXPECT_THAT(Read("$2\r\na\r\nb").Entries, ElementsAre("a", "b"));
    // The count's line ends only at LF: a lone CR keeps the next text on it.
    EXPECT_THAT(Read("1\rhidden\nshown\n").Entries, ElementsAre("shown"));
}

TEST_P(ListFileReaderTest, EndOfDataBeforeTheCountReadsAsZero)
{
    for (std::string_view bytes :
         {std::string_view(""), std::string_view("\r\n\r\n"), std::string_view(" \t\x01\x20")})
        EXPECT_EQ(Read(bytes).Count, 0);
    EXPECT_EQ(Read("0\r\n").Count, 0);
    // 0x1A is a control byte like any other here, and is skipped.
    EXPECT_EQ(Read("\x1a"
                   "4\r\n")
                  .Count,
              4);
    EXPECT_EQ(Read("-5\r\nx\r\n").Count, -5);
}

TEST_P(ListFileReaderTest, CountIsReadFromAtMostThirtyTwoBytes)
{
    // 32 zeros are read as the count; the "7" after them is on the skipped
    // rest of the line.
    const std::string zeros(32, '0');
    EXPECT_EQ(Read(zeros + "7\r\n").Count, 0);
    EXPECT_EQ(Read(std::string(31, '0') + "7\r\n").Count, 7);
    // Thirty-two significant digits do not fit.
    EXPECT_THROW(Read(std::string(32, '1') + "\r\n"), EConvertError);
}

TEST_P(ListFileReaderTest, CountThatIsNotANumberIsRejected)
{
    for (std::string_view bytes : {std::string_view("\xEF\xBB"
                                                    "1\r\na\r\n"),
                                   std::string_view("\xEF\xBB\xBF\xEF\xBB\xBF"
                                                    "1\r\na\r\n"),
                                   std::string_view("C:\\a.jpg\r\n"), std::string_view("3x\r\n")}) {
        try {
            Read(bytes);
            ADD_FAILURE() << "accepted";
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), "Invalid numeric input");
        }
    }
}

TEST_P(ListFileReaderTest, AByteOrderMarkAtTheStartIsSkipped)
{
    EXPECT_THAT(Read("\xEF\xBB\xBF"
                     "2\r\na\r\nb\r\n")
                    .Entries,
                ElementsAre("a", "b"));
    EXPECT_THAT(Read("\xEF\xBB\xBF"
                     "\r\n 1\r\n\xEF\xBB\xBF"
                     "x\r\n")
                    .Entries,
                ElementsAre("\xEF\xBB\xBF"
                            "x"));
    EXPECT_EQ(Read("\xEF\xBB\xBF").Count, 0);
}

TEST_P(ListFileReaderTest, LinesEndAtLfWithEveryCrLeftOut)
{
    EXPECT_THAT(Read("4\r\nlf only\ncr lf\r\na\rb\r\nlast\r\r\n").Entries,
                ElementsAre("lf only", "cr lf", "ab", "last"));
    // Spaces and other bytes are kept; nothing is trimmed.
    EXPECT_THAT(Read("2\r\n  lead\r\ntrail \t \r\n").Entries, ElementsAre("  lead", "trail \t "));
    // 0x1A is an ordinary byte, not the end of the file.
    EXPECT_THAT(Read("2\r\na\x1a"
                     "b\r\n\x1a\r\n")
                    .Entries,
                ElementsAre("a\x1a"
                            "b",
                            "\x1a"));
    EXPECT_THAT(Read("1\r\n" + std::string(100000, 'p') + "\r\n").Entries[0].size(), 100000u);
}

TEST_P(ListFileReaderTest, ShortAndLongFilesFollowTheCount)
{
    // Lines missing at the end read as empty entries; extra lines are ignored.
    EXPECT_THAT(Read("3\r\nonly\r\n").Entries, ElementsAre("only", "", ""));
    EXPECT_THAT(Read("1\r\nfirst\r\nsecond\r\nthird\r\n").Entries, ElementsAre("first"));
    EXPECT_THAT(Read("2\r\nno line end").Entries, ElementsAre("no line end", ""));
    EXPECT_THAT(Read("3\r\na\r\n\r\nc\r\n").Entries, ElementsAre("a", "", "c"));
    EXPECT_THAT(Read("2").Entries, ElementsAre("", ""));
}

TEST_P(ListFileReaderTest, AtEndReportsWhetherBytesRemain)
{
    TChunkedSource source("1\r\nx\r\n", GetParam());
    TListFileReader reader(source);
    EXPECT_FALSE(reader.AtEnd());
    EXPECT_EQ(reader.ReadCount(), 1);
    EXPECT_FALSE(reader.AtEnd());
    EXPECT_EQ(reader.ReadLine(), "x");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.ReadLine(), "");
    EXPECT_TRUE(reader.AtEnd());
}
