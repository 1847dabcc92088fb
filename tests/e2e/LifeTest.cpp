#include "support/Board.h"
#include "support/CompanionWindow.h"
#include "support/Files.h"
#include "support/Simulator.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvane {
namespace {

// Waits up to `timeout` ms for the process to end, handling this thread's messages meanwhile.
bool EndsWithin(const test::ChildProcess& program, DWORD timeout, DWORD* exitCode) {
    const DWORD start = GetTickCount();
    while (!program.WaitExit(0, exitCode)) {
        if (GetTickCount() - start > timeout) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    return true;
}

TEST(ProgramLife, ClosingEndsTheProcessAndAsksTheCompanionToClose) {
    test::ClearDataFolder();
    test::SimulatorProcess tray("layout win7\nicon tray id=1 tip=Dropbox\n");
    test::CompanionWindow companion;
    test::ChildProcess program(test::Quoted(test::ProgramPath()));
    const HWND window = test::ShownBoard(program);
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(EndsWithin(program, 5000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(test::CompanionWindow::closes, 1);
}

TEST(ProgramLife, ASystemIconIsOperatedWithTheRealPointerOnItsButton) {
    test::ClearDataFolder();
    const std::wstring log = test::TestFolder() + L"e2e_system_icon_owners.log";
    test::SimulatorProcess tray("layout win7\nicon tray id=1 msg=0x8001 tip=Dropbox\n"
                                "icon tray id=2 msg=0x8002 tip=スピーカー: 50%\n"
                                "icon tray id=3 msg=0x8003 tip=USB\n",
                                log);
    test::ChildProcess program(test::Quoted(test::ProgramPath()));
    const HWND window = test::ShownBoard(program);
    ASSERT_NE(window, nullptr);
    test::ClickCell(window, 1);

    // The simulator turns real presses on its buttons into the owners' callbacks.
    std::vector<traysim::OwnerMessage> seen;
    for (int i = 0; i < 500 && seen.size() < 2; ++i) {
        Sleep(10);
        seen = test::LoggedOperations(log);
    }
    Sleep(500); // a message the program posted itself would be there by now
    seen = test::LoggedOperations(log);
    POINT pointer{};
    GetCursorPos(&pointer);
    wchar_t className[64] = {};
    GetClassNameW(WindowFromPoint(pointer), className, 64);
    EXPECT_STREQ(className, L"ToolbarWindow32");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].message, 0x8002u);
    EXPECT_EQ(seen[0].wParam, 2u);
    EXPECT_EQ(seen[0].lParam, static_cast<std::uint64_t>(WM_LBUTTONDOWN));
    EXPECT_EQ(seen[1].message, 0x8002u);
    EXPECT_EQ(seen[1].lParam, static_cast<std::uint64_t>(WM_LBUTTONUP));
    program.End(window);
}

} // namespace
} // namespace orvane
