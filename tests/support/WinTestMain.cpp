// Entry of the Windows test program: one application object for all tests,
// with the error handler captured instead of showing message boxes.

#include "support/TestApplication.h"

#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    testing::InitGoogleMock(&argc, argv);
    TApplication application;
    application.Title = "Tessivo";
    application.OnShowError = [](const std::string& caption, const std::string& text) {
        CapturedErrors().push_back({caption, text});
    };
    return RUN_ALL_TESTS();
}
