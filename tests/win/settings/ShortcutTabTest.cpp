#include "settings/SettingsFixture.h"
#include "support/Icons.h"
#include "traysim/TraySim.h"

#include <map>

namespace orvane {
namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Yellow = RGB(255, 255, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF NoPicture = CLR_INVALID;
// The scenario's icons, as the simulator paints them: a disc of this colour.
constexpr COLORREF VolumeColour = RGB(0xff, 0, 0);
constexpr COLORREF DropboxColour = RGB(0, 0xc0, 0);
constexpr COLORREF NetworkColour = RGB(0, 0, 0xff);

constexpr wchar_t Help[] =
    L"新規にショートカットを設定するには「オルヴァーネ」画面の設定したいアイコンをクリックして"
    L"ください。";
constexpr wchar_t KeyRules[] = L"キーと同時に押す設定したいキーをひとつ押してください。\r\n"
                               L"[Alt],[Shift],[Ctrl],[Windows]キーは設定できません。";

struct StoredRow {
    std::wstring text;
    int sosa;
    int key;
    std::wstring keyName;
};

std::wstring ShortCutSection(const std::vector<StoredRow>& rows, int mainKeyNo = 0) {
    std::wstring file = L"[ShortCut]\r\nCount=" + std::to_wstring(rows.size()) + L"\r\n";
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::wstring n = std::to_wstring(i);
        file += L"Text" + n + L"=" + rows[i].text + L"\r\nSosa" + n + L"=" +
                std::to_wstring(rows[i].sosa) + L"\r\nKey" + n + L"=" +
                std::to_wstring(rows[i].key) + L"\r\nKeyName" + n + L"=" + rows[i].keyName +
                L"\r\n";
    }
    return file + L"MainKeyNo=" + std::to_wstring(mainKeyNo) + L"\r\n";
}

const std::vector<StoredRow> ThreeRows{{L"音量", 0, 0x41, L"[Ctrl] + [A]"},
                                       {L"dropbox", 1, 0x42, L"[Ctrl] + [B]"},
                                       {L"ネットワーク", 2, 0x43, L"[Ctrl] + [C]"}};

void UserClicks(HWND control) {
    SendMessageW(control, BM_CLICK, 0, 0);
}

// The colour on the icon's disc, or NoPicture.
COLORREF PictureColour(ui::Image& image) {
    return image.HasPicture() ? image.Picture().Pixel(5, 16) : NoPicture;
}

class ShortcutTabTest : public test::SettingsTest {
protected:
    // The program with a snapshot of the tray, the settings window shown on the shortcut tab.
    void Open(const std::wstring& file = {}) {
        if (!file.empty()) GivenConfig(file);
        Start();
        Main().IsVista = Main().IsWin8 = false;
        Main().IsWin7 = true;
        Main().Button1Click();
        ASSERT_EQ(Main().TotalBtnCount, 5);
        ShowShortcutTab();
    }
    void ShowShortcutTab() {
        Settings().Show();
        Settings().PageControl1.SetActivePageIndex(2);
    }
    void ClickIcon(int entry) {
        Main().AMousePos = entry;
        Main().Image1Click();
    }
    void RightClickRow(int row) {
        TForm3& s = Settings();
        s.EditIconTextMouseUp(*s.EditIconText[static_cast<size_t>(row)], ui::MouseButton::Right);
    }
    std::map<std::wstring, std::wstring> StoredShortCuts() const {
        std::map<std::wstring, std::wstring> values;
        for (const std::wstring& key : Ini().ReadKeys(L"ShortCut"))
            values[key] = Ini().ReadString(L"ShortCut", key, L"");
        return values;
    }
    std::vector<std::wstring> Captions() {
        std::vector<std::wstring> captions;
        for (const ui::Label* label : Settings().LblShortCut) captions.push_back(label->Text());
        return captions;
    }
    void ExpectDefaultHelp() {
        TForm3& s = Settings();
        EXPECT_EQ(s.LblHelp.Text(), Help);
        EXPECT_EQ(s.LblHelp.Left() + s.LblHelp.Width(), s.BtnOK.Left() - 5);
    }
    void ExpectNormalLook(const ui::Label& label) {
        EXPECT_EQ(label.Color(), Settings().ScrollBox1.Color());
    }

