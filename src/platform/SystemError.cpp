#include "platform/SystemError.h"

#include "core/Exceptions.h"
#include "platform/WideText.h"

#include <windows.h>

std::string SystemErrorMessage(unsigned long errorCode)
{
    wchar_t buffer[512];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                  errorCode, 0, buffer, sizeof buffer / sizeof buffer[0], nullptr);
    while (length > 0 && buffer[length - 1] <= L' ')
        --length;
    if (length == 0)
        return EInOutError::FromErrorCode(static_cast<int>(errorCode)).Message;
    return Utf8FromWideReplacing(std::wstring_view(buffer, length));
}
