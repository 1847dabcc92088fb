#include "board/IconFile.h"
#include "board/IconExError.h"

#include "IconSamples.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <tuple>
#include <vector>

namespace orvane {
namespace {

using test::SampleEntry;

std::uint32_t Field16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8;
}

std::uint32_t Field32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return Field16(bytes, at) | Field16(bytes, at + 2) << 16;
}

// The entry a 16×16 request on a true-colour display takes.
TIconRec Chosen(std::span<const std::uint8_t> image) {
    const std::vector<TIconRec> entries = ReadIconDirectory(image);
    return entries[ChooseIconEntry(entries, 16, 16, ManyColors)];
}

TEST(DeviceColorsTest, CountsEveryDisplayAbove256ColoursAsMany) {
    const int cases[][3] = {{1, 1, 2},          {4, 1, 16},          {1, 8, 256},
                            {1, 9, ManyColors}, {1, 32, ManyColors}, {1, 63, ManyColors},
                            {1, 64, 1},         {2, 36, 256},        {1, 0, 1}};
    for (const auto& [planes, bits, colors] : cases) {
        EXPECT_EQ(DeviceColors(planes, bits), colors) << planes << " planes, " << bits << " bits";
    }
}

TEST(ChooseIconEntryTest, PicksTheEntryThatFitsBest) {
    constexpr std::int32_t Many = ManyColors;
    const struct {
        const char* name;
        std::vector<TIconRec> entries; // width, height, colours
        std::int32_t width, height, deviceColors;
        std::size_t chosen;
    } cases[] = {
        {"LargeFirstExactRequest", {{32, 32, 0}, {16, 16, 0}}, 16, 16, Many, 1},
        {"SmallFirstExactRequest", {{16, 16, 0}, {32, 32, 0}}, 16, 16, Many, 0},
        {"LargeFirstBetweenSizes", {{32, 32, 0}, {16, 16, 0}}, 24, 24, Many, 1},
        {"SmallFirstBetweenSizes", {{16, 16, 0}, {32, 32, 0}}, 24, 24, Many, 0},
        {"LargerSizeWinsWhenAsked", {{16, 16, 0}, {32, 32, 0}}, 32, 32, Many, 1},
        {"FirstWithoutColoursGivesWayTo16", {{32, 32, 0}, {16, 16, 16}}, 16, 16, Many, 1},
        {"LaterWithoutColoursIsMany", {{32, 32, 0}, {16, 16, 0}, {16, 16, 16}}, 16, 16, Many, 1},
        {"FewerColoursNeverReplaceMore", {{32, 32, 16}, {16, 16, 2}}, 16, 16, Many, 0},
        {"HighByteOfColoursCounts", {{32, 32, 0x0110}, {16, 16, 255}}, 16, 16, Many, 0},
        {"PaletteDisplayRefusesLaterTrueColour", {{32, 32, 0}, {16, 16, 0}}, 16, 16, 256, 0},
        {"PaletteDisplayCounts256AsMany", {{32, 32, 0}, {16, 16, 256}}, 16, 16, 256, 0},
        {"PaletteDisplayTakesLater16", {{32, 32, 0}, {16, 16, 16}}, 16, 16, 256, 1},
        {"TieGoesToLater", {{16, 16, 16}, {16, 16, 16}}, 16, 16, Many, 1},
        {"TieWiderThanRequestAndBestStays", {{16, 16, 0}, {48, 16, 0}}, 32, 16, Many, 0},
        {"TieTallerThanRequestAndBestStays", {{16, 16, 0}, {16, 48, 0}}, 16, 32, Many, 0},
        {"BetterWidthButWorseHeightStays", {{16, 16, 0}, {20, 8, 0}}, 24, 16, Many, 0},
        {"BetterHeightButWorseWidthStays", {{16, 16, 0}, {8, 20, 0}}, 16, 24, Many, 0},
        {"WidthsAreUnsignedBytes", {{16, 16, 0}, {200, 200, 0}}, 255, 255, Many, 1},
        {"RequestIsSigned", {{16, 16, 0}, {32, 32, 0}}, -1, -1, Many, 0},
        {"StoredZeroIsZeroNot256", {{16, 16, 0}, {0, 0, 0}}, 256, 256, Many, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseIconEntry(c.entries, c.width, c.height, c.deviceColors), c.chosen)
            << c.name;
    }
}

TEST(IconDirectoryTest, ReadsEachEntryAsStored) {
    const SampleEntry sizes[] = {{48, 48, 32}, {32, 32, 8, 256}, {16, 16, 4, 16}};
    const std::vector<std::uint8_t> image = test::MakeIcon(sizes);
    const std::vector<TIconRec> entries = ReadIconDirectory(image);
    ASSERT_EQ(entries.size(), 3u);
    std::int32_t offset = 6 + 3 * 16;
    for (std::size_t i = 0; i < 3; ++i) {
        const TIconRec& e = entries[i];
        EXPECT_EQ(std::tuple(e.Width, e.Height, e.Colors, e.DIBOffset),
                  std::tuple(sizes[i].width, sizes[i].height, sizes[i].colors, offset));
        offset += entries[i].DIBSize;
    }
    EXPECT_EQ(static_cast<std::size_t>(offset), image.size());
}

class ValidIconTest : public testing::TestWithParam<test::NamedImage> {};

