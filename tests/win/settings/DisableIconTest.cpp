#include "settings/SettingsFixture.h"

namespace orvane {
namespace {

using test::SettingsTest;

constexpr COLORREF Yellow = RGB(255, 255, 0);

class DisableIconTest : public SettingsTest {
protected:
    ui::Memo& Memo() { return Settings().Memo1; }
    void Type(const std::wstring& text) {
        for (wchar_t c : text) SendMessageW(Memo().Handle(), WM_CHAR, c, 0);
    }
    // [Alt] as it comes from the keyboard: through the application's message loop.
    void PressAlt() {
        PostMessageW(Memo().Handle(), WM_SYSKEYDOWN, VK_MENU, 1 << 29);
        ui::App().ProcessMessages();
    }
    std::vector<std::wstring> StoredList() {
        std::vector<std::wstring> list;
        for (const std::wstring& key : Ini().ReadKeys(L"DisableIconTipText"))
            list.push_back(key + L"=" + Stored(L"DisableIconTipText", key.c_str()));
        return list;
    }
};

TEST_F(DisableIconTest, AltStoresTheLinesAndRemovesWhatIsNoLongerThere) {
    Start();
    SendMessageW(Memo().Handle(), EM_SETSEL, 0, -1);
    Type(L"音量\rDropbox");
    PressAlt();
    EXPECT_EQ(Stored(L"DisableIconCount", L"Value"), L"2");
    EXPECT_EQ(StoredList(), (std::vector<std::wstring>{L"0=音量", L"1=Dropbox"}));

    Memo().SetLines({L"Dropbox"});
    PressAlt();
    EXPECT_EQ(Stored(L"DisableIconCount", L"Value"), L"1");
    EXPECT_EQ(StoredList(), std::vector<std::wstring>{L"0=Dropbox"});
}

TEST_F(DisableIconTest, ShrinkingFromFiveToTwoDeletesTheLastThree) {
    GivenConfig(L"[DisableIconCount]\r\nValue=5\r\n[DisableIconTipText]\r\n0=a\r\n1=b\r\n2=c\r\n"
                L"3=d\r\n4=e\r\n");
    Start();
    Memo().SetLines({L"a", L"", L"c"});
    Memo().SetLines({L"a", L""});
    PressAlt();
    EXPECT_EQ(Stored(L"DisableIconCount", L"Value"), L"2");
    // The empty line is an entry like the others.
    EXPECT_EQ(StoredList(), (std::vector<std::wstring>{L"0=a", L"1="}));
}

TEST_F(DisableIconTest, EditsColourTheBoxUntilAltStoresThem) {
    Start();
    EXPECT_FALSE(Settings().EditWriting);
    Type(L"x");
    EXPECT_TRUE(Settings().EditWriting);
    EXPECT_EQ(Memo().Color(), Yellow);
    EXPECT_FALSE(test::FileExists(test::ConfigPath()));

    for (WORD key : {WORD('A'), WORD(VK_SHIFT), WORD(VK_CONTROL), WORD(VK_RETURN)})
        PostMessageW(Memo().Handle(), WM_KEYDOWN, key, 0);
    ui::App().ProcessMessages();
    EXPECT_TRUE(Settings().EditWriting);
    EXPECT_FALSE(test::FileExists(test::ConfigPath()));

    PressAlt();
    EXPECT_FALSE(Settings().EditWriting);
    EXPECT_EQ(Memo().Color(), GetSysColor(COLOR_WINDOW));
    EXPECT_TRUE(test::FileExists(test::ConfigPath()));
}

TEST_F(DisableIconTest, APastedLineBreakCannotAddKeysOrSectionsToTheFile) {
    Start();
    Memo().SetText(L"x\n[ShortCut]\nCount=5\r3=y");
    PressAlt();
    EXPECT_EQ(Stored(L"DisableIconCount", L"Value"), L"4");
    EXPECT_EQ(StoredList(),
              (std::vector<std::wstring>{L"0=x", L"1=[ShortCut]", L"2=Count=5", L"3=3=y"}));
    EXPECT_TRUE(Ini().ReadKeys(L"ShortCut").empty());
}

TEST_F(DisableIconTest, ASaveThatFailsKeepsTheStoredListWholeSaysSoAndTheNextAltStoresIt) {
    GivenConfig(L"[MainKey]\r\nName=F9\r\n[DisableIconCount]\r\nValue=3\r\n"
                L"[DisableIconTipText]\r\n0=a\r\n1=b\r\n2=c\r\n");
    Start();
    const std::string before = test::ReadBytes(test::ConfigPath());
    SendMessageW(Memo().Handle(), EM_SETSEL, 0, -1);
    Type(L"音量\rx");
    {
        const test::HeldOpen held(test::ConfigPath());
        PressAlt();
    }
    EXPECT_EQ(dialogs.Texts(),
              std::vector<std::wstring>{L"設定を保存できませんでした。\r\n" + test::ConfigPath()});
    EXPECT_EQ(test::ReadBytes(test::ConfigPath()), before);
    EXPECT_TRUE(Settings().EditWriting);
    EXPECT_EQ(Memo().Color(), Yellow);

    PressAlt();
    EXPECT_EQ(dialogs.shown.size(), 1u);
    Start();
    EXPECT_EQ(Memo().Lines(), (std::vector<std::wstring>{L"音量", L"x"}));
    EXPECT_EQ(Settings().LblMainKey.Text(), L"[F9]");
}

} // namespace
} // namespace orvane
