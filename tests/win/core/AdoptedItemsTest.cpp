#include "settings/SettingsFixture.h"
#include "support/CompanionWindow.h"
#include "support/Icons.h"
#include "support/Process.h"
#include "traysim/TraySim.h"

#include <vector>

namespace orvane {
namespace {

class AdoptedItemsTest : public test::SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        Start();
        // Ticks come from the tests alone.
        Main().Timer2.SetEnabled(false);
        for (HWND& app : apps) {
            app = CreateWindowExW(0, L"Static", L"app", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        }
        // Two adopted applications, a placeholder, and an item whose icon is not up.
        TDozedeR64Form& form = Main();
        // Their process runs as long as the test.
        const auto running = static_cast<std::int32_t>(GetCurrentProcessId());
        form.KestrinItemCount = 4;
        form.KestrinBeforeStart = true;
        form.KestrinItem.assign(4, {});
        form.NID.assign(4, NOTIFYICONDATAW{});
        form.KestrinItem[0] = {L"a.exe", apps[0], running, L"a", true, 64, L"", false};
        form.KestrinItem[1] = {L"b.exe", apps[1], running, L"b", true, 64, L"", false};
        form.KestrinItem[2].Bit = 64;
        for (std::int32_t i = 0; i < 3; ++i) {
            form.PrepareItemRecord(i, icon.Get(), L"item " + std::to_wstring(i));
            ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &form.NID[static_cast<size_t>(i)]));
        }
        ASSERT_EQ(OwnIcons(), 3);
    }
    void TearDown() override {
        for (HWND app : apps) DestroyWindow(app);
        SettingsTest::TearDown();
    }
    // The tip that the tray shows for the item's icon.
    std::wstring TipOf(std::int32_t i) const {
        for (const traysim::IconInfo& info : tray.Icons()) {
            if (info.owner == Main().Handle() && info.id == static_cast<UINT>(i)) return info.tip;
        }
        return L"<none>";
    }
    int OwnIcons() const {
        int count = 0;
        for (const traysim::IconInfo& info : tray.Icons()) count += info.owner == Main().Handle();
        return count;
    }
    TDozedeR64Form& Main() const { return windows->main; }

    traysim::Tray tray{L"layout win7\nicon tray id=1 tip=Dropbox\n"};
    test::CompanionWindow companion;
    platform::UniqueIcon icon = test::SolidIcon(16, RGB(0, 0, 255));
    HWND apps[2] = {};
};

TEST_F(AdoptedItemsTest, ClosingGivesButtonsBackTakesTheIconsAwayAndClosesTheCompanion) {
    Main().Timer2.SetEnabled(true);
    bool canClose = true;
    Main().FormCloseQuery(canClose);
    EXPECT_TRUE(canClose);
    EXPECT_TRUE(Main().MyAppEnd);
    EXPECT_FALSE(Main().Timer1.Enabled());
    EXPECT_FALSE(Main().Timer2.Enabled());
    EXPECT_EQ(taskbar.calls,
              (std::vector<test::TaskbarRecorder::Call>{{L"add", apps[0]}, {L"add", apps[1]}}));
    EXPECT_EQ(OwnIcons(), 0);
    EXPECT_EQ(tray.Icons().size(), 1u);
    for (const NOTIFYICONDATAW& record : Main().NID) EXPECT_EQ(record.cbSize, 0u);
    EXPECT_EQ(Main().KestrinWnd, companion.Window());
    EXPECT_EQ(test::CompanionWindow::closes, 1);
}

TEST_F(AdoptedItemsTest, AButtonThatCannotBeGivenBackLeavesNoIconBehind) {
    taskbar.refused = {apps[0]};
    bool canClose = true;
    Main().FormCloseQuery(canClose);
    EXPECT_TRUE(canClose);
    EXPECT_EQ(taskbar.calls.size(), 2u);
    EXPECT_EQ(OwnIcons(), 0);
    EXPECT_EQ(test::CompanionWindow::closes, 1);
}

