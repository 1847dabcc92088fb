#include "core/ProfileValue.h"
#include "core/VersionFlags.h"

#include <gtest/gtest.h>

#include <optional>

namespace orvane {
namespace {

struct IntegerCase {
    const wchar_t* text;
    std::optional<std::int32_t> value;
};

class ProfileIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(ProfileIntegerTest, ReadsOnlyWholeDecimalIntegers) {
    EXPECT_EQ(ParseProfileInteger(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Values, ProfileIntegerTest,
    testing::Values(IntegerCase{L"0", 0}, IntegerCase{L"115", 115}, IntegerCase{L"-7", -7},
                    IntegerCase{L"+42", 42}, IntegerCase{L"  64 ", 64},
                    IntegerCase{L"2147483647", 2147483647}, IntegerCase{L"-2147483648", INT32_MIN},
                    IntegerCase{L"2147483648", std::nullopt},
                    IntegerCase{L"-2147483649", std::nullopt},
                    IntegerCase{L"99999999999999999999", std::nullopt},
                    IntegerCase{L"", std::nullopt}, IntegerCase{L"   ", std::nullopt},
                    IntegerCase{L"-", std::nullopt}, IntegerCase{L"12abc", std::nullopt},
                    IntegerCase{L"abc", std::nullopt}, IntegerCase{L"1 2", std::nullopt},
                    IntegerCase{L"0x10", std::nullopt}, IntegerCase{L"1.5", std::nullopt},
                    IntegerCase{L"\uFF11\uFF12", std::nullopt}));

TEST(ProfileIntegerTest, FallsBackOnlyWhenNotAnInteger) {
    EXPECT_EQ(ProfileInteger(L"junk", 115), 115);
    EXPECT_EQ(ProfileInteger(L"0", 115), 0);
}

struct CountCase {
    std::int32_t count, keys, bounded;
};

class BoundedCountTest : public testing::TestWithParam<CountCase> {};

TEST_P(BoundedCountTest, NeverExceedsTheKeysPresent) {
    EXPECT_EQ(BoundedCount(GetParam().count, GetParam().keys), GetParam().bounded);
}

INSTANTIATE_TEST_SUITE_P(Counts, BoundedCountTest,
                         testing::Values(CountCase{3, 10, 3}, CountCase{3, 2, 2},
                                         CountCase{2147483647, 6, 6}, CountCase{-5, 6, 0},
                                         CountCase{0, 6, 0}, CountCase{4, 0, 0},
                                         CountCase{5, 5, 5}));

struct VersionCase {
    unsigned major, minor;
    VersionFlags flags;
};

class VersionFlagsTest : public testing::TestWithParam<VersionCase> {};

TEST_P(VersionFlagsTest, NamesTheWindowsGeneration) {
    EXPECT_EQ(VersionFlagsOf(GetParam().major, GetParam().minor), GetParam().flags);
}

INSTANTIATE_TEST_SUITE_P(Versions, VersionFlagsTest,
                         testing::Values(VersionCase{5, 1, {}}, VersionCase{5, 2, {}},
                                         VersionCase{6, 0, {true, false, false}},
                                         VersionCase{6, 1, {false, true, false}},
                                         VersionCase{6, 2, {false, false, true}},
                                         VersionCase{6, 3, {}},
                                         VersionCase{10, 0, {false, false, true}}));

} // namespace
} // namespace orvane
