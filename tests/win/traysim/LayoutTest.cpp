// The shell's windows as the snapshot finds them with FindWindowW and FindWindowExW.
#include "Helpers.h"
#include "support/Process.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

const wchar_t* const kSystemTitle = L"システム コントロール領域";

struct LayoutCase {
    const char* name;
    const wchar_t* scenario;
    bool pager, overflow, system, indicator, showButton;
};

class EachLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(EachLayout, ReaderFindsItsWindows) {
    const LayoutCase& c = GetParam();
    traysim::Tray tray(c.scenario);
    const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    ASSERT_EQ(taskbar, tray.Taskbar());
    EXPECT_NE(GetForegroundWindow(), taskbar) << "publishing does not activate the taskbar";
    EXPECT_TRUE(IsWindowVisible(taskbar));

    const HWND notify = FindWindowExW(taskbar, nullptr, L"TrayNotifyWnd", nullptr);
    ASSERT_EQ(notify, tray.TrayNotify());
    EXPECT_EQ(FindWindowExW(notify, nullptr, L"TrayClockWClass", nullptr), tray.Clock());
    EXPECT_NE(tray.Clock(), nullptr);
    const HWND indicator = FindWindowExW(notify, nullptr, L"TrayInputIndicatorWClass", nullptr);
    EXPECT_EQ(indicator, tray.InputIndicator());
    EXPECT_EQ(indicator != nullptr, c.indicator);
    const HWND button = FindWindowExW(notify, nullptr, L"Button", nullptr);
    ASSERT_EQ(button, tray.ShowButton());
    EXPECT_EQ(IsWindowVisible(button) != FALSE, c.showButton) << "shown with hidden icons";

    // The first pager holds the icons' toolbar, also on Vista, whose second one is titled.
    const HWND pager = FindWindowExW(notify, nullptr, L"SysPager", nullptr);
    const HWND main = simtest::MainToolbarOf(taskbar);
    EXPECT_EQ(main, tray.MainToolbar());
    EXPECT_EQ(main != nullptr, c.pager);
    EXPECT_NE(orvane::test::WindowText(main), kSystemTitle);
    HWND system = nullptr;
    for (HWND p = pager; p; p = FindWindowExW(notify, p, L"SysPager", nullptr)) {
        if (const HWND found = FindWindowExW(p, nullptr, L"ToolbarWindow32", kSystemTitle))
            system = found;
    }
    EXPECT_EQ(system, tray.SystemToolbar());
    EXPECT_EQ(system != nullptr, c.system);

    const HWND overflow = FindWindowW(L"NotifyIconOverflowWindow", nullptr);
    EXPECT_EQ(overflow, tray.OverflowWindow());
    EXPECT_EQ(overflow != nullptr, c.overflow);
    if (!overflow) return;
    EXPECT_FALSE(IsWindowVisible(overflow));
    EXPECT_EQ(FindWindowExW(overflow, nullptr, L"ToolbarWindow32", nullptr),
              tray.OverflowToolbar());
    EXPECT_NE(tray.OverflowToolbar(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, EachLayout,
    testing::Values(
        LayoutCase{"win7", L"layout win7\nicon tray id=1\nicon overflow id=2\n", true, true, false,
                   true, true},
        LayoutCase{"defaultIsWin7", L"icon tray id=1\n", true, true, false, true, false},
        LayoutCase{"vista", L"layout vista\nicon tray id=1\nicon system id=2\nicon overflow id=3\n",
                   true, false, true, false, true},
        LayoutCase{"nopager", L"layout nopager\n", false, true, false, true, false},
        LayoutCase{"nooverflow", L"layout nooverflow\nicon tray id=1\n", true, false, false, true,
                   false},
        LayoutCase{"win11", L"layout win11\n", false, false, false, true, false}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

TEST(Tray, WindowsAndOwnersGoWithTheObject) {
    HWND windows[3] = {};
    {
        traysim::Tray tray(L"icon overflow id=1\n");
        windows[0] = tray.Taskbar();
        windows[1] = tray.OverflowWindow();
        windows[2] = tray.Icons().at(0).owner;
        for (const HWND window : windows) EXPECT_TRUE(IsWindow(window));
    }
    for (const HWND window : windows) EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(traysim::FindTaskbar(GetCurrentProcessId()), nullptr);
}

// A notification sent from elsewhere carries a pointer that means nothing here.
TEST(Tray, IgnoresNotificationsSentByOthers) {
    traysim::Tray tray(L"icon tray id=1\n");
    NMTBCUSTOMDRAW forged{};
    forged.nmcd.hdr = {tray.MainToolbar(), 0, static_cast<UINT>(NM_CUSTOMDRAW)};
    forged.nmcd.dwDrawStage = CDDS_PREPAINT;
    const auto send = [&] {
        return SendMessageW(tray.Pager(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&forged));
    };
    std::atomic<LRESULT> answer = -1;
    std::thread sender([&] { answer = send(); });
    for (int i = 0; i < 400 && answer == -1; ++i) simtest::PumpMessages(5);
    sender.join();
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(send(), CDRF_NOTIFYITEMDRAW) << "the same from its own toolbar is answered";
}

} // namespace
