// Owner windows log the callback messages that reach them; the real pointer on a button
// reaches its owner as the shell forwards it, and the simulator takes no activation.
#include "Helpers.h"
#include "support/Files.h"
#include "support/Pointer.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

namespace {

using simtest::Handle;
using traysim::OwnerMessage;

TEST(Owners, LogCallbacksInMemoryAndInAFileStartedAfresh) {
    const std::wstring log = orvane::test::TestFolder() + L"traysim-owners.log";
    orvane::test::WriteBytes(log, "msg=0x1 wparam=0x1 lparam=0x1 hwnd=0x1\n");
    traysim::Tray tray(L"icon tray id=7 msg=0x8007\nicon overflow id=9 msg=0xC0DE\n", log);
    const HWND first = tray.Icons().at(0).owner;
    const HWND second = tray.Icons().at(1).owner;
    PostMessageW(first, 0x8007, 7, WM_LBUTTONDOWN);
    PostMessageW(first, WM_KEYDOWN, 'A', 0); // not a callback message
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    PostMessageW(second, WM_USER, 0xFFFFFFFFFFFFFFFFull, -2);
    simtest::PumpMessages(50);
    const std::vector<OwnerMessage> expected = {
        {0x8007, 7, WM_LBUTTONDOWN, Handle(first)},
        {WM_USER, 0xFFFFFFFFFFFFFFFFull, 0xFFFFFFFFFFFFFFFEull, Handle(second)},
    };
    EXPECT_EQ(tray.Log(), expected);
    EXPECT_EQ(orvane::test::ReadBytes(log),
              traysim::FormatOwnerMessage(expected[0]) + traysim::FormatOwnerMessage(expected[1]))
        << "every line is in the file at once";
    EXPECT_THROW(traysim::Tray(L"", L"Z:\\no\\such\\folder\\owners.log"), std::runtime_error);
}

RECT ClientOf(HWND window) {
    WINDOWINFO info{};
    info.cbSize = sizeof info;
    GetWindowInfo(window, &info);
    return info.rcClient;
}

void ClickAt(POINT at, DWORD down) {
    using namespace orvane::test;
    SendRecords({PointerMove(at), MouseButtons(down), MouseButtons(down << 1)});
    simtest::PumpMessages(200);
}

// Puts the pointer back in a corner far from the tray.
struct PointerBack {
    ~PointerBack() { orvane::test::SendRecords({orvane::test::PointerMove({0, 0})}); }
};

TEST(RealInput, ClicksOnTrayAndOverflowCellsReachTheOwnersWithoutActivation) {
    traysim::Tray tray(L"icon tray id=1\nicon tray id=2 msg=0x8002\nicon tray id=3 data=zero\n"
                       L"icon overflow id=4\nicon overflow id=5 msg=0x8005\n");
    const PointerBack back;
    const RECT area = ClientOf(tray.TrayNotify());
    // 24-pixel cells after the show button, 32-pixel ones in the overflow window.
    ClickAt({area.left + 2 * 24 + 5, area.top + 5}, MOUSEEVENTF_LEFTDOWN);
    ClickAt({area.left + 3 * 24 + 5, area.top + 5}, MOUSEEVENTF_LEFTDOWN);
    ClickAt({area.left + 5, area.top + 15}, MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(IsWindowVisible(tray.OverflowWindow()));
    const RECT box = ClientOf(tray.OverflowWindow());
    ClickAt({box.left + 32 + 20, box.top + 20}, MOUSEEVENTF_RIGHTDOWN);
    EXPECT_FALSE(IsWindowVisible(tray.OverflowWindow())) << "a click on an icon closes it";

    const auto owner = [&](int i) { return Handle(tray.Icons().at(i).owner); };
    std::vector<OwnerMessage> clicks;
    for (const OwnerMessage& entry : tray.Log())
        if (entry.lParam != WM_MOUSEMOVE) clicks.push_back(entry);
    const std::vector<OwnerMessage> expected = {
        {0x8002, 2, WM_LBUTTONDOWN, owner(1)},
        {0x8002, 2, WM_LBUTTONUP, owner(1)},
        {0x8005, 5, WM_RBUTTONDOWN, owner(4)},
        {0x8005, 5, WM_RBUTTONUP, owner(4)},
    };
    EXPECT_EQ(clicks, expected) << "the button without data has no owner to tell";
    EXPECT_NE(GetForegroundWindow(), tray.Taskbar());
    EXPECT_NE(GetForegroundWindow(), tray.OverflowWindow());
}

} // namespace
