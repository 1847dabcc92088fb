// The buttons as a reader copies them: count, data record and tip text.
#include "Helpers.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using simtest::AsWindow;
using simtest::ClassOf;
using simtest::ReadButton;
using simtest::ReadToolbar;

TEST(Buttons, RecordsHoldOwnerIdMessageAndIcon) {
    traysim::Tray tray(L"icon tray id=1 msg=0x8001 color=#3080ff tip=音量: 50%\n"
                       L"icon tray id=2 msg=0x8002 tip=ネットワーク インターネット アクセス\n"
                       L"icon overflow id=3 msg=0x8003 tip=Dropbox 同期完了\n"
                       L"icon tray id=4 msg=0xC123 tip=OneDrive - Personal\n"
                       L"icon overflow id=5 msg=0x8005 tip=Bluetooth デバイス\n");
    const auto main = ReadToolbar(tray.MainToolbar());
    const auto hidden = ReadToolbar(tray.OverflowToolbar());
    ASSERT_EQ(main.size(), 3u);
    ASSERT_EQ(hidden.size(), 2u);
    EXPECT_TRUE(IsWindowVisible(tray.ShowButton())) << "some icons are hidden";

    struct Expected {
        const ReadButton& read;
        std::uint32_t id;
        std::uint32_t message;
        const wchar_t* tip;
    };
    const Expected expected[] = {{main[0], 1, 0x8001, L"音量: 50%"},
                                 {main[1], 2, 0x8002, L"ネットワーク インターネット アクセス"},
                                 {main[2], 4, 0xC123, L"OneDrive - Personal"},
                                 {hidden[0], 3, 0x8003, L"Dropbox 同期完了"},
                                 {hidden[1], 5, 0x8005, L"Bluetooth デバイス"}};
    const auto icons = tray.Icons();
    ASSERT_EQ(icons.size(), 5u);
    std::set<int> commands;
    std::set<std::uint64_t> owners;
    std::set<std::uint64_t> handles;
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Expected& e = expected[i];
        SCOPED_TRACE(testing::Message() << "icon " << e.id);
        ASSERT_TRUE(e.read.recordRead);
        EXPECT_EQ(e.read.text, e.tip);
        EXPECT_EQ(e.read.record.id, e.id);
        EXPECT_EQ(e.read.record.callbackMessage, e.message);
        const HWND owner = AsWindow(e.read.record.owner);
        EXPECT_TRUE(IsWindow(owner));
        EXPECT_EQ(ClassOf(owner), L"TraySimOwner");
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(e.read.record.icon), &info));
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        EXPECT_EQ(icons[i].id, e.id);
        EXPECT_EQ(icons[i].owner, owner);
        EXPECT_EQ(icons[i].command, e.read.command);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(icons[i].icon), e.read.record.icon);
        EXPECT_EQ(icons[i].area, i < 3 ? traysim::Area::Tray : traysim::Area::Overflow);
        commands.insert(e.read.command);
        owners.insert(e.read.record.owner);
        handles.insert(e.read.record.icon);
    }
    EXPECT_EQ(commands.size(), 5u) << "idCommand is unique per button";
    EXPECT_EQ(owners.size(), 5u) << "each icon has its own owner";
    EXPECT_EQ(handles.size(), 5u);
}

TEST(Buttons, FaultsOfSingleButtons) {
    traysim::Tray tray(L"icon tray id=1 msg=0x8001 data=zero tip=zero\n"
                       L"icon tray id=2 msg=0x8002 data=junk tip=junk\n"
                       L"icon tray id=3 msg=0x8003 hicon=none tip=no icon\n"
                       L"icon tray id=4 msg=0x8004 owner=gone tip=gone\n"
                       L"icon tray id=5 msg=0x8005 tip=fine\n");
    const auto read = ReadToolbar(tray.MainToolbar());
    ASSERT_EQ(read.size(), 5u);

    EXPECT_EQ(read[0].data, 0u);

    EXPECT_NE(read[1].data, 0u);
    EXPECT_FALSE(read[1].recordRead) << "the data of a junk button points at no memory";
    EXPECT_EQ(read[1].text, L"junk");

    ASSERT_TRUE(read[2].recordRead);
    EXPECT_EQ(read[2].record.icon, 0u);
    EXPECT_EQ(read[2].record.id, 3u);
    EXPECT_TRUE(IsWindow(AsWindow(read[2].record.owner)));
    EXPECT_GE(
        SendMessageW(tray.MainToolbar(), TB_GETBITMAP, static_cast<WPARAM>(read[2].command), 0), 0)
        << "the toolbar still shows a picture";

    ASSERT_TRUE(read[3].recordRead);
    EXPECT_NE(read[3].record.owner, 0u);
    EXPECT_FALSE(IsWindow(AsWindow(read[3].record.owner))) << "the owner has vanished";
    EXPECT_EQ(read[3].record.id, 4u);
    EXPECT_NE(read[3].record.icon, 0u);

    ASSERT_TRUE(read[4].recordRead);
    EXPECT_TRUE(IsWindow(AsWindow(read[4].record.owner)));
    EXPECT_EQ(read[4].record.unused, 0u);
}

