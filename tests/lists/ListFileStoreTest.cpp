#include "lists/ListFileStore.h"
#include "support/ErrorOf.h"

#include "core/Exceptions.h"
#include "lists/ListFileWriter.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;

namespace {

// Passes bytes on until `Budget` is used up, then fails as a full disk would.
class TDiskFullAfter : public IByteSink {
public:
    TDiskFullAfter(IByteSink& target, size_t budget) : Target(target), Budget(budget) {}
    void Write(const char* data, size_t size) override
    {
        if (size > Budget)
            throw EInOutError::FromErrorCode(112);
        Target.Write(data, size);
        Budget -= size;
    }

private:
    IByteSink& Target;
    size_t Budget;
};

std::vector<std::string> LoadAll(const std::string& path)
{
    TListFileInput input(path);
    const int32_t count = input.ReadCount();
    std::vector<std::string> entries;
    for (int32_t i = 0; i < count; ++i)
        entries.push_back(input.ReadLine());
    return entries;
}

} // namespace

TEST(ListFileStore, SavedFilesAreByteExact)
{
    TTempFolder folder;
    SaveListFile(folder / "empty.lst", {});
    EXPECT_EQ(FileBytes(folder / "empty.lst"), std::string("0\r\n"));
    SaveListFile(folder / "two.lst", {"C:\\pics\\sea.jpg", " spaced "});
    EXPECT_EQ(FileBytes(folder / "two.lst"), "2\r\nC:\\pics\\sea.jpg\r\n spaced \r\n");
    // Saving again replaces the whole file, shorter or not.
    SaveListFile(folder / "two.lst", {"x"});
    EXPECT_EQ(FileBytes(folder / "two.lst"), "1\r\nx\r\n");
    EXPECT_THAT(LoadAll(folder / "two.lst"), ElementsAre("x"));
}

TEST(ListFileStore, FailedWritePartWayLeavesTheOldListIntact)
{
    TTempFolder folder;
    const std::string path = folder / "LastList.lst";
    SaveListFile(path, {"C:\\old\\one.jpg", "C:\\old\\two.bmp"});
    const std::string before = FileBytes(path);
    const std::vector<std::string> entries(5000, "C:\\new\\picture.jpg");
    EXPECT_EQ(ErrorOf([&] {
                  TAtomicFileWriter file = TAtomicFileWriter::CreateText(path);
                  TDiskFullAfter disk(file, 70000); // past the first buffer flush
                  WriteListFile(disk, entries);
                  file.Commit();
              }),
              "I/O error 112");
    EXPECT_EQ(FileBytes(path), before);
    EXPECT_THAT(folder.FileNames(), ElementsAre("LastList.lst"));
    // And the next save goes through.
    SaveListFile(path, entries);
    EXPECT_EQ(LoadAll(path), entries);
}

TEST(ListFileStore, SaveFailuresCarryTheFileTexts)
{
    TTempFolder folder;
    EXPECT_EQ(ErrorOf([&] { SaveListFile(folder / "missing\\x.lst", {"a"}); }), "Invalid filename");
    EXPECT_EQ(ErrorOf([&] { SaveListFile(folder / "a|b.lst", {"a"}); }), "Invalid filename");
    const std::string readOnly = folder / "ro.lst";
    SaveListFile(readOnly, {"kept"});
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ErrorOf([&] { SaveListFile(readOnly, {"lost"}); }), "File access denied");
    EXPECT_THAT(LoadAll(readOnly), ElementsAre("kept"));
    EXPECT_THAT(folder.FileNames(), ElementsAre("ro.lst"));
}

TEST(ListFileStore, ReadFailuresCarryTheirTextsAndReleaseTheFile)
{
    TTempFolder folder;
    EXPECT_EQ(ErrorOf([&] { TListFileInput input(folder / "missing.lst"); }), "File not found");
    EXPECT_EQ(ErrorOf([&] { TListFileInput input(folder / "none\\x.lst"); }), "Invalid filename");
    const std::string path = folder / "bad.lst";
    PutFileBytes(path, "one\r\nC:\\a.jpg\r\n");
    EXPECT_EQ(ErrorOf([&] { LoadAll(path); }), "Invalid numeric input");
    // The failed read did not leave the file open: it can be written again.
    SaveListFile(path, {"C:\\b.jpg"});
    EXPECT_THAT(LoadAll(path), ElementsAre("C:\\b.jpg"));
}

TEST(ListFileStore, OpenListCanBeReadButNotReplacedByOthers)
{
    TTempFolder folder;
    const std::string path = folder / "open.lst";
    SaveListFile(path, {"a", "b"});
    {
        TListFileInput input(path);
        EXPECT_EQ(input.ReadCount(), 2);
        EXPECT_THAT(LoadAll(path), ElementsAre("a", "b"));
        EXPECT_NE(ErrorOf([&] { SaveListFile(path, {"c"}); }), "");
        EXPECT_EQ(input.ReadLine(), "a");
    }
    EXPECT_THAT(LoadAll(path), ElementsAre("a", "b"));
    EXPECT_THAT(folder.FileNames(), ElementsAre("open.lst"));
}

TEST(ListFileStore, AListHeldOpenByAnotherProgramIsWaitedFor)
{
    TTempFolder folder;
    const std::string path = folder / "held.lst";
    SaveListFile(path, {"C:\\a.jpg"});
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    // The other program lets go during the second wait.
    int waits = 0;
    const TLockedFileWait wait{5, [&] {
                                   if (++waits == 2)
                                       CloseHandle(holder);
                               }};
    {
        TListFileInput input(path, wait);
        EXPECT_EQ(waits, 2);
        EXPECT_EQ(input.ReadCount(), 1);
        EXPECT_EQ(input.ReadLine(), "C:\\a.jpg");
    }

    // One that does not let go: after the last attempt the error stands.
    holder = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    waits = 0;
    EXPECT_EQ(ErrorOf([&] { TListFileInput again(path, {3, [&] { ++waits; }}); }), "I/O error 32");
    EXPECT_EQ(waits, 2);
    // Other errors are not waited for.
    waits = 0;
    EXPECT_EQ(ErrorOf([&] {
                  TListFileInput missing(folder / "missing.lst", {3, [&] { ++waits; }});
              }),
              "File not found");
    EXPECT_EQ(waits, 0);
    CloseHandle(holder);
}
