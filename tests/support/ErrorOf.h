#pragma once
// The message an action raises, or "" when it raises nothing.

#include "core/Exceptions.h"

#include <string>

template <typename Action>
std::string ErrorOf(Action action)
{
    try {
        action();
    } catch (const Exception& e) {
        return e.what();
    }
    return "";
}
