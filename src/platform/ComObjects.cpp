#include "platform/ComObjects.h"

#include <ole2.h>

void TOleApartment::Enter()
{
    if (!entered_)
        entered_ = SUCCEEDED(OleInitialize(nullptr));
}

TOleApartment::~TOleApartment()
{
    if (entered_)
        OleUninitialize();
}
