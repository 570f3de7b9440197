#pragma once
// Why libjpeg refused a picture, in words: the texts EJPEG carries after
// the decoder's message number ("JPEG error #%d" of core/Exceptions.h),
// kept here as format strings like the others. %d takes an int, %s a
// string.
//
// Portable: no Windows header.

namespace ErrorText {
// The behaviour's "JPEG error #%d" with what went wrong after it.
inline constexpr const char* JpegErrorWithReason = "JPEG error #%d: %s";

namespace JpegReason {
inline constexpr const char* NotJpeg = "the file is not a JPEG picture";
inline constexpr const char* EmptyFile = "the file is empty";
inline constexpr const char* CutShort = "the file ends before the picture does";
inline constexpr const char* NoPicture = "the file holds no picture";
inline constexpr const char* Precision = "%d-bit JPEG pictures are not supported";
inline constexpr const char* Process = "lossless and hierarchical JPEG pictures are not supported";
inline constexpr const char* Arithmetic = "arithmetic-coded JPEG pictures are not supported";
inline constexpr const char* BadSize = "the picture's size is not valid";
inline constexpr const char* TooWide = "the picture is larger than JPEG allows (%d pixels a side)";
inline constexpr const char* Colors = "the picture's colour layout is not supported";
inline constexpr const char* OutOfMemory = "there is not enough memory to decode the picture";
inline constexpr const char* TooManyScans = "the picture has more than %d scans";
// libjpeg's own text for the refusals not named above.
inline constexpr const char* Damaged = "the picture's data is damaged (%s)";
} // namespace JpegReason
} // namespace ErrorText
