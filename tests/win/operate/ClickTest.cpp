#include "board/Geometry.h"
#include "support/Files.h"
#include "support/ProgramWindows.h"
#include "support/StandIns.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace orvane {
namespace {

struct Posted {
    std::uint64_t id;
    std::uint64_t mouse;
    bool operator==(const Posted&) const = default;
};

// What the first icon's owner receives for a double click on its cell.
const std::vector<Posted> DoubleClickOfFirstIcon{{1, WM_LBUTTONDOWN},   {1, WM_LBUTTONUP},
                                                 {1, WM_LBUTTONDOWN},   {1, WM_LBUTTONUP},
                                                 {1, WM_LBUTTONDBLCLK}, {1, WM_LBUTTONUP}};

class ClickTest : public testing::Test {
protected:
    void SetUp() override {
        form.IsVista = form.IsWin8 = false;
        form.IsWin7 = true;
        form.Button1Click();
        ASSERT_EQ(form.TotalBtnCount, 5);
    }

    void PointAt(int entry) {
        const Point corner = CellOrigin(entry, form.IconSize);
        SendMessageW(form.Image1.Handle(), WM_MOUSEMOVE, 0,
                     MAKELPARAM(corner.X + 10, corner.Y + 10));
    }
    void Send(UINT message) { SendMessageW(form.Image1.Handle(), message, 0, MAKELPARAM(10, 10)); }
    void Click(int entry) {
        PointAt(entry);
        Send(WM_LBUTTONDOWN);
        Send(WM_LBUTTONUP);
    }
    // The owners' callbacks other than pointer moves.
    std::vector<Posted> Operations() {
        ui::App().ProcessMessages();
        std::vector<Posted> seen;
        for (const traysim::OwnerMessage& m : tray.Log()) {
            EXPECT_EQ(m.message, 0x8000 + m.wParam);
            if (m.lParam != WM_MOUSEMOVE) seen.push_back({m.wParam, m.lParam});
        }
        return seen;
    }
    bool Minimised() const { return form.GetWindowState() == ui::WindowState::Minimized; }

