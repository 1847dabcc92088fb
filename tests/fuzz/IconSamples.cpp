#include "IconSamples.h"

#include <utility>

namespace orvane::test {
namespace {

constexpr std::uint32_t Quadrants[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
constexpr std::uint32_t MonoQuadrants[] = {0xFFFFFF, 0x000000, 0x000000, 0xFFFFFF};
// Palette indexes: 0 black (transparent pixels), then the quadrants' colours.
constexpr std::uint32_t Palette[] = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

void Put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    Put16(bytes, at, value & 0xFFFF);
    Put16(bytes, at + 2, value >> 16);
}

void Append32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    bytes.resize(bytes.size() + 4);
    Put32(bytes, bytes.size() - 4, value);
}

std::size_t RowBytes(int bitCount, int width) {
    return static_cast<std::size_t>((bitCount * width + 31) / 32 * 4);
}

int Quadrant(const SampleEntry& entry, int x, int y) {
    return (y >= entry.height / 2 ? 2 : 0) + (x >= entry.width / 2 ? 1 : 0);
}

void SetBits(std::uint8_t* row, int x, int bitCount, std::uint32_t value) {
    const int bit = x * bitCount;
    row[bit / 8] |= static_cast<std::uint8_t>(value << (8 - bitCount - bit % 8));
}

void PutPixel(std::uint8_t* row, int x, int bitCount, std::uint32_t rgb, int index) {
    if (bitCount <= 8) return SetBits(row, x, bitCount, static_cast<std::uint32_t>(index));
    const std::uint8_t r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
    if (bitCount == 16) {
        const auto value = static_cast<std::uint16_t>((r >> 3) << 10 | (g >> 3) << 5 | b >> 3);
        row[2 * x] = static_cast<std::uint8_t>(value);
        row[2 * x + 1] = static_cast<std::uint8_t>(value >> 8);
        return;
    }
    // 24 or 32 bits; the fourth byte (alpha) stays 0 so that the mask decides.
    const int step = bitCount / 8;
    row[step * x] = b;
    row[step * x + 1] = g;
    row[step * x + 2] = r;
}

std::vector<std::uint8_t> EntryData(const SampleEntry& entry) {
    std::vector<std::uint8_t> data;
    Append32(data, 40);
    Append32(data, static_cast<std::uint32_t>(entry.width));
    Append32(data, static_cast<std::uint32_t>(entry.height * 2));
    Append32(data, 1 | static_cast<std::uint32_t>(entry.bitCount) << 16);
    for (int i = 0; i < 6; ++i) Append32(data, 0);
    if (entry.bitCount <= 8) {
        const int colors = 1 << entry.bitCount;
        for (int i = 0; i < colors; ++i) {
            if (entry.bitCount == 1)
                Append32(data, i == 0 ? 0x000000 : 0xFFFFFF);
            else
                Append32(data, i < 5 ? Palette[i] : 0x808080);
        }
    }
    const std::size_t colorRow = RowBytes(entry.bitCount, entry.width);
    const std::size_t maskRow = RowBytes(1, entry.width);
    const std::size_t colorAt = data.size();
    const std::size_t maskAt = colorAt + colorRow * static_cast<std::size_t>(entry.height);
    data.resize(maskAt + maskRow * static_cast<std::size_t>(entry.height));
    for (int y = 0; y < entry.height; ++y) {
        const auto stored = static_cast<std::size_t>(entry.height - 1 - y); // bottom-up
        for (int x = 0; x < entry.width; ++x) {
            const bool transparent = SampleTransparent(x, y);
            const int index = entry.bitCount == 1 ? (SampleColor(entry, x, y) != 0 ? 1 : 0)
                                                  : (transparent ? 0 : 1 + Quadrant(entry, x, y));
            PutPixel(&data[colorAt + stored * colorRow], x, entry.bitCount,
                     SampleColor(entry, x, y), index);
            if (transparent) SetBits(&data[maskAt + stored * maskRow], x, 1, 1);
        }
    }
    return data;
}

NamedImage Damaged(std::string name, std::vector<std::uint8_t> bytes, std::string error) {
    return {std::move(name), std::move(bytes), std::move(error)};
}

// Offsets in a one-entry file.
constexpr std::size_t Count = 4, DIBSize = 14, DIBOffset = 18, Header = 22;
constexpr std::size_t Width = Header + 4, Height = Header + 8, BitCount = Header + 14,
                      Compression = Header + 16, HeaderSize = Header, ClrUsed = Header + 32;

std::vector<std::uint8_t> With32(std::vector<std::uint8_t> bytes, std::size_t at,
                                 std::uint32_t value) {
    Put32(bytes, at, value);
    return bytes;
}

std::vector<std::uint8_t> With16(std::vector<std::uint8_t> bytes, std::size_t at,
                                 std::uint32_t value) {
    Put16(bytes, at, value);
    return bytes;
}

} // namespace

