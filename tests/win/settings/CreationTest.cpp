#include "platform/Monitor.h"
#include "settings/SettingsFixture.h"

namespace orvane {
namespace {

using test::SettingsTest;

int PointerMonitorWidth() {
    const RECT monitor = platform::PointerMonitor().rcMonitor;
    return monitor.right - monitor.left;
}

TEST_F(SettingsTest, WithoutASettingsFileTheDesignStateStaysAndNothingIsWritten) {
    Start();
    EXPECT_FALSE(test::FileExists(test::ConfigPath()));
    EXPECT_FALSE(Main().IsStart);
    EXPECT_FALSE(Settings().Visible());
    for (ui::CheckBox* box :
         {&Settings().CheckBoxClickNoMinimize, &Settings().CheckBoxRightClickNoMinimize,
          &Settings().CheckBoxTimeOutNoMinimize, &Settings().CheckBoxHideTaskButton})
        EXPECT_FALSE(box->Checked());
    EXPECT_EQ(Settings().Memo1.Lines(), std::vector<std::wstring>{L""});
    EXPECT_FALSE(Settings().EditWriting);
    EXPECT_EQ(Settings().LblMainKey.Text(), L"[F4]");
    EXPECT_EQ(Settings().BtnShowKeyChange.Text(), L"キー([F4])変更");
    EXPECT_EQ(Settings().RadioGroupIconSize.ItemIndex(), 1);
    EXPECT_EQ(Settings().RadioGroupMainKey.ItemIndex(), 0);
    EXPECT_FALSE(Settings().BtnSetIconTipTextFontSize.Enabled());
    EXPECT_FALSE(Settings().LblIconTipTextFontSize.Visible());
    EXPECT_EQ(Settings().ShortCutMainKeyNo, 0);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(taskbar.calls.empty());
}

TEST_F(SettingsTest, TheCheckBoxesAreFilledWithoutWritingAnything) {
    const std::wstring file =
        L"[ClickNoMinimize]\r\nValue=1\r\n[RightClickNoMinimize]\r\nValue=0\r\n"
        L"[TimeOutNoMiniMize]\r\nValue=7\r\n[HideTaskButton]\r\nValue=1\r\n";
    GivenConfig(file);
    Start();
    EXPECT_TRUE(Settings().CheckBoxClickNoMinimize.Checked());
    EXPECT_FALSE(Settings().CheckBoxRightClickNoMinimize.Checked());
    EXPECT_TRUE(Settings().CheckBoxTimeOutNoMinimize.Checked());
    EXPECT_TRUE(Settings().CheckBoxHideTaskButton.Checked());
    EXPECT_EQ(test::ReadText(test::ConfigPath()), file);
    EXPECT_TRUE(taskbar.calls.empty());
    EXPECT_FALSE(Main().IsStart);
}

struct IconSizeCase {
    const char* name;
    int stored;  // -1: no IconSize section
    int index;   // the choice shown
    int written; // -1: nothing written; 0: the pointer monitor's width div 10
    int hintPoints;
};

class IconSizeAtStartTest : public SettingsTest,
                            public testing::WithParamInterface<IconSizeCase> {};

TEST_P(IconSizeAtStartTest, TheStoredSizeSelectsItsChoiceAndAnyButLargeIsStoredAgain) {
    const IconSizeCase& c = GetParam();
    std::wstring file = L"[IconTipTextFontSize]\r\nValue=26\r\n";
    if (c.stored >= 0) file += L"[IconSize]\r\nValue=" + std::to_wstring(c.stored) + L"\r\n";
    GivenConfig(file);
    Start();
    EXPECT_EQ(Settings().RadioGroupIconSize.ItemIndex(), c.index);
    const int size = c.written == 0 ? PointerMonitorWidth() / 10 : c.written;
    if (c.written < 0) {
        EXPECT_EQ(test::ReadText(test::ConfigPath()), file);
    } else {
        EXPECT_EQ(Main().IconSize, size);
        EXPECT_EQ(Stored(L"IconSize", L"Value"), std::to_wstring(size));
    }
    EXPECT_EQ(Main().LblHint.GetFont().Size(), c.hintPoints);
    const bool largest = c.index == 0;
    EXPECT_EQ(Settings().BtnSetIconTipTextFontSize.Enabled(), largest);
    EXPECT_EQ(Settings().LblIconTipTextFontSize.Visible(), largest);
    if (largest) {
        EXPECT_EQ(Settings().LblIconTipTextFontSize.Text(), L"26");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, IconSizeAtStartTest,
    testing::Values(IconSizeCase{"Missing", -1, 1, -1, 18}, IconSizeCase{"Large", 64, 1, -1, 18},
                    IconSizeCase{"Middle", 48, 2, 48, 16}, IconSizeCase{"Small", 32, 3, 32, 12},
                    IconSizeCase{"Zero", 0, 0, 0, 26}, IconSizeCase{"Odd", 100, 0, 0, 26}),
    [](const auto& info) { return info.param.name; });

TEST_F(SettingsTest, TheOldSingleInoperableEntryBecomesAListOfOne) {
    GivenConfig(L"[DisableIconCount]\r\nValue=4\r\n[DisableIconTipText]\r\n0=old\r\nValue=abc\r\n");
    Start();
    EXPECT_EQ(Stored(L"DisableIconCount", L"Value"), L"1");
    EXPECT_EQ(Stored(L"DisableIconTipText", L"0"), L"abc");
    EXPECT_FALSE(Ini().ValueExists(L"DisableIconTipText", L"Value"));
    EXPECT_EQ(Settings().Memo1.Lines(), std::vector<std::wstring>{L"abc"});
}

struct RightClickCase {
    const char* name;
    const wchar_t* stored;
    const wchar_t* written;
    bool checked;
};

class RightClickConversionTest : public SettingsTest,
                                 public testing::WithParamInterface<RightClickCase> {};

TEST_P(RightClickConversionTest, TheOldInverseSettingIsWrittenNegatedAndErased) {
    GivenConfig(std::wstring(L"[RightClickMinimize]\r\nValue=") + GetParam().stored +
                L"\r\n[RightClickNoMinimize]\r\nValue=5\r\n");
    Start();
    EXPECT_EQ(Stored(L"RightClickNoMinimize", L"Value"), GetParam().written);
    EXPECT_TRUE(Ini().ReadKeys(L"RightClickMinimize").empty());
    EXPECT_EQ(test::ReadText(test::ConfigPath()).find(L"RightClickMinimize"), std::wstring::npos);
    EXPECT_EQ(Settings().CheckBoxRightClickNoMinimize.Checked(), GetParam().checked);
}

INSTANTIATE_TEST_SUITE_P(Values, RightClickConversionTest,
                         testing::Values(RightClickCase{"Off", L"0", L"1", true},
                                         RightClickCase{"On", L"1", L"0", false},
                                         RightClickCase{"NotANumber", L"yes", L"0", false}),
                         [](const auto& info) { return info.param.name; });

TEST_F(SettingsTest, AStoredCtrlModeShowsAsSuchWithoutAnyMessageOrWrite) {
    const std::wstring file =
        L"[MainKey]\r\nIsDouble=1\r\nName=F9\r\n[ShortCut]\r\nMainKeyNo=0\r\n";
    GivenConfig(file);
    Start();
    EXPECT_EQ(Settings().RadioGroupMainKey.ItemIndex(), 1);
    EXPECT_EQ(Settings().ComboBox1.ItemIndex(), 0);
    EXPECT_TRUE(Main().MainKeyIsDouble);
    EXPECT_EQ(Settings().LblMainKey.Text(), L"[F9]");
    EXPECT_EQ(Settings().BtnShowKeyChange.Text(), L"キー([F9])変更");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(test::ReadText(test::ConfigPath()), file);
}

TEST_F(SettingsTest, TheInoperableListIsFilledWithoutMarkingItAsEdited) {
    GivenConfig(L"[DisableIconCount]\r\nValue=3\r\n[DisableIconTipText]\r\n0=音量\r\n1=\r\n"
                L"2=Dropbox\r\n3=stale\r\n");
    Start();
    EXPECT_EQ(Settings().Memo1.Lines(), (std::vector<std::wstring>{L"音量", L"", L"Dropbox"}));
    EXPECT_FALSE(Settings().EditWriting);
    EXPECT_EQ(Settings().Memo1.Color(), std::nullopt);

    // A damaged count is believed only as far as there are entries.
    GivenConfig(L"[DisableIconCount]\r\nValue=2147483647\r\n[DisableIconTipText]\r\n0=a\r\n");
    Start();
    EXPECT_EQ(Settings().Memo1.Lines(), std::vector<std::wstring>{L"a"});
}

TEST_F(SettingsTest, EachShowingSelectsTheStoredShortcutModifier) {
    GivenConfig(L"[ShortCut]\r\nMainKeyNo=13\r\n");
    Start();
    ASSERT_EQ(Settings().ShortCutMainKey.size(), 16u);
    EXPECT_EQ(Settings().ComboBox1.Item(13), L"[Shift] + [Alt]");
    Settings().Show();
    EXPECT_EQ(Settings().ComboBox1.ItemIndex(), 13);
    EXPECT_EQ(Settings().ShortCutMainKeyNo, 13);
    Settings().Hide();
    // One outside the list reads as "[Ctrl]".
    GivenConfig(L"[ShortCut]\r\nMainKeyNo=99\r\n");
    Settings().Show();
    EXPECT_EQ(Settings().ComboBox1.ItemIndex(), 0);
    EXPECT_EQ(Settings().ShortCutMainKeyNo, 0);
}

// Every control of the three windows ends with the system's face, and nothing else of
// its font changes.
void ExpectFace(const ui::Control& control, const std::wstring& face) {
    EXPECT_EQ(control.GetFont().Name, face);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control.Handle(), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    if (font.lfFaceName[0]) {
        EXPECT_EQ(std::wstring(font.lfFaceName), face);
    }
    for (const ui::Control* child : control.Children()) ExpectFace(*child, face);
}

TEST_F(SettingsTest, EveryWindowTakesTheFaceOfTheIconTitleFont) {
    Start();
    LOGFONTW iconTitle{};
    SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0);
    const std::wstring face = iconTitle.lfFaceName;
    EXPECT_EQ(Settings().SystemFontName, face);
    ExpectFace(Main(), face);
    ExpectFace(windows->about, face);
    ExpectFace(Settings(), face);

    EXPECT_EQ(Settings().GetFont().Height, -13);
    EXPECT_EQ(Settings().LblMainKey.GetFont().Height, -16);
    EXPECT_TRUE(Settings().Label4.GetFont().Bold);
    EXPECT_EQ(Settings().LblIconTipTextFontSize.GetFont().Color, RGB(255, 0, 0));
    EXPECT_EQ(windows->about.Label1.GetFont().Height, -29);
    EXPECT_TRUE(windows->about.Label1.GetFont().Bold);
    EXPECT_EQ(windows->about.Label3.GetFont().Color, RGB(128, 0, 128));
    EXPECT_EQ(Main().Button1.GetFont().Height, -13);
    EXPECT_EQ(Main().LblHint.GetFont().Size(), 14);
}

TEST_F(SettingsTest, TheInoperableTabIsLaidOutBelowItsExplanation) {
    Start();
    TForm3& s = Settings();
    EXPECT_EQ(s.Memo1.HintText(), L"複数ある場合は改行区切りで入力してください。\r"
                                  L"入力終了したら必ず[Alt]キーを押してください。");
    EXPECT_EQ(s.Label5.Text(),
              L"操作できないアイコンは以下の欄にそのチップテキストに含まれる数文字を入力すれば"
              L"ほとんどのものは操作できるようになります。\r\n"
              L"複数ある場合は改行区切りで入力してください。\r"
              L"入力終了したら必ず[Alt]キーを押してください。\r\n\r\n"
              L"操作できないアイコンのチップテキストに含まれる数文字:");
    EXPECT_EQ(s.Label5.Width(), 695);
    EXPECT_GT(s.Label5.Height(), 3 * -s.Label5.GetFont().Height);
    EXPECT_EQ(s.Memo1.Top(), s.Label5.Top() + s.Label5.Height() + 5);
    EXPECT_EQ(s.Memo1.Top() + s.Memo1.Height(), s.TabSheetDisableIcon.ClientHeight() - 10);
}

TEST_F(SettingsTest, TheWindowHasItsFrameAndTabs) {
    Start();
    TForm3& s = Settings();
    EXPECT_EQ(s.Text(), L"オルヴァーネの設定");
    EXPECT_EQ(s.ClientWidth(), 732);
    EXPECT_EQ(s.ClientHeight(), 467);
    const LONG_PTR style = GetWindowLongPtrW(s.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(GetWindow(s.Handle(), GW_OWNER), Main().Handle());
    ASSERT_EQ(s.PageControl1.PageCount(), 3);
    EXPECT_EQ(s.PageControl1.Page(0).Caption(), L"全般");
    EXPECT_EQ(s.PageControl1.Page(1).Caption(), L"操作できないアイコン");
    EXPECT_EQ(s.PageControl1.Page(2).Caption(), L"アイコン操作へのショートカット設定");
    // The selected mode and the key name read as one phrase.
    RECT item{};
    GetWindowRect(s.RadioGroupMainKey.ItemHandle(0), &item);
    RECT key{};
    GetWindowRect(s.LblMainKey.Handle(), &key);
    EXPECT_LE(item.right, key.left);
}

} // namespace
} // namespace orvane
