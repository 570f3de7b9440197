#include "core/imaging/Resampler.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr int kWeightBits = 14;
constexpr int kWeightOne = 1 << kWeightBits;
// Rows combined down keep 7 bits below the point: 255 << 7 still fits 16
// bits, and a sum of them times 14-bit weights fits 31.
constexpr int kNarrowShift = kWeightBits - 7;
constexpr int kDownShift = kWeightBits + 7;
// Up to this many taps per pixel take the loops of fixed length.
constexpr int kMaxFixedTaps = 4;
// Values read past a row's last pixel by NarrowFixed.
constexpr size_t kColumnPadding = 8;

// Source taps of one target index with their shares (adding up to 1).
void TapsOf(int sourceSize, int targetSize, int t, std::vector<std::pair<int, double>>& taps)
{
    taps.clear();
    const double scale = static_cast<double>(sourceSize) / targetSize;
    if (targetSize < sourceSize) {
        const double begin = t * scale, end = (t + 1) * scale;
        const int first = static_cast<int>(std::floor(begin));
        const int last = std::min(sourceSize - 1, static_cast<int>(std::ceil(end)) - 1);
        for (int s = first; s <= last; ++s) {
            const double covered = std::min<double>(end, s + 1) - std::max<double>(begin, s);
            if (covered > 0)
                taps.emplace_back(s, covered / scale);
        }
        return;
    }
    // Pixel centres line up: target centre t + 0.5 lies at source (t + 0.5) * scale.
    const double at = std::clamp((t + 0.5) * scale - 0.5, 0.0, static_cast<double>(sourceSize - 1));
    const int left = static_cast<int>(std::floor(at));
    const double fraction = at - left;
    taps.emplace_back(left, 1 - fraction);
    if (fraction > 0 && left + 1 < sourceSize)
        taps.emplace_back(left + 1, fraction);
}

} // namespace

TRowResampler::TAxis WeighResizeAxis(int sourceSize, int targetSize, int first, int count)
{
    TRowResampler::TAxis axis;
    std::vector<std::pair<int, double>> taps;
    for (int t = first; t < first + count; ++t) {
        TapsOf(sourceSize, targetSize, t, taps);
        axis.First.push_back(taps.front().first);
        axis.Count.push_back(static_cast<int>(taps.size()));
        axis.Offset.push_back(static_cast<int>(axis.Weight.size()));
        axis.MaxCount = std::max(axis.MaxCount, static_cast<int>(taps.size()));
        // Rounded weights must still add up to exactly one, or a flat
        // picture would come out a shade lighter or darker.
        int total = 0;
        size_t largest = axis.Weight.size();
        for (const auto& tap : taps) {
            const auto weight = static_cast<int16_t>(std::lround(tap.second * kWeightOne));
            total += weight;
            if (largest == axis.Weight.size() || weight > axis.Weight[largest])
                largest = axis.Weight.size();
            axis.Weight.push_back(weight);
        }
        axis.Weight[largest] = static_cast<int16_t>(axis.Weight[largest] + kWeightOne - total);
    }
    return axis;
}

TRowResampler::TRowResampler(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight,
                             const TScreenRect& window, const PixelRowsView& destination)
    : destination_(destination)
{
    if (sourceWidth < 1 || sourceHeight < 1 || window.Empty() || window.Left < 0 || window.Top < 0 ||
        window.Right > targetWidth || window.Bottom > targetHeight)
        throw std::invalid_argument("resample window outside its target");
    across_ = WeighResizeAxis(sourceWidth, targetWidth, window.Left, window.Width());
    down_ = WeighResizeAxis(sourceHeight, targetHeight, window.Top, window.Height());
    // The usual case, a few taps per pixel: every pixel gets the same number
    // (missing ones weigh 0), so the inner loop has a fixed length.
    fixedTaps_ = across_.MaxCount <= kMaxFixedTaps && across_.MaxCount <= sourceWidth ? across_.MaxCount : 0;
    const int taps = std::max(fixedTaps_, 1);
    firstColumn_ = across_.FirstNeeded();
    int endColumn = across_.LastNeeded() + 1;
    if (fixedTaps_ > 0) {
        fixedFirst_.resize(across_.First.size());
        fixedWeight_.assign(across_.First.size() * static_cast<size_t>(taps), 0);
        for (size_t t = 0; t < across_.First.size(); ++t) {
            const int first = std::min(across_.First[t], sourceWidth - taps);
            fixedFirst_[t] = first;
            firstColumn_ = std::min(firstColumn_, first);
            for (int i = 0; i < across_.Count[t]; ++i)
                fixedWeight_[t * static_cast<size_t>(taps) +
                             static_cast<size_t>(across_.First[t] - first + i)] =
                    across_.Weight[static_cast<size_t>(across_.Offset[t] + i)];
        }
        endColumn = std::max(endColumn, fixedFirst_.back() + taps);
    }
    columnValues_ = static_cast<size_t>(endColumn - firstColumn_) * 3;
    ring_.resize(static_cast<size_t>(down_.MaxCount) * columnValues_);
    // Zeros past the end: the narrowing loop reads a few values beyond a
    // pixel's last tap (and weighs them 0).
    column_.resize(columnValues_ + kColumnPadding);
}