    test::CleanDataFolder clean;
    test::DialogRecorder dialogs;
    test::VirtualClock clock;
    test::InputRecorder input;
    traysim::Tray tray{L"layout win7\n"
                       L"icon tray id=1 msg=0x8001 tip=Dropbox\n"
                       L"icon tray id=2 msg=0x8002 tip=スピーカー: 50%\n"
                       L"icon tray id=3 msg=0x8003 tip=a foo\n"
                       L"icon tray id=4 msg=0x8004 tip=foo bar\n"
                       L"icon tray id=5 msg=0x8005 tip=OneDrive\n"};
    test::ProgramWindows program;
    TDozedeR64Form& form = program.main;
};

TEST_F(ClickTest, AClickPostsPressAndReleaseAfterTheDoubleClickTimeThenMinimises) {
    const std::uint32_t before = clock.Peek();
    Click(0);
    EXPECT_EQ(Operations(), (std::vector<Posted>{{1, WM_LBUTTONDOWN}, {1, WM_LBUTTONUP}}));
    EXPECT_GT(input.keyStateReads, 0);
    EXPECT_GE(clock.Peek() - before, GetDoubleClickTime() + 100 + 5000);
    EXPECT_TRUE(Minimised());
    EXPECT_EQ(form.ImageClickCount, 0);
}

TEST_F(ClickTest, ARightClickPostsTheRightButtonAndWaitsForTheOwnersMenu) {
    PointAt(4);
    const std::uint32_t before = clock.Peek();
    Send(WM_RBUTTONDOWN);
    Send(WM_RBUTTONUP);
    EXPECT_EQ(Operations(), (std::vector<Posted>{{5, WM_RBUTTONDOWN}, {5, WM_RBUTTONUP}}));
    EXPECT_GE(clock.Peek() - before, 10000u); // no menu: 5 s of looking, 5 s more
    EXPECT_FALSE(form.PopupMenuSearching);
    EXPECT_EQ(form.FindHandle, nullptr);
    EXPECT_TRUE(Minimised());
}

TEST_F(ClickTest, ARightClickWatchesTheMenuThatAppearsUntilItCloses) {
    // The owners live on this thread: so does their menu.
    const HWND menu = CreateWindowExW(WS_EX_TOOLWINDOW, L"#32768", L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                      10, 10, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(menu, nullptr);
    bool watched = false;
    const int filter = ui::App().AddMessageFilter([&](MSG& msg) {
        if (msg.message != WM_APP + 12) return false;
        watched = form.PopupMenuSearching && form.FindHandle == menu;
        DestroyWindow(menu);
        return true;
    });
    PointAt(0);
    Send(WM_RBUTTONDOWN);
    PostThreadMessageW(GetCurrentThreadId(), WM_APP + 12, 0, 0);
    const std::uint32_t before = clock.Peek();
    Send(WM_RBUTTONUP);
    ui::App().RemoveMessageFilter(filter);
    EXPECT_TRUE(watched);
    EXPECT_LT(clock.Peek() - before, 5000u);
    EXPECT_FALSE(form.PopupMenuSearching);
    EXPECT_EQ(form.FindHandle, nullptr);
    EXPECT_TRUE(Minimised());
}

TEST_F(ClickTest, AMenuOfAnotherProgramIsNotTakenForTheOwnersMenu) {
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND menu = nullptr;
    std::thread other([&] {
        menu = CreateWindowExW(WS_EX_TOOLWINDOW, L"#32768", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10,
                               10, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        // Takes what the board's thread sends to every window of the process.
        while (MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        }
        DestroyWindow(menu);
    });
    while (!menu) Sleep(1);
    bool watched = false;
    const std::uint32_t before = clock.Peek();
    // Ends a wait on that menu before the test would.
    clock.onWait = [&] {
        watched = watched || form.FindHandle == menu;
        if (clock.Peek() - before > 30000) SetEvent(done);
    };
    PointAt(4);
    Send(WM_RBUTTONDOWN);
    Send(WM_RBUTTONUP);
    SetEvent(done);
    other.join();
    CloseHandle(done);
    EXPECT_FALSE(watched);
    EXPECT_LT(clock.Peek() - before, 15000u); // 5 s of looking, 5 s more
    EXPECT_TRUE(Minimised());
}

TEST_F(ClickTest, ADoubleClickPostsOnlyTheDoubleClickSequence) {
    PointAt(0);
    Send(WM_LBUTTONDOWN);
    int reads = 0;
    input.keyState = [&](int key) -> SHORT {
        return key == VK_LBUTTON && ++reads > 3 ? SHORT(0x8000) : 0;
    };
    Send(WM_LBUTTONUP); // sees the second press coming
    input.keyState = nullptr;
    EXPECT_TRUE(Operations().empty());
    PostMessageW(form.Image1.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10)); // arrives meanwhile
    Send(WM_LBUTTONDBLCLK);
    EXPECT_EQ(Operations(), DoubleClickOfFirstIcon);
    EXPECT_EQ(form.ImageClickCount, 0);
    EXPECT_TRUE(Minimised());
}

TEST_F(ClickTest, AQuickDoubleClickWaitingInTheQueueIsNoClick) {
    PointAt(0);
    Send(WM_LBUTTONDOWN);
    // The second press, already released, waits behind the first release.
    PostMessageW(form.Image1.Handle(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(10, 10));
    PostMessageW(form.Image1.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Send(WM_LBUTTONUP);
    EXPECT_EQ(Operations(), DoubleClickOfFirstIcon);
    EXPECT_EQ(form.ImageClickCount, 0);
}

TEST_F(ClickTest, ClicksOnADeadCellOrWhileTheSettingsAreOpenDoNothing) {
    Click(6); // past the last entry
    SendMessageW(form.Image1.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    program.settings.Show();
    Click(0);
    program.settings.Hide();
    EXPECT_TRUE(Operations().empty());
    EXPECT_FALSE(Minimised());
}

TEST_F(ClickTest, KeepingTheWindowUpAfterAClickStillWaits) {
    program.settings.CheckBoxClickNoMinimize.SetChecked(true);
    const std::uint32_t before = clock.Peek();
    Click(4);
    EXPECT_EQ(Operations(), (std::vector<Posted>{{5, WM_LBUTTONDOWN}, {5, WM_LBUTTONUP}}));
    EXPECT_GE(clock.Peek() - before, 5000u);
    EXPECT_FALSE(Minimised());
}

struct RouteCase {
    const char* name;
    bool vista, win7, win8;
    const wchar_t* inoperableList;
    int entry;
    bool posted; // false: operated by synthetic input instead
};

class RouteTest : public ClickTest, public testing::WithParamInterface<RouteCase> {};

TEST_P(RouteTest, IconsThatIgnoreTheirMessagesAreLeftToSyntheticInput) {
    const RouteCase& c = GetParam();
    form.IsVista = c.vista;
    form.IsWin7 = c.win7;
    form.IsWin8 = c.win8;
    if (c.vista) form.IconCountOnTaskTray = 4; // the last entry from the system-icon toolbar
    program.settings.Memo1.SetText(c.inoperableList);
    form.SetTrayIcon(0, c.entry);
    EXPECT_EQ(!Operations().empty(), c.posted);
}

INSTANTIATE_TEST_SUITE_P(
    Routes, RouteTest,
    testing::Values(RouteCase{"OrdinaryIcon", false, true, false, L"", 0, true},
                    RouteCase{"SpeakersOnWindows7", false, true, false, L"", 1, false},
                    RouteCase{"SpeakersOnWindows8", false, false, true, L"", 1, false},
                    RouteCase{"SpeakersOnVista", true, false, false, L"", 1, false},
                    RouteCase{"SpeakersOnXP", false, false, false, L"", 1, true},
                    RouteCase{"VistaSystemToolbar", true, false, false, L"", 4, false},
                    RouteCase{"ListedWithItsSpace", false, true, false, L"\r\n foo\r\n", 2, false},
                    RouteCase{"SpaceNotAtTheStart", false, true, false, L" foo", 3, true},
                    RouteCase{"ListMatchesWithoutCase", false, true, false, L"DROPBOX", 0, false},
                    RouteCase{"BlankLinesOnly", false, true, false, L"  \r\n\t\r\n", 0, true}),
    [](const auto& info) { return info.param.name; });

TEST_F(ClickTest, OwnIconsGoToTheirOwnHandlingAndIgnoreDoubleClicks) {
    // An entry of the program's own, as the companion's icons are.
    form.TrayNotify[0].hWnd = form.Handle();
    Click(0);
    PointAt(0);
    Send(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(Operations().empty());
}

} // namespace
} // namespace orvane
