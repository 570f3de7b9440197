#include "platform/UserFolders.h"

#include "platform/FakeDesktop.h"
#include "platform/Files.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

TEST(UserFolders, AFolderAcceptsNewFilesOnlyWhenOneCanBeCreatedThere)
{
    TTempFolder folder;
    EXPECT_TRUE(FolderAcceptsNewFiles(folder.Path()));
    EXPECT_TRUE(FolderAcceptsNewFiles(folder.Path() + "\\"));
    EXPECT_TRUE(folder.FileNames().empty()) << "the probe file stays behind";

    PutFileBytes(folder / "plain.txt", "a file, not a folder");
    EXPECT_FALSE(FolderAcceptsNewFiles(folder / "plain.txt"));
    EXPECT_FALSE(FolderAcceptsNewFiles(folder / "missing"));
}

TEST(UserFolders, TheUsersDataFolderIsCreatedAndEndsInItsName)
{
    const std::string folder = UserDataFolder();
    ASSERT_GE(folder.size(), 9u);
    EXPECT_EQ(folder.substr(folder.size() - 9), "\\Tessivo\\");
    EXPECT_TRUE(FolderAcceptsNewFiles(folder));
}

class LastListFolderTest : public testing::Test {
protected:
    std::string Choose() { return LastListFolder(desktop, programFolder, "LastList.lst"); }

    TTempFolder program;
    TTempFolder user;
    std::string programFolder = program.Path() + "\\";
    TFakeDesktop desktop{"C:\\windows"};

    void SetUp() override { desktop.UserFolder = user.Path() + "\\"; }
};

TEST_F(LastListFolderTest, TheLastListStaysBesideAProgramThatCanWriteThere)
{
    PutFileBytes(program / "LastList.lst", "1\r\nC:\\a.bmp\r\n");
    EXPECT_EQ(Choose(), programFolder);
    EXPECT_TRUE(user.FileNames().empty());
}

TEST_F(LastListFolderTest, AClosedProgramFolderSendsTheLastListToTheUsersFolderWithItsEntries)
{
    desktop.ClosedFolders = {programFolder};
    EXPECT_EQ(Choose(), desktop.UserFolder);
    EXPECT_TRUE(user.FileNames().empty()) << "nothing to carry over, nothing made";

    // A list left beside the program by an earlier run is carried over once;
    // after that the user's own list wins.
    PutFileBytes(program / "LastList.lst", "1\r\nC:\\a.bmp\r\n");
    EXPECT_EQ(Choose(), desktop.UserFolder);
    EXPECT_EQ(FileBytes(user / "LastList.lst"), "1\r\nC:\\a.bmp\r\n");
    PutFileBytes(user / "LastList.lst", "0\r\n");
    EXPECT_EQ(Choose(), desktop.UserFolder);
    EXPECT_EQ(FileBytes(user / "LastList.lst"), "0\r\n");
    EXPECT_EQ(FileBytes(program / "LastList.lst"), "1\r\nC:\\a.bmp\r\n");
}

TEST_F(LastListFolderTest, WithoutAUsersFolderTheProgramsFolderIsKept)
{
    desktop.ClosedFolders = {programFolder};
    desktop.UserFolder.clear();
    EXPECT_EQ(Choose(), programFolder);
}
