// The icons lie where a reader that clicks the real tray expects them: 24-pixel cells after
// the show button on Windows 7 and later, 18-pixel cells on Vista, 16 in Vista's system area,
// 32 in the overflow window.
#include "Helpers.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

RECT ClientOnScreen(HWND window) {
    WINDOWINFO info{};
    info.cbSize = sizeof info;
    GetWindowInfo(window, &info);
    return info.rcClient;
}

int WidthOf(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return rect.right - rect.left;
}

// The index of the toolbar's button at a screen point, or -1 when the toolbar is not there.
int ButtonAt(HWND toolbar, POINT point) {
    if (WindowFromPoint(point) != toolbar) return -1;
    ScreenToClient(toolbar, &point);
    return static_cast<int>(SendMessageW(toolbar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)));
}

std::wstring Icons(const wchar_t* area, int count, int firstId) {
    std::wstring lines;
    for (int i = 0; i < count; ++i) {
        lines += L"icon " + std::wstring(area) + L" id=" + std::to_wstring(firstId + i) + L"\n";
    }
    return lines;
}

struct Win7Case {
    const char* name;
    int visible;
    int hidden;
    bool win8; // the reader leaves out the input indicator's width
};

class Win7Grid : public testing::TestWithParam<Win7Case> {};

TEST_P(Win7Grid, EachCellHoldsItsIcon) {
    const Win7Case& c = GetParam();
    traysim::Tray tray(L"layout win7\n" + Icons(L"tray", c.visible, 1) +
                       Icons(L"overflow", c.hidden, 100));
    const RECT area = ClientOnScreen(tray.TrayNotify());
    const bool show = c.hidden > 0;
    int width = area.right - area.left - WidthOf(tray.Clock());
    if (c.win8) width -= WidthOf(tray.InputIndicator());
    const int perRow = (width - 10) / 24 - (show ? 1 : 0);
    ASSERT_GE(perRow, 1);
    const int rows = (c.visible - 1) / perRow + 1;
    const int rowHeight =
        static_cast<int>(std::lround(static_cast<double>(area.bottom - area.top) / rows));
    const int offset = show ? 24 : 0;
    for (int i = 0; i < c.visible; ++i) {
        const POINT point{area.left + offset + (i % perRow) * 24 + 5,
                          area.top + rowHeight * (i / perRow) + 5};
        EXPECT_EQ(ButtonAt(tray.MainToolbar(), point), i) << "icon " << i;
    }
    if (!show) return;

    EXPECT_EQ(WindowFromPoint({area.left + 5, area.top + 15}), tray.ShowButton());
    SendMessageW(tray.ShowButton(), BM_CLICK, 0, 0);
    ASSERT_TRUE(IsWindowVisible(tray.OverflowWindow()));
    const RECT box = ClientOnScreen(tray.OverflowWindow());
    const int columns = (box.right - box.left) / 32;
    ASSERT_GE(columns, 1);
    for (int k = 0; k < c.hidden; ++k) {
        const POINT point{box.left + (k % columns) * 32 + 20, box.top + (k / columns) * 32 + 20};
        EXPECT_EQ(ButtonAt(tray.OverflowToolbar(), point), k) << "hidden icon " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, Win7Grid,
    testing::Values(Win7Case{"win7", 5, 0, false}, Win7Case{"win8", 5, 0, true},
                    Win7Case{"win7WithHidden", 3, 2, false}, Win7Case{"win8WithHidden", 4, 6, true},
                    Win7Case{"manyHidden", 1, 9, true}),
    [](const testing::TestParamInfo<Win7Case>& info) { return info.param.name; });

TEST(VistaGrid, EachCellHoldsItsIcon) {
    for (const int hidden : {0, 2}) {
        SCOPED_TRACE(testing::Message() << hidden << " hidden icons");
        traysim::Tray tray(L"layout vista\n" + Icons(L"tray", 2, 1) +
                           Icons(L"overflow", hidden, 10) + Icons(L"tray", 2, 3) +
                           Icons(L"system", 4, 20));
        if (IsWindowVisible(tray.ShowButton())) {
            const RECT area = ClientOnScreen(tray.TrayNotify());
            const POINT button{area.left + 5, area.top + (area.bottom - area.top) / 2};
            EXPECT_EQ(WindowFromPoint(button), tray.ShowButton());
            SendMessageW(tray.ShowButton(), BM_CLICK, 0, 0);
        }
        const RECT area = ClientOnScreen(tray.TrayNotify()); // wider once the hidden icons show
        const int width =
            area.right - area.left - WidthOf(tray.Clock()) - WidthOf(tray.SystemToolbar()) - 10;
        const int perRow = width / 18 - 1;
        const int count = 4 + hidden;
        ASSERT_GE(perRow, 1);
        for (int i = 0; i < count; ++i) {
            const POINT point{area.left + (i % perRow) * 18 + 23, area.top + (i / perRow) * 18 + 5};
            EXPECT_EQ(ButtonAt(tray.MainToolbar(), point), i) << "icon " << i;
        }
        RECT system;
        GetWindowRect(tray.SystemToolbar(), &system);
        const int columns = (system.right - system.left) / 16;
        ASSERT_GE(columns, 1);
        for (int k = 0; k < 4; ++k) {
            const POINT point{system.left + (k % columns) * 16 + 5,
                              system.top + (k / columns) * 16 + 5};
            EXPECT_EQ(ButtonAt(tray.SystemToolbar(), point), k) << "system icon " << k;
        }
    }
}

TEST(VistaGrid, ShowButtonUnhidesAndAClickHidesAgain) {
    traysim::Tray tray(L"layout vista\nicon tray id=1\nicon overflow id=2 msg=0x8002\n");
    const HWND main = tray.MainToolbar();
    const int before = WidthOf(tray.TrayNotify());
    SendMessageW(tray.ShowButton(), BM_CLICK, 0, 0);
    EXPECT_EQ(WidthOf(tray.TrayNotify()), before + 18);
    const int command = tray.Icons().at(1).command;
    EXPECT_FALSE(SendMessageW(main, TB_ISBUTTONHIDDEN, static_cast<WPARAM>(command), 0));
    RECT cell;
    SendMessageW(main, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&cell));
    SendMessageW(main, WM_LBUTTONUP, 0, MAKELPARAM(cell.left + 4, cell.top + 4));
    simtest::PumpMessages(30);
    EXPECT_TRUE(SendMessageW(main, TB_ISBUTTONHIDDEN, static_cast<WPARAM>(command), 0));
    EXPECT_EQ(WidthOf(tray.TrayNotify()), before);
}

