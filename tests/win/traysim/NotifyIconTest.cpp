// Shell_NotifyIconW of this process against the simulator's tray, as Wine delivers it.
#include "Helpers.h"
#include "support/Icons.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

namespace {

using orvane::test::SolidIcon;
using simtest::AsWindow;
using simtest::IconPixel;
using simtest::ReadToolbar;

// A window of this process that owns notification icons and counts "TaskbarCreated".
struct Caller {
    Caller() { SetWindowSubclass(window, Count, 0, reinterpret_cast<DWORD_PTR>(&taskbarCreated)); }
    Caller(const Caller&) = delete;
    Caller& operator=(const Caller&) = delete;
    ~Caller() { DestroyWindow(window); }
    NOTIFYICONDATAW Data(UINT id, UINT flags, const wchar_t* tip = L"") const {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof data;
        data.hWnd = window;
        data.uID = id;
        data.uFlags = flags;
        wcsncpy(data.szTip, tip, 127);
        return data;
    }
    static LRESULT CALLBACK Count(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR counter) {
        if (message == RegisterWindowMessageW(L"TaskbarCreated"))
            ++*reinterpret_cast<int*>(counter);
        return DefSubclassProc(window, message, wParam, lParam);
    }

    HWND window = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  nullptr, nullptr);
    int taskbarCreated = 0;
};

TEST(NotifyIcon, AddModifyDeleteAsButtonsOfTheMainToolbar) {
    traysim::Tray tray(L"icon tray id=1 tip=scenario\n");
    const Caller caller;
    const Caller other;
    const auto blue = SolidIcon(32, RGB(0x20, 0x40, 0xC0));
    NOTIFYICONDATAW data = caller.Data(5, NIF_MESSAGE | NIF_ICON | NIF_TIP, L"Orvane のアイコン");
    data.uCallbackMessage = 0x52C;
    data.hIcon = blue.Get();
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &data));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_ADD, &data)) << "the icon exists already";
    NOTIFYICONDATAW sameId = other.Data(5, NIF_TIP, L"other");
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &sameId)) << "the same id of another window";
    auto read = ReadToolbar(tray.MainToolbar());
    ASSERT_EQ(read.size(), 3u);
    ASSERT_TRUE(read[1].recordRead);
    EXPECT_EQ(read[1].text, L"Orvane のアイコン");
    EXPECT_EQ(AsWindow(read[1].record.owner), caller.window);
    EXPECT_EQ(read[1].record.id, 5u);
    EXPECT_EQ(read[1].record.callbackMessage, 0x52Cu);
    const auto icon = reinterpret_cast<HICON>(read[1].record.icon);
    EXPECT_NE(icon, blue.Get()) << "the tray holds an icon of its own";
    EXPECT_EQ(IconPixel(icon, 32, 10, 20), RGB(0x20, 0x40, 0xC0));

    NOTIFYICONDATAW tip = caller.Data(5, NIF_TIP, L"新しいチップ");
    ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &tip));
    EXPECT_EQ(ReadToolbar(tray.MainToolbar())[1].record.callbackMessage, 0x52Cu)
        << "unflagged fields stay";
    const auto green = SolidIcon(16, RGB(0x10, 0xA0, 0x30));
    NOTIFYICONDATAW change = caller.Data(5, NIF_ICON | NIF_MESSAGE);
    change.hIcon = green.Get();
    change.uCallbackMessage = 0x8100;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &change));
    read = ReadToolbar(tray.MainToolbar());
    EXPECT_EQ(read[1].text, L"新しいチップ");
    EXPECT_EQ(read[1].record.callbackMessage, 0x8100u);
    EXPECT_EQ(IconPixel(reinterpret_cast<HICON>(read[1].record.icon), 16, 8, 8),
              RGB(0x10, 0xA0, 0x30));

    NOTIFYICONDATAW missing = caller.Data(6, NIF_TIP);
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &missing));
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &data));
    read = ReadToolbar(tray.MainToolbar());
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].text, L"other");
}

TEST(NotifyIcon, IconsOfEverySizeArriveWhole) {
    traysim::Tray tray(L"");
    const Caller caller;
    for (const int side : {16, 20, 24, 32, 48}) {
        SCOPED_TRACE(testing::Message() << side << " pixels");
        const COLORREF colour = RGB(side * 4, 0x80, 0xFF - side);
        const auto icon = SolidIcon(side, colour);
        NOTIFYICONDATAW data = caller.Data(static_cast<UINT>(side), NIF_ICON);
        data.hIcon = icon.Get();
        ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &data));
        const HICON shown = tray.Icons().back().icon;
        EXPECT_EQ(IconPixel(shown, side, 0, 0), colour);
        EXPECT_EQ(IconPixel(shown, side, side - 1, side - 1), colour)
            << "the last rows of the mask, which Wine cuts off, stay opaque";
    }
}

TEST(NotifyIcon, RestartKeepsScenarioIconsDropsAddedOnesAndAnnouncesTheTaskbar) {
    traysim::Tray tray(L"icon tray id=1 tip=a\nicon overflow id=2 tip=b\n");
    const Caller caller;
    NOTIFYICONDATAW data = caller.Data(3, NIF_TIP, L"added");
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &data));
    ASSERT_TRUE(tray.RunCommand(L"icon tray id=3 tip=c"));
    ASSERT_TRUE(tray.RunCommand(L"remove id=1"));
    const HWND before[] = {tray.Taskbar(), tray.TrayNotify(), tray.MainToolbar(),
                           tray.OverflowWindow(), tray.OverflowToolbar()};
    ASSERT_TRUE(traysim::SendCommand(L"restart"));
    for (const HWND window : before) EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(FindWindowW(L"Shell_TrayWnd", nullptr), tray.Taskbar());
    EXPECT_EQ(FindWindowW(L"NotifyIconOverflowWindow", nullptr), tray.OverflowWindow());
    const auto main = ReadToolbar(tray.MainToolbar());
    ASSERT_EQ(main.size(), 1u);
    EXPECT_EQ(main[0].text, L"c");
    EXPECT_TRUE(IsWindow(AsWindow(main[0].record.owner))) << "owners outlive the shell";
    EXPECT_EQ(ReadToolbar(tray.OverflowToolbar()).at(0).text, L"b");
    EXPECT_TRUE(IsWindowVisible(tray.ShowButton()));
    simtest::PumpMessages(50);
    EXPECT_EQ(caller.taskbarCreated, 1);
    EXPECT_TRUE(tray.Log().empty()) << "owners do not log the broadcast";
    EXPECT_TRUE(Shell_NotifyIconW(NIM_ADD, &data)) << "the icon can be added again";
}

TEST(NotifyIcon, ATrayWithoutToolbarRefusesIcons) {
    traysim::Tray tray(L"layout nopager\n");
    const Caller caller;
    NOTIFYICONDATAW data = caller.Data(1, NIF_TIP);
    EXPECT_FALSE(Shell_NotifyIconW(NIM_ADD, &data));
}

} // namespace
