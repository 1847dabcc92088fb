#include "board/IconFile.h"
#include "board/IconExError.h"

#include "IconSamples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace orvane {
namespace {

using test::NamedImage;
using test::SampleEntry;

std::uint32_t Field32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint32_t Field16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8;
}

// The bitmaps a handle would be made from, as for a 16×16 request on a true-colour display.
IconBitmaps Bitmaps(const std::vector<std::uint8_t>& image) {
    const std::vector<TIconRec> entries = ReadIconDirectory(image);
    return ReadIconBitmaps(image, entries[ChooseIconEntry(entries, 16, 16, ManyColors)]);
}

struct ColorsCase {
    int planes, bitsPerPixel;
    std::int32_t colors;
};

class DeviceColorsTest : public testing::TestWithParam<ColorsCase> {};

TEST_P(DeviceColorsTest, CountsEveryDisplayAbove256ColoursAsMany) {
    EXPECT_EQ(DeviceColors(GetParam().planes, GetParam().bitsPerPixel), GetParam().colors);
}

INSTANTIATE_TEST_SUITE_P(Displays, DeviceColorsTest,
                         testing::Values(ColorsCase{1, 1, 2}, ColorsCase{1, 4, 16},
                                         ColorsCase{4, 1, 16}, ColorsCase{1, 8, 256},
                                         ColorsCase{1, 9, ManyColors},
                                         ColorsCase{1, 16, ManyColors},
                                         ColorsCase{1, 32, ManyColors},
                                         ColorsCase{1, 63, ManyColors}, ColorsCase{1, 64, 1},
                                         ColorsCase{2, 36, 256}, ColorsCase{1, 0, 1}));

struct Entry {
    std::uint8_t width, height;
    std::uint16_t colors;
};

struct ChoiceCase {
    const char* name;
    std::vector<Entry> entries;
    std::int32_t width, height, deviceColors;
    std::size_t chosen;
};

class ChooseIconEntryTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(ChooseIconEntryTest, PicksTheEntryThatFitsBest) {
    std::vector<TIconRec> entries;
    for (const Entry& e : GetParam().entries) {
        TIconRec entry;
        entry.Width = e.width;
        entry.Height = e.height;
        entry.Colors = e.colors;
        entries.push_back(entry);
    }
    EXPECT_EQ(
        ChooseIconEntry(entries, GetParam().width, GetParam().height, GetParam().deviceColors),
        GetParam().chosen);
}

constexpr std::int32_t TrueColor = ManyColors;

