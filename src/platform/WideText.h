#pragma once
// The one boundary between the program's text (UTF-8 in std::string) and the
// platform's wide (UTF-16) calls. Every Win32 call that takes or gives text
// is made in its wide form, with its text passed through these.

#include <string>
#include <string_view>

// UTF-8 as UTF-16. Text that is not valid UTF-8 raises EConvertError rather
// than naming some other file.
std::wstring WideFromUtf8(std::string_view text);

// UTF-16 from the platform as UTF-8. A lone surrogate raises EConvertError.
std::string Utf8FromWide(std::wstring_view text);

// As WideFromUtf8, but with U+FFFD for what is not UTF-8: for text that is
// only shown and must be shown whatever it holds (an error message).
std::wstring WideFromUtf8Replacing(std::string_view text);

// As Utf8FromWide, but with U+FFFD for a lone surrogate: for text that is
// only shown, such as a name in an error.
std::string Utf8FromWideReplacing(std::wstring_view text);

// A text's wide form written into a fixed field of a system structure
// (a font's face name, a tray tip), cut to fit with its closing NUL. A cut
// never splits a surrogate pair.
void CopyWideToField(std::string_view text, wchar_t* field, size_t fieldSize);
