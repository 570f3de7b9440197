#include "support/TestApplication.h"

std::vector<CapturedError>& CapturedErrors()
{
    static std::vector<CapturedError> errors;
    return errors;
}

void PumpMessages(int milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        Application->ProcessMessages();
        if (milliseconds > 0)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    } while (static_cast<int>(GetTickCount() - start) < milliseconds);
}