INSTANTIATE_TEST_SUITE_P(
    Choices, ChooseIconEntryTest,
    testing::Values(
        ChoiceCase{"LargeFirstExactRequest", {{32, 32, 0}, {16, 16, 0}}, 16, 16, TrueColor, 1},
        ChoiceCase{"SmallFirstExactRequest", {{16, 16, 0}, {32, 32, 0}}, 16, 16, TrueColor, 0},
        ChoiceCase{"LargeFirstBetweenSizes", {{32, 32, 0}, {16, 16, 0}}, 24, 24, TrueColor, 1},
        ChoiceCase{"SmallFirstBetweenSizes", {{16, 16, 0}, {32, 32, 0}}, 24, 24, TrueColor, 0},
        ChoiceCase{"LargerSizeWinsWhenAsked", {{16, 16, 0}, {32, 32, 0}}, 32, 32, TrueColor, 1},
        ChoiceCase{
            "FirstWithoutColoursGivesWayTo16", {{32, 32, 0}, {16, 16, 16}}, 16, 16, TrueColor, 1},
        ChoiceCase{
            "FirstWithoutColoursGivesWayTo2", {{32, 32, 0}, {16, 16, 2}}, 16, 16, TrueColor, 1},
        ChoiceCase{
            "FirstWithoutColoursGivesWayTo256", {{32, 32, 0}, {16, 16, 256}}, 16, 16, TrueColor, 1},
        ChoiceCase{"LaterWithoutColoursCountsAsMany",
                   {{32, 32, 0}, {16, 16, 0}, {16, 16, 16}},
                   16,
                   16,
                   TrueColor,
                   1},
        ChoiceCase{"ManyColoursFollowFewAtEqualFit",
                   {{32, 32, 0}, {16, 16, 16}, {16, 16, 0}},
                   16,
                   16,
                   TrueColor,
                   2},
        ChoiceCase{
            "FewerColoursNeverReplaceMore", {{32, 32, 16}, {16, 16, 2}}, 16, 16, TrueColor, 0},
        ChoiceCase{"FirstWith256CountsAsMany", {{32, 32, 256}, {16, 16, 16}}, 16, 16, TrueColor, 0},
        ChoiceCase{"HighByteOfColoursCountsAsMany",
                   {{32, 32, 0x0110}, {16, 16, 255}},
                   16,
                   16,
                   TrueColor,
                   0},
        ChoiceCase{
            "PaletteDisplayNeverTakesLaterTrueColour", {{32, 32, 0}, {16, 16, 0}}, 16, 16, 256, 0},
        ChoiceCase{"PaletteDisplayCounts256AsMany", {{32, 32, 0}, {16, 16, 256}}, 16, 16, 256, 0},
        ChoiceCase{"PaletteDisplayTakesLater16", {{32, 32, 0}, {16, 16, 16}}, 16, 16, 256, 1},
        ChoiceCase{"SixteenColourDisplayRejects255", {{32, 32, 0}, {16, 16, 255}}, 16, 16, 16, 0},
        ChoiceCase{"TieGoesToLater", {{16, 16, 0}, {16, 16, 0}}, 16, 16, TrueColor, 1},
        ChoiceCase{
            "TieLargerThanRequestAndBestStays", {{16, 16, 0}, {48, 48, 0}}, 32, 32, TrueColor, 0},
        ChoiceCase{"TieSmallerThanRequestWins", {{48, 48, 0}, {16, 16, 0}}, 32, 32, TrueColor, 1},
        ChoiceCase{"HeightDecidesToo", {{16, 32, 0}, {16, 16, 0}}, 16, 16, TrueColor, 1},
        ChoiceCase{
            "BetterWidthButWorseHeightStays", {{16, 16, 0}, {20, 40, 0}}, 24, 16, TrueColor, 0},
        ChoiceCase{"WidthsAreUnsignedBytes", {{16, 16, 0}, {200, 200, 0}}, 255, 255, TrueColor, 1},
        ChoiceCase{"RequestIsSigned", {{16, 16, 0}, {32, 32, 0}}, -1, -1, TrueColor, 0},
        ChoiceCase{"StoredZeroIsZeroNot256", {{16, 16, 0}, {0, 0, 0}}, 256, 256, TrueColor, 0}),
    [](const testing::TestParamInfo<ChoiceCase>& info) { return std::string(info.param.name); });

TEST(IconDirectoryTest, ReadsEachEntryAsStored) {
    const SampleEntry sizes[] = {{48, 48, 32}, {32, 32, 8, 256}, {16, 16, 4, 16}};
    const std::vector<std::uint8_t> image = test::MakeIcon(sizes);
    const std::vector<TIconRec> entries = ReadIconDirectory(image);
    ASSERT_EQ(entries.size(), 3u);
    std::int32_t offset = 6 + 3 * 16;
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].Width, sizes[i].width);
        EXPECT_EQ(entries[i].Height, sizes[i].height);
        EXPECT_EQ(entries[i].Colors, sizes[i].colors);
        EXPECT_EQ(entries[i].DIBOffset, offset);
        offset += entries[i].DIBSize;
    }
    EXPECT_EQ(static_cast<std::size_t>(offset), image.size());
}

std::size_t PaletteBytes(int bitCount) {
    return bitCount <= 8 ? 4u << bitCount : 0;
}

class ValidIconTest : public testing::TestWithParam<NamedImage> {};