bool SampleTransparent(int, int y) {
    return y == 0;
}

std::uint32_t SampleColor(const SampleEntry& entry, int x, int y) {
    if (SampleTransparent(x, y)) return 0;
    return (entry.bitCount == 1 ? MonoQuadrants : Quadrants)[Quadrant(entry, x, y)];
}

std::vector<std::uint8_t> MakeIcon(std::span<const SampleEntry> entries) {
    std::vector<std::uint8_t> file(6 + 16 * entries.size());
    Put16(file, 2, 1);
    Put16(file, Count, static_cast<std::uint32_t>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::vector<std::uint8_t> data = EntryData(entries[i]);
        const std::size_t at = 6 + 16 * i;
        file[at] = static_cast<std::uint8_t>(entries[i].width);
        file[at + 1] = static_cast<std::uint8_t>(entries[i].height);
        Put16(file, at + 2, entries[i].colors);
        Put32(file, at + 8, static_cast<std::uint32_t>(data.size()));
        Put32(file, at + 12, static_cast<std::uint32_t>(file.size()));
        file.insert(file.end(), data.begin(), data.end());
    }
    return file;
}

std::vector<std::uint8_t> MakeIcon(const SampleEntry& entry) {
    return MakeIcon(std::span<const SampleEntry>(&entry, 1));
}

std::vector<NamedImage> ValidIcons() {
    std::vector<NamedImage> icons;
    for (const SampleEntry& entry :
         {SampleEntry{16, 16, 1}, SampleEntry{16, 16, 4}, SampleEntry{16, 16, 8},
          SampleEntry{16, 16, 16}, SampleEntry{16, 16, 24}, SampleEntry{16, 16, 32},
          SampleEntry{32, 32, 4}, SampleEntry{32, 32, 32}, SampleEntry{48, 48, 8},
          SampleEntry{13, 7, 24}, SampleEntry{1, 1, 32}}) {
        icons.push_back({std::to_string(entry.width) + "x" + std::to_string(entry.height) + "-" +
                             std::to_string(entry.bitCount) + "bit",
                         MakeIcon(entry), ""});
    }
    const SampleEntry sizes[] = {{48, 48, 32}, {32, 32, 8, 256}, {16, 16, 4, 16}};
    icons.push_back({"three-sizes", MakeIcon(sizes), ""});

    const std::vector<std::uint8_t> base = MakeIcon(SampleEntry{16, 16, 4});
    // Header fields that the reader replaces by the layout it checked.
    icons.push_back({"larger-header-size", With32(base, HeaderSize, 108), ""});
    icons.push_back({"huge-colours-used", With32(base, ClrUsed, 0xFFFFFFFF), ""});
    std::vector<std::uint8_t> slack = base;
    slack.resize(slack.size() + 10, 0xAA);
    icons.push_back({"slack-after-entry", With32(slack, DIBSize, 296 + 10), ""});
    return icons;
}

