#pragma once
// Test pictures and their comparison, for the codec tests of both builds.

#include "core/codec/PixelImage.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace codec_test {

// A deterministic test picture: smooth gradients, sharp-edged blocks and
// noise, so every frequency band of a JPEG carries data.
PixelImage MakeTestPicture(int width, int height, uint32_t seed = 1);

// Same size and the same bytes in every pixel; on failure tells where.
::testing::AssertionResult SamePixels(const PixelImage& expected, const PixelImage& actual);

} // namespace codec_test
