#include "keyboard/KeyHook.h"
#include "keyboard/KeyRules.h"
#include "support/Files.h"
#include "support/ProgramWindows.h"
#include "support/StandIns.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace orvane {
namespace {

class ShowKeyTest : public testing::Test {
protected:
    void SetUp() override {
        form.Show();
        form.SetWindowState(ui::WindowState::Minimized);
        ASSERT_TRUE(Minimised());
        SetCursorPos(300, 200);
    }
    bool Minimised() const { return form.GetWindowState() == ui::WindowState::Minimized; }
    void Hooked(std::uint16_t vk) { SendMessageW(form.Handle(), WM_KEYHOOK, 0x3E, vk); }
    void Hold(std::set<int> keys) {
        input.keyState = [keys](int key) -> SHORT { return keys.count(key) ? SHORT(0x8000) : 0; };
    }

    test::CleanDataFolder clean;
    test::DialogRecorder dialogs;
    test::VirtualClock clock;
    test::InputRecorder input;
    traysim::Tray tray{L"layout win7\nicon tray id=1 tip=a\nicon tray id=2 tip=b\n"};
    test::ProgramWindows program;
    TDozedeR64Form& form = program.main;
};

TEST_F(ShowKeyTest, TheHookPostsEachKeyDownToTheWindow) {
    KBDLLHOOKSTRUCT key{};
    key.vkCode = VK_F4;
    key.scanCode = 0x3E;
    ReportHookedKey(form.Handle(), key);
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, form.Handle(), WM_KEYHOOK, WM_KEYHOOK, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0x3Eu);
    EXPECT_EQ(msg.lParam, VK_F4);
}

TEST_F(ShowKeyTest, TheShowKeyRestoresTheBoardBesideThePointerAndRaisesItForAMoment) {
    bool topmostMeanwhile = false;
    clock.onWait = [&] {
        topmostMeanwhile =
            topmostMeanwhile || (GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    };
    Hooked(VK_F4);
    EXPECT_FALSE(Minimised());
    EXPECT_FALSE(form.FormMinimized);
    EXPECT_EQ(form.TotalBtnCount, 2);
    EXPECT_EQ(form.Left(), 310);
    EXPECT_EQ(form.Top(), 200);
    EXPECT_TRUE(topmostMeanwhile);
    EXPECT_FALSE(GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetForegroundWindow(), form.Handle());

    // On an open board it moves to the pointer and stays open.
    SetCursorPos(500, 300);
    Hooked(VK_F4);
    EXPECT_FALSE(Minimised());
    EXPECT_EQ(form.Left(), 510);
}

struct HeldCase {
    const char* name;
    bool ctrlMode;
    std::set<int> held;
    std::uint16_t key;
    std::function<void(test::ProgramWindows&)> state;
    bool shows;
};

class ShowKeyCaseTest : public ShowKeyTest, public testing::WithParamInterface<HeldCase> {};

TEST_P(ShowKeyCaseTest, ShowsOnlyInItsMode) {
    const HeldCase& c = GetParam();
    form.MainKeyIsDouble = c.ctrlMode;
    Hold(c.held);
    if (c.state) c.state(program);
    Hooked(c.key);
    EXPECT_EQ(!Minimised(), c.shows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShowKeyCaseTest,
    testing::Values(
        HeldCase{"Alone", false, {}, VK_F4, nullptr, true},
        HeldCase{"AloneWithCtrl", false, {VK_CONTROL}, VK_F4, nullptr, true},
        HeldCase{"OtherKey", false, {}, VK_F5, nullptr, false},
        HeldCase{"CtrlModeWithoutCtrl", true, {}, VK_F4, nullptr, false},
        HeldCase{"CtrlModeWithCtrl", true, {VK_CONTROL}, VK_F4, nullptr, true},
        HeldCase{
            "KeyMessageOpen", false, {}, VK_F4, [](auto& p) { p.main.MsgShowing = true; }, false},
        HeldCase{"JustAfterAShortcut",
                 false,
                 {},
                 VK_F4,
                 [](auto& p) { p.main.IconSettingStartTime = 5; },
                 false},
        HeldCase{"ShowKeyCapture",
                 false,
                 {},
                 VK_F4,
                 [](auto& p) { p.main.MainKeyChanging = true; },
                 false},
        HeldCase{"ShortCutCapture",
                 false,
                 {},
                 VK_F4,
                 [](auto& p) { p.settings.ShortCutSetting = true; },
                 false}),
    [](const auto& info) { return info.param.name; });

TEST_F(ShowKeyTest, DuringAShowKeyCapturePrintScreenComesThroughTheHook) {
    form.MainKeyChanging = true;
    Hooked(VK_F5);
    EXPECT_EQ(form.MainKey, VK_F4);
    Hooked(VK_SNAPSHOT);
    EXPECT_EQ(form.MainKey, VK_SNAPSHOT);
    EXPECT_FALSE(form.MainKeyChanging);
    EXPECT_EQ(dialogs.Texts(),
              std::vector<std::wstring>{L"画面表示のためのキーを[PrintScreen]に変更しました。"});
    EXPECT_EQ(IniFile(test::ConfigPath()).ReadString(L"MainKey", L"Name", L""), L"PrintScreen");
    EXPECT_TRUE(Minimised());
}

} // namespace
} // namespace orvane