    traysim::Tray tray{L"layout win7\n"
                       L"icon tray id=1 color=#ff0000 tip=音量: 50%\n"
                       L"icon tray id=2 color=#00c000 tip=Dropbox\\n最新の状態\n"
                       L"icon tray id=3 color=#0000ff tip=ネットワーク\n"
                       L"icon tray id=4 color=#c0c000 tip=\n"
                       L"icon tray id=5 hicon=none tip=no icon\n"};
};

struct BoardClickCase {
    const char* name;
    int entry;
    const wchar_t* text;
    COLORREF colour;
};

class BoardClickTest : public ShortcutTabTest,
                       public testing::WithParamInterface<BoardClickCase> {};

TEST_P(BoardClickTest, AClickedIconStartsARowThatWaitsForItsKey) {
    Open();
    const BoardClickCase& c = GetParam();
    TForm3& s = Settings();
    ClickIcon(c.entry);
    ASSERT_EQ(s.ShortCutCount, 1);
    EXPECT_EQ(s.EditIconText.size(), 1u);
    EXPECT_EQ(s.ShortCutKey, std::vector<std::uint16_t>{0});
    EXPECT_EQ(s.Edit1.Text(), c.text);
    EXPECT_EQ(PictureColour(s.ImgIcon0), c.colour);
    EXPECT_EQ(s.ImgIcon0.Picture().Pixel(0, 0), White);
    EXPECT_TRUE(s.ShortCutSetting);
    EXPECT_FALSE(s.ShortCutChanging);
    EXPECT_TRUE(s.ConfigChanged);
    EXPECT_EQ(s.LblShortCut0.Color(), Yellow);
    EXPECT_EQ(GetFocus(), s.RadioGroup1.ItemHandle(0));
    EXPECT_EQ(s.LblHelp.Text(), L"操作を選択してから、[Ctrl]" + std::wstring(KeyRules));
    EXPECT_EQ(s.LblHelp.Left() + s.LblHelp.Width(), s.BtnOK.Left() - 5);
    // Nothing is stored before the key.
    EXPECT_FALSE(test::FileExists(test::ConfigPath()));
    EXPECT_TRUE(dialogs.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Tips, BoardClickTest,
                         testing::Values(BoardClickCase{"OneLine", 0, L"音量: 50%", VolumeColour},
                                         BoardClickCase{"TwoLinesTakeTheFirst", 1, L"Dropbox",
                                                        DropboxColour},
                                         BoardClickCase{"NoTip", 3, L"", RGB(0xc0, 0xc0, 0)},
                                         BoardClickCase{"NoIcon", 4, L"no icon", White}),
                         [](const auto& info) { return info.param.name; });

TEST_F(ShortcutTabTest, AnIconOfTheProgramsOwnGivesItsSecondTipLineAndItsItemsPicture) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    test::WriteUtf16File(test::DataFolder() + L"Kestrin.ini",
                         L"[ItemCount]\r\nValue=1\r\n[KestrinBeforeStart]\r\nValue=0\r\n"
                         L"[ItemFileName]\r\n0=" +
                             std::wstring(self) + L"\r\n");
    Start();
    Main().IsVista = Main().IsWin8 = false;
    Main().IsWin7 = true;
    const platform::UniqueIcon red = test::SolidIcon(16, Red);
    Main().PrepareItemRecord(0, red.Get(), L"メモ帳\r\nメモ - 無題");
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &Main().NID[0]));
    Main().Button1Click();
    Shell_NotifyIconW(NIM_DELETE, &Main().NID[0]);
    ASSERT_EQ(Main().TotalBtnCount, 6);
    ShowShortcutTab();
    ClickIcon(5);
    EXPECT_EQ(Settings().Edit1.Text(), L"メモ - 無題");
    // The item's program icon, not the red one in the tray.
    const COLORREF shown = PictureColour(Settings().ImgIcon0);
    EXPECT_NE(shown, Red);
    EXPECT_NE(shown, White);
    EXPECT_NE(shown, NoPicture);
}

struct IgnoredClickCase {
    const char* name;
    bool visible;
    int page;
    int entry;
};

class IgnoredBoardClickTest : public ShortcutTabTest,
                              public testing::WithParamInterface<IgnoredClickCase> {};

TEST_P(IgnoredBoardClickTest, AddsNoRow) {
    Open();
    const IgnoredClickCase& c = GetParam();
    Settings().PageControl1.SetActivePageIndex(c.page);
    if (!c.visible) Settings().Hide();
    ClickIcon(c.entry);
    EXPECT_EQ(Settings().ShortCutCount, 0);
    EXPECT_FALSE(Settings().ShortCutSetting);
    EXPECT_FALSE(Settings().ConfigChanged);
    EXPECT_EQ(Settings().Edit1.Text(), L"");
}

INSTANTIATE_TEST_SUITE_P(Conditions, IgnoredBoardClickTest,
                         testing::Values(IgnoredClickCase{"Hidden", false, 2, 0},
                                         IgnoredClickCase{"GeneralTab", true, 0, 0},
                                         IgnoredClickCase{"InoperableTab", true, 1, 0},
                                         IgnoredClickCase{"BeforeTheFirstIcon", true, 2, -1},
                                         IgnoredClickCase{"PastTheLastIcon", true, 2, 5}),
                         [](const auto& info) { return info.param.name; });

TEST_F(ShortcutTabTest, ASecondClickWhileARowWaitsAddsNothing) {
    Open();
    ClickIcon(0);
    ClickIcon(2);
    EXPECT_EQ(Settings().ShortCutCount, 1);
    EXPECT_EQ(Settings().EditIconText.size(), 1u);
    EXPECT_EQ(Settings().Edit1.Text(), L"音量: 50%");
    EXPECT_EQ(PictureColour(Settings().ImgIcon0), VolumeColour);
}

