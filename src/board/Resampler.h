#pragma once
// Bilinear enlargement of 24-bit pictures (bytes B, G, R per pixel), pixel centres aligned.
#include <cstdint>

namespace orvane {

struct PixelRows {
    std::uint8_t* const* Rows;  // one pointer per scan line, gathered once
    int Width, Height;
};

// Fills every pixel of `target` from `source`; both need at least one pixel.
void ResampleBilinear(const PixelRows& source, const PixelRows& target);

} // namespace orvane
