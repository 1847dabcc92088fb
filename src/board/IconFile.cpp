#include "board/IconFile.h"

#include "board/IconExError.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace orvane {
namespace {

// Offsets of the bitmap information header's fields.
constexpr std::size_t HeaderSizeField = 0, WidthField = 4, HeightField = 8, BitCountField = 14,
                      CompressionField = 16, SizeImageField = 20, ClrUsedField = 32,
                      ClrImportantField = 36;

std::uint32_t Read16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return bytes[at] | static_cast<std::uint32_t>(bytes[at + 1]) << 8;
}

std::uint32_t Read32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

void Write16(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Write32(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value) {
    Write16(bytes, at, value & 0xFFFF);
    Write16(bytes, at + 2, value >> 16);
}

void Append16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Append32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Append16(out, value & 0xFFFF);
    Append16(out, value >> 16);
}

std::uint64_t RowBytes(std::uint64_t bitCount, std::uint64_t width) {
    return (bitCount * width + 31) / 32 * 4;
}

// Whether `rows` rows of `rowBytes` bytes starting at `offset` end within `size` bytes,
// decided without forming a product that could overflow.
bool RowsFit(std::uint64_t offset, std::uint64_t rowBytes, std::uint64_t rows, std::uint64_t size) {
    return offset <= size && rowBytes <= (size - offset) / rows;
}

std::int64_t Distance(std::uint8_t stored, std::int32_t requested) {
    return std::llabs(static_cast<std::int64_t>(stored) - requested);
}

} // namespace

std::vector<TIconRec> ReadIconDirectory(std::span<const std::uint8_t> image) {
    if (image.size() < IconDirectoryHeaderSize) throw EIconExError("Icon Image Too Short");
    const std::size_t count = Read16(image, 4);
    if (count == 0) throw EIconExError("Icon Image Has No Entries");
    if ((image.size() - IconDirectoryHeaderSize) / IconRecSize < count) {
        throw EIconExError("Icon Image Too Short");
    }
    std::vector<TIconRec> entries(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = IconDirectoryHeaderSize + i * IconRecSize;
        TIconRec& entry = entries[i];
        entry.Width = image[at];
        entry.Height = image[at + 1];
        entry.Colors = static_cast<std::uint16_t>(Read16(image, at + 2));
        entry.Reserved1 = static_cast<std::uint16_t>(Read16(image, at + 4));
        entry.Reserved2 = static_cast<std::uint16_t>(Read16(image, at + 6));
        entry.DIBSize = static_cast<std::int32_t>(Read32(image, at + 8));
        entry.DIBOffset = static_cast<std::int32_t>(Read32(image, at + 12));
    }
    return entries;
}

std::int32_t DeviceColors(int planes, int bitsPerPixel) {
    const auto exponent =
        static_cast<std::uint64_t>(static_cast<std::int64_t>(planes) * bitsPerPixel) % 64;
    const std::uint64_t colors = std::uint64_t{1} << exponent;
    return colors > 256 ? ManyColors : static_cast<std::int32_t>(colors);
}

std::size_t ChooseIconEntry(std::span<const TIconRec> entries, std::int32_t width,
                            std::int32_t height, std::int32_t deviceColors) {
    std::size_t best = 0;
    std::int32_t bestColors = entries[0].Colors >= 256 ? ManyColors : entries[0].Colors;
    for (std::size_t i = 1; i < entries.size(); ++i) {
        const TIconRec& entry = entries[i];
        const TIconRec& current = entries[best];
        const std::int32_t colors =
            entry.Colors == 0 || entry.Colors >= 256 ? ManyColors : entry.Colors;
        if (bestColors <= colors && colors <= deviceColors &&
            Distance(entry.Width, width) <= Distance(current.Width, width) &&
            Distance(entry.Height, height) <= Distance(current.Height, height) &&
            (entry.Width <= width || entry.Width <= current.Width) &&
            (entry.Height <= height || entry.Height <= current.Height)) {
            best = i;
            bestColors = colors;
        }
    }
    return best;
}

