#include "core/DozedeR64Form.h"
#include "platform/Clock.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"
#include "support/Files.h"
#include "support/Simulator.h"
#include "support/StandIns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane {
namespace {

using test::SimulatorProcess;

class SnapshotTest : public testing::Test {
protected:
    void SetUp() override {
        test::ClearDataFolder();
        form = std::make_unique<TDozedeR64Form>();
        UseWindows7();
    }
    void UseWindows7() {
        form->IsVista = false;
        form->IsWin7 = true;
        form->IsWin8 = false;
    }
    void UseVista() {
        form->IsVista = true;
        form->IsWin7 = false;
        form->IsWin8 = false;
    }
    std::vector<std::wstring> Tips() const {
        return {form->ToolTip.begin(), form->ToolTip.begin() + form->TotalBtnCount};
    }
    static DWORD OwnerProcess(HWND window) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        return pid;
    }

    test::DialogRecorder dialogs;
    std::unique_ptr<TDozedeR64Form> form;
};

TEST_F(SnapshotTest, VisibleIconsComeFirstThenTheHiddenOnes) {
    SimulatorProcess tray("layout win7\n"
                          "icon tray id=11 msg=0x800b color=#ff0000 tip=音量: 50%\n"
                          "icon overflow id=14 msg=0x800e color=#00ff00 tip=USB\n"
                          "icon tray id=12 msg=0x800c color=#0000ff tip=Network\n"
                          "icon tray id=13 msg=0x800d color=#ffff00 tip=Dropbox\n"
                          "icon overflow id=15 msg=0x800f color=#00ffff tip=OneDrive\n");
    form->Button1Click();
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_EQ(form->TotalBtnCount, 5);
    EXPECT_EQ(form->TrayNotify.size(), 5u);
    EXPECT_EQ(form->IconCountOnTaskTray, 3);
    EXPECT_EQ(form->IconCountOnOverflowWindow, 2);
    EXPECT_TRUE(form->ShowButtonExists);
    EXPECT_EQ(Tips(), (std::vector<std::wstring>{L"音量: 50%", L"Network", L"Dropbox", L"USB",
                                                 L"OneDrive"}));
    const UINT ids[] = {11, 12, 13, 14, 15};
    for (int i = 0; i < 5; ++i) {
        const TTrayNotify& entry = form->TrayNotify[static_cast<size_t>(i)];
        EXPECT_EQ(entry.uID, ids[i]);
        EXPECT_EQ(entry.uCallbackMessage, 0x8000 + ids[i]);
        EXPECT_TRUE(IsWindow(entry.hWnd));
        EXPECT_EQ(OwnerProcess(entry.hWnd), tray.Pid());
        EXPECT_NE(entry.hIcon, nullptr);
    }
    EXPECT_EQ(form->HTrayNotifyWindow,
              FindWindowExW(tray.Taskbar(), nullptr, L"TrayNotifyWnd", nullptr));
    EXPECT_EQ(form->HTrayClockWindow,
              FindWindowExW(form->HTrayNotifyWindow, nullptr, L"TrayClockWClass", nullptr));
    EXPECT_NE(form->HOverflowWindow, nullptr);
    EXPECT_EQ(OwnerProcess(form->HOverflowWindow), tray.Pid());
}

TEST_F(SnapshotTest, WithoutHiddenIconsNothingIsBehindTheShowButton) {
    SimulatorProcess tray("layout win7\nicon tray id=1 tip=a\nicon tray id=2 tip=b\n");
    form->Button1Click();
    EXPECT_EQ(form->TotalBtnCount, 2);
    EXPECT_EQ(form->IconCountOnOverflowWindow, 0);
    EXPECT_FALSE(form->ShowButtonExists);
}

