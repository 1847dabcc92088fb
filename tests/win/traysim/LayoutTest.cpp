// The shell's windows as a reader finds them with FindWindowW and FindWindowExW.
#include "Helpers.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

namespace {

using simtest::ClassOf;
using simtest::TitleOf;

const wchar_t* const kSystemToolbarTitle = L"システム コントロール領域";

struct LayoutCase {
    const char* name;
    const wchar_t* scenario;
    bool pager;
    bool overflow;
    bool systemToolbar;
    bool indicator;
};

class EachLayout : public testing::TestWithParam<LayoutCase> {};

BOOL CALLBACK FindSystemToolbar(HWND child, LPARAM found) {
    if (ClassOf(child) != L"SysPager") return TRUE;
    const HWND toolbar = FindWindowExW(child, nullptr, L"ToolbarWindow32", kSystemToolbarTitle);
    if (!toolbar) return TRUE;
    *reinterpret_cast<HWND*>(found) = toolbar;
    return FALSE;
}

TEST_P(EachLayout, ReaderFindsItsWindows) {
    const LayoutCase& c = GetParam();
    traysim::Tray tray(c.scenario);

    const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    ASSERT_EQ(taskbar, tray.Taskbar());
    EXPECT_TRUE(IsWindowVisible(taskbar));
    EXPECT_TRUE(GetWindowLongW(taskbar, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetAncestor(taskbar, GA_PARENT), GetDesktopWindow());
    RECT bar;
    GetWindowRect(taskbar, &bar);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(bar.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(bar.bottom - bar.top, 40);

    const HWND notify = FindWindowExW(taskbar, nullptr, L"TrayNotifyWnd", nullptr);
    ASSERT_EQ(notify, tray.TrayNotify());
    RECT area;
    GetWindowRect(notify, &area);
    EXPECT_EQ(area.right, bar.right) << "the notification area ends the taskbar";

    const HWND clock = FindWindowExW(notify, nullptr, L"TrayClockWClass", nullptr);
    EXPECT_EQ(clock, tray.Clock());
    EXPECT_TRUE(IsWindowVisible(clock));
    EXPECT_NE(TitleOf(clock).find(L':'), std::wstring::npos) << "the clock shows the time";

    EXPECT_EQ(FindWindowExW(notify, nullptr, L"Button", nullptr), tray.ShowButton());
    EXPECT_NE(tray.ShowButton(), nullptr);
    const HWND indicator = FindWindowExW(notify, nullptr, L"TrayInputIndicatorWClass", nullptr);
    EXPECT_EQ(indicator, tray.InputIndicator());
    EXPECT_EQ(indicator != nullptr, c.indicator);

    const HWND pager = FindWindowExW(notify, nullptr, L"SysPager", nullptr);
    EXPECT_EQ(pager, tray.Pager());
    const HWND main = pager ? FindWindowExW(pager, nullptr, L"ToolbarWindow32", nullptr) : nullptr;
    EXPECT_EQ(main, tray.MainToolbar());
    EXPECT_EQ(main != nullptr, c.pager);
    if (main) {
        EXPECT_NE(TitleOf(main), kSystemToolbarTitle);
    }

    const HWND overflow = FindWindowW(L"NotifyIconOverflowWindow", nullptr);
    EXPECT_EQ(overflow, tray.OverflowWindow());
    EXPECT_EQ(overflow != nullptr, c.overflow);
    if (overflow) {
        EXPECT_FALSE(IsWindowVisible(overflow));
        const HWND toolbar = FindWindowExW(overflow, nullptr, L"ToolbarWindow32", nullptr);
        EXPECT_EQ(toolbar, tray.OverflowToolbar());
        EXPECT_NE(toolbar, nullptr);
    }

    HWND system = nullptr;
    EnumChildWindows(notify, FindSystemToolbar, reinterpret_cast<LPARAM>(&system));
    EXPECT_EQ(system, tray.SystemToolbar());
    EXPECT_EQ(system != nullptr, c.systemToolbar);
    if (system) {
        EXPECT_NE(GetParent(system), pager) << "the system toolbar has a pager of its own";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, EachLayout,
    testing::Values(
        LayoutCase{"win7", L"layout win7\nicon tray id=1\nicon overflow id=2\n", true, true, false,
                   true},
        LayoutCase{"defaultIsWin7", L"", true, true, false, true},
        LayoutCase{"vista", L"layout vista\nicon tray id=1\nicon system id=2\nicon overflow id=3\n",
                   true, false, true, false},
        LayoutCase{"nopager", L"layout nopager\n", false, true, false, true},
        LayoutCase{"nooverflow", L"layout nooverflow\nicon tray id=1\n", true, false, false, true}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

TEST(Tray, WindowsGoWithTheObject) {
    HWND taskbar = nullptr;
    HWND overflow = nullptr;
    HWND owner = nullptr;
    {
        traysim::Tray tray(L"icon overflow id=1\n");
        taskbar = tray.Taskbar();
        overflow = tray.OverflowWindow();
        owner = tray.Icons().at(0).owner;
        EXPECT_TRUE(IsWindow(owner));
    }
    EXPECT_FALSE(IsWindow(taskbar));
    EXPECT_FALSE(IsWindow(overflow));
    EXPECT_FALSE(IsWindow(owner));
    EXPECT_EQ(traysim::FindTaskbar(GetCurrentProcessId()), nullptr);
}

TEST(Tray, RefusesABadScenarioWithItsLine) {
    try {
        traysim::Tray tray(L"layout win7\nicon tray id=1\nicon tray id=x\n");
        FAIL() << "a bad scenario was accepted";
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), "line 3: bad value 'x' for id");
    }
    EXPECT_EQ(traysim::FindTaskbar(GetCurrentProcessId()), nullptr);
}

} // namespace
