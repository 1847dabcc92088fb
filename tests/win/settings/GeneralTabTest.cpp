#include "platform/Monitor.h"
#include "settings/SettingsFixture.h"

#include <commdlg.h>

namespace orvane {
namespace {

using test::SettingsTest;

void UserClicks(HWND control) {
    SendMessageW(control, BM_CLICK, 0, 0);
}

struct CheckBoxCase {
    const char* name;
    ui::CheckBox TForm3::*box;
    const wchar_t* section;
};

class CheckBoxWriteTest : public SettingsTest, public testing::WithParamInterface<CheckBoxCase> {};

TEST_P(CheckBoxWriteTest, EachChangeIsWrittenAtOnce) {
    Start();
    ui::CheckBox& box = Settings().*GetParam().box;
    UserClicks(box.Handle());
    EXPECT_TRUE(box.Checked());
    EXPECT_EQ(Stored(GetParam().section, L"Value"), L"1");
    // The first change made the file, with this one section.
    EXPECT_EQ(Ini().ReadKeys(GetParam().section).size(), 1u);
    UserClicks(box.Handle());
    EXPECT_EQ(Stored(GetParam().section, L"Value"), L"0");
    box.SetChecked(true);
    EXPECT_EQ(Stored(GetParam().section, L"Value"), L"1");
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, CheckBoxWriteTest,
    testing::Values(
        CheckBoxCase{"Click", &TForm3::CheckBoxClickNoMinimize, L"ClickNoMinimize"},
        CheckBoxCase{"RightClick", &TForm3::CheckBoxRightClickNoMinimize, L"RightClickNoMinimize"},
        CheckBoxCase{"TimeOut", &TForm3::CheckBoxTimeOutNoMinimize, L"TimeOutNoMiniMize"},
        CheckBoxCase{"HideTaskButton", &TForm3::CheckBoxHideTaskButton, L"HideTaskButton"}),
    [](const auto& info) { return info.param.name; });

TEST_F(SettingsTest, TheTaskbarCheckBoxTakesTheButtonAwayAndGivesItBack) {
    Start();
    UserClicks(Settings().CheckBoxHideTaskButton.Handle());
    UserClicks(Settings().CheckBoxHideTaskButton.Handle());
    const HWND main = Main().Handle();
    EXPECT_EQ(taskbar.calls,
              (std::vector<test::TaskbarRecorder::Call>{{L"delete", main}, {L"add", main}}));
}

struct IconSizeChoice {
    const char* name;
    int index;
    int size; // 0: the pointer monitor's width div 10
    int hintPoints;
};

class IconSizeChoiceTest : public SettingsTest,
                           public testing::WithParamInterface<IconSizeChoice> {};

TEST_P(IconSizeChoiceTest, TheChoiceSetsTheSizeAndTheHintFontAndIsStored) {
    GivenConfig(L"[IconTipTextFontSize]\r\nValue=30\r\n");
    Start();
    const IconSizeChoice& c = GetParam();
    // From another choice, so that every case is a change.
    Settings().RadioGroupIconSize.SetItemIndexSilently(c.index == 3 ? 2 : 3);
    UserClicks(Settings().RadioGroupIconSize.ItemHandle(c.index));
    const RECT monitor = platform::PointerMonitor().rcMonitor;
    const int size = c.size ? c.size : (monitor.right - monitor.left) / 10;
    EXPECT_EQ(Main().IconSize, size);
    EXPECT_EQ(Main().LblHint.GetFont().Size(), c.hintPoints);
    EXPECT_EQ(Stored(L"IconSize", L"Value"), std::to_wstring(size));
    EXPECT_EQ(Settings().BtnSetIconTipTextFontSize.Enabled(), c.index == 0);
    EXPECT_EQ(Settings().LblIconTipTextFontSize.Visible(), c.index == 0);
}

INSTANTIATE_TEST_SUITE_P(Choices, IconSizeChoiceTest,
                         testing::Values(IconSizeChoice{"Largest", 0, 0, 30},
                                         IconSizeChoice{"Large", 1, 64, 18},
                                         IconSizeChoice{"Middle", 2, 48, 16},
                                         IconSizeChoice{"Small", 3, 32, 12}),
                         [](const auto& info) { return info.param.name; });

TEST_F(SettingsTest, TheFontDialogSetsOnlyTheHintSizeAndItsCancelChangesNothing) {
    GivenConfig(L"[IconSize]\r\nValue=0\r\n[IconTipTextFontSize]\r\nValue=20\r\n");
    Start();
    ASSERT_TRUE(Settings().BtnSetIconTipTextFontSize.Enabled());
    test::FontDialogAnswer fontDialog;
    fontDialog.confirm = false;
    const std::wstring before = test::ReadText(test::ConfigPath());
    UserClicks(Settings().BtnSetIconTipTextFontSize.Handle());
    ASSERT_EQ(fontDialog.shown.size(), 1u);
    EXPECT_EQ(std::wstring(fontDialog.shown[0].font.lfFaceName), Settings().SystemFontName);
    ui::Font twenty;
    twenty.SetSize(20);
    EXPECT_EQ(fontDialog.shown[0].font.lfHeight, twenty.Height);
    EXPECT_EQ(fontDialog.shown[0].flags & (CF_EFFECTS | CF_NOSTYLESEL),
              static_cast<DWORD>(CF_EFFECTS | CF_NOSTYLESEL));
    EXPECT_EQ(fontDialog.shown[0].owner, Settings().Handle());
    EXPECT_EQ(test::ReadText(test::ConfigPath()), before);
    EXPECT_EQ(Main().IconTipTextFontSize, 20);
    EXPECT_EQ(Settings().LblIconTipTextFontSize.Text(), L"20");

    fontDialog.confirm = true;
    fontDialog.points = 28;
    UserClicks(Settings().BtnSetIconTipTextFontSize.Handle());
    EXPECT_EQ(Main().IconTipTextFontSize, 28);
    EXPECT_EQ(Main().LblHint.GetFont().Size(), 28);
    EXPECT_EQ(Main().LblHint.GetFont().Name, Settings().SystemFontName);
    EXPECT_EQ(Settings().LblIconTipTextFontSize.Text(), L"28");
    EXPECT_EQ(Stored(L"IconTipTextFontSize", L"Value"), L"28");
}

TEST_F(SettingsTest, CtrlModeIsRefusedWhileTheShortcutModifierIsCtrl) {
    Start();
    bool showingDuringMessage = false;
    dialogs.onShow = [&] { showingDuringMessage = Main().MsgShowing; };
    ASSERT_EQ(Settings().ComboBox1.ItemIndex(), 0);
    UserClicks(Settings().RadioGroupMainKey.ItemHandle(1));
    EXPECT_EQ(dialogs.Texts(), std::vector<std::wstring>{
                                   L"アイコン操作へのショートカットの主キーが[Ctrl]になっているため"
                                   L"\r\n単独キーしか設定できません。"});
    EXPECT_EQ(dialogs.shown[0].flags, static_cast<UINT>(MB_OK));
    EXPECT_TRUE(showingDuringMessage);
    EXPECT_FALSE(Main().MsgShowing);
    EXPECT_EQ(Settings().RadioGroupMainKey.ItemIndex(), 0);
    EXPECT_FALSE(Main().MainKeyIsDouble);
    EXPECT_EQ(Stored(L"MainKey", L"IsDouble"), L"0");

    Settings().ComboBox1.SetItemIndex(3);
    UserClicks(Settings().RadioGroupMainKey.ItemHandle(1));
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(Main().MainKeyIsDouble);
    EXPECT_EQ(Stored(L"MainKey", L"IsDouble"), L"1");
    UserClicks(Settings().RadioGroupMainKey.ItemHandle(0));
    EXPECT_FALSE(Main().MainKeyIsDouble);
    EXPECT_EQ(Stored(L"MainKey", L"IsDouble"), L"0");
}

TEST_F(SettingsTest, TheShowKeyButtonStartsTheCaptureOnceItsMessageIsClosed) {
    Start();
    bool changingDuringMessage = true, showingDuringMessage = false;
    dialogs.onShow = [&] {
        changingDuringMessage = Main().MainKeyChanging;
        showingDuringMessage = Main().MsgShowing;
    };
    UserClicks(Settings().BtnShowKeyChange.Handle());
    EXPECT_EQ(dialogs.Texts(), std::vector<std::wstring>{
                                   L"このダイアログを閉じてから設定したいキーを押してください。"
                                   L"\r\n[Alt],[Shift],[Ctrl],[Windows]キーは設定できません。"});
    EXPECT_FALSE(changingDuringMessage);
    EXPECT_TRUE(showingDuringMessage);
    EXPECT_TRUE(Main().MainKeyChanging);
    EXPECT_FALSE(Main().MsgShowing);
    EXPECT_FALSE(Settings().BtnShowKeyChange.Enabled());
    EXPECT_FALSE(test::FileExists(test::ConfigPath()));
}

TEST_F(SettingsTest, AWriteThatFailsStopsTheHandlerQuietly) {
    GivenConfig(L"[ClickNoMinimize]\r\nValue=0\r\n");
    Start();
    // Another program holds the file open without sharing it.
    const HANDLE held = CreateFileW(test::ConfigPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    UserClicks(Settings().CheckBoxClickNoMinimize.Handle());
    UserClicks(Settings().CheckBoxHideTaskButton.Handle());
    CloseHandle(held);
    EXPECT_EQ(Stored(L"ClickNoMinimize", L"Value"), L"0");
    EXPECT_TRUE(Settings().CheckBoxClickNoMinimize.Checked());
    // The taskbar button is changed only after the write.
    EXPECT_TRUE(taskbar.calls.empty());
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
} // namespace orvane
