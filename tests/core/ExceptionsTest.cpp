#include "core/Exceptions.h"

#include <gtest/gtest.h>

TEST(WithFullStop, AppendsOnlyAfterCharactersAboveFullStop)
{
    EXPECT_EQ(WithFullStop("File not found"), "File not found.");
    EXPECT_EQ(WithFullStop("I/O error 32"), "I/O error 32.");
    EXPECT_EQ(WithFullStop("List index out of bounds (7)"), "List index out of bounds (7)");
    EXPECT_EQ(WithFullStop("Done."), "Done.");
    EXPECT_EQ(WithFullStop("Cannot open file \"a\". "), "Cannot open file \"a\". ");
    EXPECT_EQ(WithFullStop("odd/"), "odd/.");  // '/' comes right after '.'
    EXPECT_EQ(WithFullStop("dash-"), "dash-"); // '-' comes before '.'
    EXPECT_EQ(WithFullStop(""), "");
    EXPECT_EQ(WithFullStop("caf\xC3\xA9"), "caf\xC3\xA9."); // a letter beyond ASCII counts as after '.'
}

TEST(ExceptionTexts, FormatTheirArguments)
{
    EXPECT_EQ(EListError::IndexOutOfBounds(-1).Message, "List index out of bounds (-1)");
    EXPECT_EQ(EFOpenError::CannotOpen("C:\\a.lst", "File not found").Message,
              "Cannot open file \"C:\\a.lst\". File not found");
    EXPECT_EQ(EInvalidGraphic::UnknownExtension("gif").Message, "Unknown picture file extension (.gif)");
    EXPECT_EQ(EJPEG::FromMessageCode(53).Message, "JPEG error #53");
    EXPECT_EQ(ERegistryException::SetDataFailed("style").Message, "Failed to set data for 'style'");
}

TEST(EInOutError, MapsSystemErrorCodesToTexts)
{
    EXPECT_EQ(EInOutError::FromErrorCode(2).Message, "File not found");
    EXPECT_EQ(EInOutError::FromErrorCode(3).Message, "Invalid filename");
    EXPECT_EQ(EInOutError::FromErrorCode(123).Message, "Invalid filename");
    EXPECT_EQ(EInOutError::FromErrorCode(4).Message, "Too many open files");
    EXPECT_EQ(EInOutError::FromErrorCode(5).Message, "File access denied");
    EXPECT_EQ(EInOutError::FromErrorCode(112).Message, "I/O error 112");
    EXPECT_EQ(EInOutError::FromErrorCode(112).ErrorCode, 112);
}

TEST(EInOutError, AListNotSavedNamesTheFileTheCauseAndTheRemedy)
{
    EXPECT_EQ(
        EInOutError::ListNotSaved("C:\\t\\LastList.lst", 112).Message,
        "Could not save the list to C:\\t\\LastList.lst: the disk is full. Free some space and try again.");
    EXPECT_EQ(EInOutError::ListNotSaved("D:\\l.lst", 39).ErrorCode, 39);
    EXPECT_NE(EInOutError::ListNotSaved("D:\\l.lst", 32).Message.find("another program is using the file"),
              std::string::npos);
    EXPECT_NE(EInOutError::ListNotSaved("D:\\l.lst", 21).Message.find("Check that the drive is connected"),
              std::string::npos);
    EXPECT_EQ(EInOutError::ListNotSaved("D:\\l.lst", 1234).Message,
              "Could not save the list to D:\\l.lst: the system reported error 1234. Try again.");
}