TEST_F(ShortcutTabTest, RowsStandThirtyEightPixelsApartAndTheNewestIsScrolledIntoView) {
    Open();
    TForm3& s = Settings();
    for (int r = 0; r < 8; ++r) {
        ClickIcon(r % 3);
        s.AcceptShortCutKey(static_cast<std::uint16_t>(0x41 + r), std::wstring(1, L'A' + r));
    }
    ASSERT_EQ(s.ShortCutCount, 8);
    for (size_t r = 0; r < 8; ++r) {
        SCOPED_TRACE(r);
        const int top = 3 + 38 * static_cast<int>(r);
        EXPECT_EQ(s.EditIconText[r]->Top(), top);
        EXPECT_EQ(s.EditIconText[r]->Left(), 32);
        EXPECT_EQ(s.EditIconText[r]->Height(), 33);
        EXPECT_EQ(s.EditIconText[r]->Width(), 122);
        EXPECT_EQ(s.ImgIcon[r]->Top(), top);
        EXPECT_EQ(s.ImgIcon[r]->Width(), 32);
        EXPECT_EQ(s.RadioGroupSosa[r]->Top(), top);
        EXPECT_EQ(s.RadioGroupSosa[r]->Left(), 160);
        EXPECT_EQ(s.RadioGroupSosa[r]->Width(), 321);
        EXPECT_EQ(s.LblShortCut[r]->Left(), 487);
        EXPECT_EQ(s.LblShortCut[r]->Top(), r == 0 ? 13 : top + 8);
        EXPECT_EQ(s.EditIconText[r]->HintText(),
                  L"右クリックでショートカットの削除/キーの変更ができます。");
        EXPECT_EQ(s.EditIconText[r]->Tag, static_cast<std::intptr_t>(r));
        EXPECT_EQ(s.RadioGroupSosa[r]->Tag, static_cast<std::intptr_t>(r));
        EXPECT_EQ(s.EditIconText[r]->GetFont(), s.Edit1.GetFont());
    }
    // The eighth row ends below the box: the box shows its end.
    ASSERT_GT(3 + 38 * 7 + 33, s.ScrollBox1.Height());
    EXPECT_EQ(s.ScrollBox1.ScrollY(), 3 + 38 * 7 + 33 - s.ScrollBox1.ClientHeight());
    EXPECT_EQ(Captions()[7], L"[Ctrl] + [H]");
}

TEST_F(ShortcutTabTest, DeletingTheMiddleRowMovesTheLastUpAndRemovesItsControls) {
    Open(ShortCutSection(ThreeRows));
    TForm3& s = Settings();
    ASSERT_EQ(PictureColour(*s.ImgIcon[2]), NetworkColour);
    const HWND lastText = s.EditIconText[2]->Handle(), lastLabel = s.LblShortCut[2]->Handle();
    RightClickRow(1);
    s.MenuDel.Click();

    ASSERT_EQ(s.ShortCutCount, 2);
    EXPECT_EQ(s.ImgIcon.size(), 2u);
    EXPECT_EQ(s.EditIconText.size(), 2u);
    EXPECT_EQ(s.RadioGroupSosa.size(), 2u);
    EXPECT_EQ(s.LblShortCut.size(), 2u);
    EXPECT_FALSE(IsWindow(lastText));
    EXPECT_FALSE(IsWindow(lastLabel));
    EXPECT_EQ(PictureColour(*s.ImgIcon[1]), NetworkColour);
    EXPECT_EQ(s.EditIconText[1]->Text(), L"ネットワーク");
    EXPECT_EQ(s.RadioGroupSosa[1]->ItemIndex(), 2);
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"[Ctrl] + [A]", L"[Ctrl] + [C]"}));
    EXPECT_EQ(s.ShortCutKey, (std::vector<std::uint16_t>{0x41, 0x43}));
    // Stored at once; the window stays open.
    EXPECT_EQ(StoredShortCuts(),
              (std::map<std::wstring, std::wstring>{{L"Count", L"2"},
                                                    {L"Text0", L"音量"},
                                                    {L"Sosa0", L"0"},
                                                    {L"Key0", L"65"},
                                                    {L"KeyName0", L"[Ctrl] + [A]"},
                                                    {L"Text1", L"ネットワーク"},
                                                    {L"Sosa1", L"2"},
                                                    {L"Key1", L"67"},
                                                    {L"KeyName1", L"[Ctrl] + [C]"},
                                                    {L"MainKeyNo", L"0"}}));
    EXPECT_TRUE(s.Visible());
    EXPECT_FALSE(s.ConfigChanged);
    EXPECT_EQ(Main().ShortCutConfigCount, 2);
}

TEST_F(ShortcutTabTest, DeletingTheOnlyRowBlanksItAndAnEmptyListStaysEmpty) {
    Open(ShortCutSection({ThreeRows[0]}, 3));
    TForm3& s = Settings();
    RightClickRow(0);
    s.MenuDel.Click();
    EXPECT_EQ(s.ShortCutCount, 0);
    EXPECT_TRUE(s.ShortCutKey.empty());
    EXPECT_EQ(s.EditIconText.size(), 1u);
    EXPECT_EQ(s.Edit1.Text(), L"");
    EXPECT_FALSE(s.ImgIcon0.HasPicture());
    EXPECT_EQ(s.LblShortCut0.Text(), L"[Shift] +");
    EXPECT_EQ(StoredShortCuts(),
              (std::map<std::wstring, std::wstring>{{L"Count", L"0"}, {L"MainKeyNo", L"3"}}));
    s.MenuDel.Click();
    EXPECT_EQ(s.ShortCutCount, 0);
    EXPECT_EQ(Stored(L"ShortCut", L"Count"), L"0");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ShortcutTabTest, DeletingAnotherRowEndsTheWaitAndTheSaveRefusesTheRowWithoutKey) {
    Open(ShortCutSection({ThreeRows[0], ThreeRows[1]}));
    TForm3& s = Settings();
    const std::wstring before = test::ReadText(test::ConfigPath());
    ClickIcon(2);
    ASSERT_EQ(s.ShortCutCount, 3);
    RightClickRow(0);
    s.MenuDel.Click();
    EXPECT_FALSE(s.ShortCutSetting);
    ExpectDefaultHelp();
    EXPECT_EQ(s.ShortCutCount, 2);
    EXPECT_EQ(s.EditIconText[1]->Text(), L"ネットワーク");
    EXPECT_EQ(dialogs.Texts(),
              std::vector<std::wstring>{L"ショートカットキーが設定されていません。"});
    EXPECT_EQ(s.LblShortCut[1]->Color(), Red);
    EXPECT_EQ(test::ReadText(test::ConfigPath()), before);
}

