#include "platform/ProgramFolder.h"

#include "core/Exceptions.h"
#include "platform/Files.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

TEST(ProgramFolder, IsTheExecutablesFolderWithItsBackslash)
{
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_TRUE(FileExists(folder + "tessivo_win_tests.exe")) << folder;
}

TEST(ProgramFolder, SetCurrentFolderMovesTheProcessOrRaises)
{
    TTempFolder folder;
    char previous[MAX_PATH + 1];
    GetCurrentDirectoryA(sizeof previous, previous);
    SetCurrentFolder(folder.Path());
    char now[MAX_PATH + 1];
    GetCurrentDirectoryA(sizeof now, now);
    EXPECT_EQ(lstrcmpiA(now, folder.Path().c_str()), 0) << now;
    try {
        SetCurrentFolder(folder / "missing");
        ADD_FAILURE() << "no error raised";
    } catch (const EInOutError& e) {
        EXPECT_TRUE(e.ErrorCode == ERROR_FILE_NOT_FOUND || e.ErrorCode == ERROR_PATH_NOT_FOUND)
            << e.ErrorCode;
    }
    SetCurrentDirectoryA(previous);
}
