#include "operate/ClickForms.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvane {
namespace {

struct FormsCase {
    std::uint32_t version;
    ClickKind kind;
    std::uint32_t id;
    int x, y;
    std::vector<CallbackForm> forms;
};

class ClickFormsTest : public testing::TestWithParam<FormsCase> {};

TEST_P(ClickFormsTest, MessagesTheOwnerReceives) {
    const FormsCase& c = GetParam();
    EXPECT_EQ(CallbackForms(c.version, c.kind, c.id, c.x, c.y), c.forms);
}

using K = ClickKind;
const std::vector<CallbackForm> OldDouble{{7, 0x201}, {7, 0x202}, {7, 0x201},
                                          {7, 0x202}, {7, 0x203}, {7, 0x202}};

INSTANTIATE_TEST_SUITE_P(
    Versions, ClickFormsTest,
    testing::Values(
        FormsCase{0, K::Click, 7, 5, 5, {{7, 0x201}, {7, 0x202}}},
        FormsCase{0, K::RightClick, 7, 5, 5, {{7, 0x204}, {7, 0x205}}},
        FormsCase{0, K::DoubleClick, 7, 5, 5, OldDouble},
        FormsCase{2, K::DoubleClick, 7, 5, 5, OldDouble},
        FormsCase{0, K::Hover, 0xFFFFFFFF, 5, 5, {{0xFFFFFFFF, 0x200}}},
        FormsCase{3, K::Click, 7, 5, 5, {{7, 0x201}, {7, 0x202}, {7, 0x400}}},
        FormsCase{3, K::RightClick, 7, 5, 5, {{7, 0x204}, {7, 0x205}, {7, 0x7B}}},
        FormsCase{3,
                  K::DoubleClick,
                  7,
                  5,
                  5,
                  {{7, 0x201}, {7, 0x202}, {7, 0x400}, {7, 0x203}, {7, 0x202}}},
        FormsCase{4,
                  K::Click,
                  7,
                  100,
                  1060,
                  {{0x04240064, 0x70201}, {0x04240064, 0x70202}, {0x04240064, 0x70400}}},
        FormsCase{4,
                  K::RightClick,
                  0x12345,
                  -10,
                  -20,
                  {{0xFFECFFF6, 0x23450204}, {0xFFECFFF6, 0x23450205}, {0xFFECFFF6, 0x2345007B}}},
        FormsCase{4,
                  K::DoubleClick,
                  1,
                  0,
                  0,
                  {{0, 0x10201}, {0, 0x10202}, {0, 0x10400}, {0, 0x10203}, {0, 0x10202}}},
        FormsCase{4, K::Hover, 2, 1919, 0, {{0x77F, 0x20200}}}));

} // namespace
} // namespace orvane
