// The message loop's own duties: the main thread's OLE apartment, entered
// once the loop first runs out of work and kept (decodes in between leave it
// as it is), and the count of the program's modal loops.

#include "core/codec/PixelImage.h"
#include "framework/Timer.h"
#include "platform/PictureFile.h"
#include "support/SamplePictures.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

#include <objbase.h>

namespace {

// Whether the calling thread is in a single-threaded apartment already.
bool InApartment()
{
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(result))
        CoUninitialize();
    return result == S_FALSE;
}

// A PNG, which the Imaging Component decodes through COM.
void DecodePng()
{
    PixelImage image;
    PictureRequest request;
    request.Allocate = [&image](int width, int height) {
        image = PixelImage(width, height);
        return PixelRows{image.Row(0), image.Stride()};
    };
    DecodePicture(TwoColourPng, sizeof TwoColourPng, request);
}

} // namespace

TEST(MessageLoop, EntersOleOnceIdleAndDecodesLeaveTheApartmentAsItIs)
{
    const bool showMainForm = Application->ShowMainForm;
    Application->ShowMainForm = false;
    bool whileRunning = false;
    bool afterDecodes = false;
    TTimer stop(nullptr);
    stop.SetInterval(10);
    stop.SetOnTimer([&](TObject*) {
        stop.SetEnabled(false);
        whileRunning = InApartment();
        DecodePng();
        DecodePng();
        afterDecodes = InApartment();
        Application->Terminate();
    });
    stop.SetEnabled(true);
    Application->Run();
    Application->ShowMainForm = showMainForm;
    EXPECT_TRUE(whileRunning);
    EXPECT_TRUE(afterDecodes);
}

TEST(MessageLoop, TheLastModalLoopToCloseIsTold)
{
    int told = 0;
    Application->OnModalLoopsEnded = [&told] { ++told; };
    {
        const TModalLoop box;
        {
            const TModalLoop dialogOverIt;
            EXPECT_TRUE(Application->InModalLoop());
        }
        EXPECT_EQ(told, 0);
    }
    EXPECT_FALSE(Application->InModalLoop());
    EXPECT_EQ(told, 1);
    Application->OnModalLoopsEnded = nullptr;
}
