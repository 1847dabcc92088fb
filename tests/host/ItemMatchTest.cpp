#include "companion/ItemMatch.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvane {
namespace {

struct MatchCase {
    const char* name;
    std::vector<ItemIdentity> items;
    std::int32_t pid;
    const wchar_t* lowerPath;
    std::int32_t item;
};

class MatchReportedWindowTest : public testing::TestWithParam<MatchCase> {};

TEST_P(MatchReportedWindowTest, TakesTheFirstItemOfTheProcessOrItsExecutable) {
    EXPECT_EQ(MatchReportedWindow(GetParam().items, GetParam().pid, GetParam().lowerPath),
              GetParam().item);
}

const std::wstring Mailer = L"c:\\apps\\mailer.exe";
const std::wstring Player = L"c:\\apps\\player.exe";

INSTANTIATE_TEST_SUITE_P(
    Reports, MatchReportedWindowTest,
    testing::Values(
        MatchCase{"ByPath", {{0, Player}, {0, Mailer}}, 40, Mailer.c_str(), 1},
        MatchCase{"ByProcessWhenThePathCannotBeRead", {{0, Player}, {40, Mailer}}, 40, L"", 1},
        // The first item wins even when the process is the second one's.
        MatchCase{"FirstOfTwoForOneExecutable", {{0, Mailer}, {40, Mailer}}, 40, Mailer.c_str(), 0},
        MatchCase{"ProcessOfAnEarlierItemWins", {{40, Player}, {0, Mailer}}, 40, Mailer.c_str(), 0},
        MatchCase{"NoProcessIdMatchesNoItemWithoutOne", {{0, Player}}, 0, L"", -1},
        // An item without a path never matches a process whose path cannot be read.
        MatchCase{"EmptyPathMatchesNoEmptyItem", {{0, L""}}, 40, L"", -1},
        MatchCase{"OtherProgram", {{41, Player}, {0, Mailer}}, 40, L"c:\\apps\\other.exe", -1},
        MatchCase{"NoItems", {}, 40, Mailer.c_str(), -1}),
    [](const testing::TestParamInfo<MatchCase>& info) { return info.param.name; });

TEST(IsAdoptableTitleTest, RefusesUntitledWindowsAndThisProgramsOwn) {
    EXPECT_TRUE(IsAdoptableTitle(L"無題 - メモ帳"));
    EXPECT_TRUE(IsAdoptableTitle(L"dozeder64")); // compared with case
    EXPECT_TRUE(IsAdoptableTitle(L"My Dozeder64"));
    EXPECT_FALSE(IsAdoptableTitle(L""));
    EXPECT_FALSE(IsAdoptableTitle(L"Dozeder64"));
    EXPECT_FALSE(IsAdoptableTitle(L"Dozeder64 設定"));
}

} // namespace
} // namespace orvane
