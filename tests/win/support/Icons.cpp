#include "support/Icons.h"

#include "platform/Dib.h"

#include <cstdint>
#include <vector>

namespace orvane::test {

platform::UniqueIcon SolidIcon(int side, COLORREF colour) {
    void* bits = nullptr;
    platform::UniqueBitmap colourBitmap = platform::TopDownDib(side, side, 32, &bits);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    const std::uint32_t argb =
        0xFF000000u | GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    for (int i = 0; i < side * side; ++i) pixels[i] = argb;
    const std::vector<std::uint8_t> maskBits(static_cast<std::size_t>((side + 15) / 16 * 2 * side),
                                             0);
    platform::UniqueBitmap mask(CreateBitmap(side, side, 1, 1, maskBits.data()));
    ICONINFO icon{TRUE, 0, 0, mask.Get(), colourBitmap.Get()};
    return platform::UniqueIcon(CreateIconIndirect(&icon));
}

} // namespace orvane::test
