#include "board/Geometry.h"
#include "resources/Texts.h"
#include "support/Files.h"
#include "support/Process.h"
#include "support/Simulator.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using test::ChildProcess;

HWND WaitForVisibleMainWindow(const ChildProcess& program) {
    for (int i = 0; i < 500; ++i) {
        HWND window = program.WaitForWindow(L"OrvaneForm", 10000, texts::AppTitle);
        if (window && IsWindowVisible(window)) return window;
        Sleep(20);
    }
    return nullptr;
}

TEST(ProgramStart, ASecondCopyShowsItsMessageAndEndsWhileTheFirstStaysAsItWas) {
    test::ClearDataFolder();
    test::SimulatorProcess tray("layout win7\nicon tray id=1 tip=a\n");
    ChildProcess first(test::Quoted(test::ProgramPath()));
    const HWND window = WaitForVisibleMainWindow(first);
    ASSERT_NE(window, nullptr);
    // The first showing lays the board out: seven 69-pixel columns and a margin.
    RECT client{};
    for (int i = 0; i < 500 && client.right != LayoutFor(64, 1).ClientWidth; ++i) {
        Sleep(10);
        GetClientRect(window, &client);
    }
    ASSERT_EQ(client.right, LayoutFor(64, 1).ClientWidth);
    // and then places the window.
    RECT before{};
    GetWindowRect(window, &before);
    for (int still = 0, i = 0; still < 30 && i < 1000; ++i) {
        Sleep(10);
        RECT now{};
        GetWindowRect(window, &now);
        still = EqualRect(&now, &before) ? still + 1 : 0;
        before = now;
    }

    ChildProcess second(test::Quoted(test::ProgramPath()));
    const HWND box = second.WaitForWindow(L"#32770", 10000);
    ASSERT_NE(box, nullptr) << "no message box from the second copy";
    for (int i = 0; i < 500 && !IsWindowVisible(box); ++i) Sleep(10); // built before shown
    EXPECT_EQ(test::WindowText(box), texts::AppTitle);
    EXPECT_EQ(test::WindowText(GetDlgItem(box, 0xFFFF)), texts::AlreadyRunning);
    EXPECT_EQ(test::FindProcessWindow(second.Pid(), L"OrvaneForm"), nullptr); // no window made
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    DWORD code = 99;
    EXPECT_TRUE(second.WaitExit(10000, &code));
    EXPECT_EQ(code, 0u);

    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(test::FindProcessWindow(first.Pid(), L"#32770"), nullptr);
    RECT after{};
    GetWindowRect(window, &after);
    EXPECT_TRUE(EqualRect(&before, &after));

    first.End(window);
    EXPECT_TRUE(first.WaitExit(5000, &code));
    EXPECT_FALSE(test::FileExists(test::ConfigPath()));
}

} // namespace
} // namespace orvane
