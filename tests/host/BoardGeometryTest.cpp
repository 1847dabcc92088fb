#include "board/Geometry.h"
#include "board/Placement.h"
#include "board/Resampler.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvane {
namespace {

struct LayoutCase {
    int iconSize, entries;
    BoardLayout layout;
};

class BoardLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(BoardLayoutTest, SizesTheBoardAndTheWindowAroundIt) {
    const BoardLayout got = LayoutFor(GetParam().iconSize, GetParam().entries);
    const BoardLayout& want = GetParam().layout;
    EXPECT_EQ(got.Rows, want.Rows);
    EXPECT_EQ(got.ImageWidth, want.ImageWidth);
    EXPECT_EQ(got.ImageHeight, want.ImageHeight);
    EXPECT_EQ(got.ClientWidth, want.ClientWidth);
    EXPECT_EQ(got.ClientHeight, want.ClientHeight);
    EXPECT_EQ(got.Button1Top, want.Button1Top);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, BoardLayoutTest,
    testing::Values(LayoutCase{64, 10, {3, 483, 207, 503, 245, 207}},
                    LayoutCase{32, 22, {4, 259, 148, 279, 186, 148}},
                    LayoutCase{48, 1, {3, 371, 159, 391, 197, 159}},
                    LayoutCase{64, 21, {3, 483, 207, 503, 245, 207}},
                    LayoutCase{64, 22, {4, 483, 276, 503, 314, 276}},
                    LayoutCase{192, 30, {5, 1379, 985, 1399, 1023, 985}}));

TEST(BoardCellTest, CellsFollowTheSevenColumnGrid) {
    EXPECT_EQ(CellOrigin(9, 64), (Point{2 * 69, 69}));
    EXPECT_EQ(CellOrigin(0, 32), (Point{0, 0}));
    EXPECT_EQ(CellOrigin(7, 48), (Point{0, 53}));
    EXPECT_EQ(CellAt(70, 0, 64), 1);
    EXPECT_EQ(CellAt(0, 69, 64), 7);
    EXPECT_EQ(CellAt(68, 68, 64), 0);
    EXPECT_EQ(CellAt(60, 120, 48), 15);
    for (int i = 0; i < 40; ++i) {
        const Point origin = CellOrigin(i, 48);
        EXPECT_EQ(CellAt(origin.X, origin.Y, 48), i);
        EXPECT_EQ(CellAt(origin.X + 52, origin.Y + 52, 48), i);
    }
}

struct PlaceCase {
    int width, height;
    Point pointer;
    Area work;
    Point place;
};

class FormPositionTest : public testing::TestWithParam<PlaceCase> {};

TEST_P(FormPositionTest, PutsTheWindowBesideThePointer) {
    const PlaceCase& c = GetParam();
    EXPECT_EQ(FormPositionBesidePointer(c.width, c.height, c.pointer, c.work), c.place);
}

INSTANTIATE_TEST_SUITE_P(
    Pointers, FormPositionTest,
    testing::Values(PlaceCase{503, 300, {100, 100}, {0, 0, 1920, 1040}, {110, 100}},
                    PlaceCase{503, 300, {1900, 1000}, {0, 0, 1920, 1040}, {1387, 700}},
                    PlaceCase{503, 300, {700, 900}, {0, 0, 1000, 1040}, {187, 600}},
                    PlaceCase{503, 300, {500, 900}, {0, 0, 1000, 1040}, {248, 600}},
                    PlaceCase{503, 300, {50, 50}, {0, 0, 510, 1040}, {0, 50}},
                    PlaceCase{503, 1100, {50, 50}, {0, 0, 1920, 1040}, {60, 0}},
                    PlaceCase{503, 600, {50, 500}, {0, 0, 1920, 1040}, {60, 220}},
                    PlaceCase{503, 300, {-1500, 100}, {-1920, 0, 0, 1040}, {-1490, 100}}));

TEST(FormPositionTest, CentresInTheWorkArea) {
    EXPECT_EQ(FormPositionCentred(503, 245, {0, 0, 1920, 1040}), (Point{708, 397}));
    EXPECT_EQ(FormPositionCentred(503, 245, {1920, 40, 3200, 1064}), (Point{2308, 429}));
}

struct HintCase {
    Point pointer;
    int width, height;
    Point place;
};

class HintPositionTest : public testing::TestWithParam<HintCase> {};

TEST_P(HintPositionTest, KeepsTheHintBesideThePointerAndOnTheBoard) {
    const HintCase& c = GetParam();
    EXPECT_EQ(HintPosition(c.pointer, c.width, c.height, 483, 207), c.place);
}

INSTANTIATE_TEST_SUITE_P(
    Pointers, HintPositionTest,
    testing::Values(HintCase{{10, 10}, 100, 40, {30, 30}},
                    HintCase{{400, 10}, 100, 40, {280, 30}},   // flips left at the right edge
                    HintCase{{60, 10}, 450, 40, {0, 30}},      // no room on the left either
                    HintCase{{10, 90}, 100, 150, {30, 110}},   // upper half: stays below
                    HintCase{{10, 150}, 100, 40, {30, 90}},    // lower half: flips above
                    HintCase{{10, 120}, 100, 150, {30, 0}},    // above, but not below 0
                    HintCase{{10, 150}, 100, 197, {30, 0}}));  // nearly as high as the box

class Picture {
public:
    Picture(int width, int height) : width_(width), height_(height), bytes_(width * height * 3) {
        for (int y = 0; y < height; ++y) rows_.push_back(bytes_.data() + y * width * 3);
    }
    PixelRows Rows() { return {rows_.data(), width_, height_}; }
    std::uint8_t* At(int x, int y) { return rows_[y] + x * 3; }

private:
    int width_, height_;
    std::vector<std::uint8_t> bytes_;
    std::vector<std::uint8_t*> rows_;
};

TEST(ResamplerTest, OneColourStaysOneColour) {
    Picture source(32, 32), target(64, 64);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            std::uint8_t* p = source.At(x, y);
            p[0] = 10, p[1] = 128, p[2] = 251;
        }
    ResampleBilinear(source.Rows(), target.Rows());
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const std::uint8_t* p = target.At(x, y);
            ASSERT_EQ(p[0], 10);
            ASSERT_EQ(p[1], 128);
            ASSERT_EQ(p[2], 251);
        }
}