// Errors as raised for a 16×16 request on a true-colour display.
std::vector<NamedImage> MalformedIcons() {
    const std::vector<std::uint8_t> base = MakeIcon(SampleEntry{16, 16, 4}); // 318 bytes
    const std::uint32_t size = 296;                                          // of its entry
    const std::vector<std::uint8_t> deep = MakeIcon(SampleEntry{16, 16, 32});
    const std::vector<std::uint8_t> indexed = MakeIcon(SampleEntry{16, 16, 8});
    const std::string shortImage = "Icon Image Too Short", outside = "Icon Entry Outside Image",
                      badSize = "Invalid Icon Bitmap Size", badBits = "Invalid Icon Bit Count",
                      pixels = "Icon Pixels Outside Entry", tooLarge = "Icon Bitmap Too Large";

    std::vector<NamedImage> icons = {
        Damaged("five-bytes", {base.begin(), base.begin() + 5}, shortImage),
        Damaged("no-entries", With16(base, Count, 0), "Icon Image Has No Entries"),
        Damaged("directory-cut", {base.begin(), base.begin() + 21}, shortImage),
        Damaged("count-beyond-data", With16(base, Count, 0xFFFF), shortImage),
        Damaged("negative-offset", With32(base, DIBOffset, 0xFFFFFFFF), outside),
        Damaged("negative-size", With32(base, DIBSize, 0x80000000), outside),
        Damaged("size-past-end", With32(base, DIBSize, size + 1), outside),
        Damaged("offset-past-end", With32(base, DIBOffset, 23), outside),
        Damaged("offset-and-size-overflow",
                With32(With32(base, DIBOffset, 0x7FFFFFFF), DIBSize, 0x7FFFFFFF), outside),
        Damaged("header-cut", With32(base, DIBSize, 39), "Icon Bitmap Header Too Short"),
        Damaged("zero-width", With32(base, Width, 0), badSize),
        Damaged("negative-width", With32(base, Width, static_cast<std::uint32_t>(-16)), badSize),
        Damaged("zero-height", With32(base, Height, 0), badSize),
        Damaged("height-one", With32(base, Height, 1), badSize),
        Damaged("negative-height", With32(base, Height, static_cast<std::uint32_t>(-32)), badSize),
        Damaged("bit-count-0", With16(base, BitCount, 0), badBits),
        Damaged("bit-count-2", With16(base, BitCount, 2), badBits),
        Damaged("bit-count-64", With16(base, BitCount, 64), badBits),
        Damaged("compression-rle4", With32(base, Compression, 2), "Unsupported Icon Compression"),
        Damaged("compression-bitfields", With32(deep, Compression, 3),
                "Unsupported Icon Compression"),
        Damaged("colour-pixels-cut", With32(base, DIBSize, 104 + 128 - 1), pixels),
        Damaged("palette-cut", With32(indexed, DIBSize, 40 + 1023), pixels),
        Damaged("mask-cut", With32(base, DIBSize, size - 1), "Icon Mask Outside Entry"),
        Damaged("width-256-beyond-its-data", With32(deep, Width, 256), pixels),
        Damaged("width-257", With32(deep, Width, 257), tooLarge),
        Damaged("height-257", With32(deep, Height, 514), tooLarge),
        Damaged("huge-width", With32(deep, Width, 0x7FFFFFFF), tooLarge),
        Damaged("huge-height", With32(deep, Height, 0x7FFFFFFE), tooLarge),
        Damaged("huge-width-and-height",
                With32(With32(deep, Width, 0x7FFFFFFF), Height, 0x7FFFFFFE), tooLarge),
    };
    // Only the chosen entry is read: a damaged 16×16 beside a sound 32×32.
    const SampleEntry pair[] = {{32, 32, 4}, {16, 16, 4}};
    std::vector<std::uint8_t> later = MakeIcon(pair);
    Put32(later, 6 + 16 + 8, 39);
    icons.push_back(Damaged("damaged-chosen-entry", later, "Icon Bitmap Header Too Short"));
    return icons;
}

} // namespace orvane::test
