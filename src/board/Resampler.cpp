#include "board/Resampler.h"

#include <cfenv>
#include <cmath>

namespace orvane {
namespace {

// Nearest integer, halves to the even neighbour.
std::uint8_t RoundToByte(double value) {
    const double rounded = std::nearbyint(value);
    if (rounded <= 0) return 0;
    if (rounded >= 255) return 255;
    return static_cast<std::uint8_t>(rounded);
}

} // namespace

void ResampleBilinear(const PixelRows& source, const PixelRows& target) {
    const int sw = source.Width, sh = source.Height;
    const double xr = static_cast<double>(sw) / target.Width;
    const double yr = static_cast<double>(sh) / target.Height;
    const int rounding = std::fegetround();
    std::fesetround(FE_TONEAREST);
    for (int y = 0; y < target.Height; ++y) {
        const double fy = (y + 0.5) * yr - 0.5;
        const int iy = static_cast<int>(std::floor(fy));
        const double dy = fy - iy;
        const std::uint8_t* upper = source.Rows[iy < 0 ? 0 : iy];
        const std::uint8_t* lower = source.Rows[iy + 1 > sh - 1 ? sh - 1 : iy + 1];
        std::uint8_t* out = target.Rows[y];
        for (int x = 0; x < target.Width; ++x) {
            const double fx = (x + 0.5) * xr - 0.5;
            const int ix = static_cast<int>(std::floor(fx));
            const double dx = fx - ix;
            const int left = (ix < 0 ? 0 : ix) * 3;
            const int right = (ix + 1 > sw - 1 ? sw - 1 : ix + 1) * 3;
            for (int channel = 2; channel >= 0; --channel) {  // R, G, B
                const double p00 = upper[left + channel], p10 = upper[right + channel];
                const double p01 = lower[left + channel], p11 = lower[right + channel];
                out[x * 3 + channel] = RoundToByte((p10 - p00) * dx + (p11 + p00 - p10 - p01) * dx * dy +
                                                   (p01 - p00) * dy + p00);
            }
        }
    }
    std::fesetround(rounding);
}

} // namespace orvane
