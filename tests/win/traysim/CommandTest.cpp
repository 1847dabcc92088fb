// Commands by WM_COPYDATA: icons added and removed at run time, clear and restart.
#include "Helpers.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

namespace {

using simtest::ReadToolbar;

int Count(HWND toolbar) {
    return static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
}

TEST(Commands, AddAndRemoveIcons) {
    traysim::Tray tray(L"icon tray id=1 tip=one\n");
    ASSERT_TRUE(traysim::SendCommand(L"icon tray id=2 msg=0x8002 color=#00ff00 tip=追加\\nした"));
    ASSERT_TRUE(traysim::SendCommand(L"icon overflow id=3 tip=hidden", tray.Taskbar()));
    auto read = ReadToolbar(tray.MainToolbar());
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].text, L"追加\nした");
    EXPECT_EQ(read[1].record.id, 2u);
    EXPECT_EQ(read[1].record.callbackMessage, 0x8002u);
    EXPECT_EQ(simtest::ClassOf(simtest::AsWindow(read[1].record.owner)), L"TraySimOwner");
    EXPECT_EQ(Count(tray.OverflowToolbar()), 1);
    EXPECT_TRUE(IsWindowVisible(tray.ShowButton()));

    ASSERT_TRUE(traysim::SendCommand(L"remove id=1"));
    read = ReadToolbar(tray.MainToolbar());
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].record.id, 2u);
    ASSERT_TRUE(traysim::SendCommand(L"remove id=3"));
    EXPECT_EQ(Count(tray.OverflowToolbar()), 0);
    EXPECT_FALSE(IsWindowVisible(tray.ShowButton()));
}

TEST(Commands, RefusedCommandsChangeNothing) {
    traysim::Tray tray(L"icon tray id=1\n");
    struct Case {
        const wchar_t* line;
        const wchar_t* error;
    };
    const Case cases[] = {
        {L"icon tray id=1", L"id 1 is in use"},
        {L"icon system id=2", L"this layout has no place for such an icon"},
        {L"remove id=2", L"no icon with id 2"},
        {L"layout vista", L"the layout cannot change at run time"},
        {L"", L"empty command"},
        {L"bogus", L"unknown command 'bogus'"},
        {L"icon tray id=5 tip=\\q", L"unknown escape \\q in tip"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << testing::PrintToString(std::wstring(c.line)));
        std::wstring error;
        EXPECT_FALSE(tray.RunCommand(c.line, &error));
        EXPECT_EQ(error, c.error);
        EXPECT_FALSE(traysim::SendCommand(c.line));
    }
    EXPECT_EQ(Count(tray.MainToolbar()), 1);
}

TEST(Commands, OnlyOneLinePerCommand) {
    traysim::Tray tray(L"");
    EXPECT_FALSE(traysim::SendCommand(L"icon tray id=1\nicon tray id=2"));
    EXPECT_TRUE(traysim::SendCommand(L"icon tray id=3\r\n")) << "a trailing line break is fine";
    EXPECT_FALSE(
        traysim::SendCommand(std::wstring(L"icon tray id=4 tip=") + std::wstring(70000, L'a')));
    EXPECT_EQ(Count(tray.MainToolbar()), 1);
}

TEST(Commands, ClearEmptiesEveryToolbar) {
    traysim::Tray tray(L"layout vista\nicon tray id=1\nicon overflow id=2\nicon system id=3\n");
    const HWND owner = tray.Icons().at(0).owner;
    ASSERT_TRUE(traysim::SendCommand(L"clear"));
    EXPECT_EQ(Count(tray.MainToolbar()), 0);
    EXPECT_EQ(Count(tray.SystemToolbar()), 0);
    EXPECT_FALSE(IsWindowVisible(tray.ShowButton()));
    EXPECT_FALSE(IsWindow(owner));
    ASSERT_TRUE(traysim::SendCommand(L"icon system id=3 tip=again"));
    EXPECT_EQ(ReadToolbar(tray.SystemToolbar()).at(0).text, L"again");
}

TEST(Commands, RestartRebuildsEveryWindowWithTheIcons) {
    traysim::Tray tray(L"icon tray id=1 tip=a\nicon overflow id=2 tip=b\n");
    ASSERT_TRUE(traysim::SendCommand(L"icon tray id=3 tip=c"));
    ASSERT_TRUE(traysim::SendCommand(L"remove id=1"));
    const HWND before[] = {tray.Taskbar(),     tray.TrayNotify(),     tray.Clock(),
                           tray.MainToolbar(), tray.OverflowWindow(), tray.OverflowToolbar()};
    ASSERT_TRUE(traysim::SendCommand(L"restart"));
    for (const HWND window : before) EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(FindWindowW(L"Shell_TrayWnd", nullptr), tray.Taskbar());
    EXPECT_EQ(FindWindowW(L"NotifyIconOverflowWindow", nullptr), tray.OverflowWindow());
    const auto main = ReadToolbar(tray.MainToolbar());
    ASSERT_EQ(main.size(), 1u);
    EXPECT_EQ(main[0].text, L"c");
    EXPECT_EQ(ReadToolbar(tray.OverflowToolbar()).at(0).text, L"b");
    EXPECT_TRUE(IsWindowVisible(tray.ShowButton()));
    ASSERT_TRUE(traysim::SendCommand(L"restart")) << "the new taskbar takes commands too";
}

TEST(Commands, CloseAsksTheOwnerOfTheTray) {
    traysim::Tray tray(L"");
    int closes = 0;
    tray.OnClose = [&] { ++closes; };
    SendMessageW(tray.Taskbar(), WM_CLOSE, 0, 0);
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(IsWindow(tray.Taskbar())) << "the tray object keeps its windows";
}

} // namespace