namespace {

// One row of `count` source rows: the sum of each times its weight, kept
// at 7 bits below the point.
template <int Count>
void CombineFixed(const uint8_t* const* rows, const int16_t* weight, size_t values, uint16_t* out)
{
    constexpr int32_t half = 1 << (kNarrowShift - 1);
    for (size_t x = 0; x < values; ++x) {
        int32_t sum = half;
        for (int i = 0; i < Count; ++i)
            sum += weight[i] * rows[i][x];
        out[x] = static_cast<uint16_t>(sum >> kNarrowShift);
    }
}

// The weights are never negative and add up to one, so no sum leaves
// 0..255 and none needs clamping: this loop makes every target pixel.
#if defined(__SSE2__)
// Two taps at a time: their B, G, R values interleaved (b0 b1 g0 g1 r0 r1)
// and multiplied by (w0 w1) pairs, each pair added in the same instruction.
// The values (at most 255 << 7) and weights (at most 1 << 14) fit signed
// 16 bits, and every sum stays below 2^31. A missing second tap weighs 0;
// the values it reads lie inside the row or its padding.
template <int Taps>
void NarrowFixed(const uint16_t* row, const int* first, const int16_t* weight, size_t width, uint8_t* out)
{
    const __m128i half = _mm_set1_epi32(1 << (kDownShift - 1));
    const __m128i threeLanes = _mm_set_epi32(0, -1, -1, -1);
    for (size_t t = 0; t < width; ++t, out += 3, weight += Taps) {
        const uint16_t* pixel = row + static_cast<size_t>(first[t]) * 3;
        __m128i sum = half;
        for (int i = 0; i < Taps; i += 2) {
            const __m128i a = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(pixel + i * 3));
            const __m128i b = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(pixel + i * 3 + 3));
            const auto second = static_cast<uint16_t>(i + 1 < Taps ? weight[i + 1] : 0);
            const __m128i pair = _mm_and_si128(
                _mm_set1_epi32(static_cast<int>((uint32_t{second} << 16) | static_cast<uint16_t>(weight[i]))),
                threeLanes);
            sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_unpacklo_epi16(a, b), pair));
        }
        const __m128i bytes = _mm_srli_epi32(sum, kDownShift);
        const __m128i packed = _mm_packus_epi16(_mm_packs_epi32(bytes, bytes), bytes);
        const auto bgr = static_cast<uint32_t>(_mm_cvtsi128_si32(packed));
        out[0] = static_cast<uint8_t>(bgr);
        out[1] = static_cast<uint8_t>(bgr >> 8);
        out[2] = static_cast<uint8_t>(bgr >> 16);
    }
}
#else
template <int Taps>
void NarrowFixed(const uint16_t* row, const int* first, const int16_t* weight, size_t width, uint8_t* out)
{
    constexpr uint32_t half = 1u << (kDownShift - 1);
    for (size_t t = 0; t < width; ++t, out += 3, weight += Taps) {
        const uint16_t* pixel = row + static_cast<size_t>(first[t]) * 3;
        uint32_t b = half, g = half, r = half;
        for (int i = 0; i < Taps; ++i) {
            const auto w = static_cast<uint32_t>(weight[i]);
            b += w * pixel[i * 3];
            g += w * pixel[i * 3 + 1];
            r += w * pixel[i * 3 + 2];
        }
        out[0] = static_cast<uint8_t>(b >> kDownShift);
        out[1] = static_cast<uint8_t>(g >> kDownShift);
        out[2] = static_cast<uint8_t>(r >> kDownShift);
    }
}
#endif

} // namespace

