#include "platform/UserFolders.h"

#include "platform/Files.h"
#include "platform/TempFolder.h"

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

TEST(UserFolders, TheLastListStaysBesideAProgramThatCanWriteThere)
{
    TTempFolder program;
    const std::string programFolder = program.Path() + "\\";
    EXPECT_EQ(LastListFolder(programFolder, "LastList.lst"), programFolder);
}

TEST(UserFolders, AClosedProgramFolderSendsTheLastListToTheUsersFolder)
{
    // A folder that cannot take new files: a path below a plain file.
    TTempFolder program;
    PutFileBytes(program / "plain", "");
    const std::string closed = program / "plain" + "\\";
    const std::string name = "LastListTest-" + std::to_string(GetCurrentProcessId()) + ".lst";
    const std::string userFolder = UserDataFolder();
    EXPECT_EQ(LastListFolder(closed, name), userFolder);
    EXPECT_FALSE(FileExists(userFolder + name)) << "nothing to copy, nothing made";
}
