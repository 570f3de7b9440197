#include "platform/ProgramFolder.h"

#include "core/Exceptions.h"
#include "core/FileNames.h"
#include "platform/Files.h"
#include "platform/WideText.h"
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

TEST(ProgramFolder, AFolderOutsideTheCodePageIsNamedAsItIs)
{
    TTempFolder folder;
    const std::wstring wideFolder = WideFromUtf8(folder.Path()) + L"\\Tools \u65E5\u672C";
    ASSERT_TRUE(CreateDirectoryW(wideFolder.c_str(), nullptr));
    const std::wstring program = wideFolder + L"\\tessivo.exe";
    const HANDLE file = CreateFileW(program.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    const std::string path = Utf8FromWide(program);
    EXPECT_EQ(path, folder.Path() + "\\Tools \xe6\x97\xa5\xe6\x9c\xac\\tessivo.exe");
    EXPECT_TRUE(FileExists(path)) << path;
    // Its folder takes the files kept beside the program.
    const std::string beside = ExtractFilePath(path) + "LastList.lst";
    PutFileBytes(beside, "0\r\n");
    EXPECT_TRUE(FileExists(beside)) << beside;
    DeleteFileW(WideFromUtf8(beside).c_str());
    DeleteFileW(program.c_str());
    RemoveDirectoryW(wideFolder.c_str());
}
