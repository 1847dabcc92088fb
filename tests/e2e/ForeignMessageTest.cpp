#include "support/Board.h"
#include "support/Files.h"
#include "support/Simulator.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvane {
namespace {

std::vector<HWND> TopLevelWindows(DWORD pid) {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid, {}};
    EnumWindows(
        [](HWND window, LPARAM data) {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->pid) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> Visible(const std::vector<HWND>& windows) {
    std::vector<HWND> shown;
    for (HWND window : windows) {
        if (IsWindowVisible(window)) shown.push_back(window);
    }
    return shown;
}

// Another program sends every window of Orvane the notifications that only Orvane's own
// controls may send, naming its own window dressed as one of Orvane's controls, and junk.
TEST(ForeignMessageTest, NotificationsFromAnotherProgramDoNothing) {
    test::ClearDataFolder();
    test::SimulatorProcess tray("layout win7\nicon tray id=1 tip=Dropbox\n");
    test::ChildProcess program(test::Quoted(test::ProgramPath()));
    const HWND board = test::ShownBoard(program);
    ASSERT_NE(board, nullptr);
    RECT before{};
    GetWindowRect(board, &before);
    const std::vector<HWND> windows = TopLevelWindows(program.Pid());
    const std::vector<HWND> shown = Visible(windows);

    for (HWND window : windows) {
        ASSERT_TRUE(traysim::SendCommand(
            L"poke hwnd=" + std::to_wstring(reinterpret_cast<std::uintptr_t>(window)),
            tray.Taskbar()));
    }

    ASSERT_TRUE(program.Running());
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutW(board, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer), 0);
    RECT after{};
    GetWindowRect(board, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(Visible(TopLevelWindows(program.Pid())), shown);
    // A check box that took such a message for a click would have written its setting.
    EXPECT_FALSE(test::FileExists(test::ConfigPath()));
}

} // namespace
} // namespace orvane
