#pragma once
// The program keeps all text, file names included, as UTF-8 in std::string;
// the platform takes and gives UTF-16. These are the checks and conversions
// between the two, written out here so that they are the same on every
// system and can be tested and fuzzed on the host.
//
// Nothing is repaired silently: an invalid UTF-8 sequence or a lone
// surrogate would name another file than the one meant, so the strict
// conversions refuse them. Only text meant for the eye (an error naming a
// broken name) is converted with U+FFFD in place of what cannot be shown.
//
// Portable: no Windows header.

#include <optional>
#include <string>
#include <string_view>

// True when `text` is well-formed UTF-8: no stray or missing continuation
// bytes, no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// The UTF-16 form of well-formed UTF-8; nothing when `text` is not.
std::optional<std::u16string> Utf16FromUtf8(std::string_view text);

// The UTF-8 form of well-formed UTF-16; nothing when `text` holds a
// surrogate without its partner.
std::optional<std::string> Utf8FromUtf16(std::u16string_view text);

// As Utf8FromUtf16, with U+FFFD for each lone surrogate: for showing a name
// that cannot be used.
std::string Utf8FromUtf16Replacing(std::u16string_view text);

// As Utf16FromUtf8, with U+FFFD for each byte that starts no valid sequence.
std::u16string Utf16FromUtf8Replacing(std::string_view text);
