// Owner windows log the callback messages that reach them; mouse input on a button reaches
// its owner as the shell forwards it.
#include "Helpers.h"
#include "support/Files.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

namespace {

using traysim::OwnerMessage;

std::uint64_t Handle(HWND window) {
    return reinterpret_cast<std::uintptr_t>(window);
}

POINT CellCentre(HWND toolbar, int index) {
    RECT cell{};
    SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&cell));
    return {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
}

TEST(Owners, LogPostedCallbacksInMemoryAndFile) {
    const std::wstring log = simtest::TempFile(L"owners.log");
    traysim::Tray tray(L"icon tray id=7 msg=0x8007\nicon overflow id=9 msg=0xC0DE\n", log);
    const auto icons = tray.Icons();
    ASSERT_EQ(icons.size(), 2u);
    const HWND first = icons[0].owner;
    const HWND second = icons[1].owner;

    PostMessageW(first, 0x8007, 7, WM_MOUSEMOVE);
    PostMessageW(first, 0x8007, 7, WM_LBUTTONDOWN);
    PostMessageW(second, 0xC0DE, 9, WM_RBUTTONUP);
    PostMessageW(first, WM_KEYDOWN, 'A', 0); // not a callback message
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    PostMessageW(second, WM_USER, 0xFFFFFFFFFFFFFFFFull, -2);
    simtest::PumpMessages(50);

    const std::vector<OwnerMessage> expected = {
        {0x8007, 7, WM_MOUSEMOVE, Handle(first)},
        {0x8007, 7, WM_LBUTTONDOWN, Handle(first)},
        {0xC0DE, 9, WM_RBUTTONUP, Handle(second)},
        {WM_USER, 0xFFFFFFFFFFFFFFFFull, 0xFFFFFFFFFFFFFFFEull, Handle(second)},
    };
    EXPECT_EQ(tray.Log(), expected);
    const auto file = traysim::ParseOwnerLog(orvane::test::ReadBytes(log));
    ASSERT_TRUE(file) << orvane::test::ReadBytes(log);
    EXPECT_EQ(*file, expected) << "every line is in the file at once";
    DeleteFileW(log.c_str());
}

TEST(Owners, LogFileStartsEmpty) {
    const std::wstring log = simtest::TempFile(L"stale.log");
    {
        traysim::Tray tray(L"icon tray id=1\n", log);
        PostMessageW(tray.Icons().at(0).owner, 0x8000, 1, WM_LBUTTONUP);
        simtest::PumpMessages(20);
    }
    traysim::Tray tray(L"icon tray id=1\n", log);
    EXPECT_EQ(orvane::test::ReadBytes(log), "");
    DeleteFileW(log.c_str());
}

TEST(Owners, UnwritableLogIsAnError) {
    EXPECT_THROW(traysim::Tray(L"", L"Z:\\no\\such\\folder\\owners.log"), std::runtime_error);
}

TEST(Owners, MouseOnAButtonIsPostedToItsOwner) {
    traysim::Tray tray(L"icon tray id=1 msg=0x8001\n"
                       L"icon tray id=2 msg=0x8002\n"
                       L"icon tray id=3 msg=0x8003 data=zero\n");
    const HWND toolbar = tray.MainToolbar();
    const auto icons = tray.Icons();
    const UINT messages[] = {WM_MOUSEMOVE,   WM_LBUTTONDOWN, WM_LBUTTONUP,   WM_LBUTTONDBLCLK,
                             WM_RBUTTONDOWN, WM_RBUTTONUP,   WM_MBUTTONDOWN, WM_MBUTTONUP};
    std::vector<OwnerMessage> expected;
    for (const UINT message : messages) {
        const POINT point = CellCentre(toolbar, 1);
        SendMessageW(toolbar, message, 0, MAKELPARAM(point.x, point.y));
        expected.push_back({0x8002, 2, message, Handle(icons[1].owner)});
    }
    const POINT zero = CellCentre(toolbar, 2);
    SendMessageW(toolbar, WM_LBUTTONDOWN, 0, MAKELPARAM(zero.x, zero.y));
    SendMessageW(toolbar, WM_LBUTTONUP, 0, MAKELPARAM(zero.x, zero.y));
    simtest::PumpMessages(50);
    EXPECT_EQ(tray.Log(), expected) << "the button without data has no owner to tell";
}

TEST(Owners, ClickInTheOverflowWindowClosesIt) {
    traysim::Tray tray(L"icon tray id=1\nicon overflow id=2 msg=0x8002\n");
    SendMessageW(tray.ShowButton(), BM_CLICK, 0, 0);
    simtest::PumpMessages(20);
    ASSERT_TRUE(IsWindowVisible(tray.OverflowWindow()));
    const POINT point = CellCentre(tray.OverflowToolbar(), 0);
    SendMessageW(tray.OverflowToolbar(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    SendMessageW(tray.OverflowToolbar(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    simtest::PumpMessages(50);
    EXPECT_FALSE(IsWindowVisible(tray.OverflowWindow()));
    const HWND owner = tray.Icons().at(1).owner;
    const std::vector<OwnerMessage> expected = {{0x8002, 2, WM_LBUTTONDOWN, Handle(owner)},
                                                {0x8002, 2, WM_LBUTTONUP, Handle(owner)}};
    EXPECT_EQ(tray.Log(), expected);
}

} // namespace
