#include "framework/stdctrls/AreaResample.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// For each target index along one axis: which source indexes it covers and
// by which share (the shares of one target index add up to 1).
struct AxisWeights {
    std::vector<int> First;
    std::vector<int> Count;
    std::vector<size_t> Offset;
    std::vector<float> Share;
};

AxisWeights WeighAxis(int sourceSize, int targetSize)
{
    AxisWeights weights;
    weights.First.resize(static_cast<size_t>(targetSize));
    weights.Count.resize(static_cast<size_t>(targetSize));
    weights.Offset.resize(static_cast<size_t>(targetSize));
    const double scale = static_cast<double>(sourceSize) / targetSize;
    for (int t = 0; t < targetSize; ++t) {
        const double begin = t * scale, end = (t + 1) * scale;
        const int first = static_cast<int>(std::floor(begin));
        const int last = std::min(sourceSize - 1, static_cast<int>(std::ceil(end)) - 1);
        weights.First[static_cast<size_t>(t)] = first;
        weights.Count[static_cast<size_t>(t)] = last - first + 1;
        weights.Offset[static_cast<size_t>(t)] = weights.Share.size();
        for (int s = first; s <= last; ++s) {
            const double covered = std::min<double>(end, s + 1) - std::max<double>(begin, s);
            weights.Share.push_back(static_cast<float>(covered / scale));
        }
    }
    return weights;
}

} // namespace

void AreaResample(const PixelRowsView& source, const PixelRowsView& target)
{
    if (source.Width < 1 || source.Height < 1 || target.Width < 1 || target.Height < 1)
        return;
    const AxisWeights across = WeighAxis(source.Width, target.Width);
    const AxisWeights down = WeighAxis(source.Height, target.Height);

    // First every source row is narrowed (or widened) to the target width...
    const size_t rowFloats = static_cast<size_t>(target.Width) * 3;
    std::vector<float> narrowed(rowFloats * static_cast<size_t>(source.Height));
    for (int y = 0; y < source.Height; ++y) {
        const uint8_t* row = source.Pixels + static_cast<ptrdiff_t>(y) * source.Stride;
        float* out = narrowed.data() + rowFloats * static_cast<size_t>(y);
        for (size_t t = 0; t < static_cast<size_t>(target.Width); ++t) {
            float sum[3] = {0, 0, 0};
            const float* share = across.Share.data() + across.Offset[t];
            const uint8_t* pixel = row + static_cast<size_t>(across.First[t]) * 3;
            for (int i = 0; i < across.Count[t]; ++i, pixel += 3) {
                sum[0] += share[i] * pixel[0];
                sum[1] += share[i] * pixel[1];
                sum[2] += share[i] * pixel[2];
            }
            out[t * 3] = sum[0];
            out[t * 3 + 1] = sum[1];
            out[t * 3 + 2] = sum[2];
        }
    }
    // ...then the narrowed rows are combined into the target rows.
    std::vector<float> sum(rowFloats);
    for (size_t t = 0; t < static_cast<size_t>(target.Height); ++t) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        const float* share = down.Share.data() + down.Offset[t];
        for (int i = 0; i < down.Count[t]; ++i) {
            const float* row = narrowed.data() + rowFloats * static_cast<size_t>(down.First[t] + i);
            for (size_t x = 0; x < rowFloats; ++x)
                sum[x] += share[i] * row[x];
        }
        uint8_t* out = target.Pixels + static_cast<ptrdiff_t>(t) * target.Stride;
        for (size_t x = 0; x < rowFloats; ++x)
            out[x] = static_cast<uint8_t>(std::clamp(std::lround(sum[x]), 0L, 255L));
    }
}
