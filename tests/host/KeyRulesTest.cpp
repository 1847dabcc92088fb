#include "keyboard/KeyRules.h"
#include "keyboard/ShortCutMainKeys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace orvane {
namespace {

TEST(KeyRulesTest, TheHookPassesOnPlainKeyDownsOnly) {
    EXPECT_TRUE(KeyHookReports(0, 0x0100));
    EXPECT_FALSE(KeyHookReports(0, 0x0101)); // key up
    EXPECT_FALSE(KeyHookReports(0, 0x0104)); // pressed with Alt held
    EXPECT_FALSE(KeyHookReports(0, 0x0105));
    EXPECT_FALSE(KeyHookReports(3, 0x0100)); // not an action
}

TEST(KeyRulesTest, AHeldKeyBeginsOnePressUntilItIsReleased) {
    constexpr std::uintptr_t Down = 0x0100, Up = 0x0101, SysDown = 0x0104, SysUp = 0x0105;
    struct Step {
        std::uintptr_t message;
        std::uint32_t vk;
        bool begins;
    };
    const std::vector<Step> steps{
        {Down, 0x73, true},     // F4 pressed
        {Down, 0x73, false},    // repeated while held
        {Down, 0x73, false},    //
        {Down, 0x41, true},     // another key meanwhile is its own press
        {Up, 0x73, false},      // released
        {Down, 0x73, true},     // pressed again
        {SysDown, 0x73, false}, // Alt pressed while F4 is held repeats F4, not a press
        {SysUp, 0x73, false},
        {Down, 0x173, true}, // only the low byte names the key: 0x73 was released
    };
    KeyPresses presses;
    for (std::size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(presses.Begins(steps[i].message, steps[i].vk), steps[i].begins) << "step " << i;
}

TEST(KeyRulesTest, TheHookMayBeLostOnlyAfterInputWellAfterItsLastCall) {
    struct Case {
        std::uint32_t lastInput, lastHookCall;
        bool lost;
    };
    for (const Case& c : std::vector<Case>{{10000, 9000, true},
                                           {10000, 9700, false}, // may still be on its way
                                           {9000, 10000, false},
                                           {5, 0xFFFFFC00u, true}}) // the tick count wraps
        EXPECT_EQ(KeyHookMayBeLost(c.lastInput, c.lastHookCall), c.lost)
            << c.lastInput << " " << c.lastHookCall;
}

TEST(KeyRulesTest, CaptureIgnoresModifiersAndPrintScreenAndNamesExtendedKeys) {
    for (std::uint16_t vk : {0x10, 0x11, 0x12, 0x5B, 0x5C, 0x2C})
        EXPECT_TRUE(IsIgnoredByCapture(vk));
    for (std::uint16_t vk : {0x0D, 0x13, 0x41, 0x73, 0x5D, 0xA2})
        EXPECT_FALSE(IsIgnoredByCapture(vk));

    const std::vector<std::uint16_t> extended{0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28,
                                              0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E, 0x5B, 0x5C,
                                              0x5D, 0x6C, 0x6F, 0x90, 0xA3, 0xA5};
    for (std::uint16_t vk = 0; vk < 256; ++vk) {
        const bool expected = std::find(extended.begin(), extended.end(), vk) != extended.end();
        EXPECT_EQ(IsExtendedKey(vk), expected) << vk;
    }
    EXPECT_EQ(KeyNameParameter(0x73, 0x3E), 0x3E << 16);               // F4
    EXPECT_EQ(KeyNameParameter(0x2E, 0x53), (0x53 << 16) | (1 << 24)); // Delete
    EXPECT_EQ(KeyNameParameter(0x41, 0x11E), 0x1E << 16);              // only the low byte
}

TEST(KeyRulesTest, TheModifierTableMarksTheHotKeyChoices) {
    std::vector<int> hotKeys;
    for (int i = -1; i <= 16; ++i) {
        if (IsHotKeyChoice(i)) hotKeys.push_back(i);
        EXPECT_EQ(ShortCutChoice(i) != nullptr, i >= 0 && i < 16);
        // A hot-key choice has modifiers to register with, the others none.
        if (const ShortCutMainKeyChoice* choice = ShortCutChoice(i)) {
            EXPECT_EQ(choice->HotKeyModifiers != 0, IsHotKeyChoice(i)) << i;
        }
    }
    EXPECT_EQ(hotKeys, (std::vector<int>{0, 3, 8, 9, 10, 11, 12, 13, 14, 15}));
}

constexpr ChoiceKeys Ctrl{0x11, 0}, CtrlShift{0x11, 0x10};

TEST(KeyRulesTest, AShowKeyOfTheSavedShortcutsIsRefused) {
    const std::vector<std::uint16_t> saved{0x41, 0x42};
    EXPECT_TRUE(ShowKeyRefused(0x11, Ctrl, saved));
    EXPECT_TRUE(ShowKeyRefused(0x10, CtrlShift, saved));
    EXPECT_TRUE(ShowKeyRefused(0x42, Ctrl, saved));
    EXPECT_FALSE(ShowKeyRefused(0x73, Ctrl, saved));
    EXPECT_FALSE(ShowKeyRefused(0x11, std::nullopt, {})); // nothing saved
    EXPECT_FALSE(ShowKeyRefused(0, Ctrl, saved));         // a single key has no second
}

struct ShortCutCase {
    const char* name;
    std::uint16_t vk;
    std::vector<std::uint16_t> rows;
    bool changing;
    int target;
    ShortCutKeyRefusal expected;
};

class ShortCutKeyTest : public testing::TestWithParam<ShortCutCase> {};

TEST_P(ShortCutKeyTest, RefusesInOrder) {
    const ShortCutCase& c = GetParam();
    EXPECT_EQ(CheckShortCutKey(c.vk, CtrlShift, 0x73, c.rows, c.changing, c.target), c.expected);
}

using R = ShortCutKeyRefusal;
INSTANTIATE_TEST_SUITE_P(
    Cases, ShortCutKeyTest,
    testing::Values(
        ShortCutCase{"ModifierWithOneRow", 0x11, {0}, false, 0, R::None},
        ShortCutCase{"ModifierWithTwoRows", 0x11, {0x41, 0}, false, 1, R::ModifierKey},
        ShortCutCase{"SecondModifierKey", 0x10, {0x41, 0}, false, 1, R::ModifierKey},
        ShortCutCase{"ShowKey", 0x73, {0}, false, 0, R::ShowKey},
        ShortCutCase{"ShowKeyBeforeDuplicate", 0x73, {0x73, 0}, false, 1, R::ShowKey},
        ShortCutCase{"DuplicateOfAnEarlierRow", 0x41, {0x41, 0x42, 0}, false, 2, R::AlreadyUsed},
        ShortCutCase{"NewRowIgnoresItsOwnSlot", 0x43, {0x41, 0x42, 0x43}, false, 2, R::None},
        ShortCutCase{"ChangeKeepsItsOwnKey", 0x42, {0x41, 0x42, 0x43}, true, 1, R::None},
        ShortCutCase{"ChangeToAnotherRowsKey", 0x43, {0x41, 0x42, 0x43}, true, 1, R::AlreadyUsed},
        ShortCutCase{"ChangeOfTheLastRowSeesAll", 0x41, {0x41, 0x42}, true, 1, R::AlreadyUsed}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace orvane
