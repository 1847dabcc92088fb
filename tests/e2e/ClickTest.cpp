#include "support/Board.h"
#include "support/Files.h"
#include "support/Simulator.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvane {
namespace {

TEST(ProgramClick, AClickOnTheBoardReachesTheIconsOwnerAndThenTheWindowMinimises) {
    test::ClearDataFolder();
    const std::wstring log = test::TestFolder() + L"e2e_click_owners.log";
    test::SimulatorProcess tray(
        "layout win7\nicon tray id=1 msg=0x8001 tip=音量\n"
        "icon tray id=2 msg=0x8002 tip=Dropbox\nicon tray id=3 msg=0x8003 tip=USB\n",
        log);
    test::ChildProcess program(test::Quoted(test::ProgramPath()));
    const HWND window = test::ShownBoard(program);
    ASSERT_NE(window, nullptr);
    test::ClickCell(window, 1);

    std::vector<traysim::OwnerMessage> seen;
    for (int i = 0; i < 300 && seen.size() < 2; ++i) {
        Sleep(10);
        seen = test::LoggedOperations(log);
    }
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].message, 0x8002u);
    EXPECT_EQ(seen[0].wParam, 2u);
    EXPECT_EQ(seen[0].lParam, static_cast<std::uint64_t>(WM_LBUTTONDOWN));
    EXPECT_EQ(seen[1].lParam, static_cast<std::uint64_t>(WM_LBUTTONUP));
    EXPECT_FALSE(IsIconic(window));

    for (int i = 0; i < 700 && !IsIconic(window); ++i) Sleep(10); // five seconds after the click
    EXPECT_TRUE(IsIconic(window));
    EXPECT_EQ(test::LoggedOperations(log).size(), 2u);
    program.End(window);
}

} // namespace
} // namespace orvane