// Moves the real pointer and puts it back in a corner far from the tray afterwards.
class Pointer {
public:
    Pointer(const Pointer&) = delete;
    Pointer& operator=(const Pointer&) = delete;
    Pointer() = default;
    ~Pointer() { Move({0, 0}, 0); }

    static void Move(POINT to, DWORD buttons) {
        INPUT input[3]{};
        const double width = GetSystemMetrics(SM_CXSCREEN);
        const double height = GetSystemMetrics(SM_CYSCREEN);
        input[0].type = INPUT_MOUSE;
        input[0].mi.dx = static_cast<LONG>(std::lround(to.x * 65535 / width));
        input[0].mi.dy = static_cast<LONG>(std::lround(to.y * 65535 / height));
        input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        UINT count = 1;
        if (buttons) {
            input[1].type = input[2].type = INPUT_MOUSE;
            input[1].mi.dwFlags = buttons;
            input[2].mi.dwFlags = buttons << 1;
            count = 3;
        }
        SendInput(count, input, sizeof(INPUT));
        simtest::PumpMessages(200);
    }
};

// The owners' log without the pointer's moves.
std::vector<traysim::OwnerMessage> Clicks(const traysim::Tray& tray) {
    std::vector<traysim::OwnerMessage> clicks;
    for (const traysim::OwnerMessage& entry : tray.Log()) {
        if (entry.lParam != WM_MOUSEMOVE) clicks.push_back(entry);
    }
    return clicks;
}

TEST(RealInput, AClickOnTheTrayReachesTheIconsOwner) {
    traysim::Tray tray(
        L"icon tray id=1 msg=0x8001\nicon tray id=2 msg=0x8002\nicon tray id=3 msg=0x8003\n");
    const Pointer pointer;
    const RECT area = ClientOnScreen(tray.TrayNotify());
    Pointer::Move({area.left + 24 + 5, area.top + 5}, MOUSEEVENTF_LEFTDOWN);
    Pointer::Move({area.left + 2 * 24 + 5, area.top + 5}, MOUSEEVENTF_RIGHTDOWN);
    const auto owner = [&](int i) {
        return reinterpret_cast<std::uintptr_t>(tray.Icons().at(i).owner);
    };
    const std::vector<traysim::OwnerMessage> expected = {
        {0x8002, 2, WM_LBUTTONDOWN, owner(1)},
        {0x8002, 2, WM_LBUTTONUP, owner(1)},
        {0x8003, 3, WM_RBUTTONDOWN, owner(2)},
        {0x8003, 3, WM_RBUTTONUP, owner(2)},
    };
    EXPECT_EQ(Clicks(tray), expected);
    EXPECT_NE(GetForegroundWindow(), tray.Taskbar()) << "the tray does not take the foreground";
}

TEST(RealInput, TheShowButtonOpensTheOverflowWindowForAClick) {
    traysim::Tray tray(
        L"icon tray id=1\nicon overflow id=2 msg=0x8002\nicon overflow id=3 msg=0x8003\n");
    const Pointer pointer;
    const RECT area = ClientOnScreen(tray.TrayNotify());
    Pointer::Move({area.left + 5, area.top + 15}, MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(IsWindowVisible(tray.OverflowWindow()));
    const RECT box = ClientOnScreen(tray.OverflowWindow());
    Pointer::Move({box.left + 32 + 20, box.top + 20}, MOUSEEVENTF_LEFTDOWN);
    EXPECT_FALSE(IsWindowVisible(tray.OverflowWindow())) << "a click on an icon closes it";
    const auto owner = reinterpret_cast<std::uintptr_t>(tray.Icons().at(2).owner);
    const std::vector<traysim::OwnerMessage> expected = {{0x8003, 3, WM_LBUTTONDOWN, owner},
                                                         {0x8003, 3, WM_LBUTTONUP, owner}};
    EXPECT_EQ(Clicks(tray), expected);
    EXPECT_NE(GetForegroundWindow(), tray.Taskbar());
    EXPECT_NE(GetForegroundWindow(), tray.OverflowWindow());
}

} // namespace
