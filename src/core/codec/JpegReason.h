#pragma once
// Why libjpeg refused a picture, as a sentence the user can read (one of
// the texts of core/JpegErrorTexts.h), from the message it raised.
//
// Internal to the codec folder.

#include "core/Exceptions.h"

#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <jpeglib.h>
#include <string>

// `common` is the decompressor whose error manager holds the fatal message;
// `inputEnded` tells that libjpeg had already run out of data (it warned of
// a premature end), so whatever it then stumbled over is a file cut short.
std::string JpegRefusalReason(j_common_ptr common, bool inputEnded);

// EJPEG with libjpeg's message number and the reason in words:
// "JPEG error #n: reason".
EJPEG JpegErrorWithReason(int messageCode, const std::string& reason);
