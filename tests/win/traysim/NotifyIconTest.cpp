// Shell_NotifyIconW of this process against the simulator's tray, as Wine delivers it.
#include "Helpers.h"
#include "traysim/NotifyData.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using simtest::AsWindow;
using simtest::ReadToolbar;

// A window of this process that owns notification icons and notes "TaskbarCreated".
class Caller {
public:
    Caller() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"SimTestCaller";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, L"SimTestCaller", L"caller", WS_POPUP, 0, 0, 1, 1, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    Caller(const Caller&) = delete;
    Caller& operator=(const Caller&) = delete;
    ~Caller() { DestroyWindow(window_); }

    HWND Window() const { return window_; }
    int taskbarCreated = 0;

    NOTIFYICONDATAW Data(UINT id, UINT flags) const {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof data;
        data.hWnd = window_;
        data.uID = id;
        data.uFlags = flags;
        return data;
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Caller*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message == RegisterWindowMessageW(L"TaskbarCreated")) ++self->taskbarCreated;
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_;
};

void SetTip(NOTIFYICONDATAW& data, const wchar_t* tip) {
    wcsncpy(data.szTip, tip, 127);
}

TEST(NotifyIcon, AddModifyDelete) {
    traysim::Tray tray(L"icon tray id=1 tip=scenario\n");
    Caller caller;
    const auto blue = simtest::SolidIcon(32, RGB(0x20, 0x40, 0xC0));
    NOTIFYICONDATAW data = caller.Data(5, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    data.uCallbackMessage = 0x52C;
    data.hIcon = blue.Get();
    SetTip(data, L"Orvane の自分のアイコン");
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &data));

    auto read = ReadToolbar(tray.MainToolbar());
    ASSERT_EQ(read.size(), 2u);
    ASSERT_TRUE(read[1].recordRead);
    EXPECT_EQ(read[1].text, L"Orvane の自分のアイコン");
    EXPECT_EQ(AsWindow(read[1].record.owner), caller.Window());
    EXPECT_EQ(read[1].record.id, 5u);
    EXPECT_EQ(read[1].record.callbackMessage, 0x52Cu);
    const auto icon = reinterpret_cast<HICON>(read[1].record.icon);
    ASSERT_NE(icon, nullptr);
    EXPECT_NE(icon, blue.Get()) << "the tray holds an icon of its own";
    EXPECT_EQ(simtest::IconPixel(icon, 32, 10, 20), RGB(0x20, 0x40, 0xC0));
    EXPECT_EQ(tray.Icons().at(1).owner, caller.Window());

    EXPECT_FALSE(Shell_NotifyIconW(NIM_ADD, &data)) << "the icon exists already";
    EXPECT_EQ(SendMessageW(tray.MainToolbar(), TB_BUTTONCOUNT, 0, 0), 2);

    NOTIFYICONDATAW tip = caller.Data(5, NIF_TIP);
    SetTip(tip, L"新しいチップ");
    ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &tip));
    read = ReadToolbar(tray.MainToolbar());
    EXPECT_EQ(read[1].text, L"新しいチップ");
    EXPECT_EQ(read[1].record.callbackMessage, 0x52Cu) << "unflagged fields stay";
    EXPECT_EQ(reinterpret_cast<HICON>(read[1].record.icon), icon);

    const auto green = simtest::SolidIcon(16, RGB(0x10, 0xA0, 0x30));
    NOTIFYICONDATAW change = caller.Data(5, NIF_ICON | NIF_MESSAGE);
    change.hIcon = green.Get();
    change.uCallbackMessage = 0x8100;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &change));
    read = ReadToolbar(tray.MainToolbar());
    EXPECT_EQ(read[1].text, L"新しいチップ");
    EXPECT_EQ(read[1].record.callbackMessage, 0x8100u);
    EXPECT_EQ(simtest::IconPixel(reinterpret_cast<HICON>(read[1].record.icon), 16, 8, 8),
              RGB(0x10, 0xA0, 0x30));

    NOTIFYICONDATAW missing = caller.Data(6, NIF_TIP);
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &missing));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &missing));
    missing.uVersion = NOTIFYICON_VERSION_4;
    EXPECT_FALSE(Shell_NotifyIconW(NIM_SETVERSION, &missing));
    NOTIFYICONDATAW version = caller.Data(5, 0);
    version.uVersion = NOTIFYICON_VERSION_4;
    EXPECT_TRUE(Shell_NotifyIconW(NIM_SETVERSION, &version));

    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &version));
    read = ReadToolbar(tray.MainToolbar());
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].text, L"scenario");
    EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &version));
}

