#include "traysim/NotifyData.h"

#include <algorithm>
#include <cstring>

namespace traysim {
namespace {

constexpr std::size_t kTipOffset = 16;
constexpr std::size_t kTipUnits = 128;
constexpr std::size_t kStateOffset = 272;
constexpr std::size_t kStateMaskOffset = 276;
constexpr std::size_t kVersionOffset = 792;
constexpr std::size_t kIconOffset = 944;
constexpr std::uint32_t kMaxIconSide = 256;

std::uint32_t Read32(const std::uint8_t* bytes, std::size_t offset) {
    std::uint32_t value;
    std::memcpy(&value, bytes + offset, sizeof value);
    return value;
}

std::uint64_t PaddedRow(std::uint64_t width, std::uint64_t bitsPerPixel) {
    return (width * bitsPerPixel + 15) / 16 * 2;
}

bool KnownDepth(std::uint32_t bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        return true;
    default:
        return false;
    }
}

// Wine sizes each part as the whole picture's bits rounded up to 16 bits, not per row, so
// for widths that are no multiple of 16 the part arrives cut short; the rest stays zero.
std::vector<std::uint8_t> Part(const std::uint8_t* source, std::uint64_t sent, std::uint64_t full) {
    std::vector<std::uint8_t> part(static_cast<std::size_t>(full), 0);
    std::copy_n(source, static_cast<std::size_t>(std::min(sent, full)), part.begin());
    return part;
}

} // namespace

std::optional<NotifyData> DecodeNotifyData(const void* data, std::size_t size) {
    if (!data || size < kNotifyHeaderSize) return std::nullopt;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    NotifyData result;
    result.window = static_cast<std::int32_t>(Read32(bytes, 0));
    result.id = Read32(bytes, 4);
    result.flags = Read32(bytes, 8);
    result.callbackMessage = Read32(bytes, 12);
    for (std::size_t i = 0; i < kTipUnits; ++i) {
        const std::size_t at = kTipOffset + 2 * i;
        const auto unit = static_cast<wchar_t>(bytes[at] | bytes[at + 1] << 8);
        if (unit == 0) break;
        result.tip += unit;
    }
    result.state = Read32(bytes, kStateOffset);
    result.stateMask = Read32(bytes, kStateMaskOffset);
    result.version = Read32(bytes, kVersionOffset);

    const std::uint32_t width = Read32(bytes, kIconOffset);
    const std::uint32_t height = Read32(bytes, kIconOffset + 4);
    const std::uint32_t planes = Read32(bytes, kIconOffset + 8);
    const std::uint32_t bitsPerPixel = Read32(bytes, kIconOffset + 12);
    if (!(result.flags & kFlagIcon) || width == 0 || height == 0) return result;
    if (width > kMaxIconSide || height > kMaxIconSide || planes != 1 || !KnownDepth(bitsPerPixel)) {
        return std::nullopt;
    }
    const std::uint64_t maskSent = (std::uint64_t{width} * height + 15) / 16 * 2;
    const std::uint64_t colourSent = (std::uint64_t{width} * height * bitsPerPixel + 15) / 16 * 2;
    if (size - kNotifyHeaderSize < maskSent + colourSent) return std::nullopt;

    IconBits icon;
    icon.width = width;
    icon.height = height;
    icon.bitsPerPixel = bitsPerPixel;
    const std::uint8_t* bits = bytes + kNotifyHeaderSize;
    icon.mask = Part(bits, maskSent, PaddedRow(width, 1) * height);
    icon.colour = Part(bits + maskSent, colourSent, PaddedRow(width, bitsPerPixel) * height);
    result.icon = std::move(icon);
    return result;
}

} // namespace traysim