TEST_P(ValidIconTest, GivesCheckedBitmapsWithAHeaderThePlatformReadsAsChecked) {
    const std::vector<std::uint8_t>& image = GetParam().bytes;
    const TIconRec entry = Chosen(image);
    const IconBitmaps bitmaps = ReadIconBitmaps(image, entry);
    const std::span<const std::uint8_t> stored(image.data() + entry.DIBOffset,
                                               static_cast<std::size_t>(entry.DIBSize));
    const auto bitCount = static_cast<std::int32_t>(Field16(stored, 14));
    const auto width = static_cast<std::int32_t>(Field32(stored, 4));
    const auto height = static_cast<std::int32_t>(Field32(stored, 8)) / 2;

    EXPECT_EQ(std::tuple(bitmaps.Width, bitmaps.Height), std::tuple(width, height));
    EXPECT_EQ(bitmaps.ColorOffset, 40u + (bitCount <= 8 ? 4u << bitCount : 0u));
    EXPECT_EQ(bitmaps.MaskOffset,
              bitmaps.ColorOffset +
                  static_cast<std::size_t>((bitCount * width + 31) / 32 * 4 * height));
    ASSERT_EQ(bitmaps.Buffer.size(), stored.size());
    // Header size, height, image size and colours used as the layout was checked.
    const std::pair<std::size_t, std::uint32_t> header[] = {
        {0, 40}, {8, static_cast<std::uint32_t>(height)}, {20, 0}, {32, 0}};
    for (const auto& [at, value] : header) EXPECT_EQ(Field32(bitmaps.Buffer, at), value) << at;
    EXPECT_TRUE(std::equal(bitmaps.Buffer.begin() + 40, bitmaps.Buffer.end(), stored.begin() + 40));

    // The mask: 1 bit, black then white, and otherwise the colour header.
    const auto mask = MaskHeader(bitmaps);
    EXPECT_TRUE(std::equal(mask.begin(), mask.begin() + 14, bitmaps.Buffer.begin()));
    EXPECT_EQ(Field16(mask, 14), 1u);
    const std::pair<std::size_t, std::uint32_t> fields[] = {
        {16, 0}, {20, 0}, {32, 2}, {36, 2}, {40, 0x00000000}, {44, 0x00FFFFFF}};
    for (const auto& [at, value] : fields) EXPECT_EQ(Field32(mask, at), value) << at;
}

INSTANTIATE_TEST_SUITE_P(Samples, ValidIconTest, testing::ValuesIn(test::ValidIcons()),
                         test::ParamName());

class MalformedIconTest : public testing::TestWithParam<test::NamedImage> {};

TEST_P(MalformedIconTest, RaisesItsError) {
    const std::vector<std::uint8_t>& image = GetParam().bytes;
    EXPECT_THAT([&] { ReadIconBitmaps(image, Chosen(image)); },
                testing::ThrowsMessage<EIconExError>(GetParam().error));
}

INSTANTIATE_TEST_SUITE_P(Samples, MalformedIconTest, testing::ValuesIn(test::MalformedIcons()),
                         test::ParamName());

TEST(SixteenColorLayoutTest, PadsRowsToFourBytes) {
    const struct {
        std::int32_t width, height;
        std::size_t colorRow, maskRow;
        std::int32_t dibSize;
    } cases[] = {{32, 32, 16, 4, 744}, {1, 1, 4, 4, 112}, {33, 2, 20, 8, 160}};
    for (const auto& c : cases) {
        const SixteenColorLayout layout = SixteenColorLayoutOf(c.width, c.height);
        EXPECT_EQ(std::tuple(layout.ColorRowBytes, layout.MaskRowBytes, layout.DIBSize),
                  std::tuple(c.colorRow, c.maskRow, c.dibSize))
            << c.width << "x" << c.height;
    }
    for (const auto& [width, height] : {std::pair{0, 16}, std::pair{16, 0}, std::pair{-1, -1},
                                        std::pair{100000, 100000}, std::pair{0x7FFFFFFF, 2}}) {
        EXPECT_THROW(SixteenColorLayoutOf(width, height), EIconExError) << width << "x" << height;
    }
}

TEST(WriteIconImageTest, Writes32By32As766BytesThatReadBack) {
    std::vector<std::uint8_t> header(SixteenColorHeaderSize), color(512), mask(128);
    std::iota(header.begin(), header.end(), 1);
    std::iota(color.begin(), color.end(), 50);
    std::iota(mask.begin(), mask.end(), 90);
    const std::uint8_t fields[] = {40, 0, 0, 0, 32, 0, 0, 0, 32, 0, 0, 0,
                                   1,  0, 4, 0, 0,  0, 0, 0, 0,  0, 0, 0};
    std::copy(std::begin(fields), std::end(fields), header.begin());

    const std::vector<std::uint8_t> image = WriteIconImage(32, 32, header, color, mask);
    ASSERT_EQ(image.size(), 766u);
    EXPECT_EQ(Field32(image, 0), 0x10000u); // reserved 0, type 1 (icon)
    EXPECT_EQ(Field16(image, 4), 1u);
    const TIconRec entry = ReadIconDirectory(image)[0];
    EXPECT_EQ(std::tuple(entry.Width, entry.Height, entry.Colors, entry.DIBSize, entry.DIBOffset),
              std::tuple(32, 32, 16, 744, 22));
    EXPECT_EQ(Field32(image, 22 + 8), 64u);   // both bitmaps' height
    EXPECT_EQ(Field32(image, 22 + 20), 640u); // image size
    EXPECT_TRUE(std::equal(image.begin() + 22 + 40, image.begin() + 126, header.begin() + 40));
    EXPECT_TRUE(std::equal(color.begin(), color.end(), image.begin() + 126));
    EXPECT_TRUE(std::equal(mask.begin(), mask.end(), image.begin() + 638));

    EXPECT_EQ(ReadIconBitmaps(image, entry).MaskOffset, 104u + 512u); // it reads back
}

} // namespace
} // namespace orvane
