#include "board/Geometry.h"
#include "platform/Handles.h"
#include "platform/Monitor.h"
#include "settings/SettingsFixture.h"
#include "traysim/TraySim.h"

namespace orvane {
namespace {

using test::SettingsTest;

template <class Case>
class SettingsCaseTest : public SettingsTest, public testing::WithParamInterface<Case> {};
const auto CaseName = [](const auto& info) { return std::string(info.param.name); };

// "[Section] key=value ..." as the lines of a settings file.
std::wstring IniText(const wchar_t* lines) {
    std::wstring text = lines;
    for (size_t at; (at = text.find(L' ')) != std::wstring::npos;) text.replace(at, 1, L"\r\n");
    return text + L"\r\n";
}

// What start reads shows in the window, and the file stays as it was or is converted from an
// older layout; nothing asks anything or marks the inoperable list as edited.
struct StartCase {
    const char* name;
    const wchar_t* before;     // the file's lines, space-separated; nullptr: no file
    const wchar_t* after;      // nullptr: as before
    const char* checked;       // click, right click, time out, taskbar button
    const wchar_t* inoperable; // the list's text
    int mainKeyMode;
    const wchar_t* keyName;
};
using StartTest = SettingsCaseTest<StartCase>;

TEST_P(StartTest, TheFileShowsAsStoredOrConverted) {
    const StartCase& c = GetParam();
    if (c.before) GivenConfig(IniText(c.before));
    Start();
    TForm3& s = Settings();
    if (c.before) {
        EXPECT_EQ(test::ReadText(test::ConfigPath()), IniText(c.after ? c.after : c.before));
    } else {
        EXPECT_FALSE(test::FileExists(test::ConfigPath()));
    }
    std::string checked;
    for (const ui::CheckBox* box : {&s.CheckBoxClickNoMinimize, &s.CheckBoxRightClickNoMinimize,
                                    &s.CheckBoxTimeOutNoMinimize, &s.CheckBoxHideTaskButton})
        checked += box->Checked() ? '1' : '0';
    EXPECT_EQ(checked, c.checked);
    EXPECT_EQ(s.Memo1.Text(), c.inoperable);
    EXPECT_FALSE(s.EditWriting);
    EXPECT_EQ(s.Memo1.Color(), std::nullopt);
    EXPECT_EQ(s.RadioGroupMainKey.ItemIndex(), c.mainKeyMode);
    EXPECT_EQ(Main().MainKeyIsDouble, c.mainKeyMode == 1);
    EXPECT_EQ(s.ComboBox1.ItemIndex(), 0);
    EXPECT_EQ(s.LblMainKey.Text(), L"[" + std::wstring(c.keyName) + L"]");
    EXPECT_EQ(s.BtnShowKeyChange.Text(), L"キー([" + std::wstring(c.keyName) + L"])変更");
    EXPECT_FALSE(s.Visible());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(taskbar.calls.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, StartTest, testing::Values(
    StartCase{"NoFile", nullptr, nullptr, "0000", L"\r\n", 0, L"F4"}, // the design's empty line
    StartCase{"CheckBoxes", L"[ClickNoMinimize] Value=1 [RightClickNoMinimize] Value=0 "
                            L"[TimeOutNoMiniMize] Value=7 [HideTaskButton] Value=1",
              nullptr, "1011", L"", 0, L"F4"},
    // "[Ctrl] + " with the "[Ctrl]" modifier is refused only as the user's choice.
    StartCase{"CtrlMode", L"[MainKey] IsDouble=1 Name=F9 [ShortCut] MainKeyNo=0",
              nullptr, "0000", L"", 1, L"F9"},
    StartCase{"InoperableList",
              L"[DisableIconCount] Value=3 [DisableIconTipText] 0=音量 1= 2=Dropbox 3=stale",
              nullptr, "0000", L"音量\r\n\r\nDropbox\r\n", 0, L"F4"},
    // A damaged count is believed only as far as there are entries.
    StartCase{"DamagedCount", L"[DisableIconCount] Value=2147483647 [DisableIconTipText] 0=a",
              nullptr, "0000", L"a\r\n", 0, L"F4"},
    // The single inoperable entry of old under "Value" becomes a list of one.
    StartCase{"OldInoperableEntry",
              L"[DisableIconCount] Value=4 [DisableIconTipText] 0=old Value=abc",
              L"[DisableIconCount] Value=1 [DisableIconTipText] 0=abc",
              "0000", L"abc\r\n", 0, L"F4"},
    // The old inverse right-click setting is written negated and erased.
    StartCase{"OldRightClickOff", L"[RightClickMinimize] Value=0 [RightClickNoMinimize] Value=5",
              L"[RightClickNoMinimize] Value=1", "0100", L"", 0, L"F4"},
    StartCase{"OldRightClickOn", L"[RightClickMinimize] Value=1 [RightClickNoMinimize] Value=5",
              L"[RightClickNoMinimize] Value=0", "0000", L"", 0, L"F4"},
    StartCase{"OldRightClickNotANumber", L"[RightClickMinimize] Value=yes",
              L"[RightClickNoMinimize] Value=0", "0000", L"", 0, L"F4"}),
    CaseName);
// clang-format on

struct IconSizeCase {
    const char* name;
    int stored;  // -1: no IconSize section
    int index;   // the choice shown
    int written; // -1: nothing written; 0: the pointer monitor's width div 10
    int hintPoints;
};
using IconSizeAtStartTest = SettingsCaseTest<IconSizeCase>;

TEST_P(IconSizeAtStartTest, TheStoredSizeSelectsItsChoiceAndAnyButLargeIsStoredAgain) {
    const IconSizeCase& c = GetParam();
    std::wstring file = L"[IconTipTextFontSize]\r\nValue=26\r\n";
    if (c.stored >= 0) file += L"[IconSize]\r\nValue=" + std::to_wstring(c.stored) + L"\r\n";
    GivenConfig(file);
    Start();
    EXPECT_EQ(Settings().RadioGroupIconSize.ItemIndex(), c.index);
    const RECT monitor = platform::PointerMonitor().rcMonitor;
    const int size = c.written == 0 ? (monitor.right - monitor.left) / 10 : c.written;
    if (c.written < 0) {
        EXPECT_EQ(test::ReadText(test::ConfigPath()), file);
    } else {
        EXPECT_EQ(Main().IconSize, size);
        EXPECT_EQ(Stored(L"IconSize", L"Value"), std::to_wstring(size));
    }
    EXPECT_EQ(Main().LblHint.GetFont().Size(), c.hintPoints);
    EXPECT_EQ(Settings().BtnSetIconTipTextFontSize.Enabled(), c.index == 0);
    EXPECT_EQ(Settings().LblIconTipTextFontSize.Visible(), c.index == 0);
    if (c.index == 0) {
        EXPECT_EQ(Settings().LblIconTipTextFontSize.Text(), L"26");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, IconSizeAtStartTest,
    testing::Values(IconSizeCase{"Missing", -1, 1, -1, 18}, IconSizeCase{"Large", 64, 1, -1, 18},
                    IconSizeCase{"Middle", 48, 2, 48, 16}, IconSizeCase{"Small", 32, 3, 32, 12},
                    IconSizeCase{"Zero", 0, 0, 0, 26}, IconSizeCase{"Odd", 100, 0, 0, 26}),
    CaseName);

TEST_F(SettingsTest, EachShowingSelectsTheStoredShortcutModifier) {
    Start();
    EXPECT_EQ(Settings().ComboBox1.Item(13), L"[Shift] + [Alt]");
    // One outside the list reads as "[Ctrl]".
    for (const auto& [stored, shown] : {std::pair{L"13", 13}, std::pair{L"99", 0}}) {
        GivenConfig(L"[ShortCut]\r\nMainKeyNo=" + std::wstring(stored) + L"\r\n");
        Settings().Show();
        EXPECT_EQ(Settings().ComboBox1.ItemIndex(), shown);
        EXPECT_EQ(Settings().ShortCutMainKeyNo, shown);
        Settings().Hide();
    }
    // Windows shows owned windows again when their owner is restored; that is no showing.
    Settings().Show();
    Settings().ComboBox1.SetItemIndex(5);
    SendMessageW(Settings().Handle(), WM_SHOWWINDOW, TRUE, SW_PARENTOPENING);
    EXPECT_EQ(Settings().ComboBox1.ItemIndex(), 5);
}

// Every control ends with the system's face, in its own font and in its window's.
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

TEST_F(SettingsTest, TheWindowsTakeTheIconTitleFaceAndTheSettingsWindowItsFixedLayout) {
    Start();
    LOGFONTW iconTitle{};
    SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0);
    const std::wstring face = iconTitle.lfFaceName;
    ExpectFace(Main(), face);
    ExpectFace(windows->about, face);
    ExpectFace(Settings(), face);
    EXPECT_EQ(Settings().LblMainKey.GetFont().Height, -16);
    EXPECT_TRUE(windows->about.Label1.GetFont().Bold);
    EXPECT_EQ(windows->about.Label3.GetFont().Color, RGB(128, 0, 128));
    EXPECT_EQ(Main().LblHint.GetFont().Size(), 14);

    // A fixed frame without a taskbar button of its own.
    TForm3& s = Settings();
    const LONG_PTR style = GetWindowLongPtrW(s.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(GetWindow(s.Handle(), GW_OWNER), Main().Handle());
    EXPECT_EQ(s.PageControl1.PageCount(), 3);
    // The selected mode and the key name read as one phrase.
    RECT item{}, key{};
    GetWindowRect(s.RadioGroupMainKey.ItemHandle(0), &item);
    GetWindowRect(s.LblMainKey.Handle(), &key);
    EXPECT_LE(item.right, key.left);

    // The inoperable list lies below its explanation, which repeats the list's hint.
    EXPECT_NE(s.Memo1.HintText().find(L"[Alt]"), std::wstring::npos);
    EXPECT_NE(s.Label5.Text().find(s.Memo1.HintText()), std::wstring::npos);
    EXPECT_GT(s.Label5.Height(), 3 * -s.Label5.GetFont().Height);
    EXPECT_EQ(s.Memo1.Top(), s.Label5.Top() + s.Label5.Height() + 5);
    EXPECT_EQ(s.Memo1.Top() + s.Memo1.Height(), s.TabSheetDisableIcon.ClientHeight() - 10);
}

} // namespace
} // namespace orvane

namespace orvane {
namespace {

// The settings file held open by another program that lets others read it, as a sync tool
// does for a moment.
platform::UniqueHandle LockForWriting() {
    return platform::UniqueHandle(CreateFileW(test::ConfigPath().c_str(), GENERIC_READ,
                                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
}

TEST_F(SettingsTest, AWriteRefusedWhileStartingLeavesLaterChangesSaved) {
    // An older file whose key is converted, that is written, while the window is made.
    GivenConfig(L"[RightClickMinimize]\r\nValue=0\r\n");
    {
        const platform::UniqueHandle lock = LockForWriting();
        ASSERT_TRUE(lock);
        Start();
    }
    ASSERT_EQ(Stored(L"RightClickNoMinimize", L"Value"), L"<missing>"); // refused
    EXPECT_FALSE(Main().IsStart);
    EXPECT_TRUE(dialogs.shown.empty());
    Settings().CheckBoxClickNoMinimize.SetChecked(true);
    EXPECT_EQ(Stored(L"ClickNoMinimize", L"Value"), L"1");
}

TEST_F(SettingsTest, ARestoreWhoseSizeCannotBeStoredStillDrawsAndPlacesTheBoard) {
    traysim::Tray tray(L"icon tray id=1 tip=a\nicon tray id=2 tip=b\n");
    GivenConfig(L"[IconSize]\r\nValue=64\r\n");
    Start();
    Settings().RadioGroupIconSize.SetItemIndex(0); // the largest: recomputed at each restore
    Ini().WriteInteger(L"IconSize", L"Value", 1);
    {
        const platform::UniqueHandle lock = LockForWriting();
        Main().Show();
    }
    ASSERT_EQ(Stored(L"IconSize", L"Value"), L"1"); // refused
    EXPECT_FALSE(Main().FormMinimized);
    EXPECT_EQ(Main().TotalBtnCount, 2);
    EXPECT_EQ(Main().Image1.Width(), LayoutFor(Main().IconSize, 2).ImageWidth);
    EXPECT_EQ(GetFocus(), Main().Button1.Handle());
    EXPECT_TRUE(dialogs.shown.empty());
    Main().Hide();
}

TEST_F(SettingsTest, ARefreshAskedForDuringARefreshIsCarriedOutAfterIt) {
    traysim::Tray tray(L"icon tray id=1 tip=a\n");
    Start();
    bool asked = false;
    const int filter = ui::App().AddMessageFilter([&](MSG& msg) {
        if (msg.message != WM_APP + 30) return false;
        tray.RunCommand(L"icon tray id=2 tip=b");
        Main().Button1Click();
        asked = true;
        return true;
    });
    PostThreadMessageW(GetCurrentThreadId(), WM_APP + 30, 0, 0);
    Main().Button1Click();
    ui::App().RemoveMessageFilter(filter);
    ASSERT_TRUE(asked);
    EXPECT_EQ(Main().TotalBtnCount, 2);
    EXPECT_EQ(Main().ToolTip.at(1), L"b");
}

} // namespace
} // namespace orvane