void TRowResampler::TakeRow(int y, const uint8_t* row)
{
    if (nextRow_ >= static_cast<int>(down_.First.size()) || y < down_.FirstNeeded() || y > down_.LastNeeded())
        return;
    std::memcpy(ring_.data() + columnValues_ * static_cast<size_t>(y % down_.MaxCount),
                row + static_cast<size_t>(firstColumn_) * 3, columnValues_);
    while (nextRow_ < static_cast<int>(down_.First.size()) &&
           down_.First[nextRow_] + down_.Count[nextRow_] - 1 <= y)
        EmitRow(nextRow_++);
}

void TRowResampler::CombineRows(int windowRow)
{
    // Down first: its loops run along whole rows, which the compiler turns
    // into vector instructions; across then works on target rows alone.
    const int count = down_.Count[windowRow];
    const int16_t* weight = down_.Weight.data() + down_.Offset[windowRow];
    std::vector<const uint8_t*> rows(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int source = down_.First[windowRow] + i;
        rows[static_cast<size_t>(i)] =
            ring_.data() + columnValues_ * static_cast<size_t>(source % down_.MaxCount);
    }
    switch (count) {
    case 1:
        return CombineFixed<1>(rows.data(), weight, columnValues_, column_.data());
    case 2:
        return CombineFixed<2>(rows.data(), weight, columnValues_, column_.data());
    case 3:
        return CombineFixed<3>(rows.data(), weight, columnValues_, column_.data());
    case 4:
        return CombineFixed<4>(rows.data(), weight, columnValues_, column_.data());
    default:
        break;
    }
    std::vector<int32_t> sum(columnValues_, 1 << (kNarrowShift - 1));
    for (int i = 0; i < count; ++i)
        for (size_t x = 0; x < columnValues_; ++x)
            sum[x] += weight[i] * rows[static_cast<size_t>(i)][x];
    for (size_t x = 0; x < columnValues_; ++x)
        column_[x] = static_cast<uint16_t>(sum[x] >> kNarrowShift);
}

void TRowResampler::EmitRow(int windowRow)
{
    CombineRows(windowRow);
    const uint16_t* row = column_.data() - static_cast<ptrdiff_t>(firstColumn_) * 3;
    uint8_t* out = destination_.Row(windowRow);
    const size_t width = across_.First.size();
    switch (fixedTaps_) {
    case 1:
        return NarrowFixed<1>(row, fixedFirst_.data(), fixedWeight_.data(), width, out);
    case 2:
        return NarrowFixed<2>(row, fixedFirst_.data(), fixedWeight_.data(), width, out);
    case 3:
        return NarrowFixed<3>(row, fixedFirst_.data(), fixedWeight_.data(), width, out);
    case 4:
        return NarrowFixed<4>(row, fixedFirst_.data(), fixedWeight_.data(), width, out);
    default:
        break;
    }
    constexpr int32_t half = 1 << (kDownShift - 1);
    for (size_t t = 0; t < width; ++t, out += 3) {
        const int16_t* weight = across_.Weight.data() + across_.Offset[t];
        const uint16_t* pixel = row + static_cast<size_t>(across_.First[t]) * 3;
        int32_t b = half, g = half, r = half;
        for (int i = 0; i < across_.Count[t]; ++i, pixel += 3) {
            b += weight[i] * pixel[0];
            g += weight[i] * pixel[1];
            r += weight[i] * pixel[2];
        }
        out[0] = static_cast<uint8_t>(std::clamp(b >> kDownShift, 0, 255));
        out[1] = static_cast<uint8_t>(std::clamp(g >> kDownShift, 0, 255));
        out[2] = static_cast<uint8_t>(std::clamp(r >> kDownShift, 0, 255));
    }
}

void ResamplePicture(const PixelRowsView& source, const PixelRowsView& target)
{
    TRowResampler resampler(source.Width, source.Height, target.Width, target.Height,
                            TScreenRect{0, 0, target.Width, target.Height}, target);
    for (int y = resampler.FirstSourceRow(); y <= resampler.LastSourceRow(); ++y)
        resampler.TakeRow(y, source.Row(y));
}