TEST(Buttons, TipsKeepLineBreaksAndAreCutByTheReadersBuffer) {
    traysim::Tray tray(L"icon tray id=1 tip=バッテリー残量: 80%\\n電源に接続: 充電中\n"
                       L"icon tray id=2 tipfill=1500 tip=あ\n"
                       L"icon tray id=3 tipfill=1023 tip=b\n"
                       L"icon tray id=4\n");
    const auto read = ReadToolbar(tray.MainToolbar());
    ASSERT_EQ(read.size(), 4u);
    EXPECT_EQ(read[0].text, L"バッテリー残量: 80%\n電源に接続: 充電中");
    EXPECT_EQ(read[1].text, std::wstring(1023, L'あ'));
    EXPECT_EQ(read[2].text, std::wstring(1023, L'b'));
    EXPECT_EQ(read[3].text, L"");
    EXPECT_EQ(tray.Icons().at(1).tip.size(), 1500u) << "the toolbar keeps the whole tip";
}

TEST(Buttons, IconsAreCirclesOfTheirColour) {
    traysim::Tray tray(L"icon tray id=1 color=#3080ff\n"
                       L"icon tray id=2 color=#20c040\n"
                       L"icon tray id=3 color=#ff0000 tip=W\n");
    const auto icons = tray.Icons();
    ASSERT_EQ(icons.size(), 3u);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icons[0].icon, &info));
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_EQ(bitmap.bmWidth, 32);
    EXPECT_EQ(bitmap.bmHeight, 32);

    const COLORREF magenta = RGB(255, 0, 255);
    EXPECT_EQ(simtest::IconPixel(icons[0].icon, 32, 16, 16), RGB(0x30, 0x80, 0xFF));
    EXPECT_EQ(simtest::IconPixel(icons[0].icon, 32, 0, 0), magenta) << "transparent corner";
    EXPECT_EQ(simtest::IconPixel(icons[0].icon, 32, 31, 31), magenta);
    EXPECT_EQ(simtest::IconPixel(icons[1].icon, 32, 16, 2), RGB(0x20, 0xC0, 0x40));
    EXPECT_EQ(simtest::IconPixel(icons[2].icon, 32, 16, 2), RGB(0xFF, 0, 0));
    int white = 0;
    for (int y = 6; y < 26; ++y) {
        for (int x = 6; x < 26; ++x)
            white += simtest::IconPixel(icons[2].icon, 32, x, y) == RGB(255, 255, 255);
    }
    EXPECT_GT(white, 10) << "the tip's first letter is drawn in white";
}

TEST(Buttons, VistaKeepsHiddenIconsInTheMainToolbar) {
    traysim::Tray tray(L"layout vista\n"
                       L"icon tray id=1 tip=a\n"
                       L"icon overflow id=2 tip=b\n"
                       L"icon tray id=3 tip=c\n"
                       L"icon system id=4 tip=音量\n"
                       L"icon system id=5 tip=ネットワーク\n");
    const auto main = ReadToolbar(tray.MainToolbar());
    const auto system = ReadToolbar(tray.SystemToolbar());
    ASSERT_EQ(main.size(), 3u);
    ASSERT_EQ(system.size(), 2u);
    EXPECT_EQ(main[1].text, L"b");
    EXPECT_EQ(main[1].record.id, 2u);
    EXPECT_TRUE(SendMessageW(tray.MainToolbar(), TB_ISBUTTONHIDDEN,
                             static_cast<WPARAM>(main[1].command), 0));
    EXPECT_FALSE(SendMessageW(tray.MainToolbar(), TB_ISBUTTONHIDDEN,
                              static_cast<WPARAM>(main[0].command), 0));
    EXPECT_EQ(system[0].text, L"音量");
    EXPECT_EQ(system[1].record.id, 5u);
    EXPECT_TRUE(IsWindowVisible(tray.ShowButton()));
}

} // namespace
