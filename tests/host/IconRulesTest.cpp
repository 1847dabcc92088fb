#include "operate/IconRules.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

struct TipCase {
    const wchar_t* tip;
    bool system;
};

class SystemIconTest : public testing::TestWithParam<TipCase> {};

TEST_P(SystemIconTest, KnowsTheShellsOwnIconsByTheirTips) {
    EXPECT_EQ(IsSystemIconTip(GetParam().tip), GetParam().system) << GetParam().tip;
}

INSTANTIATE_TEST_SUITE_P(
    Tips, SystemIconTest,
    testing::Values(TipCase{L"スピーカー: 50%", true}, TipCase{L"デジタル オーディオ (S/PDIF)", true},
                    TipCase{L"ヘッドホン: 30%", true}, TipCase{L"HDMI 出力", true},
                    TipCase{L"PC の問題を解決: 2 件のメッセージ", true},
                    TipCase{L"ネットワーク インターネット アクセス", true},
                    TipCase{L"hdmi 出力", false}, TipCase{L"デジタル　オーディオ", false},
                    TipCase{L"Dropbox", false}, TipCase{L"", false}));

struct LineCase {
    const wchar_t* line;
    const wchar_t* tip;
    bool matches;
};

class InoperableLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(InoperableLineTest, MatchesAFragmentAnywhereButNeverABlankLine) {
    EXPECT_EQ(InoperableLineMatches(GetParam().line, GetParam().tip), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, InoperableLineTest,
    testing::Values(LineCase{L"foo", L"a foo b", true}, LineCase{L"foo", L"foo", true},
                    LineCase{L" foo", L"a foo", true}, LineCase{L" foo", L"foo bar", false},
                    LineCase{L"foo ", L"foo", false}, LineCase{L"", L"anything", false},
                    LineCase{L"   ", L"a   b", false}, LineCase{L"\t\r", L"\t\r", false},
                    LineCase{L"音量", L"スピーカー 音量 50%", true}, LineCase{L"bar", L"foo", false}));

} // namespace
} // namespace orvane
