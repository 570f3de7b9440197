// Entry of the Windows test program: one application object for all tests,
// with the error handler captured instead of showing message boxes, and one
// root folder for the tests' temporary folders, removed at the end.

#include "platform/ComObjects.h"
#include "support/TempFolder.h"
#include "support/TestApplication.h"

#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    testing::InitGoogleMock(&argc, argv);
    // As the program's thread: its windows hand accessible objects to
    // other programs through COM.
    const TComApartment apartment;
    TApplication application;
    application.Title = "Tessivo";
    application.OnShowError = [](const std::string& caption, const std::string& text) {
        CapturedErrors().push_back({caption, text});
    };
    const int result = RUN_ALL_TESTS();
    RemoveTestRoot();
    return result;
}
