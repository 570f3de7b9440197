#include "platform/ErrorMode.h"

#include <windows.h>

void FailCriticalErrorsQuietly()
{
    SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}
