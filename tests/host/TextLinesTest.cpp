#include "platform/ui/TextLines.h"

#include <gtest/gtest.h>

namespace orvane::ui {
namespace {

struct LinesCase {
    const wchar_t* text;
    std::vector<std::wstring> lines;
};

class SplitLinesTest : public testing::TestWithParam<LinesCase> {};

TEST_P(SplitLinesTest, EveryKindOfLineBreakEndsALine) {
    EXPECT_EQ(SplitLines(GetParam().text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SplitLinesTest,
    testing::Values(LinesCase{L"", {}}, LinesCase{L"\r\n", {L""}}, LinesCase{L"a", {L"a"}},
                    LinesCase{L"a\r\nb", {L"a", L"b"}}, LinesCase{L"a\r\nb\r\n", {L"a", L"b"}},
                    LinesCase{L"a\r\n\r\nb\r\n", {L"a", L"", L"b"}},
                    LinesCase{L"a\nb\rc", {L"a", L"b", L"c"}},
                    LinesCase{L"a\n\rb", {L"a", L"", L"b"}}, LinesCase{L"\r\n\r\n", {L"", L""}}));

TEST(JoinLinesTest, JoinedLinesSplitIntoTheSameLines) {
    for (const std::vector<std::wstring>& lines :
         {std::vector<std::wstring>{}, {L""}, {L"", L""}, {L"音量", L"", L"Dropbox"}}) {
        EXPECT_EQ(SplitLines(JoinLines(lines)), lines);
    }
    EXPECT_EQ(JoinLines({L"a", L""}), L"a\r\n\r\n");
}

} // namespace
} // namespace orvane::ui
