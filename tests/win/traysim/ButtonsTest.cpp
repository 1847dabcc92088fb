// The buttons as the snapshot copies them (data record, tip text, icon), also as commands
// by WM_COPYDATA change them at run time.
#include "Helpers.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

namespace {

using simtest::AsWindow;
using simtest::ReadToolbar;

int Count(HWND toolbar) {
    return static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
}

TEST(Buttons, RecordsHoldOwnerIdMessageAndAnIconOfTheColour) {
    traysim::Tray tray(L"icon tray id=1 msg=0x8001 color=#3080ff tip=音量: 50%\n"
                       L"icon overflow id=3 msg=0x8003 color=#20c040 tip=Dropbox 同期完了\n"
                       L"icon tray id=4 msg=0xC123 color=#ff0000 tip=OneDrive - Personal\n");
    const auto main = ReadToolbar(tray.MainToolbar());
    const auto hidden = ReadToolbar(tray.OverflowToolbar());
    ASSERT_EQ(main.size(), 2u);
    ASSERT_EQ(hidden.size(), 1u);
    const struct {
        const simtest::ReadButton& read;
        std::uint32_t id, message;
        COLORREF colour;
        const wchar_t* tip;
    } expected[] = {{main[0], 1, 0x8001, RGB(0x30, 0x80, 0xFF), L"音量: 50%"},
                    {main[1], 4, 0xC123, RGB(0xFF, 0, 0), L"OneDrive - Personal"},
                    {hidden[0], 3, 0x8003, RGB(0x20, 0xC0, 0x40), L"Dropbox 同期完了"}};
    const auto icons = tray.Icons();
    ASSERT_EQ(icons.size(), 3u);
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const auto& e = expected[i];
        SCOPED_TRACE(testing::Message() << "icon " << e.id);
        ASSERT_TRUE(e.read.recordRead);
        EXPECT_EQ(e.read.text, e.tip);
        EXPECT_EQ(e.read.record.id, e.id);
        EXPECT_EQ(e.read.record.callbackMessage, e.message);
        EXPECT_EQ(e.read.record.unused, 0u);
        EXPECT_TRUE(IsWindow(AsWindow(e.read.record.owner)));
        EXPECT_NE(e.read.record.owner, expected[(i + 1) % 3].read.record.owner) << "one each";
        const auto icon = reinterpret_cast<HICON>(e.read.record.icon);
        EXPECT_EQ(simtest::IconPixel(icon, 32, 16, 2), e.colour);
        EXPECT_EQ(simtest::IconPixel(icon, 32, 0, 0), RGB(255, 0, 255)) << "a transparent corner";
        EXPECT_EQ(simtest::Handle(icons[i].owner), e.read.record.owner);
        EXPECT_EQ(icons[i].command, e.read.command);
        EXPECT_EQ(icons[i].icon, icon);
    }
    EXPECT_EQ(icons[2].area, traysim::Area::Overflow);
}

TEST(Buttons, FaultsAndTipsAsTheReaderFindsThem) {
    traysim::Tray tray(L"icon tray id=1 data=zero\nicon tray id=2 data=junk tip=junk\n"
                       L"icon tray id=3 hicon=none\nicon tray id=4 owner=gone\n"
                       L"icon tray id=5 tip=バッテリー残量: 80%\\n電源に接続: 充電中\n"
                       L"icon tray id=6 tipfill=1500 tip=あ\nicon tray id=7 tipfill=1023 tip=b\n");
    const auto read = ReadToolbar(tray.MainToolbar());
    ASSERT_EQ(read.size(), 7u);
    EXPECT_EQ(read[0].data, 0u);
    EXPECT_NE(read[1].data, 0u);
    EXPECT_FALSE(read[1].recordRead) << "the data of a junk button points at no memory";
    EXPECT_EQ(read[1].text, L"junk");
    ASSERT_TRUE(read[2].recordRead && read[3].recordRead);
    EXPECT_EQ(read[2].record.icon, 0u);
    EXPECT_EQ(read[2].text, L"");
    EXPECT_TRUE(IsWindow(AsWindow(read[2].record.owner)));
    EXPECT_NE(read[3].record.owner, 0u);
    EXPECT_FALSE(IsWindow(AsWindow(read[3].record.owner))) << "the owner has vanished";
    EXPECT_NE(read[3].record.icon, 0u);
    EXPECT_EQ(read[4].text, L"バッテリー残量: 80%\n電源に接続: 充電中");
    EXPECT_EQ(read[5].text, std::wstring(1023, L'あ')) << "cut by the reader's buffer";
    EXPECT_EQ(read[6].text, std::wstring(1023, L'b'));
    EXPECT_EQ(tray.Icons().at(5).tip.size(), 1500u) << "the toolbar keeps the whole tip";
}

