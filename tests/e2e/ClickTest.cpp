#include "board/Geometry.h"
#include "resources/Texts.h"
#include "support/Files.h"
#include "support/Pointer.h"
#include "support/Process.h"
#include "support/Simulator.h"
#include "traysim/OwnerLog.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvane {
namespace {

std::vector<traysim::OwnerMessage> Operations(const std::wstring& log) {
    std::vector<traysim::OwnerMessage> seen;
    for (const traysim::OwnerMessage& m : traysim::ParseOwnerLog(test::ReadBytes(log))
                                              .value_or(std::vector<traysim::OwnerMessage>{})) {
        if (m.lParam != WM_MOUSEMOVE) seen.push_back(m);
    }
    return seen;
}

TEST(ProgramClick, AClickOnTheBoardReachesTheIconsOwnerAndThenTheWindowMinimises) {
    test::ClearDataFolder();
    const std::wstring log = test::TestFolder() + L"e2e_click_owners.log";
    test::SimulatorProcess tray(
        "layout win7\nicon tray id=1 msg=0x8001 tip=音量\n"
        "icon tray id=2 msg=0x8002 tip=Dropbox\nicon tray id=3 msg=0x8003 tip=USB\n",
        log);
    test::ChildProcess program(test::Quoted(test::ProgramPath()));
    HWND window = nullptr;
    for (int i = 0; i < 1000 && !(window && IsWindowVisible(window)); ++i) {
        window = program.WaitForWindow(L"OrvaneForm", 10000, texts::AppTitle);
        Sleep(10);
    }
    ASSERT_NE(window, nullptr);
    const HWND board = test::FindChildWindow(window, L"OrvaneImage");
    ASSERT_NE(board, nullptr);
    Sleep(500); // restored, drawn and placed

    POINT cell{CellOrigin(1, 64).X + 30, CellOrigin(1, 64).Y + 30};
    ClientToScreen(board, &cell);
    test::SendRecords({test::PointerMove(cell)});
    Sleep(300);
    test::SendRecords(
        {test::MouseButtons(MOUSEEVENTF_LEFTDOWN), test::MouseButtons(MOUSEEVENTF_LEFTUP)});

    std::vector<traysim::OwnerMessage> seen;
    for (int i = 0; i < 300 && seen.size() < 2; ++i) {
        Sleep(10);
        seen = Operations(log);
    }
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].message, 0x8002u);
    EXPECT_EQ(seen[0].wParam, 2u);
    EXPECT_EQ(seen[0].lParam, static_cast<std::uint64_t>(WM_LBUTTONDOWN));
    EXPECT_EQ(seen[1].lParam, static_cast<std::uint64_t>(WM_LBUTTONUP));
    EXPECT_FALSE(IsIconic(window));

    for (int i = 0; i < 700 && !IsIconic(window); ++i) Sleep(10); // five seconds after the click
    EXPECT_TRUE(IsIconic(window));
    EXPECT_EQ(Operations(log).size(), 2u);
    program.End(window);
}

} // namespace
} // namespace orvane
