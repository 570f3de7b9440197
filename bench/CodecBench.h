#pragma once
#include "BenchPictures.h"

#include <benchmark/benchmark.h>

#include <vector>

// djpeg itself at 1/denom, process start included.
void DjpegBench(benchmark::State& state, const BenchPicture* picture, int denom);

// Registers the codec benchmarks for each picture; `pictures` must outlive
// the benchmark run.
void RegisterCodecBenchmarks(const std::vector<BenchPicture>& pictures);
