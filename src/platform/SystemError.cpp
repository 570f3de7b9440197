#include "platform/SystemError.h"

#include "core/Exceptions.h"

#include <windows.h>

std::string SystemErrorMessage(unsigned long errorCode)
{
    char buffer[512];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                  errorCode, 0, buffer, sizeof buffer, nullptr);
    while (length > 0 && static_cast<unsigned char>(buffer[length - 1]) <= ' ')
        --length;
    if (length == 0)
        return EInOutError::FromErrorCode(static_cast<int>(errorCode)).Message;
    return std::string(buffer, length);
}
