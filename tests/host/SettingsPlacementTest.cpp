#include "settings/Placement.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

struct PlaceCase {
    const char* name;
    WindowBox main, settings;
    WorkArea work;
    WindowBox placedMain, placedSettings;
};

class PlaceBesideTest : public testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceBesideTest, RightLeftOrFromTheEdgeThenBelowAbove) {
    const PlaceCase& c = GetParam();
    const SideBySide placed = PlaceBeside(c.main, c.settings, c.work);
    EXPECT_EQ(placed.Main, c.placedMain);
    EXPECT_EQ(placed.Settings, c.placedSettings);
}

constexpr WorkArea Wide{0, 0, 1920, 1040};
constexpr WorkArea Narrow{0, 0, 800, 1040};
constexpr WorkArea Small{0, 0, 800, 600};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Layouts, PlaceBesideTest, testing::Values(
    PlaceCase{"Right",       {100, 50, 237, 383},  {500, 300, 738, 496}, Wide,   {100, 50, 237, 383},  {337, 300, 738, 496}},
    PlaceCase{"Left",        {1683, 50, 237, 383}, {0, 9, 738, 496},     Wide,   {1683, 50, 237, 383}, {945, 9, 738, 496}},
    PlaceCase{"NeitherSide", {800, 50, 237, 383},  {0, 9, 900, 496},     Wide,   {0, 50, 237, 383},    {237, 9, 900, 496}},
    PlaceCase{"Below",       {100, 50, 237, 383},  {30, 9, 738, 496},    Narrow, {100, 50, 237, 383},  {30, 433, 738, 496}},
    PlaceCase{"Above",       {100, 600, 237, 383}, {30, 9, 738, 496},    Narrow, {100, 600, 237, 383}, {30, 104, 738, 496}},
    PlaceCase{"FromTheTop",  {100, 300, 237, 383}, {30, 9, 738, 496},    Narrow, {100, 0, 237, 383},   {30, 383, 738, 496}},
    PlaceCase{"NoRoomAtAll", {100, 50, 237, 383},  {30, 9, 738, 496},    Small,  {100, 50, 237, 383},  {30, 9, 738, 496}}),
    [](const auto& info) { return info.param.name; });
// clang-format on

} // namespace
} // namespace orvane
