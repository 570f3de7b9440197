#pragma once
// Showing a form modally: the program's other windows take no input until
// the form closes (it hides, or a modal result is set).

#include "framework/Form.h"

inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;

// Disables the thread's other enabled top-level windows, shows the form and
// runs the message loop until the form is hidden or has a modal result, then
// enables those windows again and hides the form. A form closed without a
// result answers mrCancel. A quit message during the loop ends it and is
// passed on to the outer loop.
TModalResult ShowModal(TForm& form);