TEST_F(ShortcutTabTest, ARowWithoutKeyRefusesTheSaveAndChangesNothing) {
    Open(ShortCutSection({ThreeRows[0]}));
    TForm3& s = Settings();
    const std::wstring before = test::ReadText(test::ConfigPath());
    const int hotKeysBefore = Main().ShortCutConfigCount;
    ClickIcon(1);
    UserClicks(s.BtnOK.Handle());
    EXPECT_EQ(dialogs.Texts(),
              std::vector<std::wstring>{L"ショートカットキーが設定されていません。"});
    EXPECT_EQ(dialogs.shown[0].flags, static_cast<UINT>(MB_OK));
    EXPECT_EQ(s.LblShortCut[1]->Color(), Red);
    EXPECT_NE(s.LblShortCut[0]->Color(), Red);
    EXPECT_EQ(test::ReadText(test::ConfigPath()), before);
    EXPECT_EQ(Main().ShortCutConfigCount, hotKeysBefore);
    EXPECT_TRUE(s.Visible());
    EXPECT_TRUE(s.ConfigChanged);
    EXPECT_TRUE(s.ShortCutSetting);
}

TEST_F(ShortcutTabTest, ANewModifierRelabelsEveryRowAtOnceAndIsStoredWithTheNextSave) {
    Open(ShortCutSection({{L"音量", 0, 0x41, L"[Ctrl] + [A]"},
                          {L"dropbox", 0, 0x42, L"[Ctrl] + [B]"},
                          {L"x", 0, 0x43, L"[Ctrl] + [C] [Ctrl]"}}));
    TForm3& s = Settings();
    const std::wstring before = test::ReadText(test::ConfigPath());
    // As the user picks it from the list.
    SendMessageW(s.ComboBox1.Handle(), CB_SETCURSEL, 3, 0);
    SendMessageW(s.TabSheetShortcut.Handle(), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(s.ComboBox1.Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(s.ComboBox1.Handle()));
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"[Shift] + [A]", L"[Shift] + [B]",
                                                     L"[Shift] + [C] [Shift]"}));
    EXPECT_EQ(s.ShortCutMainKeyNo, 3);
    EXPECT_TRUE(s.ConfigChanged);
    EXPECT_EQ(test::ReadText(test::ConfigPath()), before);
    EXPECT_EQ(Main().ShortCutConfig[0].MainKeyNo, 0);

    UserClicks(s.BtnOK.Handle());
    EXPECT_FALSE(s.Visible());
    EXPECT_EQ(Stored(L"ShortCut", L"MainKeyNo"), L"3");
    EXPECT_EQ(Stored(L"ShortCut", L"KeyName1"), L"[Shift] + [B]");
    EXPECT_EQ(Main().ShortCutConfig[0].MainKeyNo, 3);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ShortcutTabTest, ANewModifierChangesTheLabelOfTheBlankRowToo) {
    Open();
    Settings().ComboBox1.SetItemIndex(4);
    EXPECT_EQ(Settings().LblShortCut0.Text(), L"[F9] +");
    ClickIcon(0);
    EXPECT_EQ(Settings().LblHelp.Text(), L"操作を選択してから、[F9]" + std::wstring(KeyRules));
    Settings().AcceptShortCutKey(0x41, L"A");
    EXPECT_EQ(Settings().LblShortCut0.Text(), L"[F9] + [A]");
    EXPECT_EQ(Stored(L"ShortCut", L"MainKeyNo"), L"4");
}

struct RefusedModifierCase {
    const char* name;
    std::uint16_t showKey;
    bool withCtrl;
    int before;
    int chosen;
    const wchar_t* message;
};

class RefusedModifierTest : public ShortcutTabTest,
                            public testing::WithParamInterface<RefusedModifierCase> {};

TEST_P(RefusedModifierTest, TheMessageShowsAndThePreviousChoiceComesBack) {
    const RefusedModifierCase& c = GetParam();
    Open(ShortCutSection({ThreeRows[0]}, c.before));
    TForm3& s = Settings();
    Main().MainKey = c.showKey;
    Main().MainKeyIsDouble = c.withCtrl;
    const std::wstring caption = s.LblShortCut0.Text();
    s.ComboBox1.SetItemIndex(c.chosen);
    EXPECT_EQ(dialogs.Texts(), std::vector<std::wstring>{c.message});
    EXPECT_EQ(s.ComboBox1.ItemIndex(), c.before);
    EXPECT_EQ(s.ShortCutMainKeyNo, c.before);
    EXPECT_EQ(s.LblShortCut0.Text(), caption);
    EXPECT_FALSE(s.ConfigChanged);
}

INSTANTIATE_TEST_SUITE_P(
    Clashes, RefusedModifierTest,
    testing::Values(RefusedModifierCase{"ShowKeyF9", VK_F9, false, 0, 4,
                                        L"画面表示のためのキーと同じキーは設定できません。"},
                    RefusedModifierCase{"ShowKeyF12", VK_F12, true, 3, 7,
                                        L"画面表示のためのキーと同じキーは設定できません。"},
                    RefusedModifierCase{
                        "CtrlWithCtrlShowKey", VK_F4, true, 3, 0,
                        L"画面表示のためのキーに[Ctrl]が使われているので設定できません。"}),
    [](const auto& info) { return info.param.name; });

