#pragma once
// The icon file format: its directory, the choice of image for a request and a display,
// the layout of an image's bitmaps, and the 16-colour file written from an icon. Icon bytes
// come from files and other programs, so every size read is checked against the bytes
// there; a fault raises EIconExError.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace orvane {

// One directory entry as stored, 16 bytes, little-endian.
struct TIconRec {
    std::uint8_t Width = 0;
    std::uint8_t Height = 0;
    std::uint16_t Colors = 0;
    std::uint16_t Reserved1 = 0;
    std::uint16_t Reserved2 = 0;
    std::int32_t DIBSize = 0;
    std::int32_t DIBOffset = 0;
};

inline constexpr std::size_t IconDirectoryHeaderSize = 6;
inline constexpr std::size_t IconRecSize = 16;
inline constexpr std::size_t BitmapHeaderSize = 40;
// The colour count of every display and entry with more than 256 colours.
inline constexpr std::int32_t ManyColors = 99999;
// Icons are at most 256 pixels on a side; a larger image is no icon and only makes the
// platform allocate.
inline constexpr std::int32_t LargestIconSide = 256;
// The largest images of an icon file take a few megabytes; anything far beyond is no icon
// and is not read into memory.
inline constexpr std::size_t LargestIconImage = 16 * 1024 * 1024;

std::vector<TIconRec> ReadIconDirectory(std::span<const std::uint8_t> image);

// 2^(planes × bits per pixel), the exponent modulo 64; above 256 it is ManyColors.
std::int32_t DeviceColors(int planes, int bitsPerPixel);

// The index of the entry that fits the requested size best among those the display can show;
// ties go to the later entry unless it is larger than both the request and the best so far.
// `entries` is not empty (ReadIconDirectory gives at least one).
std::size_t ChooseIconEntry(std::span<const TIconRec> entries, std::int32_t width,
                            std::int32_t height, std::int32_t deviceColors);

// One entry's bitmaps, checked to lie within the entry. Buffer starts with the 40-byte
// header for the colour bitmap (height halved, sizes the platform reads from it normalised)
// followed by the colour table; the pixels lie at the offsets given.
struct IconBitmaps {
    std::vector<std::uint8_t> Buffer;
    std::size_t ColorOffset = 0;
    std::size_t MaskOffset = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

IconBitmaps ReadIconBitmaps(std::span<const std::uint8_t> image, const TIconRec& entry);

// The mask's header: the colour header at 1 bit per pixel with a colour table of black then
// white. It is kept apart from Buffer, whose bytes after the header may be pixels.
inline constexpr std::size_t MaskHeaderSize = BitmapHeaderSize + 2 * 4;
std::array<std::uint8_t, MaskHeaderSize> MaskHeader(const IconBitmaps& bitmaps);

// The 16-colour image made from an icon: header and 16-entry colour table, then rows.
inline constexpr std::size_t SixteenColorHeaderSize = BitmapHeaderSize + 16 * 4;

struct SixteenColorLayout {
    std::size_t ColorRowBytes = 0;
    std::size_t MaskRowBytes = 0;
    std::size_t ColorBytes = 0;
    std::size_t MaskBytes = 0;
    std::int32_t DIBSize = 0;
};

SixteenColorLayout SixteenColorLayoutOf(std::int32_t width, std::int32_t height);

// A complete icon file with one entry. `header` is the header and colour table that the
// colour pixels were read with (the height of one image); it is written with the height
// doubled and the image size set.
std::vector<std::uint8_t> WriteIconImage(std::int32_t width, std::int32_t height,
                                         std::span<const std::uint8_t> header,
                                         std::span<const std::uint8_t> colorPixels,
                                         std::span<const std::uint8_t> maskPixels);

} // namespace orvane
