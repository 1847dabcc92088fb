#include "traysim/IconPicture.h"

#include "platform/Dib.h"

#include <array>
#include <stdexcept>

namespace traysim {
namespace {

using orvane::platform::Selected;
using orvane::platform::UniqueBitmap;
using orvane::platform::UniqueFont;
using orvane::platform::UniqueIcon;
using orvane::platform::UniqueMemoryDc;

bool InsideCircle(int x, int y) {
    const double centre = (kPictureSize - 1) / 2.0;
    const double radius = kPictureSize / 2.0 - 0.5;
    const double dx = x - centre;
    const double dy = y - centre;
    return dx * dx + dy * dy <= radius * radius;
}

std::wstring_view FirstCharacter(std::wstring_view tip) {
    if (tip.empty()) return tip;
    const bool pair = tip.size() > 1 && tip[0] >= 0xD800 && tip[0] <= 0xDBFF;
    return tip.substr(0, pair ? 2 : 1);
}

} // namespace

UniqueIcon MakeIconPicture(std::uint32_t color, std::wstring_view tip) {
    void* bits = nullptr;
    UniqueBitmap colour = orvane::platform::TopDownDib(kPictureSize, kPictureSize, 32, &bits);
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!colour || !dc) throw std::runtime_error("cannot make an icon picture");
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < kPictureSize; ++y) {
        for (int x = 0; x < kPictureSize; ++x)
            pixels[y * kPictureSize + x] = InsideCircle(x, y) ? color : 0;
    }
    {
        const Selected bitmap(dc.Get(), colour.Get());
        UniqueFont font(CreateFontW(-22, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                    DEFAULT_PITCH, L"IPAGothic"));
        const Selected selectedFont(dc.Get(), font.Get());
        SetBkMode(dc.Get(), TRANSPARENT);
        SetTextColor(dc.Get(), RGB(255, 255, 255));
        RECT whole{0, 0, kPictureSize, kPictureSize};
        const std::wstring_view letter = FirstCharacter(tip);
        DrawTextW(dc.Get(), letter.data(), static_cast<int>(letter.size()), &whole,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        GdiFlush();
    }
    // GDI leaves the alpha bytes undefined; the circle is opaque, the rest transparent.
    constexpr int kMaskRow = kPictureSize / 8;
    std::array<std::uint8_t, kMaskRow * kPictureSize> mask{};
    for (int y = 0; y < kPictureSize; ++y) {
        for (int x = 0; x < kPictureSize; ++x) {
            std::uint32_t& pixel = pixels[y * kPictureSize + x];
            if (InsideCircle(x, y)) {
                pixel = (pixel & 0xFFFFFF) | 0xFF000000u;
            } else {
                pixel = 0;
                mask[y * kMaskRow + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
    }
    UniqueBitmap maskBitmap(CreateBitmap(kPictureSize, kPictureSize, 1, 1, mask.data()));
    ICONINFO icon{TRUE, 0, 0, maskBitmap.Get(), colour.Get()};
    UniqueIcon result(CreateIconIndirect(&icon));
    if (!result) throw std::runtime_error("CreateIconIndirect failed");
    return result;
}

UniqueIcon MakeIconFromBits(const IconBits& bits) {
    return UniqueIcon(CreateIcon(
        GetModuleHandleW(nullptr), static_cast<int>(bits.width), static_cast<int>(bits.height), 1,
        static_cast<BYTE>(bits.bitsPerPixel), bits.mask.data(), bits.colour.data()));
}

} // namespace traysim
