// Runs on a display with two monitors, the second left of the primary (negative coordinates):
// scripts/test gives this program such a display of its own.
#include "support/Files.h"
#include "support/Pointer.h"
#include "support/ProgramWindows.h"
#include "support/StandIns.h"
#include "support/TrayReader.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace orvane {
namespace {

std::vector<DWORD> Flags(const std::vector<INPUT>& batch) {
    std::vector<DWORD> flags;
    for (const INPUT& input : batch) flags.push_back(input.mi.dwFlags);
    return flags;
}

std::string Text(const RECT& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
           std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

class SendInputTwoScreensTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_GE(GetSystemMetrics(SM_CMONITORS), 2) << "this test needs a second monitor";
        tray = std::make_unique<traysim::Tray>(L"layout win7\nmonitor other\n"
                                               L"icon tray id=1 tip=a\nicon tray id=2 tip=b\n"
                                               L"icon overflow id=3 tip=c\n"
                                               L"icon overflow id=4 tip=USB\n");
        program = std::make_unique<test::ProgramWindows>();
        form().IsWin7 = true;
        form().Button1Click();
        ASSERT_EQ(form().IconCountOnTaskTray, 2);
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(MonitorFromWindow(tray->Taskbar(), MONITOR_DEFAULTTONULL), &info);
        monitor = info.rcMonitor;
        ASSERT_FALSE(info.dwFlags & MONITORINFOF_PRIMARY) << "the taskbar is on " << Text(monitor);
    }
    TDozedeR64Form& form() { return program->main; }

    void ExpectOn(const INPUT& move, HWND window, const RECT& area) {
        EXPECT_EQ(move.mi.dwFlags & 0xC001u, 0xC001u); // over the virtual desktop
        const POINT landing = test::Landing(move);
        EXPECT_TRUE(PtInRect(&area, landing))
            << "(" << landing.x << ", " << landing.y << ") outside " << Text(area);
        EXPECT_EQ(WindowFromPoint(landing), window);
    }
    void ExpectOnIcon(const INPUT& move, int entry) {
        const traysim::IconInfo icon = tray->Icons().at(static_cast<size_t>(entry));
        ExpectOn(move, icon.toolbar,
                 test::ButtonRect(icon.toolbar, static_cast<int>(icon.command)));
    }

    test::CleanDataFolder clean;
    test::DialogRecorder dialogs;
    test::VirtualClock clock{100000};
    test::InputRecorder input;
    std::unique_ptr<traysim::Tray> tray;
    std::unique_ptr<test::ProgramWindows> program;
    RECT monitor{};
};

TEST_F(SendInputTwoScreensTest, TheEdgeMoveTouchesTheBottomOfTheTaskbarsMonitor) {
    form().SystemIconSendInput(1, 1);
    ASSERT_EQ(input.batches.size(), 2u);
    ASSERT_EQ(input.batches[0].size(), 1u);
    const INPUT& edge = input.batches[0][0];
    EXPECT_EQ(edge.mi.dwFlags, 0xC001u);
    const POINT landing = test::Landing(edge);
    EXPECT_EQ(landing.y, monitor.bottom - 1);
    EXPECT_EQ(landing.x, monitor.left + (monitor.right - monitor.left) / 2);
    EXPECT_EQ(MonitorFromPoint(landing, MONITOR_DEFAULTTONULL),
              MonitorFromWindow(tray->Taskbar(), MONITOR_DEFAULTTONULL));
}

TEST_F(SendInputTwoScreensTest, EveryVisibleIconIsClickedOnItsOwnButton) {
    for (int entry = 0; entry < 2; ++entry) {
        input.batches.clear();
        form().SystemIconSendInput(2, entry);
        ASSERT_EQ(input.batches.size(), 2u);
        EXPECT_EQ(Flags(input.batches[1]),
                  (std::vector<DWORD>{0xC001, 0x0002, 0x0004, 0x0002, 0x0004}));
        ExpectOnIcon(input.batches[1][0], entry);
    }
}

TEST_F(SendInputTwoScreensTest, AHiddenIconOpensItsWindowThroughTheShowButtonThenIsClicked) {
    input.onSend = [&](const std::vector<INPUT>& batch) {
        if (batch.size() == 3 && batch[1].mi.dwFlags == 0x8002)
            ShowWindow(tray->OverflowWindow(), SW_SHOWNA);
    };
    form().SystemIconSendInput(1, 3);
    ASSERT_EQ(input.batches.size(), 3u);
    RECT button{};
    GetWindowRect(tray->ShowButton(), &button);
    ExpectOn(input.batches[1][0], tray->ShowButton(), button);
    EXPECT_EQ(Flags(input.batches[2]), (std::vector<DWORD>{0xC001, 0x0008, 0x0010}));
    ExpectOnIcon(input.batches[2][0], 3);
    ShowWindow(tray->OverflowWindow(), SW_HIDE);
}

} // namespace
} // namespace orvane
