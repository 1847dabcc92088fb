#include "support/Files.h"
#include "support/ProgramWindows.h"
#include "support/StandIns.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

#include <functional>

namespace orvane {
namespace {

class TimeOutTest : public testing::Test {
protected:
    void SetUp() override {
        clock.Set(start);
        form.Show();
        ASSERT_FALSE(form.FormMinimized);
        shownAt = form.FormShowTime;
        ASSERT_NE(shownAt, 0u);
        PointerAt(form.Width() + 300, 20); // away from it
    }
    void TearDown() override {
        program.about.Hide();
        program.settings.Hide();
    }
    // One tick of the 100-ms timer at `elapsed` ms after the restore.
    bool MinimisedAfter(std::uint32_t elapsed) {
        clock.Set(shownAt + elapsed);
        form.Timer1Timer();
        return form.GetWindowState() == ui::WindowState::Minimized;
    }
    // The pointer at (x, y) from the active window's top-left corner.
    void PointerAt(int x, int y) {
        SetForegroundWindow(form.Handle());
        ASSERT_EQ(GetForegroundWindow(), form.Handle());
        SetCursorPos(form.Left() + x, form.Top() + y);
    }

    std::uint32_t start = 50000;
    std::uint32_t shownAt = 0;
    test::CleanDataFolder clean;
    test::DialogRecorder dialogs;
    test::VirtualClock clock;
    traysim::Tray tray{L"layout win7\nicon tray id=1 tip=a\nicon tray id=2 tip=b\n"};
    test::ProgramWindows program;
    TDozedeR64Form& form = program.main;
};

TEST_F(TimeOutTest, AWindowLeftAloneMinimisesOnTheFirstTickAfterThirtySeconds) {
    EXPECT_FALSE(MinimisedAfter(29999));
    EXPECT_FALSE(MinimisedAfter(30000));
    EXPECT_TRUE(MinimisedAfter(30001));
    EXPECT_TRUE(form.FormMinimized);
    EXPECT_EQ(form.FormShowTime, 0u);
}

struct PointerCase {
    const char* name;
    int x, y; // from the window's corner; a value of 10000 and more counts from its far side
    bool holds;
};

class PointerTest : public TimeOutTest, public testing::WithParamInterface<PointerCase> {};

TEST_P(PointerTest, ThePointerNearTheActiveWindowHoldsTheTimeOffWithSlackOnlyBesideIt) {
    const PointerCase& c = GetParam();
    PointerAt(c.x >= 10000 ? form.Width() + c.x - 10000 : c.x,
              c.y >= 10000 ? form.Height() + c.y - 10000 : c.y);
    EXPECT_EQ(MinimisedAfter(40000), !c.holds);
}

INSTANTIATE_TEST_SUITE_P(
    Places, PointerTest,
    testing::Values(PointerCase{"OnIt", 30, 30, true}, PointerCase{"Right150", 10150, 20, true},
                    PointerCase{"Right200", 10200, 20, true},
                    PointerCase{"Right201", 10201, 20, false},
                    PointerCase{"Left200", -200, 20, true}, PointerCase{"Left201", -201, 20, false},
                    PointerCase{"Above10", 30, -10, false}, PointerCase{"Above1", 30, -1, false},
                    PointerCase{"AtTheBottomEdge", 30, 10000, true},
                    PointerCase{"Below1", 30, 10001, false}),
    [](const auto& info) { return info.param.name; });

TEST_F(TimeOutTest, ThePointerOnAWindowThatIsNotActiveDoesNotHoldItOff) {
    PointerAt(30, 30);
    const HWND other = CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(other);
    EXPECT_TRUE(MinimisedAfter(30001));
    DestroyWindow(other);
}

TEST_F(TimeOutTest, ARestoreJustBeforeTheCounterWrapsStillTimesOut) {
    form.SetWindowState(ui::WindowState::Minimized);
    clock.Set(0xFFFFFFFFu - 1000);
    form.SetWindowState(ui::WindowState::Normal);
    shownAt = form.FormShowTime;
    ASSERT_GT(shownAt, 0xFFFFF000u);
    EXPECT_FALSE(MinimisedAfter(29000));
    EXPECT_LT(clock.Peek(), 0x10000u); // the counter has wrapped
    EXPECT_TRUE(MinimisedAfter(30001));
}

struct Blocker {
    const char* name;
    std::function<void(test::ProgramWindows&)> set;
};

class TimeOutBlockerTest : public TimeOutTest, public testing::WithParamInterface<Blocker> {};

TEST_P(TimeOutBlockerTest, HoldsTheTimeOutOffUntilItEnds) {
    GetParam().set(program);
    EXPECT_FALSE(MinimisedAfter(45000));
    EXPECT_FALSE(MinimisedAfter(90000));
}

INSTANTIATE_TEST_SUITE_P(
    Blockers, TimeOutBlockerTest,
    testing::Values(Blocker{"NoTimeOutChecked",
                            [](auto& p) { p.settings.CheckBoxTimeOutNoMinimize.SetChecked(true); }},
                    Blocker{"Closing", [](auto& p) { p.main.MyAppEnd = true; }},
                    Blocker{"AboutWindowOpen", [](auto& p) { p.about.Show(); }},
                    Blocker{"SettingsWindowOpen", [](auto& p) { p.settings.Show(); }},
                    Blocker{"MenuWatched", [](auto& p) { p.main.FindHandle = p.about.Handle(); }},
                    Blocker{"MenuSearched", [](auto& p) { p.main.PopupMenuSearching = true; }},
                    Blocker{"ClickedWindowAwaited",
                            [](auto& p) { p.main.NewWindowShowing = true; }},
                    Blocker{"KeyMessageShown", [](auto& p) { p.main.MsgShowing = true; }},
                    Blocker{"InoperableListEdited", [](auto& p) { p.settings.EditWriting = true; }},
                    Blocker{"ShowKeyCaptured", [](auto& p) { p.main.MainKeyChanging = true; }}),
    [](const auto& info) { return info.param.name; });

TEST_F(TimeOutTest, TheKeyboardLockExpiresAfterTwoSecondsExceptDuringAKeyCapture) {
    form.IconSettingStartTime = 70000;
    clock.Set(72000);
    form.Timer1Timer();
    EXPECT_EQ(form.IconSettingStartTime, 70000u);

    form.MainKeyChanging = true;
    clock.Set(75000);
    form.Timer1Timer();
    EXPECT_EQ(form.IconSettingStartTime, 70000u);

    form.MainKeyChanging = false;
    clock.Set(72001);
    form.Timer1Timer();
    EXPECT_EQ(form.IconSettingStartTime, 0u);
}

TEST_F(TimeOutTest, TheTimerRunsFromTheEndOfStartUpAndMinimisesOnItsOwn) {
    EXPECT_TRUE(form.Timer1.Enabled());
    EXPECT_EQ(form.Timer1.Interval(), 100u);
    clock.Set(shownAt + 30001);
    // The real timer's tick, within a few of its periods.
    const DWORD began = GetTickCount();
    MSG msg;
    while (form.GetWindowState() != ui::WindowState::Minimized && GetTickCount() - began < 1000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    EXPECT_EQ(form.GetWindowState(), ui::WindowState::Minimized);
}

} // namespace
} // namespace orvane
