// The folders a list follows, kept after the counted entries of a list file:
// what an older reader makes of such a file, the round trip, and a damaged
// tail that never costs the entries.

#include "lists/FollowedFolders.h"
#include "lists/Latin1CodePage.h"
#include "lists/ListFileReader.h"
#include "lists/ListFileWriter.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string Greek = "C:\\\xce\xa9\xce\xbc\xce\xad\xce\xb3\xce\xb1";

std::string Written(const std::vector<std::string>& entries, const std::vector<TFollowedFolder>& folders)
{
    TStringByteSink sink;
    WriteListFile(sink, entries, TLatin1CodePage(), FollowedFolderLines(folders));
    return sink.Text();
}

// A list reader of the plain format alone, as older copies have it: the
// count, then that many lines, and nothing more.
std::vector<std::string> ReadWithPlainRules(const std::string& bytes)
{
    std::istringstream in(bytes);
    std::string line;
    std::getline(in, line);
    const int count = std::stoi(line);
    std::vector<std::string> entries;
    for (int i = 0; i < count && std::getline(in, line); ++i) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        entries.push_back(line);
    }
    return entries;
}

struct TReadBack {
    std::vector<std::string> Entries;
    std::vector<TFollowedFolder> Folders;
};

TReadBack ReadBack(const std::string& bytes)
{
    TMemoryByteSource source(bytes);
    TLatin1CodePage codePage;
    TListFileReader reader(source, codePage);
    TReadBack back;
    back.Entries = reader.ReadEntries(reader.ReadCount(), 100);
    back.Folders = ParseFollowedFolderLines(reader.ReadTrailingLines(MaxFollowedFolderLines));
    return back;
}

} // namespace

TEST(FollowedFolders, TodaysReaderStopsAtTheCountedEntries)
{
    TMemoryByteSource source(
        std::string_view("2\r\nC:\\a.jpg\r\nC:\\b.jpg\r\nC:\\c.jpg\r\nanything | at all\r\n"));
    TLatin1CodePage codePage;
    TListFileReader reader(source, codePage);
    EXPECT_EQ(reader.ReadEntries(reader.ReadCount(), 100),
              (std::vector<std::string>{"C:\\a.jpg", "C:\\b.jpg"}));
}

TEST(FollowedFolders, AnOlderReaderSeesThePlainPicturesAndTheRoundTripKeepsFoldersAndExclusions)
{
    const std::vector<std::string> entries{"C:\\Holiday\\sea.jpg", "C:\\loose.png", Greek + "\\x.jpg"};
    const std::vector<TFollowedFolder> folders{
        {"C:\\Holiday", {"C:\\Holiday\\blurred.jpg", "C:\\Holiday\\sub\\dark.jpg"}},
        {Greek, {}},
        {"\\\\server\\share\\pics", {}}};
    for (const std::string& bytes : {Written(entries, folders), Written({"C:\\only.jpg"}, folders)}) {
        const TReadBack back = ReadBack(bytes);
        ASSERT_EQ(back.Folders.size(), 3u);
        for (size_t i = 0; i < folders.size(); ++i) {
            EXPECT_EQ(back.Folders[i].Path, folders[i].Path);
            EXPECT_EQ(back.Folders[i].Excluded, folders[i].Excluded);
        }
    }
    // The Greek folder does not fit Latin-1: the whole file is UTF-8, and
    // an older reader still gets the count and the three entries.
    const std::string utf8 = Written(entries, folders);
    ASSERT_EQ(utf8.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(ReadWithPlainRules(utf8.substr(3)), entries);
    EXPECT_EQ(ReadBack(utf8).Entries, entries);
    const std::string codePage = Written({"C:\\Holiday\\sea.jpg"}, {folders[0]});
    EXPECT_EQ(ReadWithPlainRules(codePage), std::vector<std::string>{"C:\\Holiday\\sea.jpg"});
    // A list that follows nothing is written as it always was.
    EXPECT_EQ(Written({"C:\\a.jpg"}, {}), "1\r\nC:\\a.jpg\r\n");
}

TEST(FollowedFolders, ADamagedTailIsPassedOverAndNeverCostsTheEntries)
{
    std::string tail = "Folder=C:\\before-the-marker\r\n"
                       ";Tessivo followed folders\r\n"
                       "Folder=relative\\pics\r\n"
                       "Excluded=relative\\pics\\a.jpg\r\n"
                       "Folder=C:bad\r\n"
                       "Folder=C:\\in|valid\r\n"
                       "Folder=\\\\server\r\n"
                       "Folder=C:\\Good\\\r\n"
                       "Excluded=D:\\elsewhere\\a.jpg\r\n"
                       "Excluded=C:\\Good\\kept-out.jpg\r\n"
                       "Excluded=C:\\Good\r\n"
                       "2147483647\r\n"
                       "Something=else\r\n";
    // A line that is no UTF-8 in a UTF-8 file is left out, not raised.
    const std::string bytes = "\xEF\xBB\xBF"
                              "2\r\nC:\\a.jpg\r\nC:\\b.jpg\r\n" +
                              tail + "Folder=C:\\\xff\r\n" + "Folder=C:\\Last";
    const TReadBack back = ReadBack(bytes);
    EXPECT_EQ(back.Entries, (std::vector<std::string>{"C:\\a.jpg", "C:\\b.jpg"}));
    ASSERT_EQ(back.Folders.size(), 2u);
    EXPECT_EQ(back.Folders[0].Path, "C:\\Good");
    EXPECT_EQ(back.Folders[0].Excluded, std::vector<std::string>{"C:\\Good\\kept-out.jpg"});
    EXPECT_EQ(back.Folders[1].Path, "C:\\Last");

    // Far more folders than any list follows: the first ones are taken.
    std::string many = "1\r\nC:\\a.jpg\r\n;Tessivo followed folders\r\n";
    for (int i = 0; i < 1000; ++i)
        many += "Folder=C:\\f" + std::to_string(i) + "\r\n";
    const TReadBack crowded = ReadBack(many);
    EXPECT_EQ(crowded.Entries, std::vector<std::string>{"C:\\a.jpg"});
    EXPECT_EQ(crowded.Folders.size(), MaxFollowedFolders);
    // A huge count with a tail: the tail's lines read as entries, as they
    // always did, and nothing is left to read as folders.
    EXPECT_EQ(ReadBack("99999999\r\nC:\\a.jpg\r\n;Tessivo followed folders\r\n").Entries.size(), 100u);
}

TEST(FollowedFolders, FullPathsAndInsideness)
{
    for (const char* path : {"C:\\", "c:/pics", "\\\\server\\share", "\\\\server\\share\\pics"})
        EXPECT_TRUE(IsFullFolderPath(path)) << path;
    for (const char* path : {"", "pics", "\\pics", "C:pics", "\\\\server", "\\\\server\\", "\\\\\\x\\y"})
        EXPECT_FALSE(IsFullFolderPath(path)) << path;
    EXPECT_TRUE(IsInsideFolder("c:\\PICS\\a.jpg", "C:\\pics"));
    EXPECT_TRUE(IsInsideFolder("C:\\a.jpg", "C:\\"));
    EXPECT_FALSE(IsInsideFolder("C:\\pictures\\a.jpg", "C:\\pics"));
    EXPECT_FALSE(IsInsideFolder("C:\\pics", "C:\\pics"));
    EXPECT_EQ(WithoutTrailingSeparator("C:\\pics\\\\"), "C:\\pics");
    EXPECT_EQ(WithoutTrailingSeparator("C:\\"), "C:\\");
}
