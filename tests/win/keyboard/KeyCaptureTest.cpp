#include "settings/SettingsFixture.h"
#include "traysim/TraySim.h"

#include <string>
#include <vector>

namespace orvane {
namespace {

class KeyCaptureTest : public test::SettingsTest {
protected:
    void Open() {
        Start();
        Settings().Show();
    }
    // A key pressed while the settings window has the keyboard.
    void Press(WORD vk, UINT message = WM_KEYDOWN) {
        PostMessageW(Settings().BtnOK.Handle(), message, vk, 1);
        ui::App().ProcessMessages();
    }
    void TearDown() override {
        if (windows) Settings().Hide();
        SettingsTest::TearDown();
    }

    traysim::Tray tray{L"layout win7\nicon tray id=1 msg=0x8001 tip=Dropbox\n"
                       L"icon tray id=2 msg=0x8002 tip=USB デバイス\n"};
};

TEST_F(KeyCaptureTest, ANewShowKeyIsTakenNamedShownAndStored) {
    Open();
    Main().MainKeyChanging = true;
    for (WORD ignored : {VK_RETURN, VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN, VK_SNAPSHOT})
        Press(ignored);
    Press(VK_F5, WM_SYSKEYDOWN); // with Alt held
    EXPECT_TRUE(Main().MainKeyChanging);
    EXPECT_TRUE(dialogs.shown.empty());

    bool showingMeanwhile = false;
    dialogs.onShow = [&] { showingMeanwhile = Main().MsgShowing; };
    Press(VK_F5);
    EXPECT_EQ(Main().MainKey, VK_F5);
    EXPECT_FALSE(Main().MainKeyChanging);
    EXPECT_TRUE(showingMeanwhile);
    EXPECT_FALSE(Main().MsgShowing);
    EXPECT_EQ(dialogs.Texts(),
              std::vector<std::wstring>{L"画面表示のためのキーを[F5]に変更しました。"});
    EXPECT_EQ(Settings().BtnShowKeyChange.Text(), L"キー([F5])変更");
    EXPECT_EQ(Settings().LblMainKey.Text(), L"[F5]");
    EXPECT_TRUE(Settings().BtnShowKeyChange.Enabled());
    EXPECT_EQ(Stored(L"MainKey", L"Value"), L"116");
    EXPECT_EQ(Stored(L"MainKey", L"Name"), L"F5");

    // Captured no longer: further keys change nothing.
    Press(VK_F6);
    EXPECT_EQ(Main().MainKey, VK_F5);
}

TEST_F(KeyCaptureTest, PauseHasItsOwnNameAndTheCtrlModeItsMessage) {
    GivenConfig(L"[MainKey]\r\nIsDouble=1\r\nValue=115\r\n");
    Open();
    Main().MainKeyChanging = true;
    Press(VK_PAUSE);
    EXPECT_EQ(dialogs.Texts(),
              std::vector<std::wstring>{L"画面表示のためのキーを[Ctrl] + [Pause]に変更しました。"});
    EXPECT_EQ(Stored(L"MainKey", L"Name"), L"Pause");
}

TEST_F(KeyCaptureTest, AShowKeyUsedByTheSavedShortcutsIsRefused) {
    GivenConfig(L"[ShortCut]\r\nCount=1\r\nMainKeyNo=4\r\nText0=drop\r\nSosa0=0\r\nKey0=65\r\n"
                L"KeyName0=[F9] + [A]\r\n");
    Open();
    Press('Z'); // no capture: nothing
    Main().MainKeyChanging = true;
    for (WORD used : {WORD('A'), WORD(VK_F9)}) Press(used);
    EXPECT_EQ(dialogs.Texts(),
              std::vector<std::wstring>(2, L"アイコン操作へのショートカットで使っているキーは設定で"
                                           L"きません。\r他のキーを押してください。"));
    EXPECT_EQ(Main().MainKey, VK_F4);
    EXPECT_TRUE(Main().MainKeyChanging);
    EXPECT_FALSE(Main().MsgShowing);
}

TEST_F(KeyCaptureTest, AShortCutKeyTakenFromTheBoardWorksAtOnceAndTheWindowStaysOpen) {
    Open();
    Settings().PageControl1.SetActivePageIndex(2);
    Main().Button1Click();
    Main().AMousePos = 0;
    Main().Image1Click();
    ASSERT_TRUE(Settings().ShortCutSetting);
    Press(VK_F4); // the show key
    EXPECT_EQ(dialogs.Texts(), std::vector<std::wstring>{
                                   L"[F4]は画面を表示するキーです。\r他のキーを押してください。"});
    Press('B');
    EXPECT_FALSE(Settings().ShortCutSetting);
    EXPECT_TRUE(Settings().Visible());
    EXPECT_EQ(Stored(L"ShortCut", L"Key0"), L"66");
    EXPECT_EQ(Stored(L"ShortCut", L"KeyName0"), L"[Ctrl] + [B]");
    ASSERT_EQ(Main().ShortCutConfigCount, 1);
    ASSERT_EQ(Main().HotKeyID.size(), 1u);

    Settings().Hide();
    SendMessageW(Main().Handle(), WM_HOTKEY, static_cast<WPARAM>(Main().HotKeyID[0]), 0);
    ui::App().ProcessMessages();
    std::vector<std::uint64_t> operated;
    for (const traysim::OwnerMessage& m : tray.Log())
        if (m.lParam != WM_MOUSEMOVE) operated.push_back(m.wParam << 16 | m.lParam);
    EXPECT_EQ(operated,
              (std::vector<std::uint64_t>{1 << 16 | WM_LBUTTONDOWN, 1 << 16 | WM_LBUTTONUP}));
}

TEST_F(KeyCaptureTest, ShortCutKeysAreRefusedInOrderAndARowMayKeepItsOwnKey) {
    GivenConfig(L"[ShortCut]\r\nCount=2\r\nMainKeyNo=0\r\nText0=drop\r\nSosa0=0\r\nKey0=65\r\n"
                L"KeyName0=[Ctrl] + [A]\r\nText1=usb\r\nSosa1=0\r\nKey1=66\r\n"
                L"KeyName1=[Ctrl] + [B]\r\n");
    Open();
    ASSERT_EQ(Settings().ShortCutCount, 2);
    Settings().SelectedShortCutNo = 1;
    Settings().MenuChangeShortCutKeyClick();
    ASSERT_TRUE(Settings().ShortCutSetting);
    Press(VK_CONTROL); // never captured
    Press('A');
    Press(VK_F4);
    EXPECT_EQ(dialogs.Texts(), (std::vector<std::wstring>{
                                   L"[A]は既に登録されています。\r他のキーを押してください。",
                                   L"[F4]は画面を表示するキーです。\r他のキーを押してください。"}));
    EXPECT_FALSE(Main().MsgShowing);
    Press('B'); // its own key again
    EXPECT_FALSE(Settings().ShortCutSetting);
    EXPECT_EQ(Stored(L"ShortCut", L"Key1"), L"66");
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

} // namespace
} // namespace orvane