TEST_F(AdoptedItemsTest, WithoutPlaceholdersShownOnlyTheAdoptedWindowsIconsGo) {
    Main().KestrinBeforeStart = false;
    Main().KestrinItem[1].IsRunning = false;
    bool canClose = true;
    Main().FormCloseQuery(canClose);
    EXPECT_EQ(taskbar.calls, (std::vector<test::TaskbarRecorder::Call>{{L"add", apps[0]}}));
    EXPECT_EQ(OwnIcons(), 2);
    Main().KestrinBeforeStart = true;
    Main().FormCloseQuery(canClose); // what is left, so that no icon outlives the test
}

TEST_F(AdoptedItemsTest, EachTickTakesTheButtonsAwayAgainAndPutsNewTitlesIntoTheTips) {
    Main().KestrinItem[1].IsShowOnTaskBar = true;
    Main().KestrinItem[0].WndText = L"app";
    const std::wstring longTitle(200, L'あ');
    SetWindowTextW(apps[1], longTitle.c_str());
    Main().Timer2Timer();
    Main().Timer2Timer();
    EXPECT_EQ(taskbar.calls, (std::vector<test::TaskbarRecorder::Call>{{L"delete", apps[0]},
                                                                       {L"delete", apps[0]}}));
    EXPECT_EQ(TipOf(0), L"item 0"); // the title was already there
    EXPECT_EQ(TipOf(1), longTitle.substr(0, 127));
    EXPECT_EQ(Main().KestrinItem[1].WndText, longTitle);
    EXPECT_EQ(TipOf(2), L"item 2"); // a placeholder has no window

    SetWindowTextW(apps[0], L"Document - Editor");
    Main().Timer2Timer();
    EXPECT_EQ(TipOf(0), L"Document - Editor");
}

TEST_F(AdoptedItemsTest, ATickDoesNothingWhileTheShellIsAway) {
    SetWindowTextW(apps[0], L"new");
    test::LateShell shell(1);
    Main().Timer2Timer();
    EXPECT_TRUE(taskbar.calls.empty());
    EXPECT_EQ(TipOf(0), L"item 0");
}

TEST_F(AdoptedItemsTest, AWindowTheTaskbarRefusesIsSaidOnceAndTheOthersAreStillWatched) {
    taskbar.refused = {apps[0]};
    SetWindowTextW(apps[0], L"new");
    DestroyWindow(apps[1]);
    Main().Timer2Timer();
    EXPECT_EQ(TipOf(0), L"new");
    EXPECT_TRUE(Main().KestrinItem[0].IsRunning);
    EXPECT_FALSE(Main().KestrinItem[1].IsRunning);
    EXPECT_EQ(Main().KestrinItem[1].WndHandle, nullptr);

    Main().Timer2Timer();
    EXPECT_EQ(taskbar.calls,
              (std::vector<test::TaskbarRecorder::Call>{
                  {L"delete", apps[0]}, {L"delete", apps[1]}, {L"delete", apps[0]}}));
    EXPECT_EQ(dialogs.Texts(), std::vector<std::wstring>{L"タスクバーから削除に失敗"});
}

TEST_F(AdoptedItemsTest, AProgramThatEndedWithTheStillActiveCodeHasEnded) {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    test::ChildProcess child(test::Quoted(std::wstring(system) + L"\\cmd.exe") + L" /c exit 259");
    DWORD code = 0;
    ASSERT_TRUE(child.WaitExit(10000, &code));
    ASSERT_EQ(code, STILL_ACTIVE);
    // Its process can still be opened, so only the handle's state tells that it ended.
    ASSERT_TRUE(
        platform::UniqueHandle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, child.Pid())));
    Main().KestrinItem[0].PID = static_cast<std::int32_t>(child.Pid());
    Main().Timer2Timer();
    EXPECT_FALSE(Main().KestrinItem[0].IsRunning);
    EXPECT_EQ(Main().KestrinItem[0].PID, 0);
    EXPECT_TRUE(Main().KestrinItem[1].IsRunning); // a program that runs stays watched
}

} // namespace
} // namespace orvane
