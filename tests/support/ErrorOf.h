#pragma once
// The message an action raises as the given kind of error (any of the
// program's errors by default), or "" when it raises nothing. An error of
// another kind passes through and fails the test.

#include "core/Exceptions.h"

#include <string>

template <typename Error = Exception, typename Action>
std::string ErrorOf(Action action)
{
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}
