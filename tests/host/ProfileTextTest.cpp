#include "core/ProfileText.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace orvane {
namespace {

TEST(ProfileTextTest, FirstSectionAndFirstKeyWinWithoutRegardToCase) {
    const ProfileText text(L"[ShortCut]\r\nCount=2\r\ncount=9\r\nText0 = \"a b\" \r\nbare\r\n"
                           L"[SHORTCUT]\r\nText1=hidden\r\n[Other]\nx='y'\n");
    EXPECT_EQ(text.Value(L"shortcut", L"COUNT"), L"2");
    EXPECT_EQ(text.Value(L"ShortCut", L"Text0"), L"a b");
    EXPECT_EQ(text.Value(L"ShortCut", L"Text1"), std::nullopt);
    EXPECT_EQ(text.Value(L"ShortCut", L"bare"), std::nullopt);
    EXPECT_EQ(text.Value(L"Other", L"x"), L"y");
    EXPECT_EQ(text.Keys(L"ShortCut"), (std::vector<std::wstring>{L"Count", L"count", L"Text0"}));
    EXPECT_TRUE(text.Keys(L"Missing").empty());
}

// 200,000 keys: one parse and a lookup each, not a search of the file for every key.
TEST(ProfileTextTest, ReadingEveryKeyOfALargeFileTakesLinearTime) {
    std::wstring file = L"[Items]\r\n";
    constexpr int Keys = 200000;
    for (int i = 0; i < Keys; ++i)
        file += std::to_wstring(i) + L"=value" + std::to_wstring(i) + L"\r\n";
    const auto start = std::chrono::steady_clock::now();
    const ProfileText text(file);
    std::size_t found = 0;
    for (int i = 0; i < Keys; i += 1) found += text.Value(L"items", std::to_wstring(i)).has_value();
    EXPECT_EQ(found, static_cast<std::size_t>(Keys));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

} // namespace
} // namespace orvane
