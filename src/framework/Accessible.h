#pragma once
// What screen readers and other assistive technology see of a control: an
// accessible object (IAccessible) the control's window hands out for
// WM_GETOBJECT. It reads the control's accessible name, role, state, value
// and description as they are at each request, and carries out its default
// action; the list rows are its child elements.

#include <windows.h>

struct TMessage;

// Answers WM_GETOBJECT for the client area of `window`, a window of ours;
// false for any other object, which the platform's default answers.
bool AnswerAccessibleObject(HWND window, TMessage& message);
