#include "board/Resampler.h"

#include <cmath>
#include <vector>

namespace orvane {
namespace {

// Nearest integer, halves to the even neighbour: adding and taking away 2^52 + 2^51 leaves
// the value rounded in the default rounding mode, without a call per channel.
inline std::uint8_t RoundToByte(double value) {
    constexpr double shift = 6755399441055744.0;
    const double rounded = (value + shift) - shift;
    if (rounded <= 0) return 0;
    if (rounded >= 255) return 255;
    return static_cast<std::uint8_t>(rounded);
}

struct Sample {
    int near, far; // byte offsets of the two neighbours
    double weight; // of the far one
};

// For every target position along one axis: its two source neighbours and the weight.
std::vector<Sample> Samples(int sourceSize, int targetSize, int bytesPerStep) {
    std::vector<Sample> samples(static_cast<size_t>(targetSize));
    const double ratio = static_cast<double>(sourceSize) / targetSize;
    for (int t = 0; t < targetSize; ++t) {
        const double f = (t + 0.5) * ratio - 0.5;
        const int i = static_cast<int>(std::floor(f));
        samples[static_cast<size_t>(t)] = {
            (i < 0 ? 0 : i) * bytesPerStep,
            (i + 1 > sourceSize - 1 ? sourceSize - 1 : i + 1) * bytesPerStep, f - i};
    }
    return samples;
}

} // namespace

void ResampleBilinear(const PixelRows& source, const PixelRows& target) {
    const std::vector<Sample> columns = Samples(source.Width, target.Width, 3);
    const std::vector<Sample> rows = Samples(source.Height, target.Height, 1);
    for (int y = 0; y < target.Height; ++y) {
        const Sample& row = rows[static_cast<size_t>(y)];
        const std::uint8_t* upper = source.Rows[row.near];
        const std::uint8_t* lower = source.Rows[row.far];
        const double dy = row.weight;
        std::uint8_t* out = target.Rows[y];
        for (const Sample& column : columns) {
            const double dx = column.weight;
            for (int channel = 2; channel >= 0; --channel) { // R, G, B
                const double p00 = upper[column.near + channel], p10 = upper[column.far + channel];
                const double p01 = lower[column.near + channel], p11 = lower[column.far + channel];
                out[channel] = RoundToByte((p10 - p00) * dx + (p11 + p00 - p10 - p01) * dx * dy +
                                           (p01 - p00) * dy + p00);
            }
            out += 3;
        }
    }
}

} // namespace orvane