TEST(NotifyIcon, IconsOfEverySizeArriveWhole) {
    traysim::Tray tray(L"");
    Caller caller;
    const int sides[] = {16, 20, 24, 32, 48};
    for (const int side : sides) {
        SCOPED_TRACE(testing::Message() << side << " pixels");
        const COLORREF colour = RGB(side * 4, 0x80, 0xFF - side);
        const auto icon = simtest::SolidIcon(side, colour);
        NOTIFYICONDATAW data = caller.Data(static_cast<UINT>(side), NIF_ICON);
        data.hIcon = icon.Get();
        ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &data));
        const auto icons = tray.Icons();
        ASSERT_FALSE(icons.empty());
        const HICON shown = icons.back().icon;
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(simtest::IconPixel(shown, side, 0, 0), colour);
        EXPECT_EQ(simtest::IconPixel(shown, side, side - 1, side - 1), colour)
            << "the last rows of the mask, which Wine cuts off, stay opaque";
    }
}

TEST(NotifyIcon, UnflaggedAddGivesAnEmptyButton) {
    traysim::Tray tray(L"");
    Caller caller;
    NOTIFYICONDATAW data = caller.Data(1, 0);
    data.uCallbackMessage = 0x8123; // not flagged, so not sent
    SetTip(data, L"not sent");
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &data));
    const auto read = ReadToolbar(tray.MainToolbar());
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].text, L"");
    EXPECT_EQ(read[0].record.callbackMessage, 0u);
    EXPECT_EQ(read[0].record.icon, 0u);
    EXPECT_EQ(AsWindow(read[0].record.owner), caller.Window());
}

TEST(NotifyIcon, IconsOfTwoOwnersWithTheSameIdAreTwoButtons) {
    traysim::Tray tray(L"");
    Caller first;
    Caller second;
    NOTIFYICONDATAW a = first.Data(1, NIF_TIP);
    SetTip(a, L"first");
    NOTIFYICONDATAW b = second.Data(1, NIF_TIP);
    SetTip(b, L"second");
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &a));
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &b));
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &a));
    const auto read = ReadToolbar(tray.MainToolbar());
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].text, L"second");
}

TEST(NotifyIcon, RestartDropsThemAndAnnouncesTheNewTaskbar) {
    traysim::Tray tray(L"icon tray id=1 tip=scenario\nicon overflow id=2 tip=hidden\n");
    Caller caller;
    NOTIFYICONDATAW data = caller.Data(3, NIF_TIP);
    SetTip(data, L"added");
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &data));
    const HWND oldTaskbar = tray.Taskbar();
    const HWND oldToolbar = tray.MainToolbar();

    ASSERT_TRUE(tray.RunCommand(L"restart"));
    EXPECT_FALSE(IsWindow(oldTaskbar));
    EXPECT_FALSE(IsWindow(oldToolbar));
    EXPECT_EQ(FindWindowW(L"Shell_TrayWnd", nullptr), tray.Taskbar());
    EXPECT_TRUE(IsWindowVisible(tray.Taskbar()));
    const auto read = ReadToolbar(tray.MainToolbar());
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].text, L"scenario");
    EXPECT_TRUE(IsWindow(AsWindow(read[0].record.owner))) << "owners outlive the shell";
    EXPECT_EQ(ReadToolbar(tray.OverflowToolbar()).at(0).text, L"hidden");

    simtest::PumpMessages(50);
    EXPECT_EQ(caller.taskbarCreated, 1);
    EXPECT_TRUE(Shell_NotifyIconW(NIM_ADD, &data)) << "the icon can be added again";
    EXPECT_TRUE(tray.Log().empty()) << "owners do not log the broadcast";
}

TEST(NotifyIcon, TrayWithoutToolbarRefuses) {
    traysim::Tray tray(L"layout nopager\n");
    Caller caller;
    NOTIFYICONDATAW data = caller.Data(1, NIF_TIP);
    EXPECT_FALSE(Shell_NotifyIconW(NIM_ADD, &data));
}

// Records that Shell_NotifyIconW never sends but another program could.
TEST(NotifyIcon, MalformedRecordsAreRefused) {
    traysim::Tray tray(L"");
    Caller caller;
    std::vector<std::uint8_t> record(traysim::kNotifyHeaderSize + 64, 0);
    const auto put = [&](std::size_t offset, std::uint32_t value) {
        std::memcpy(record.data() + offset, &value, sizeof value);
    };
    put(0, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(caller.Window())));
    put(4, 1);
    put(8, NIF_ICON);
    put(944, 32);
    put(948, 32);
    put(952, 1);
    put(956, 32); // 32x32x32 needs 4224 bytes of bits; there are 64
    const auto send = [&](ULONG_PTR code, std::size_t size) {
        COPYDATASTRUCT copy{code, static_cast<DWORD>(size), record.data()};
        return SendMessageW(tray.Taskbar(), WM_COPYDATA, reinterpret_cast<WPARAM>(caller.Window()),
                            reinterpret_cast<LPARAM>(&copy));
    };
    EXPECT_EQ(send(NIM_ADD, record.size()), FALSE);
    EXPECT_EQ(send(NIM_ADD, 100), FALSE);
    put(944, 0); // no picture: a button without icon
    EXPECT_EQ(send(NIM_ADD, record.size()), TRUE);
    EXPECT_EQ(send(77, record.size()), FALSE);
    EXPECT_EQ(SendMessageW(tray.MainToolbar(), TB_BUTTONCOUNT, 0, 0), 1);
}

} // namespace
