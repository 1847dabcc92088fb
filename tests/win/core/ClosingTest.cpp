#include "settings/SettingsFixture.h"
#include "support/CompanionWindow.h"
#include "support/Icons.h"
#include "traysim/TraySim.h"

#include <vector>

namespace orvane {
namespace {

class ClosingTest : public test::SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        Start();
        for (HWND& app : apps) {
            app = CreateWindowExW(0, L"Static", L"app", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        }
        // Two adopted applications, a placeholder, and an item whose icon is not up.
        TDozedeR64Form& form = Main();
        form.KestrinItemCount = 4;
        form.KestrinBeforeStart = true;
        form.KestrinItem.assign(4, {});
        form.NID.assign(4, NOTIFYICONDATAW{});
        form.KestrinItem[0] = {L"a.exe", apps[0], 1, L"a", true, 64, L"", false};
        form.KestrinItem[1] = {L"b.exe", apps[1], 2, L"b", true, 64, L"", false};
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

TEST_F(ClosingTest, ClosingGivesButtonsBackTakesTheIconsAwayAndClosesTheCompanion) {
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

TEST_F(ClosingTest, AButtonThatCannotBeGivenBackLeavesNoIconBehind) {
    taskbar.refused = {apps[0]};
    bool canClose = true;
    Main().FormCloseQuery(canClose);
    EXPECT_TRUE(canClose);
    EXPECT_EQ(taskbar.calls.size(), 2u);
    EXPECT_EQ(OwnIcons(), 0);
    EXPECT_EQ(test::CompanionWindow::closes, 1);
}

TEST_F(ClosingTest, WithoutPlaceholdersShownOnlyTheAdoptedWindowsIconsGo) {
    Main().KestrinBeforeStart = false;
    Main().KestrinItem[1].IsRunning = false;
    bool canClose = true;
    Main().FormCloseQuery(canClose);
    EXPECT_EQ(taskbar.calls, (std::vector<test::TaskbarRecorder::Call>{{L"add", apps[0]}}));
    EXPECT_EQ(OwnIcons(), 2);
    Main().KestrinBeforeStart = true;
    Main().FormCloseQuery(canClose); // what is left, so that no icon outlives the test
}

} // namespace
} // namespace orvane
