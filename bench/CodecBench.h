#pragma once
#include "BenchPictures.h"

#include <vector>

// Registers the codec benchmarks for each picture; `pictures` must outlive
// the benchmark run.
void RegisterCodecBenchmarks(const std::vector<BenchPicture>& pictures);
