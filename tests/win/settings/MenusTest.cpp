#include "settings/SettingsFixture.h"
#include "traysim/TraySim.h"

namespace orvane {
namespace {

using test::SettingsTest;

RECT WorkAreaOf(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint({bounds.left, bounds.top}, MONITOR_DEFAULTTONEAREST),
                    &monitor);
    return monitor.rcWork;
}

void ChooseMenu(const TDozedeR64Form& main, const ui::MenuItem& item) {
    SendMessageW(main.Handle(), WM_COMMAND, item.Id(), 0);
}

TEST_F(SettingsTest, TheSettingsMenuOpensTheWindowBesideTheMainWindowOnItsFirstPage) {
    // The shown main window reads a tray.
    traysim::Tray tray(L"icon tray id=1 tip=音量\n");
    Start();
    const RECT work = WorkAreaOf(Main().Handle());
    Main().Show();
    Settings().PageControl1.SetActivePageIndex(2);
    Main().SetLeft(work.left + 20);
    ChooseMenu(Main(), Main().MenuConfig1);
    EXPECT_TRUE(Settings().Visible());
    EXPECT_TRUE(IsWindowEnabled(Main().Handle())); // not modal
    EXPECT_EQ(Settings().PageControl1.ActivePageIndex(), 0);
    EXPECT_TRUE(Settings().TabSheetMain.Visible());
    EXPECT_EQ(Settings().Left(), Main().Left() + Main().Width());

    // At the right edge with room on the left: to the left.
    const int top = Settings().Top();
    Main().SetLeft(work.right - Main().Width());
    ChooseMenu(Main(), Main().MenuConfig1);
    EXPECT_EQ(Settings().Left(), Main().Left() - Settings().Width());
    EXPECT_EQ(Settings().Top(), top);

    Settings().Hide();
    Main().Hide();
}

TEST_F(SettingsTest, HelpOpensTheReadmeBesideTheProgram) {
    Start();
    test::ShellRecorder shell;
    ChooseMenu(Main(), Main().MenuHelp2);
    ASSERT_EQ(shell.executed.size(), 1u);
    EXPECT_EQ(shell.executed[0].verb, L"open");
    EXPECT_EQ(shell.executed[0].file, Main().Folda + L"Readme.txt");
    EXPECT_EQ(shell.executed[0].owner, Main().Handle());
    EXPECT_TRUE(dialogs.shown.empty());

    shell.result = SE_ERR_FNF;
    ChooseMenu(Main(), Main().MenuHelp2);
    EXPECT_EQ(dialogs.Texts(), std::vector<std::wstring>{L"ヘルプを表示できませんでした。"});
}

TEST_F(SettingsTest, HelpWithoutAReadmeSaysSoThroughTheRealShell) {
    Start();
    ASSERT_FALSE(test::FileExists(Main().Folda + L"Readme.txt"));
    ChooseMenu(Main(), Main().MenuHelp2);
    EXPECT_EQ(dialogs.Texts(), std::vector<std::wstring>{L"ヘルプを表示できませんでした。"});
}

TEST_F(SettingsTest, TheAboutMenuShowsTheAboutWindowModally) {
    traysim::Tray tray(L"icon tray id=1 tip=音量\n");
    Start();
    Main().Show();
    bool visible = false, mainEnabled = true;
    const HWND about = windows->about.Handle();
    const int filter = ui::App().AddMessageFilter([&](MSG& msg) {
        if (msg.hwnd != about || msg.message != WM_APP) return false;
        visible = IsWindowVisible(about) != FALSE;
        mainEnabled = IsWindowEnabled(Main().Handle()) != FALSE;
        PostMessageW(about, WM_CLOSE, 0, 0);
        return true;
    });
    PostMessageW(about, WM_APP, 0, 0);
    ChooseMenu(Main(), Main().MenuAbout);
    ui::App().RemoveMessageFilter(filter);
    EXPECT_TRUE(visible);
    EXPECT_FALSE(mainEnabled);
    EXPECT_FALSE(windows->about.Visible());
    EXPECT_TRUE(IsWindowEnabled(Main().Handle()));
    Main().Hide();
}

} // namespace
} // namespace orvane