TEST_F(SnapshotTest, OnWindows8TheInputIndicatorIsFound) {
    SimulatorProcess tray("layout win7\nicon tray id=1 tip=a\n");
    form->IsWin7 = false;
    form->IsWin8 = true;
    form->Button1Click();
    EXPECT_EQ(form->TotalBtnCount, 1);
    EXPECT_NE(form->HTrayInputIndicator, nullptr);
    EXPECT_EQ(form->HTrayInputIndicator, FindWindowExW(form->HTrayNotifyWindow, nullptr,
                                                       L"TrayInputIndicatorWClass", nullptr));
}

TEST_F(SnapshotTest, OnVistaTheSystemIconsFollowTheUserIcons) {
    SimulatorProcess tray("layout vista\n"
                          "icon system id=21 tip=音量\n"
                          "icon tray id=1 tip=Dropbox\n"
                          "icon system id=22 tip=ネットワーク\n"
                          "icon tray id=2 tip=OneDrive\n");
    UseVista();
    form->Button1Click();
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_EQ(form->TotalBtnCount, 4);
    EXPECT_EQ(Tips(),
              (std::vector<std::wstring>{L"Dropbox", L"OneDrive", L"音量", L"ネットワーク"}));
    EXPECT_EQ(form->IconCountOnTaskTray, 2);
    EXPECT_EQ(form->IconCountOnSystemIconTray, 2);
    wchar_t title[64] = {};
    GetWindowTextW(form->HVistaSystemIconTray, title, 64);
    EXPECT_STREQ(title, texts::SystemIconToolbarTitle);
}

TEST_F(SnapshotTest, SkippedButtonsLeaveTheirSlotsEmptyAndNothingMovesUp) {
    SimulatorProcess tray("layout win7\n"
                          "icon tray id=1 tip=first\n"
                          "icon tray id=2 data=zero tip=no data\n"
                          "icon tray id=3 data=junk tip=junk data\n"
                          "icon tray id=4 tip=fourth\n");
    form->Button1Click();
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_EQ(form->TotalBtnCount, 4);
    EXPECT_EQ(Tips(), (std::vector<std::wstring>{L"first", L"", L"", L"fourth"}));
    for (size_t slot : {1u, 2u}) {
        EXPECT_EQ(form->TrayNotify[slot].hWnd, nullptr);
        EXPECT_EQ(form->TrayNotify[slot].hIcon, nullptr);
        EXPECT_EQ(form->TrayNotify[slot].uID, 0u);
    }
    EXPECT_EQ(form->TrayNotify[3].uID, 4u);
}

TEST_F(SnapshotTest, ASlotOnceSkippedKeepsNoIconOfAnEarlierRefresh) {
    {
        SimulatorProcess tray("layout win7\nicon tray id=1 tip=a\nicon tray id=2 tip=b\n");
        form->Button1Click();
        ASSERT_EQ(form->TrayNotify[1].uID, 2u);
    }
    SimulatorProcess tray("layout win7\nicon tray id=1 tip=a\nicon tray id=2 data=zero tip=b\n");
    form->Button1Click();
    ASSERT_EQ(form->TotalBtnCount, 2);
    EXPECT_EQ(form->TrayNotify[1].hWnd, nullptr);
    EXPECT_EQ(form->ToolTip[1], L"");
}

TEST_F(SnapshotTest, TipsStayWholeUpTo1023Units) {
    SimulatorProcess tray("layout win7\n"
                          "icon tray id=1 tip=バッテリー残量: 80%\\n電源に接続: 充電中\n"
                          "icon tray id=2 tipfill=1500\n"
                          "icon tray id=3 tipfill=1023\n");
    form->Button1Click();
    ASSERT_EQ(form->TotalBtnCount, 3);
    EXPECT_EQ(form->ToolTip[0], L"バッテリー残量: 80%\n電源に接続: 充電中");
    EXPECT_EQ(form->ToolTip[1].size(), 1023u);
    EXPECT_EQ(form->ToolTip[2].size(), 1023u);
}

struct FailureCase {
    const char* name;
    const char* scenario;
    std::vector<std::wstring> messages;
    int entries;
};