IconBitmaps ReadIconBitmaps(std::span<const std::uint8_t> image, const TIconRec& entry) {
    if (entry.DIBOffset < 0 || entry.DIBSize < 0 ||
        static_cast<std::uint64_t>(entry.DIBOffset) + static_cast<std::uint64_t>(entry.DIBSize) >
            image.size()) {
        throw EIconExError("Icon Entry Outside Image");
    }
    const auto size = static_cast<std::size_t>(entry.DIBSize);
    if (size < BitmapHeaderSize) throw EIconExError("Icon Bitmap Header Too Short");

    IconBitmaps bitmaps;
    const auto data = image.subspan(static_cast<std::size_t>(entry.DIBOffset), size);
    bitmaps.Buffer.assign(data.begin(), data.end());
    std::span<std::uint8_t> header(bitmaps.Buffer);

    const auto width = static_cast<std::int32_t>(Read32(header, WidthField));
    const std::int32_t height = static_cast<std::int32_t>(Read32(header, HeightField)) / 2;
    const std::uint32_t bitCount = Read16(header, BitCountField);
    if (width <= 0 || height <= 0) throw EIconExError("Invalid Icon Bitmap Size");
    if (width > LargestIconSide || height > LargestIconSide)
        throw EIconExError("Icon Bitmap Too Large");
    constexpr std::uint32_t bitCounts[] = {1, 4, 8, 16, 24, 32};
    if (std::find(std::begin(bitCounts), std::end(bitCounts), bitCount) == std::end(bitCounts)) {
        throw EIconExError("Invalid Icon Bit Count");
    }
    if (Read32(header, CompressionField) != 0) throw EIconExError("Unsupported Icon Compression");

    const std::size_t paletteEntries = bitCount <= 8 ? std::size_t{1} << bitCount : 0;
    const std::size_t colorOffset = BitmapHeaderSize + 4 * paletteEntries;
    const std::uint64_t colorRow = RowBytes(bitCount, static_cast<std::uint64_t>(width));
    const auto rows = static_cast<std::uint64_t>(height);
    if (!RowsFit(colorOffset, colorRow, rows, size))
        throw EIconExError("Icon Pixels Outside Entry");
    const auto maskOffset = static_cast<std::size_t>(colorOffset + colorRow * rows);
    if (!RowsFit(maskOffset, RowBytes(1, static_cast<std::uint64_t>(width)), rows, size)) {
        throw EIconExError("Icon Mask Outside Entry");
    }

    // The platform takes the header's own size and colour count to find the colour table;
    // make them agree with the layout checked above.
    Write32(header, HeaderSizeField, BitmapHeaderSize);
    Write32(header, HeightField, static_cast<std::uint32_t>(height));
    Write32(header, SizeImageField, 0);
    Write32(header, ClrUsedField, 0);
    Write32(header, ClrImportantField, 0);
    bitmaps.ColorOffset = colorOffset;
    bitmaps.MaskOffset = maskOffset;
    bitmaps.Width = width;
    bitmaps.Height = height;
    return bitmaps;
}

std::array<std::uint8_t, MaskHeaderSize> MaskHeader(const IconBitmaps& bitmaps) {
    std::array<std::uint8_t, MaskHeaderSize> mask{};
    std::copy_n(bitmaps.Buffer.begin(), BitmapHeaderSize, mask.begin());
    Write16(mask, BitCountField, 1);
    Write32(mask, SizeImageField, 0);
    Write32(mask, ClrUsedField, 2);
    Write32(mask, ClrImportantField, 2);
    Write32(mask, BitmapHeaderSize + 4, 0x00FFFFFF); // black before it is all zero
    return mask;
}

SixteenColorLayout SixteenColorLayoutOf(std::int32_t width, std::int32_t height) {
    if (width <= 0 || height <= 0) throw EIconExError("Invalid Icon Size");
    SixteenColorLayout layout;
    const auto w = static_cast<std::uint64_t>(width);
    const auto rows = static_cast<std::uint64_t>(height);
    const std::uint64_t colorRow = RowBytes(4, w), maskRow = RowBytes(1, w);
    const std::uint64_t limit = std::numeric_limits<std::int32_t>::max() - SixteenColorHeaderSize;
    if (colorRow + maskRow > limit / rows) throw EIconExError("Invalid Icon Size");
    layout.ColorRowBytes = static_cast<std::size_t>(colorRow);
    layout.MaskRowBytes = static_cast<std::size_t>(maskRow);
    layout.ColorBytes = static_cast<std::size_t>(colorRow * rows);
    layout.MaskBytes = static_cast<std::size_t>(maskRow * rows);
    layout.DIBSize =
        static_cast<std::int32_t>(layout.ColorBytes + layout.MaskBytes + SixteenColorHeaderSize);
    return layout;
}

std::vector<std::uint8_t> WriteIconImage(std::int32_t width, std::int32_t height,
                                         std::span<const std::uint8_t> header,
                                         std::span<const std::uint8_t> colorPixels,
                                         std::span<const std::uint8_t> maskPixels) {
    const SixteenColorLayout layout = SixteenColorLayoutOf(width, height);
    if (header.size() != SixteenColorHeaderSize || colorPixels.size() != layout.ColorBytes ||
        maskPixels.size() != layout.MaskBytes) {
        throw std::invalid_argument("icon image parts do not match its size");
    }
    constexpr std::int32_t dibOffset = IconDirectoryHeaderSize + IconRecSize;
    std::vector<std::uint8_t> out;
    out.reserve(dibOffset + static_cast<std::size_t>(layout.DIBSize));
    Append16(out, 0);
    Append16(out, 1);
    Append16(out, 1);
    out.push_back(static_cast<std::uint8_t>(width));
    out.push_back(static_cast<std::uint8_t>(height));
    Append16(out, 16);
    Append16(out, 0);
    Append16(out, 0);
    Append32(out, static_cast<std::uint32_t>(layout.DIBSize));
    Append32(out, dibOffset);

    const std::size_t headerAt = out.size();
    out.insert(out.end(), header.begin(), header.end());
    std::span<std::uint8_t> written(out.data() + headerAt, header.size());
    Write32(written, HeightField, static_cast<std::uint32_t>(height) * 2);
    Write32(written, SizeImageField,
            static_cast<std::uint32_t>(layout.ColorBytes + layout.MaskBytes));
    out.insert(out.end(), colorPixels.begin(), colorPixels.end());
    out.insert(out.end(), maskPixels.begin(), maskPixels.end());
    return out;
}

} // namespace orvane
