#include "support/Board.h"
#include "support/Files.h"
#include "support/Simulator.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvane {
namespace {

struct ClickCase {
    const char* name;
    const char* tip; // of the second icon, the one clicked
    bool system;     // operated by the real pointer rather than by a posted message
};

class ProgramClick : public testing::TestWithParam<ClickCase> {};

TEST_P(ProgramClick, AClickOnTheBoardReachesTheIconsOwnerOnce) {
    const ClickCase& c = GetParam();
    test::ClearDataFolder();
    const std::wstring log = test::ScratchFile(L"e2e_click_owners.log");
    test::SimulatorProcess tray(std::string("layout win7\nicon tray id=1 msg=0x8001 tip=USB\n") +
                                    "icon tray id=2 msg=0x8002 tip=" + c.tip + "\n" +
                                    "icon tray id=3 msg=0x8003 tip=OneDrive\n",
                                log);
    test::ChildProcess program(test::Quoted(test::ProgramPath()));
    const HWND window = test::ShownBoard(program);
    ASSERT_NE(window, nullptr);
    test::ClickCell(window, 1);

    std::vector<traysim::OwnerMessage> seen;
    for (int i = 0; i < 500 && seen.size() < 2; ++i) {
        Sleep(10);
        seen = test::LoggedOperations(log);
    }
    Sleep(500); // a message sent twice would be there by now
    seen = test::LoggedOperations(log);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].message, 0x8002u);
    EXPECT_EQ(seen[0].wParam, 2u);
    EXPECT_EQ(seen[0].lParam, static_cast<std::uint64_t>(WM_LBUTTONDOWN));
    EXPECT_EQ(seen[1].message, 0x8002u);
    EXPECT_EQ(seen[1].lParam, static_cast<std::uint64_t>(WM_LBUTTONUP));

    if (c.system) {
        // The simulator logged a real press on its button, where the pointer now rests.
        POINT pointer{};
        GetCursorPos(&pointer);
        wchar_t className[64] = {};
        GetClassNameW(WindowFromPoint(pointer), className, 64);
        EXPECT_STREQ(className, L"ToolbarWindow32");
    } else {
        EXPECT_FALSE(IsIconic(window));
        for (int i = 0; i < 700 && !IsIconic(window); ++i) Sleep(10); // five seconds after
        EXPECT_TRUE(IsIconic(window));
        EXPECT_EQ(test::LoggedOperations(log).size(), 2u);
    }
    program.End(window);
}

INSTANTIATE_TEST_SUITE_P(Icons, ProgramClick,
                         testing::Values(ClickCase{"Ordinary", "Dropbox", false},
                                         ClickCase{"Speakers", "スピーカー: 50%", true}),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace orvane