TEST_P(ValidIconTest, GivesCheckedBitmapsWithAHeaderThePlatformReadsAsChecked) {
    const std::vector<std::uint8_t>& image = GetParam().bytes;
    const std::vector<TIconRec> entries = ReadIconDirectory(image);
    const TIconRec& entry = entries[ChooseIconEntry(entries, 16, 16, ManyColors)];
    const IconBitmaps bitmaps = ReadIconBitmaps(image, entry);
    const std::span<const std::uint8_t> stored(image.data() + entry.DIBOffset,
                                               static_cast<std::size_t>(entry.DIBSize));
    const int bitCount = static_cast<int>(Field16(stored, 14));
    const auto width = static_cast<std::int32_t>(Field32(stored, 4));
    const auto height = static_cast<std::int32_t>(Field32(stored, 8)) / 2;

    EXPECT_EQ(bitmaps.Width, width);
    EXPECT_EQ(bitmaps.Height, height);
    EXPECT_EQ(bitmaps.ColorOffset, 40 + PaletteBytes(bitCount));
    EXPECT_EQ(bitmaps.MaskOffset,
              bitmaps.ColorOffset +
                  static_cast<std::size_t>((bitCount * width + 31) / 32 * 4 * height));
    ASSERT_EQ(bitmaps.Buffer.size(), stored.size());
    EXPECT_EQ(Field32(bitmaps.Buffer, 0), 40u);
    EXPECT_EQ(Field32(bitmaps.Buffer, 8), static_cast<std::uint32_t>(height));
    EXPECT_EQ(Field32(bitmaps.Buffer, 20), 0u); // image size
    EXPECT_EQ(Field32(bitmaps.Buffer, 32), 0u); // colours used
    // Everything after the header is the entry's own bytes.
    EXPECT_TRUE(std::equal(bitmaps.Buffer.begin() + 40, bitmaps.Buffer.end(), stored.begin() + 40));
}

INSTANTIATE_TEST_SUITE_P(Samples, ValidIconTest, testing::ValuesIn(test::ValidIcons()),
                         test::ParamName());

class MalformedIconTest : public testing::TestWithParam<NamedImage> {};