TEST(ResamplerTest, HalvesOfBlackAndWhiteMeetInTwoGreys) {
    Picture source(32, 32), target(64, 64);
    for (int y = 0; y < 32; ++y)
        for (int x = 16; x < 32; ++x) std::fill_n(source.At(x, y), 3, 255);
    ResampleBilinear(source.Rows(), target.Rows());
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const int expected = x < 31 ? 0 : x == 31 ? 64 : x == 32 ? 191 : 255;
            for (int channel = 0; channel < 3; ++channel) ASSERT_EQ(target.At(x, y)[channel], expected);
        }
    }
}

TEST(ResamplerTest, RoundsHalvesToTheEvenNeighbour) {
    // Between 0 and 1 at a quarter and three quarters of the way: 0.25 and 0.75 round to 0
    // and 1; a two-pixel source stretched to four gives exactly those weights.
    Picture source(2, 1), target(4, 1);
    source.At(1, 0)[0] = 1;
    source.At(1, 0)[1] = 2;  // 0.5 and 1.5 rounds to 0 and 2
    ResampleBilinear(source.Rows(), target.Rows());
    EXPECT_EQ(target.At(1, 0)[0], 0);
    EXPECT_EQ(target.At(2, 0)[0], 1);
    EXPECT_EQ(target.At(1, 0)[1], 0);
    EXPECT_EQ(target.At(2, 0)[1], 2);
}

} // namespace
} // namespace orvane
