#pragma once
// The About box's picture: a JPEG stored in the program's resources.

#include "framework/graphics/JpegImage.h"

#include <memory>

// Reads the picture from the resources of the program's module. A missing
// or damaged resource raises the JPEG error like any other bad picture.
std::unique_ptr<TJPEGImage> LoadAboutPicture();
