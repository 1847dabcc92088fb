#include "core/Elapsed.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(ElapsedTest, MeasuresAcrossTheWrapOfTheCounter) {
    EXPECT_EQ(Elapsed(1500, 1000), 500u);
    EXPECT_EQ(Elapsed(1000, 1500), 500u); // a reading taken before the start
    EXPECT_EQ(Elapsed(0x00000010u, 0xFFFFFFF0u), 0x20u);
    EXPECT_EQ(Elapsed(30000u - 10u, 0xFFFFFFFFu - 9u), 30000u);
    EXPECT_EQ(Elapsed(0x80000000u, 0), 0x80000000u);
    EXPECT_EQ(Elapsed(7, 7), 0u);
}

} // namespace
} // namespace orvane
