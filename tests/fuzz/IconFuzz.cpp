// Icon bytes from anywhere: reading must either raise EIconExError or give bitmaps whose every
// byte that the platform will read lies inside the buffer.
#include "board/IconExError.h"
#include "board/IconFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

std::uint32_t Field(std::span<const std::uint8_t> header, std::size_t at) {
    return header[at] | header[at + 1] << 8 | header[at + 2] << 16 |
           static_cast<std::uint32_t>(header[at + 3]) << 24;
}

void Require(bool condition) {
    if (!condition) std::abort();
}

// What the platform reads for one bitmap: the header's own size, then the colour table it
// declares, and the pixel rows from `pixels`.
unsigned Touch(std::span<const std::uint8_t> header, std::span<const std::uint8_t> buffer,
               std::size_t pixels) {
    const std::uint32_t headerSize = Field(header, 0);
    const auto width = static_cast<std::int32_t>(Field(header, 4));
    const auto height = static_cast<std::int32_t>(Field(header, 8));
    const std::uint32_t bitCount = header[14] | header[15] << 8;
    const std::uint32_t used = Field(header, 32);
    Require(headerSize == orvane::BitmapHeaderSize && width > 0 && height > 0);
    const std::uint64_t table = used != 0 ? used : (bitCount <= 8 ? 1u << bitCount : 0);
    Require(headerSize + 4 * table <= header.size());
    const std::uint64_t rows = (static_cast<std::uint64_t>(bitCount) * width + 31) / 32 * 4 *
                               static_cast<std::uint64_t>(height);
    Require(pixels + rows <= buffer.size());
    unsigned sum = 0;
    for (std::size_t i = 0; i < headerSize + 4 * table; ++i) sum += header[i];
    for (std::size_t i = 0; i < rows; ++i) sum += buffer[pixels + i];
    return sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> image(data, size);
    struct Request {
        std::int32_t width, height, deviceColors;
    };
    constexpr Request requests[] = {{16, 16, orvane::ManyColors}, {32, 32, 256}, {-1, 300, 16}};
    try {
        const auto entries = orvane::ReadIconDirectory(image);
        for (const Request& request : requests) {
            const std::size_t chosen = orvane::ChooseIconEntry(
                entries, request.width, request.height, request.deviceColors);
            Require(chosen < entries.size());
            try {
                const orvane::IconBitmaps bitmaps = orvane::ReadIconBitmaps(image, entries[chosen]);
                Require(bitmaps.Buffer.size() == static_cast<std::size_t>(entries[chosen].DIBSize));
                Require(bitmaps.Width <= orvane::LargestIconSide &&
                        bitmaps.Height <= orvane::LargestIconSide);
                const auto mask = orvane::MaskHeader(bitmaps);
                volatile unsigned sink =
                    Touch(bitmaps.Buffer, bitmaps.Buffer, bitmaps.ColorOffset) +
                    Touch(mask, bitmaps.Buffer, bitmaps.MaskOffset);
                (void)sink;
            } catch (const orvane::EIconExError&) {
            }
        }
    } catch (const orvane::EIconExError&) {
    }
    return 0;
}
