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

// Closing at rest, and in the middle of the ten seconds that a click on a system icon
// waits for what it opened.
class ProgramLife : public testing::TestWithParam<bool> {};

TEST_P(ProgramLife, ClosingEndsTheProcessAtOnceAndAsksTheCompanionToClose) {
    test::ClearDataFolder();
    test::SimulatorProcess tray("layout win7\nicon tray id=1 tip=Dropbox\n"
                                "icon tray id=2 tip=スピーカー: 50%\n");
    test::CompanionWindow companion;
    test::ChildProcess program(test::Quoted(test::ProgramPath()));
    const HWND window = test::ShownBoard(program);
    ASSERT_NE(window, nullptr);
    if (GetParam()) {
        test::ClickCell(window, 1);
        Sleep(2500);
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(EndsWithin(program, 2000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(test::CompanionWindow::closes, 1);
}

INSTANTIATE_TEST_SUITE_P(Moments, ProgramLife, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "DuringAWait" : "AtRest"; });

} // namespace
} // namespace orvane