// Vista keeps hidden icons as hidden buttons of the main toolbar, after the show button.
TEST(Buttons, VistaHidesIconsInTheMainToolbarUntilTheShowButtonIsClicked) {
    traysim::Tray tray(L"layout vista\nicon tray id=1\nicon overflow id=2\nicon system id=4\n");
    const auto read = ReadToolbar(tray.MainToolbar());
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].record.id, 2u);
    EXPECT_EQ(ReadToolbar(tray.SystemToolbar()).at(0).record.id, 4u);
    const auto hidden = [&] {
        return SendMessageW(tray.MainToolbar(), TB_ISBUTTONHIDDEN, read[1].command, 0) != 0;
    };
    EXPECT_TRUE(hidden());
    SendMessageW(tray.ShowButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(hidden());
}

TEST(Commands, AddRemoveAndClearIcons) {
    traysim::Tray tray(L"icon tray id=1\n");
    const HWND first = tray.Icons().at(0).owner;
    ASSERT_TRUE(traysim::SendCommand(L"icon tray id=2 msg=0x8002 tip=追加\\nした"));
    ASSERT_TRUE(traysim::SendCommand(L"icon overflow id=3\r\n", tray.Taskbar()));
    const auto read = ReadToolbar(tray.MainToolbar());
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].text, L"追加\nした");
    EXPECT_EQ(read[1].record.callbackMessage, 0x8002u);
    EXPECT_TRUE(IsWindow(AsWindow(read[1].record.owner)));
    EXPECT_EQ(Count(tray.OverflowToolbar()), 1);
    EXPECT_TRUE(IsWindowVisible(tray.ShowButton()));

    ASSERT_TRUE(traysim::SendCommand(L"remove id=1"));
    EXPECT_EQ(ReadToolbar(tray.MainToolbar()).at(0).record.id, 2u);
    EXPECT_FALSE(IsWindow(first)) << "the owner goes with its icon";
    ASSERT_TRUE(traysim::SendCommand(L"remove id=3"));
    EXPECT_FALSE(IsWindowVisible(tray.ShowButton()));
    ASSERT_TRUE(traysim::SendCommand(L"icon overflow id=4"));
    ASSERT_TRUE(traysim::SendCommand(L"clear"));
    EXPECT_EQ(Count(tray.MainToolbar()) + Count(tray.OverflowToolbar()), 0);
    EXPECT_FALSE(IsWindowVisible(tray.ShowButton()));
    EXPECT_TRUE(traysim::SendCommand(L"icon tray id=2")) << "its id is free again";
}

TEST(Commands, RefusedCommandsChangeNothing) {
    traysim::Tray tray(L"icon tray id=1\n");
    const struct {
        const wchar_t* line;
        const wchar_t* error;
    } cases[] = {
        {L"icon tray id=1", L"id 1 is in use"},
        {L"icon system id=2", L"this layout has no place for such an icon"},
        {L"remove id=2", L"no icon with id 2"},
        {L"layout vista", L"the layout cannot change at run time"},
        {L"", L"empty command"},
        {L"icon tray id=5 tip=\\q", L"unknown escape \\q in tip"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.line)));
        std::wstring error;
        EXPECT_FALSE(tray.RunCommand(c.line, &error));
        EXPECT_EQ(error, c.error);
        EXPECT_FALSE(traysim::SendCommand(c.line));
    }
    EXPECT_FALSE(traysim::SendCommand(L"icon tray id=6\nicon tray id=7")) << "one line at a time";
    EXPECT_FALSE(traysim::SendCommand(L"icon tray id=8 tip=" + std::wstring(70000, L'a')));
    EXPECT_EQ(Count(tray.MainToolbar()), 1);
}

} // namespace