class SnapshotFailureTest : public SnapshotTest, public testing::WithParamInterface<FailureCase> {};

// With the collector switched off: a tray without a toolbar is a failed read.
TEST_P(SnapshotFailureTest, TellsTheUserWhatCouldNotBeRead) {
    form->TrayRoad = TDozedeR64Form::TrayRoadToolbar;
    form->ApplyTrayRoad();
    SimulatorProcess tray(GetParam().scenario);
    form->Button1Click();
    EXPECT_EQ(dialogs.Texts(), GetParam().messages);
    for (const auto& box : dialogs.shown) {
        EXPECT_EQ(box.caption, texts::AppTitle);
        EXPECT_EQ(box.flags, static_cast<UINT>(MB_OK));
    }
    EXPECT_EQ(form->TotalBtnCount, GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(
    Trays, SnapshotFailureTest,
    testing::Values(FailureCase{"EmptyArea", "layout win7\n", {texts::TrayInfoFailed0}, 0},
                    FailureCase{"EmptyTrayWithHiddenIcons",
                                "layout win7\nicon overflow id=1 tip=a\n",
                                {texts::TrayInfoFailed0},
                                0},
                    FailureCase{"NoPager", "layout nopager\n", {texts::TrayInfoFailed1}, 0},
                    FailureCase{"Win11", "layout win11\n", {texts::TrayInfoFailed1}, 0},
                    FailureCase{"NoOverflowWindow",
                                "layout nooverflow\nicon tray id=1 tip=a\n",
                                {texts::OverflowInfoFailed2},
                                1}),
    [](const auto& info) { return info.param.name; });

TEST_F(SnapshotTest, ButtonsSharingACommandKeepTheirOwnDataAndTips) {
    SimulatorProcess tray("layout win7\n"
                          "icon tray id=1 cmd=7 tip=first\n"
                          "icon tray id=2 cmd=7 tip=second\n"
                          "icon overflow id=3 cmd=7 tip=third\n");
    form->Button1Click();
    ASSERT_EQ(form->TotalBtnCount, 3);
    EXPECT_EQ(Tips(), (std::vector<std::wstring>{L"first", L"second", L"third"}));
    for (UINT i = 0; i < 3; ++i) EXPECT_EQ(form->TrayNotify[i].uID, i + 1);
}

TEST_F(SnapshotTest, AButtonWhoseInfoIsRefusedLeavesItsSlotEmpty) {
    SimulatorProcess tray("layout win7\n"
                          "icon tray id=1 tip=first\n"
                          "icon tray id=2 info=fail tip=refused\n"
                          "icon tray id=3 tip=third\n");
    form->Button1Click();
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_EQ(form->TotalBtnCount, 3);
    EXPECT_EQ(Tips(), (std::vector<std::wstring>{L"first", L"", L"third"}));
    EXPECT_EQ(form->TrayNotify[1].hWnd, nullptr);
    EXPECT_EQ(form->TrayNotify[2].uID, 3u);
}

TEST_F(SnapshotTest, ReadsEveryButtonOfAToolbarLargerThanOneBatch) {
    std::string scenario = "layout win7\n";
    for (int i = 1; i <= 150; ++i) {
        scenario += std::string("icon ") + (i % 3 ? "tray" : "overflow") +
                    " id=" + std::to_string(i) + (i == 70 ? " data=zero" : "") + " tip=tip " +
                    std::to_string(i) + "\n";
    }
    SimulatorProcess tray(scenario);
    form->Button1Click();
    ASSERT_EQ(form->TotalBtnCount, 150);
    ASSERT_EQ(form->IconCountOnTaskTray, 100);
    for (int slot = 0; slot < 150; ++slot) {
        // The tray's icons in order, then the overflow's.
        const int id = slot < 100 ? slot + 1 + slot / 2 : 3 * (slot - 99);
        const auto i = static_cast<size_t>(slot);
        EXPECT_EQ(form->TrayNotify[i].uID, id == 70 ? 0u : static_cast<UINT>(id)) << slot;
        EXPECT_EQ(form->ToolTip[i], id == 70 ? L"" : L"tip " + std::to_wstring(id)) << slot;
    }
}

struct StallCase {
    const char* name;
    const char* scenario;
    std::vector<std::wstring> messages;
    std::vector<std::wstring> tips;
};

class SnapshotStallTest : public SnapshotTest, public testing::WithParamInterface<StallCase> {};

// The simulator stalls for two seconds; the refresh gives that toolbar up well before.
TEST_P(SnapshotStallTest, AToolbarThatStopsAnsweringIsAFailedRead) {
    SimulatorProcess tray(GetParam().scenario);
    const DWORD start = GetTickCount();
    form->Button1Click();
    EXPECT_LT(GetTickCount() - start, 1500u);
    EXPECT_EQ(dialogs.Texts(), GetParam().messages);
    EXPECT_EQ(Tips(), GetParam().tips);
    EXPECT_EQ(form->TrayNotify.size(), GetParam().tips.size());
}

INSTANTIATE_TEST_SUITE_P(
    Trays, SnapshotStallTest,
    testing::Values(StallCase{"Tray",
                              "layout win7\nicon tray id=1 tip=a\nicon tray id=2 info=stall tip=b\n"
                              "icon overflow id=3 tip=c\n",
                              {texts::TrayInfoFailed0},
                              {}},
                    StallCase{"Overflow",
                              "layout win7\nicon tray id=1 tip=a\nicon overflow id=2 tip=b\n"
                              "icon overflow id=3 info=stall tip=c\n",
                              {},
                              {L"a"}}),
    [](const auto& info) { return info.param.name; });

// The answers that a stalled toolbar gives after it was given up change nothing.
TEST_F(SnapshotTest, LateAnswersOfAToolbarGivenUpAreDropped) {
    SimulatorProcess tray("layout win7\nicon tray id=1 tip=a\nicon overflow id=2 tip=b\n"
                          "icon overflow id=3 info=stall tip=c\nicon overflow id=4 tip=d\n");
    form->Button1Click();
    EXPECT_EQ(Tips(), std::vector<std::wstring>{L"a"});
    ui::App().ProcessMessagesUntil(platform::Now(), 3000); // every late answer arrives
    EXPECT_EQ(Tips(), std::vector<std::wstring>{L"a"});
    EXPECT_EQ(form->TrayNotify.size(), 1u);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(SnapshotTest, ARefreshStartedInsideARefreshChangesNothingUnderIt) {
    SimulatorProcess tray("layout win7\nicon tray id=1 tip=a\nicon tray id=2 tip=b\n"
                          "icon overflow id=3 tip=c\n");
    int nested = 0;
    std::vector<std::int32_t> countsSeenInside;
    const int filter = ui::App().AddMessageFilter([&](MSG& msg) {
        if (msg.message != WM_APP + 9) return false;
        ++nested;
        const std::int32_t before = form->TotalBtnCount;
        form->Button1Click(); // as the show key or a shortcut would, from inside the wait
        countsSeenInside.push_back(before);
        countsSeenInside.push_back(form->TotalBtnCount);
        return true;
    });
    PostThreadMessageW(GetCurrentThreadId(), WM_APP + 9, 0, 0);
    form->Button1Click();
    ui::App().RemoveMessageFilter(filter);

    EXPECT_EQ(nested, 1);
    ASSERT_EQ(countsSeenInside.size(), 2u);
    EXPECT_EQ(countsSeenInside[0], countsSeenInside[1]);
    EXPECT_EQ(form->TotalBtnCount, 3);
    EXPECT_EQ(Tips(), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    EXPECT_TRUE(dialogs.shown.empty());

    form->Button1Click(); // and the next refresh runs as usual
    EXPECT_EQ(form->TotalBtnCount, 3);
}

} // namespace
} // namespace orvane
