#pragma once
// The preview's decode of a photograph, side by side with libjpeg-turbo's
// own scaled decode (in-process, plain libjpeg API) and djpeg.

#include "BenchPictures.h"

#include <vector>

// The scale the preview decodes a picture of that size at: the program's
// own rule (PreviewScaleDenominator for the size TPreviewFrame keeps) for
// the main window's 218 x 162 box.
int PreviewBenchScale(int width, int height);

// Registers Preview/<picture>/{tessivo,libjpeg,djpeg} for each picture;
// `pictures` must outlive the run.
void RegisterPreviewBenchmarks(const std::vector<BenchPicture>& pictures);
