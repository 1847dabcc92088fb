#include "CompanionFixture.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"

#include <numeric>

namespace orvane {
namespace {

using test::ListedItem;
using test::OwnWindow;

class ChannelTest : public test::CompanionTest {};

class SetTaskTrayEndTest : public test::CompanionTest, public testing::WithParamInterface<bool> {};

TEST_P(SetTaskTrayEndTest, ShowsTheWindowStartsTheHookAndPlaceholdersWhenWanted) {
    const bool beforeStart = GetParam();
    GivenItems(
        {{L"C:\\Tools\\memo.exe"}, {L"C:\\Mail\\mailer.exe", 0}, {L"D:\\x.exe", 64, L"受信"}},
        beforeStart);
    shell.result = 2;
    Start();
    TDozedeR64Form& form = Main();
    EXPECT_EQ(shell.executed.size(), 1u);  // the companion's start, which failed
    EXPECT_FALSE(form.StartSelfMinimized); // nobody would end the wait without it
    EXPECT_TRUE(hook.starts.empty());

    CompanionSays(L"SetTaskTrayEnd");
    EXPECT_EQ(form.EditReceveMsg.Text(), L"");
    EXPECT_FALSE(form.StartSelfMinimized);
    EXPECT_EQ(form.GetWindowState(), ui::WindowState::Normal);
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(hook.loads, 1);
    EXPECT_EQ(hook.starts, std::vector<HWND>{form.Handle()});
    EXPECT_EQ(form.HookMessageName, L"OrvaneTestWindowReport");
    EXPECT_EQ(form.HookMessageId, RegisterWindowMessageW(L"OrvaneTestWindowReport"));
    if (beforeStart) {
        EXPECT_EQ(OwnIcons(), 2);
        EXPECT_EQ(TipOf(0), L"memo.exe-起動していません");
        EXPECT_TRUE(ShowsPlaceholder(0));
        EXPECT_EQ(TipOf(1), L"<none>");
        EXPECT_EQ(TipOf(2), L"x.exe\r受信-起動していません");
    } else {
        EXPECT_EQ(OwnIcons(), 0);
    }

    CompanionSays(L"SetTaskTrayEnd");
    EXPECT_EQ(hook.loads, 1);
    EXPECT_EQ(hook.starts.size(), 2u);
    EXPECT_EQ(OwnIcons(), beforeStart ? 2 : 0);
}

INSTANTIATE_TEST_SUITE_P(Placeholders, SetTaskTrayEndTest, testing::Bool());

TEST_F(ChannelTest, AMissingPictureCostsOnlyItsOwnPlaceholder) {
    GivenItems({{L"C:\\a.exe"}, {L"C:\\b.exe"}, {L"C:\\c.exe"}});
    DeleteFileW((test::DataFolder() + L"Icon\\BlueIcon0.ico").c_str());
    test::WriteBytes(test::DataFolder() + L"Icon\\BlueIcon1.ico", "not an icon");
    shell.result = 2;
    Start();
    CompanionSays(L"SetTaskTrayEnd");
    EXPECT_EQ(OwnIcons(), 1);
    EXPECT_EQ(TipOf(2), L"c.exe-起動していません");
    EXPECT_TRUE(Main().Visible());
    EXPECT_EQ(hook.starts.size(), 1u);
    for (std::int32_t i = 0; i < 2; ++i) EXPECT_EQ(Main().NID[i].cbSize, 0u);
}

TEST_F(ChannelTest, OtherTextsAreLeftAlone) {
    StartWithItems({{L"C:\\a.exe"}});
    for (const wchar_t* text : {L"changed", L"Changed ", L"SetTaskTrayEnd\r\n", L"何か"}) {
        CompanionSays(text);
        EXPECT_EQ(Main().EditReceveMsg.Text(), text);
    }
    EXPECT_EQ(hook.starts.size(), 1u);
    EXPECT_EQ(OwnIcons(), 1);
}

TEST_F(ChannelTest, ChangedFollowsTheRenumberedListAndKeepsRunningWindowsByPath) {
    OwnWindow appB(L"B のウィンドウ");
    TDozedeR64Form& form = StartWithItems({{L"C:\\a.exe"}, {L"C:\\b.exe"}, {L"C:\\c.exe", 0}});
    const std::wstring own = OwnPath();
    // Item 1 runs this program, adopted under its old number.
    form.KestrinItem[1].FileName = own;
    Report(appB.Handle());
    ASSERT_TRUE(form.KestrinItem[1].IsRunning);
    ASSERT_EQ(TipOf(1), L"B のウィンドウ");

    // The user removed the first item; the file names this program exactly as it runs.
    GivenItems({{own}, {L"C:\\c.exe", 0}});
    CompanionSays(L"Changed");
    EXPECT_EQ(form.EditReceveMsg.Text(), L"");
    ASSERT_EQ(form.KestrinItemCount, 2);
    ASSERT_EQ(form.NID.size(), 2u);
    EXPECT_TRUE(form.KestrinItem[0].IsRunning);
    EXPECT_EQ(form.KestrinItem[0].WndHandle, appB.Handle());
    EXPECT_EQ(TipOf(0), L"B のウィンドウ");
    EXPECT_FALSE(ShowsPlaceholder(0));
    EXPECT_EQ(TipOf(1), L"<none>"); // Bit 0 gets no icon
    EXPECT_EQ(OwnIcons(), 1);       // the old numbers 0 and 1 are gone
    EXPECT_FALSE(form.KestrinItem[1].IsRunning);
    EXPECT_EQ(hook.loads, 1);
}

TEST_F(ChannelTest, APathInOtherLettersKeepsTheOldWindow) {
    OwnWindow app(L"アプリ");
    TDozedeR64Form& form = StartWithItems({{L""}}, false);
    const std::wstring own = OwnPath();
    form.KestrinItem[0].FileName = own;
    Report(app.Handle());
    ASSERT_TRUE(form.KestrinItem[0].IsRunning);

    std::wstring other = own;
    for (wchar_t& c : other) c = static_cast<wchar_t>(towupper(c));
    ASSERT_NE(other, own);
    GivenItems({{other}}, false);
    CompanionSays(L"Changed");
    // The same program: its window, which has no button, keeps its icon.
    EXPECT_TRUE(form.KestrinItem[0].IsRunning);
    EXPECT_EQ(form.KestrinItem[0].WndHandle, app.Handle());
    EXPECT_EQ(TipOf(0), L"アプリ");
}

TEST_F(ChannelTest, ARunningItemThatMayKeepItsButtonGetsItBack) {
    OwnWindow app(L"アプリ");
    TDozedeR64Form& form = StartWithItems({{L""}}, false);
    form.KestrinItem[0].FileName = OwnPath();
    Report(app.Handle());
    taskbar.calls.clear();
    GivenItems({{OwnPath(), 64, L"", true}}, false);
    CompanionSays(L"Changed");
    EXPECT_EQ(TipOf(0), L"アプリ");
    EXPECT_EQ(taskbar.calls, (std::vector<test::TaskbarRecorder::Call>{{L"add", app.Handle()}}));
}

TEST_F(ChannelTest, ABurstOfChangesIsReadOnce) {
    TDozedeR64Form& form = StartWithItems({{L"C:\\a.exe"}});
    const test::NotifyCalls calls(tray.Taskbar());
    for (int i = 0; i < 5; ++i) {
        SendMessageW(form.EditReceveMsg.Handle(), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(L"Changed"));
    }
    ui::App().ProcessMessages();
    EXPECT_EQ(calls.Count(NIM_DELETE), 1);
    EXPECT_EQ(TipOf(0), L"a.exe-起動していません");
}

TEST_F(ChannelTest, ADamagedListIsReadWithinBounds) {
    TDozedeR64Form& form = StartWithItems({{L"C:\\a.exe"}});
    test::WriteUtf16File(KestrinPath(), L"[ItemCount]\r\nValue=2147483647\r\n[ItemFileName]\r\n0=" +
                                            std::wstring(32000, L'x') + L"\r\n1=\r\n");
    CompanionSays(L"Changed");
    EXPECT_LE(form.KestrinItemCount, 3);
    EXPECT_EQ(form.NID.size(), static_cast<size_t>(form.KestrinItemCount));
    EXPECT_EQ(OwnIcons(), 0); // no item is claimed
    test::WriteUtf16File(KestrinPath(), L"[ItemCount]\r\nValue=-5\r\n");
    CompanionSays(L"Changed");
    EXPECT_EQ(form.KestrinItemCount, 0);
    DeleteFileW(KestrinPath().c_str());
    CompanionSays(L"Changed");
    EXPECT_EQ(form.KestrinItemCount, 0);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ChannelTest, ANewShellGetsEveryClaimedIconBack) {
    test::VirtualClock clock;
    TDozedeR64Form& form =
        StartWithItems({{L"C:\\a.exe"}, {L"C:\\b.exe", 0}, {L"C:\\c.exe"}}, false);
    OwnWindow app(L"アプリ");
    form.KestrinItem[1].FileName = OwnPath();
    Report(app.Handle());
    ASSERT_EQ(OwnIcons(), 1);
    ASSERT_TRUE(tray.RunCommand(L"restart"));
    ASSERT_EQ(OwnIcons(), 0);
    ASSERT_TRUE(PumpUntil([&] { return OwnIcons() == 3; }, 6000));
    // Placeholders also without their setting; the running one is its window again only
    // when its path is the item's exactly.
    EXPECT_EQ(TipOf(0), L"a.exe-起動していません");
    EXPECT_EQ(TipOf(1), L"アプリ");
    EXPECT_EQ(TipOf(2), L"c.exe-起動していません");
}

TEST_F(ChannelTest, TheHookLibraryIsStoppedAndFreedAtTheEnd) {
    TDozedeR64Form& form = StartWithItems({{L"C:\\a.exe"}});
    form.FormDestroy();
    EXPECT_EQ(hook.stops, 1);
    EXPECT_EQ(hook.frees, 1);
    EXPECT_EQ(form.HookModule, nullptr);
    form.FormDestroy();
    EXPECT_EQ(hook.stops, 1);
}

struct CompanionStart {
    const char* name;
    bool starting;
    INT_PTR result;
    bool windowThere;
    int show;
    std::vector<std::uint32_t> sleeps;
    bool message;
};

class StartKestrinTest : public test::CompanionTest,
                         public testing::WithParamInterface<CompanionStart> {};

TEST_P(StartKestrinTest, StartsTheCompanionAndWaitsBrieflyForItsWindow) {
    Start();
    const CompanionStart& c = GetParam();
    if (!c.windowThere) DestroyWindow(companion.Window());
    test::VirtualClock clock;
    Main().IsStart = c.starting;
    shell.result = c.result;
    shell.executed.clear();
    const std::uint32_t before = clock.Peek();
    Main().Start_Kestrin();
    const std::uint32_t waited = clock.Peek() - before;
    ASSERT_EQ(shell.executed.size(), 1u);
    EXPECT_EQ(shell.executed[0].file, Main().Folda + L"Data\\Kestrin.exe");
    EXPECT_EQ(shell.executed[0].verb, L"open");
    EXPECT_EQ(shell.executed[0].show, c.show);
    const std::uint32_t planned = std::accumulate(c.sleeps.begin(), c.sleeps.end(), 0u);
    EXPECT_GE(waited, planned);
    EXPECT_LT(waited, planned + 100);
    EXPECT_EQ(Main().KestrinWnd, c.windowThere && c.result > 32 ? companion.Window() : nullptr);
    EXPECT_EQ(dialogs.Texts(), c.message ? std::vector<std::wstring>{texts::KestrinStartFailed}
                                         : std::vector<std::wstring>{});
}

const std::vector<std::uint32_t> AllTries = {500, 200, 200, 200, 200, 200,
                                             200, 200, 200, 200, 200, 200};

INSTANTIATE_TEST_SUITE_P(
    Starts, StartKestrinTest,
    testing::Values(
        CompanionStart{"WhileStarting", true, 42, true, SW_MINIMIZE, {500, 200}, false},
        CompanionStart{"Later", false, 42, true, SW_SHOWNORMAL, {500, 200}, false},
        CompanionStart{"NoWindowWhileStarting", true, 42, false, SW_MINIMIZE, AllTries, false},
        CompanionStart{"NoWindowLater", false, 42, false, SW_SHOWNORMAL, AllTries, true},
        CompanionStart{"FailsWhileStarting", true, 2, true, SW_MINIMIZE, {}, false},
        CompanionStart{"FailsLater", false, 2, true, SW_SHOWNORMAL, {}, true}),
    [](const testing::TestParamInfo<CompanionStart>& info) { return info.param.name; });

TEST_F(ChannelTest, TheMenuBringsAnOpenCompanionForward) {
    StartWithItems({{L"C:\\a.exe"}});
    ShowWindow(companion.Window(), SW_MINIMIZE);
    shell.executed.clear();
    Main().MenuAddTaskTrayIconClick();
    EXPECT_FALSE(IsIconic(companion.Window()));
    EXPECT_FALSE(GetWindowLongW(companion.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(shell.executed.empty());
}

} // namespace
} // namespace orvane