TEST_P(MalformedIconTest, RaisesItsError) {
    try {
        Bitmaps(GetParam().bytes);
        ADD_FAILURE() << "no error";
    } catch (const EIconExError& error) {
        EXPECT_EQ(std::string(error.what()), GetParam().error);
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, MalformedIconTest, testing::ValuesIn(test::MalformedIcons()),
                         test::ParamName());

TEST(MaskHeaderTest, IsOneBitBlackAndWhiteAndLeavesTheMaskPixelsAlone) {
    // 1×1 at 32 bits: the mask row starts 4 bytes after the header, where a two-entry
    // colour table would lie.
    const std::vector<std::uint8_t> image = test::MakeIcon(SampleEntry{1, 1, 32});
    const IconBitmaps bitmaps = Bitmaps(image);
    ASSERT_EQ(bitmaps.MaskOffset, 44u);
    const std::vector<std::uint8_t> before = bitmaps.Buffer;
    const auto mask = MaskHeader(bitmaps);
    EXPECT_EQ(bitmaps.Buffer, before);
    EXPECT_TRUE(std::equal(mask.begin(), mask.begin() + 14, before.begin()));
    EXPECT_EQ(Field16(mask, 14), 1u);
    EXPECT_EQ(Field32(mask, 16), 0u);
    EXPECT_EQ(Field32(mask, 20), 0u);
    EXPECT_EQ(Field32(mask, 32), 2u);
    EXPECT_EQ(Field32(mask, 36), 2u);
    EXPECT_EQ(Field32(mask, 40), 0x00000000u);
    EXPECT_EQ(Field32(mask, 44), 0x00FFFFFFu);
}

struct LayoutCase {
    std::int32_t size;
    std::size_t colorRow, maskRow;
    std::int32_t dibSize;
};

class SixteenColorLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(SixteenColorLayoutTest, PadsRowsToFourBytes) {
    const LayoutCase& c = GetParam();
    const SixteenColorLayout layout = SixteenColorLayoutOf(c.size, c.size);
    EXPECT_EQ(layout.ColorRowBytes, c.colorRow);
    EXPECT_EQ(layout.MaskRowBytes, c.maskRow);
    EXPECT_EQ(layout.ColorBytes, c.colorRow * static_cast<std::size_t>(c.size));
    EXPECT_EQ(layout.MaskBytes, c.maskRow * static_cast<std::size_t>(c.size));
    EXPECT_EQ(layout.DIBSize, c.dibSize);
}

INSTANTIATE_TEST_SUITE_P(Sizes, SixteenColorLayoutTest,
                         testing::Values(LayoutCase{32, 16, 4, 744}, LayoutCase{16, 8, 4, 296},
                                         LayoutCase{1, 4, 4, 112}, LayoutCase{33, 20, 8, 1028},
                                         LayoutCase{48, 24, 8, 1640}));

TEST(SixteenColorLayoutTest, RefusesSizesWithoutAFileOfThatSize) {
    for (const auto& [width, height] : {std::pair{0, 16}, std::pair{16, 0}, std::pair{-1, -1},
                                        std::pair{100000, 100000}, std::pair{0x7FFFFFFF, 2}}) {
        EXPECT_THROW(SixteenColorLayoutOf(width, height), EIconExError) << width << "x" << height;
    }
}

std::vector<std::uint8_t> Pattern(std::size_t size, std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
    return bytes;
}

TEST(WriteIconImageTest, Writes32By32As766BytesThatReadBack) {
    std::vector<std::uint8_t> header = Pattern(SixteenColorHeaderSize, 1);
    const std::uint8_t fields[] = {40, 0, 0, 0, 32, 0, 0, 0, 32, 0, 0, 0,
                                   1,  0, 4, 0, 0,  0, 0, 0, 0,  0, 0, 0};
    std::copy(std::begin(fields), std::end(fields), header.begin());
    const std::vector<std::uint8_t> color = Pattern(512, 50), mask = Pattern(128, 90);

    const std::vector<std::uint8_t> image = WriteIconImage(32, 32, header, color, mask);
    ASSERT_EQ(image.size(), 766u);
    EXPECT_EQ(Field16(image, 0), 0u);
    EXPECT_EQ(Field16(image, 2), 1u);
    EXPECT_EQ(Field16(image, 4), 1u);
    const std::vector<TIconRec> entries = ReadIconDirectory(image);
    EXPECT_EQ(entries[0].Width, 32);
    EXPECT_EQ(entries[0].Height, 32);
    EXPECT_EQ(entries[0].Colors, 16);
    EXPECT_EQ(entries[0].Reserved1, 0);
    EXPECT_EQ(entries[0].Reserved2, 0);
    EXPECT_EQ(entries[0].DIBSize, 744);
    EXPECT_EQ(entries[0].DIBOffset, 22);
    EXPECT_EQ(Field32(image, 22 + 8), 64u);   // both bitmaps' height
    EXPECT_EQ(Field32(image, 22 + 20), 640u); // image size
    EXPECT_TRUE(std::equal(image.begin() + 22 + 40, image.begin() + 126, header.begin() + 40));
    EXPECT_TRUE(std::equal(color.begin(), color.end(), image.begin() + 126));
    EXPECT_TRUE(std::equal(mask.begin(), mask.end(), image.begin() + 638));

    const IconBitmaps bitmaps = ReadIconBitmaps(image, entries[0]);
    EXPECT_EQ(bitmaps.Width, 32);
    EXPECT_EQ(bitmaps.Height, 32);
    EXPECT_EQ(bitmaps.ColorOffset, 104u);
    EXPECT_EQ(bitmaps.MaskOffset, 104u + 512u);
}

} // namespace
} // namespace orvane
