#include "companion/ItemTexts.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(CutTipTest, KeepsAtMostTheRecordsRoom) {
    const std::wstring long200(200, L'a'), exact127(127, L'b');
    EXPECT_EQ(CutTip(long200, 127), std::wstring(127, L'a'));
    EXPECT_EQ(CutTip(exact127, 127), exact127);
    EXPECT_EQ(CutTip(L"", 127), L"");
    // A character outside the basic plane is not split in two.
    const std::wstring pair = std::wstring(126, L'c') + L"\xD83D\xDE00";
    EXPECT_EQ(CutTip(pair, 127), std::wstring(126, L'c'));
    EXPECT_EQ(CutTip(pair, 128), pair);
}

struct TipCase {
    const wchar_t* fileName;
    const wchar_t* beforeStartText;
    const wchar_t* tip;
};

class PlaceholderTipTest : public testing::TestWithParam<TipCase> {};

TEST_P(PlaceholderTipTest, NamesTheProgramAndSaysItIsNotRunning) {
    EXPECT_EQ(PlaceholderTipText(GetParam().fileName, GetParam().beforeStartText), GetParam().tip);
}

INSTANTIATE_TEST_SUITE_P(
    Items, PlaceholderTipTest,
    testing::Values(
        TipCase{L"C:\\Program Files\\Mail\\mailer.exe", L"", L"mailer.exe-起動していません"},
        TipCase{L"C:\\Tools\\memo.exe", L"メモ帳", L"memo.exe\rメモ帳-起動していません"},
        TipCase{L"player.exe", L"", L"player.exe-起動していません"},
        TipCase{L"D:player.exe", L"", L"player.exe-起動していません"},
        TipCase{L"\\\\server\\share\\sync.exe", L"2 行\r目", L"sync.exe\r2 行\r目-起動していません"},
        TipCase{L"", L"", L"-起動していません"}));

} // namespace
} // namespace orvane