struct StaleEntriesCase {
    const char* name;
    std::vector<int> entries; // the numbers of the stored Text, Sosa, Key and KeyName keys
    std::vector<int> kept;    // those left after saving two rows
};

class StaleEntriesTest : public ShortcutTabTest,
                         public testing::WithParamInterface<StaleEntriesCase> {};

TEST_P(StaleEntriesTest, SavingTwoRowsRemovesTheEntriesOfDeletedRows) {
    const StaleEntriesCase& c = GetParam();
    std::wstring file = L"[ShortCut]\r\nCount=2\r\nMainKeyNo=0\r\n";
    for (int n : c.entries) {
        const std::wstring i = std::to_wstring(n);
        file += L"Text" + i + L"=t" + i + L"\r\nSosa" + i + L"=1\r\nKey" + i + L"=" +
                std::to_wstring(0x41 + n) + L"\r\nKeyName" + i + L"=k" + i + L"\r\n";
    }
    Open(file);
    Settings().ComboBox1.SetItemIndex(10);
    UserClicks(Settings().BtnOK.Handle());

    std::map<std::wstring, std::wstring> expected{{L"Count", L"2"}, {L"MainKeyNo", L"10"}};
    for (int n : c.kept) {
        const std::wstring i = std::to_wstring(n);
        expected[L"Text" + i] = L"t" + i;
        expected[L"Sosa" + i] = L"1";
        expected[L"Key" + i] = std::to_wstring(0x41 + n);
        expected[L"KeyName" + i] = L"k" + i;
    }
    EXPECT_EQ(StoredShortCuts(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, StaleEntriesTest,
    testing::Values(StaleEntriesCase{"TwoOverFour", {0, 1, 2, 3}, {0, 1}},
                    // The first missing entry is stepped over once, the second ends the search.
                    StaleEntriesCase{"GapRightAfterTheRows", {0, 1, 3, 4}, {0, 1}},
                    StaleEntriesCase{"GapFurtherOn", {0, 1, 2, 4}, {0, 1, 4}},
                    StaleEntriesCase{"NothingStale", {0, 1}, {0, 1}}),
    [](const auto& info) { return info.param.name; });

TEST_F(ShortcutTabTest, CancelAfterTypingKeepsTheFileAndTheNextShowingShowsTheSavedRows) {
    Open(ShortCutSection({ThreeRows[0], ThreeRows[1]}));
    TForm3& s = Settings();
    const std::wstring before = test::ReadText(test::ConfigPath());
    s.Edit1.SetText(L"typed");
    s.RadioGroupSosa[1]->SetItemIndex(0);
    EXPECT_TRUE(s.ConfigChanged);
    UserClicks(s.BtnCancel.Handle());
    EXPECT_FALSE(s.Visible());
    EXPECT_FALSE(s.ConfigChanged);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(test::ReadText(test::ConfigPath()), before);

    ShowShortcutTab();
    EXPECT_EQ(s.Edit1.Text(), L"音量");
    EXPECT_EQ(s.RadioGroupSosa[1]->ItemIndex(), 1);
    EXPECT_FALSE(s.ConfigChanged);
}

TEST_F(ShortcutTabTest, ARowWhoseTextMatchesNoIconKeepsThePictureItHad) {
    Open(ShortCutSection({ThreeRows[0]}));
    ASSERT_EQ(PictureColour(Settings().ImgIcon0), VolumeColour);
    Settings().Hide();
    GivenConfig(ShortCutSection({{L"no such icon", 0, 0x41, L"[Ctrl] + [A]"}}));
    ShowShortcutTab();
    EXPECT_EQ(Settings().Edit1.Text(), L"no such icon");
    EXPECT_EQ(PictureColour(Settings().ImgIcon0), VolumeColour);
}

TEST_F(ShortcutTabTest, AShorterFileRemovesTheRowsBeyondIt) {
    Open(ShortCutSection(ThreeRows));
    TForm3& s = Settings();
    const HWND third = s.EditIconText[2]->Handle();
    s.Hide();
    GivenConfig(ShortCutSection({ThreeRows[1]}, 3));
    ShowShortcutTab();
    EXPECT_EQ(s.ShortCutCount, 1);
    EXPECT_EQ(s.EditIconText.size(), 1u);
    EXPECT_FALSE(IsWindow(third));
    EXPECT_EQ(s.Edit1.Text(), L"dropbox");
    EXPECT_EQ(PictureColour(s.ImgIcon0), DropboxColour);
    EXPECT_EQ(s.ComboBox1.ItemIndex(), 3);

    s.Hide();
    GivenConfig(L"[ShortCut]\r\nMainKeyNo=4\r\n");
    ShowShortcutTab();
    EXPECT_EQ(s.ShortCutCount, 0);
    EXPECT_TRUE(s.ShortCutKey.empty());
    EXPECT_EQ(s.Edit1.Text(), L"");
    EXPECT_FALSE(s.ImgIcon0.HasPicture());
    EXPECT_EQ(s.RadioGroup1.ItemIndex(), 0);
    EXPECT_EQ(s.LblShortCut0.Text(), L"[F9] +");
    EXPECT_FALSE(s.ConfigChanged);
}

struct CloseCase {
    const char* name;
    int answer;
    bool saved;
};

class CloseQuestionTest : public ShortcutTabTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(CloseQuestionTest, ChangedRowsAreSavedOnYesAndDroppedOnNoAndTheWindowCloses) {
    Open(ShortCutSection({ThreeRows[0]}));
    TForm3& s = Settings();
    const std::wstring before = test::ReadText(test::ConfigPath());
    dialogs.answer = GetParam().answer;
    s.Edit1.SetText(L"typed");
    SendMessageW(s.Handle(), WM_CLOSE, 0, 0);
    ASSERT_EQ(dialogs.Texts(),
              std::vector<std::wstring>{L"設定が変更されていますが、保存しますか？"});
    EXPECT_EQ(dialogs.shown[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    EXPECT_FALSE(s.Visible());
    EXPECT_FALSE(s.ConfigChanged);
    if (GetParam().saved) {
        EXPECT_EQ(Stored(L"ShortCut", L"Text0"), L"typed");
        EXPECT_EQ(Main().ShortCutConfig[0].IconText, L"typed");
    } else {
        EXPECT_EQ(test::ReadText(test::ConfigPath()), before);
    }
    // Unchanged rows close without a question.
    ShowShortcutTab();
    SendMessageW(s.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_FALSE(s.Visible());
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseQuestionTest,
                         testing::Values(CloseCase{"Yes", IDYES, true},
                                         CloseCase{"No", IDNO, false}),
                         [](const auto& info) { return info.param.name; });

TEST_F(ShortcutTabTest, YesClosesTheWindowAlsoWhenTheSaveRefuses) {
    Open();
    dialogs.answer = IDYES;
    ClickIcon(0);
    SendMessageW(Settings().Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dialogs.Texts(),
              (std::vector<std::wstring>{L"設定が変更されていますが、保存しますか？",
                                         L"ショートカットキーが設定されていません。"}));
    EXPECT_FALSE(Settings().Visible());
    EXPECT_FALSE(test::FileExists(test::ConfigPath()));
}

TEST_F(ShortcutTabTest, AJunkFileShowsItsRowsWithoutHarm) {
    const std::wstring longName(10000, L'N');
    Open(L"[ShortCut]\r\nCount=100000\r\nMainKeyNo=99\r\n"
         L"Text0=音量\r\nSosa0=junk\r\nKey0=0\r\nKeyName0=" +
         longName +
         L"\r\n"
         L"Text1=\r\nSosa1=7\r\nKey1=300\r\nKeyName1=x\r\n"
         L"Text2=dropbox\r\nSosa2=-1\r\nKey2=-5\r\n");
    TForm3& s = Settings();
    // The count is believed only as far as the section has entries.
    EXPECT_GE(s.ShortCutCount, 3);
    EXPECT_LE(s.ShortCutCount, 14);
    EXPECT_EQ(s.EditIconText.size(), static_cast<size_t>(s.ShortCutCount));
    EXPECT_EQ(s.ShortCutKey.size(), static_cast<size_t>(s.ShortCutCount));
    EXPECT_EQ(s.ComboBox1.ItemIndex(), 0);
    EXPECT_EQ(s.ShortCutMainKeyNo, 0);
    for (const ui::RadioGroup* sosa : s.RadioGroupSosa) EXPECT_EQ(sosa->ItemIndex(), 0);
    // Keys no key can have read as none.
    for (const std::uint16_t key : s.ShortCutKey) EXPECT_EQ(key, 0);
    EXPECT_EQ(s.LblShortCut0.Text(), longName);
    EXPECT_EQ(PictureColour(s.ImgIcon0), VolumeColour);
    EXPECT_EQ(s.EditIconText[1]->Text(), L"");
    EXPECT_EQ(PictureColour(*s.ImgIcon[2]), DropboxColour);
    EXPECT_TRUE(dialogs.shown.empty());
    // Such rows must get their keys before anything is stored again.
    const std::wstring before = test::ReadText(test::ConfigPath());
    UserClicks(s.BtnOK.Handle());
    EXPECT_EQ(test::ReadText(test::ConfigPath()), before);
}

TEST_F(ShortcutTabTest, AnAcceptedKeyFinishesTheNewRowAndSavesWithTheWindowOpen) {
    Open();
    TForm3& s = Settings();
    ClickIcon(1);
    s.RadioGroup1.SetItemIndex(2);
    s.AcceptShortCutKey(0x41, L"A");
    EXPECT_EQ(s.LblShortCut0.Text(), L"[Ctrl] + [A]");
    ExpectNormalLook(s.LblShortCut0);
    EXPECT_EQ(s.ShortCutKey, std::vector<std::uint16_t>{0x41});
    EXPECT_FALSE(s.ShortCutSetting);
    EXPECT_FALSE(s.ConfigChanged);
    EXPECT_TRUE(s.Visible());
    ExpectDefaultHelp();
    EXPECT_EQ(StoredShortCuts(),
              (std::map<std::wstring, std::wstring>{{L"Count", L"1"},
                                                    {L"Text0", L"Dropbox"},
                                                    {L"Sosa0", L"2"},
                                                    {L"Key0", L"65"},
                                                    {L"KeyName0", L"[Ctrl] + [A]"},
                                                    {L"MainKeyNo", L"0"}}));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ShortcutTabTest, TheChangeCommandTakesANewKeyForTheRightClickedRow) {
    Open(ShortCutSection({ThreeRows[0], ThreeRows[1]}));
    TForm3& s = Settings();
    RightClickRow(1);
    s.MenuChangeShortCutKey.Click();
    EXPECT_TRUE(s.ShortCutSetting);
    EXPECT_TRUE(s.ShortCutChanging);
    EXPECT_EQ(s.LblShortCut[1]->Color(), Yellow);
    EXPECT_EQ(s.LblHelp.Text(), L"[Ctrl]" + std::wstring(KeyRules));
    EXPECT_EQ(GetFocus(), s.RadioGroupSosa[1]->ItemHandle(1));
    // A board click adds nothing meanwhile.
    ClickIcon(2);
    EXPECT_EQ(s.ShortCutCount, 2);

    s.AcceptShortCutKey(VK_F5, L"F5");
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"[Ctrl] + [A]", L"[Ctrl] + [F5]"}));
    ExpectNormalLook(*s.LblShortCut[1]);
    EXPECT_EQ(s.ShortCutKey, (std::vector<std::uint16_t>{0x41, VK_F5}));
    EXPECT_FALSE(s.ShortCutSetting);
    EXPECT_FALSE(s.ShortCutChanging);
    EXPECT_FALSE(s.ConfigChanged);
    EXPECT_EQ(Stored(L"ShortCut", L"Key1"), L"116");
    EXPECT_EQ(Stored(L"ShortCut", L"KeyName1"), L"[Ctrl] + [F5]");
    EXPECT_EQ(Stored(L"ShortCut", L"Key0"), L"65");
    EXPECT_TRUE(s.Visible());
    ExpectDefaultHelp();
}

TEST_F(ShortcutTabTest, TheChangeCommandOnTheBlankRowOfAnEmptyListDoesNothing) {
    Open();
    TForm3& s = Settings();
    RightClickRow(0);
    s.MenuChangeShortCutKey.Click();
    EXPECT_FALSE(s.ShortCutSetting);
    EXPECT_EQ(s.LblHelp.Text(), Help);
    // Nor can a key arrive for a row that is not there.
    s.ShortCutSetting = s.ShortCutChanging = true;
    s.AcceptShortCutKey(0x41, L"A");
    EXPECT_FALSE(s.ShortCutSetting);
    EXPECT_EQ(s.ShortCutCount, 0);
    EXPECT_TRUE(s.ShortCutKey.empty());
    EXPECT_EQ(s.LblShortCut0.Text(), L"[Ctrl] +");
    EXPECT_FALSE(test::FileExists(test::ConfigPath()));
}

TEST_F(ShortcutTabTest, TheRightClickPicksTheRowBeforeTheMenuOpens) {
    Open(ShortCutSection(ThreeRows));
    TForm3& s = Settings();
    static int pickedWhileOpen;
    static bool menuOpen;
    static TForm3* settings;
    pickedWhileOpen = -1;
    menuOpen = false;
    settings = &s;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND menu = FindWindowW(L"#32768", nullptr);
        menuOpen = menu && IsWindowVisible(menu);
        pickedWhileOpen = settings->SelectedShortCutNo;
        EndMenu();
    });
    const HWND edit = s.EditIconText[2]->Handle();
    SendMessageW(edit, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageW(edit, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    KillTimer(nullptr, timer);
    EXPECT_TRUE(menuOpen);
    EXPECT_EQ(pickedWhileOpen, 2);
    EXPECT_EQ(s.SelectedShortCutNo, 2);
    ASSERT_EQ(s.PopupMenu1.Items().size(), 2u);
    EXPECT_EQ(s.PopupMenu1.Items()[0]->Caption(), L"削除(&D)");
    EXPECT_EQ(s.PopupMenu1.Items()[1]->Caption(), L"ショートカットキーの変更(&C)");
}

struct HandOverCase {
    const char* name;
    int mainKeyNo;
    bool hotKeys;
};

class HandOverTest : public ShortcutTabTest, public testing::WithParamInterface<HandOverCase> {};

TEST_P(HandOverTest, SavingGivesTheRowsToTheProgramAndRegistersHotKeysOnlyForAHotKeyChoice) {
    // Registered at start under [Ctrl].
    Open(ShortCutSection({{L"音量", 0, 0x41, L"[Ctrl] + [A]"}}));
    ASSERT_EQ(Main().HotKeyID.size(), 1u);
    ASSERT_NE(Main().HotKeyID[0], 0);
    TForm3& s = Settings();
    s.ComboBox1.SetItemIndex(GetParam().mainKeyNo);
    s.EditIconText[0]->SetText(L"Dropbox");
    ClickIcon(2);
    s.RadioGroupSosa[1]->SetItemIndex(1);
    s.AcceptShortCutKey(0x42, L"B");

    ASSERT_EQ(Main().ShortCutConfigCount, 2);
    ASSERT_EQ(Main().ShortCutConfig.size(), 2u);
    const TShortCutConfig& first = Main().ShortCutConfig[0];
    const TShortCutConfig& second = Main().ShortCutConfig[1];
    EXPECT_EQ(first.IconText, L"Dropbox");
    EXPECT_EQ(first.Key, 0x41u);
    EXPECT_EQ(second.IconText, L"ネットワーク");
    EXPECT_EQ(second.Sosa, 1);
    EXPECT_EQ(second.Key, 0x42u);
    EXPECT_EQ(second.KeyName, s.LblShortCut[1]->Text());
    EXPECT_EQ(first.MainKeyNo, GetParam().mainKeyNo);
    EXPECT_EQ(second.MainKeyNo, GetParam().mainKeyNo);
    int registered = 0;
    for (const std::int32_t id : Main().HotKeyID) registered += id != 0;
    EXPECT_EQ(registered, GetParam().hotKeys ? 2 : 0);
    // What was registered under [Ctrl] before is free again unless registered anew.
    const bool ctrlAFree = RegisterHotKey(nullptr, 0x5A5A, MOD_CONTROL, 0x41) != FALSE;
    if (ctrlAFree) UnregisterHotKey(nullptr, 0x5A5A);
    EXPECT_EQ(ctrlAFree, GetParam().mainKeyNo != 0);
}

INSTANTIATE_TEST_SUITE_P(Choices, HandOverTest,
                         testing::Values(HandOverCase{"Ctrl", 0, true},
                                         HandOverCase{"CtrlShift", 10, true},
                                         HandOverCase{"F9", 4, false},
                                         HandOverCase{"NonConvert", 1, false}),
                         [](const auto& info) { return info.param.name; });

TEST_F(ShortcutTabTest, ASaveThatFailsKeepsTheStoredRowsAndTheShortcutsInForceAndSaysSo) {
    Open(ShortCutSection(ThreeRows));
    TForm3& s = Settings();
    const std::string before = test::ReadBytes(test::ConfigPath());
    const std::wstring failed = L"設定を保存できませんでした。\r\n" + test::ConfigPath();
    s.Edit1.SetText(L"typed");
    {
        const test::HeldOpen held(test::ConfigPath());
        UserClicks(s.BtnOK.Handle());
        RightClickRow(1);
        s.MenuDelClick();
    }
    EXPECT_EQ(dialogs.Texts(), (std::vector<std::wstring>{failed, failed}));
    EXPECT_EQ(test::ReadBytes(test::ConfigPath()), before);
    EXPECT_TRUE(s.Visible());
    EXPECT_TRUE(s.ConfigChanged);
    EXPECT_EQ(Main().ShortCutConfig[0].IconText, L"音量");

    UserClicks(s.BtnOK.Handle());
    EXPECT_FALSE(s.Visible());
    Start();
    ASSERT_EQ(Main().ShortCutConfigCount, 2);
    EXPECT_EQ(Main().ShortCutConfig[0].IconText, L"typed");
    EXPECT_EQ(Main().ShortCutConfig[1].Key, 0x43u);
    EXPECT_FALSE(Ini().ValueExists(L"ShortCut", L"Text2"));
}

TEST_F(ShortcutTabTest, TheTaskbarCheckBoxSavesTheRowsWithTheWindowOpen) {
    Open(ShortCutSection({ThreeRows[0]}));
    Settings().Edit1.SetText(L"typed");
    UserClicks(Settings().CheckBoxHideTaskButton.Handle());
    EXPECT_EQ(Stored(L"ShortCut", L"Text0"), L"typed");
    EXPECT_EQ(Stored(L"HideTaskButton", L"Value"), L"1");
    EXPECT_TRUE(Settings().Visible());
    EXPECT_FALSE(Settings().ConfigChanged);
}

TEST_F(ShortcutTabTest, RowsNeverShownAreNeverSavedOverTheFile) {
    GivenConfig(ShortCutSection(ThreeRows));
    Start();
    const std::wstring before = test::ReadText(test::ConfigPath());
    Settings().BtnOKClick(&Main());
    EXPECT_EQ(test::ReadText(test::ConfigPath()), before);
    EXPECT_EQ(Main().ShortCutConfigCount, 3);
}

TEST_F(ShortcutTabTest, ShowingAgainEndsTheWaitOfANewRowThatTheFileDoesNotHold) {
    Open(ShortCutSection({ThreeRows[0], ThreeRows[1]}));
    TForm3& s = Settings();
    ClickIcon(2);
    dialogs.answer = IDNO;
    s.Close();
    ShowShortcutTab();
    EXPECT_EQ(s.ShortCutCount, 2);
    EXPECT_FALSE(s.ShortCutSetting);
    ExpectDefaultHelp();
    for (const ui::Label* label : s.LblShortCut) ExpectNormalLook(*label);
    // A key now pressed cannot replace a saved row's key.
    s.AcceptShortCutKey(0x5A, L"Z");
    EXPECT_EQ(Stored(L"ShortCut", L"Key1"), L"66");
}

TEST_F(ShortcutTabTest, AChangeKeepsWaitingOverAnotherShowing) {
    Open(ShortCutSection({ThreeRows[0], ThreeRows[1]}));
    TForm3& s = Settings();
    RightClickRow(1);
    s.MenuChangeShortCutKey.Click();
    s.Hide();
    ShowShortcutTab();
    EXPECT_TRUE(s.ShortCutSetting);
    EXPECT_EQ(s.LblShortCut[1]->Color(), Yellow);
    s.AcceptShortCutKey(0x5A, L"Z");
    EXPECT_EQ(Stored(L"ShortCut", L"Key1"), L"90");
}

TEST_F(ShortcutTabTest, EnteringTheTabFocusesTheFirstRowsText) {
    Open();
    Settings().PageControl1.SetActivePageIndex(0);
    Settings().PageControl1.SetActivePageIndex(2);
    EXPECT_EQ(GetFocus(), Settings().Edit1.Handle());
}

} // namespace
} // namespace orvane
