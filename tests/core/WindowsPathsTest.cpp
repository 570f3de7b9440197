#include "core/WindowsPaths.h"

#include <gtest/gtest.h>

TEST(WindowsPaths, NamesWindowsCannotHaveAreRefusedDrivesAndLongPathPrefixesAreNot)
{
    for (const char* allowed :
         {"", "C:\\pics\\a.jpg", "c:/pics/a b.jpg", "relative\\a.bmp", "D:a.bmp",
          "\\\\?\\C:\\very\\long\\a.jpg", "\\\\.\\C:\\a.jpg", "\\\\?\\UNC\\server\\share\\a.jpg",
          "\\\\server\\share\\a.jpg", "C:\\\xCE\xA9mega\\\xE6\x9D\xB1.jpg"})
        EXPECT_TRUE(IsNameWindowsAllows(allowed)) << allowed;
    for (const char* refused :
         {"C:\\pics\\a.jpg\" C:\\windows\\system32\\calc.exe", "C:\\a<b.jpg", "C:\\a>b.jpg", "C:\\a|b.jpg",
          "C:\\*.jpg", "C:\\a?.jpg", "C:\\a\tb.jpg", "C:\\a\x01.jpg", "C:\\a.jpg:stream", "1:\\a.jpg",
          "\\??\\UNC\\server\\share\\a.jpg", "\\\\?\\C:\\a:b.jpg", "x\\C:\\a.jpg"})
        EXPECT_FALSE(IsNameWindowsAllows(refused)) << refused;
}

TEST(WindowsPaths, PathsThatReachAnotherComputer)
{
    const auto mappedZ = [](char drive) { return drive == 'Z'; };
    for (const char* remote : {"\\\\host\\share\\x.jpg", "//host/share/x.jpg", "\\/host\\share\\x.jpg",
                               "\\\\?\\UNC\\host\\share\\x.jpg", "\\\\.\\UNC\\host\\share\\x.jpg",
                               "\\\\?\\GLOBALROOT\\Device\\Mup\\host\\x.jpg", "\\??\\UNC\\host\\share\\x.jpg",
                               "z:\\pics\\x.jpg", "\\\\?\\Z:\\x.jpg"})
        EXPECT_TRUE(IsOnAnotherComputer(remote, mappedZ)) << remote;
    for (const char* local :
         {"C:\\pics\\x.jpg", "\\\\?\\C:\\x.jpg", "\\\\.\\c:\\x.jpg", "relative.jpg", "\\root.jpg", ""})
        EXPECT_FALSE(IsOnAnotherComputer(local, mappedZ)) << local;
    EXPECT_EQ(DriveLetterOf("z:\\x"), 'Z');
    EXPECT_EQ(DriveLetterOf("\\\\?\\d:\\x"), 'D');
    EXPECT_EQ(DriveLetterOf("\\\\host\\share"), 0);
}
