#include "core/DozedeR64Form.h"
#include "support/Files.h"
#include "support/Simulator.h"
#include "support/StandIns.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace orvane {
namespace {

struct BoundCase {
    int icons;
    int shown; // entries on the board at 192 pixels, the largest size of a 1920-pixel screen
};

class BoardBoundTest : public testing::TestWithParam<BoundCase> {};

TEST_P(BoardBoundTest, ThePictureAtTheLargestSizeStaysWithin64MiB) {
    const test::CleanDataFolder clean;
    test::DialogRecorder dialogs;
    std::string scenario = "layout win7\n";
    for (int i = 1; i <= GetParam().icons; ++i)
        scenario += "icon tray id=" + std::to_string(i) + " tip=t" + std::to_string(i) + "\n";
    test::SimulatorProcess tray(scenario);
    TDozedeR64Form form;
    form.IsWin7 = true;
    form.IconSize = 192;
    const auto start = std::chrono::steady_clock::now();
    form.Button1Click();
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(form.TotalBtnCount, GetParam().icons);
    EXPECT_EQ(form.BoardEntries(), GetParam().shown);
    const std::int64_t bytes =
        std::int64_t{(form.Image1.Width() * 3 + 3) / 4 * 4} * form.Image1.Height();
    EXPECT_LE(bytes, 64 << 20);
    EXPECT_EQ(form.Image1.Height(), (GetParam().shown + 6) / 7 * 197);
    std::printf("%d icons at 192 pixels: %d shown, picture %.1f MiB, refresh and drawing %lld ms\n",
                GetParam().icons, form.BoardEntries(), static_cast<double>(bytes) / (1 << 20),
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
}

INSTANTIATE_TEST_SUITE_P(Sizes, BoardBoundTest,
                         testing::Values(BoundCase{500, 500}, BoundCase{700, 574}),
                         [](const auto& info) { return std::to_string(info.param.icons); });

} // namespace
} // namespace orvane
