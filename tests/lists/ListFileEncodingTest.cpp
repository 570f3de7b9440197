#include "core/Exceptions.h"
#include "lists/Latin1CodePage.h"
#include "lists/ListFileReader.h"
#include "lists/ListFileWriter.h"

#include <gtest/gtest.h>

namespace {

const std::string Greek = "C:\\\xce\xa9\xce\xbc\xce\xad\xce\xb3\xce\xb1.jpg";
const std::string Japanese = "D:\\\xe5\xaf\x8c\xe5\xa3\xab\xe5\xb1\xb1.bmp";
const std::string Emoji = "\xf0\x9f\x8c\x8a wave.jpg";
const std::string Combining = "Cafe\xcc\x81.jpg";
const std::string Cafe = "C:\\pics\\caf\xc3\xa9.jpg"; // "café", in Latin-1 too

std::string Written(const std::vector<std::string>& entries)
{
    TStringByteSink sink;
    WriteListFile(sink, entries, TLatin1CodePage());
    return sink.Text();
}

std::vector<std::string> Read(std::string_view bytes)
{
    TMemoryByteSource source(bytes);
    TLatin1CodePage codePage;
    TListFileReader reader(source, codePage);
    const int32_t count = reader.ReadCount();
    return reader.ReadEntries(count, 100);
}

} // namespace

TEST(ListFileEncoding, AListTheCodePageHoldsIsWrittenInItByteForByteAsEver)
{
    // What the program has always written for these names.
    const std::string golden = "3\r\nC:\\pics\\caf\xe9.jpg\r\n\r\nsea \x1a.jpg\r\n";
    EXPECT_EQ(Written({Cafe, "", "sea \x1a.jpg"}), golden);
    EXPECT_EQ(Written({}), "0\r\n");
}

TEST(ListFileEncoding, OneNameOutsideTheCodePageMakesTheWholeListMarkedUtf8)
{
    EXPECT_EQ(Written({Cafe, Greek}), "\xef\xbb\xbf"
                                      "2\r\n" +
                                          Cafe + "\r\n" + Greek + "\r\n");
    // "e" with a combining accent is two characters, the second not Latin-1.
    EXPECT_EQ(Written({Combining}).substr(0, 3), "\xef\xbb\xbf");
}

TEST(ListFileEncoding, AListOfTodaysProgramReadsIdentically)
{
    // No mark: code-page text, every byte a character as before.
    EXPECT_EQ(Read("2\r\nC:\\pics\\caf\xe9.jpg\r\n\xe9 \xff\r\n"),
              (std::vector<std::string>{Cafe, "\xc3\xa9 \xc3\xbf"}));
    // Bytes that happen to form UTF-8 are still code-page text without the mark.
    EXPECT_EQ(Read("1\r\n\xc3\xa9\r\n"), std::vector<std::string>{"\xc3\x83\xc2\xa9"});
}

TEST(ListFileEncoding, NamesInAnyScriptRoundTripThroughMarkedUtf8)
{
    const std::vector<std::string> entries = {Greek, Japanese, Emoji, Combining, Cafe, ""};
    EXPECT_EQ(Read(Written(entries)), entries);
    // A list saved by hand as UTF-8 with the mark (Notepad) reads as well.
    EXPECT_EQ(Read("\xef\xbb\xbf"
                   "1\n" +
                   Greek + "\n"),
              std::vector<std::string>{Greek});
}

TEST(ListFileEncoding, InvalidUtf8AfterTheMarkIsAClearErrorNamingTheLine)
{
    try {
        Read("\xef\xbb\xbf"
             "3\r\nfine.jpg\r\ncaf\xe9.jpg\r\nlast.jpg\r\n");
        FAIL() << "read a list with a broken line";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message, "Line 3 of the list file is not valid UTF-8 text");
    }
    // Blank lines before the count are counted too.
    try {
        Read("\xef\xbb\xbf\r\n1\r\n\xed\xa0\x80.jpg");
        FAIL() << "read an encoded surrogate";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message, "Line 3 of the list file is not valid UTF-8 text");
    }
}

TEST(ListFileEncoding, ALineWindowsAllowsAsNoFileNameIsAnErrorNamingItsLine)
{
    const std::vector<std::string> hostile = {"C:\\pics\\a.jpg\" C:\\windows\\system32\\calc.exe",
                                              "C:\\pics\\a|b.jpg", "C:\\pics\\a.jpg:hidden",
                                              "C:\\pics\\\x7f\x01.jpg"};
    for (const std::string& line : hostile) {
        try {
            Read("3\r\nC:\\fine.jpg\r\n" + line + "\r\nlast.jpg\r\n");
            FAIL() << "read " << line;
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message, "Line 3 of the list file is not a file name Windows allows");
        }
    }
    // Long paths and empty lines still read as before, and a line past the
    // count is never judged.
    const std::vector<std::string> fine = {"\\\\?\\C:\\long\\a.jpg", "", "\\\\?\\UNC\\host\\share\\b.jpg",
                                           Cafe};
    EXPECT_EQ(Read(Written(fine)), fine);
    EXPECT_EQ(Read("1\r\nC:\\a.jpg\r\nC:\\b|c.jpg\r\n"), std::vector<std::string>{"C:\\a.jpg"});
}
