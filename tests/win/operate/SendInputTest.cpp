#include "support/Files.h"
#include "support/Pointer.h"
#include "support/ProgramWindows.h"
#include "support/StandIns.h"
#include "support/TrayReader.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane {
namespace {

struct Record {
    LONG dx, dy;
    DWORD flags;
    bool operator==(const Record&) const = default;
};

std::vector<Record> Records(const std::vector<INPUT>& batch) {
    std::vector<Record> records;
    for (const INPUT& input : batch) {
        EXPECT_EQ(input.type, static_cast<DWORD>(INPUT_MOUSE));
        EXPECT_EQ(input.mi.mouseData, 0u);
        EXPECT_EQ(input.mi.time, 0u);
        EXPECT_EQ(input.mi.dwExtraInfo, 0u);
        records.push_back({input.mi.dx, input.mi.dy, input.mi.dwFlags});
    }
    return records;
}

std::vector<DWORD> Flags(const std::vector<INPUT>& batch) {
    std::vector<DWORD> flags;
    for (const Record& record : Records(batch)) flags.push_back(record.flags);
    return flags;
}

// Wine reports the taskbar at the bottom of the screen: the middle of the bottom row.
constexpr Record EdgeMove{32768, 65476, 0xC001};

class SendInputTest : public testing::Test {
protected:
    void Start(const wchar_t* scenario, bool win8 = false, bool vista = false) {
        tray = std::make_unique<traysim::Tray>(scenario);
        program = std::make_unique<test::ProgramWindows>();
        form().IsWin7 = !win8 && !vista;
        form().IsWin8 = win8;
        form().IsVista = vista;
        form().Button1Click();
        ASSERT_GT(form().TotalBtnCount, 0);
    }
    TDozedeR64Form& form() { return program->main; }
    // The real button of the tray entry, in screen coordinates.
    RECT ButtonOf(int entry) {
        const traysim::IconInfo icon = tray->Icons().at(static_cast<size_t>(entry));
        return test::ButtonRect(icon.toolbar, static_cast<int>(icon.command));
    }
    // The operation's move lands on the real button of the entry.
    void ExpectAimedAt(const INPUT& move, int entry) {
        const POINT landing = test::Landing(move);
        const RECT button = ButtonOf(entry);
        EXPECT_TRUE(PtInRect(&button, landing))
            << "(" << landing.x << ", " << landing.y << ") outside (" << button.left << ", "
            << button.top << ", " << button.right << ", " << button.bottom << ")";
    }
    bool Minimised() { return form().GetWindowState() == ui::WindowState::Minimized; }

    test::CleanDataFolder clean;
    test::DialogRecorder dialogs;
    test::VirtualClock clock{100000};
    test::InputRecorder input;
    std::unique_ptr<traysim::Tray> tray;
    std::unique_ptr<test::ProgramWindows> program;
};

constexpr const wchar_t* kVisibleTray = L"layout win7\n"
                                        L"icon tray id=1 tip=Dropbox\n"
                                        L"icon tray id=2 tip=スピーカー: 50%\n"
                                        L"icon tray id=3 tip=ネットワーク\n";

struct OperationCase {
    const char* name;
    int action;
    std::vector<DWORD> flags;
};

class OperationTest : public SendInputTest, public testing::WithParamInterface<OperationCase> {};

TEST_P(OperationTest, OnSevenAndLaterTheEdgeMoveThenOneBatchOnTheRealButton) {
    const OperationCase& c = GetParam();
    for (bool win8 : {false, true}) {
        SCOPED_TRACE(win8 ? "Windows 8" : "Windows 7");
        input.batches.clear();
        Start(kVisibleTray, win8);
        form().SystemIconSendInput(c.action, 2);
        ASSERT_EQ(input.batches.size(), 2u);
        EXPECT_EQ(Records(input.batches[0]), std::vector<Record>{EdgeMove});
        EXPECT_EQ(Flags(input.batches[1]), c.flags);
        ExpectAimedAt(input.batches[1][0], 2);
        // Half a second on the edge, then the operation without a blocking sleep.
        EXPECT_GE(input.sentAt[1] - input.sentAt[0], 500u);
        EXPECT_LT(input.sentAt[1] - input.sentAt[0], 600u);
        program.reset();
        tray.reset();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Actions, OperationTest,
    testing::Values(OperationCase{"Click", 0, {0xC001, 0x0002, 0x0004}},
                    OperationCase{"RightClick", 1, {0xC001, 0x0008, 0x0010}},
                    OperationCase{"DoubleClick", 2, {0xC001, 0x0002, 0x0004, 0x0002, 0x0004}}),
    [](const auto& info) { return info.param.name; });

TEST_F(SendInputTest, EveryVisibleIconIsAimedAtOnItsOwnButton) {
    Start(L"layout win7\n"
          L"icon tray id=1 tip=a\nicon tray id=2 tip=b\nicon tray id=3 tip=c\n"
          L"icon tray id=4 tip=d\nicon tray id=5 tip=e\nicon tray id=6 tip=f\n");
    for (int entry = 0; entry < 6; ++entry) {
        input.batches.clear();
        form().SystemIconSendInput(1, entry);
        ASSERT_EQ(input.batches.size(), 2u);
        ExpectAimedAt(input.batches[1][0], entry);
    }
}

TEST_F(SendInputTest, AHiddenIconOpensTheHiddenIconsFirstAndIsAimedAtInTheirWindow) {
    Start(L"layout win7\nicon tray id=1 tip=a\nicon tray id=2 tip=b\n"
          L"icon overflow id=3 tip=c\nicon overflow id=4 tip=USB\n");
    ASSERT_TRUE(form().ShowButtonExists);
    ASSERT_EQ(form().IconCountOnTaskTray, 2);
    // The hidden icons' window shows when its button is clicked.
    input.onSend = [&](const std::vector<INPUT>& batch) {
        if (batch.size() == 3 && batch[1].mi.dwFlags == 0x8002)
            ShowWindow(tray->OverflowWindow(), SW_SHOWNA);
    };
    form().SystemIconSendInput(1, 3);
    ASSERT_EQ(input.batches.size(), 3u);
    EXPECT_EQ(Flags(input.batches[1]), (std::vector<DWORD>{0xC001, 0x8002, 0x8004}));
    POINT button = test::Landing(input.batches[1][0]);
    EXPECT_EQ(WindowFromPoint(button), tray->ShowButton());
    EXPECT_GE(input.sentAt[2] - input.sentAt[1], 1000u);
    EXPECT_EQ(Flags(input.batches[2]), (std::vector<DWORD>{0xC001, 0x0008, 0x0010}));
    ExpectAimedAt(input.batches[2][0], 3);
    ShowWindow(tray->OverflowWindow(), SW_HIDE);
}

TEST_F(SendInputTest, AHiddenIconBeyondItsWindowIsNotClicked) {
    Start(L"layout win7\nicon tray id=1 tip=a\nicon overflow id=2 tip=b\n"
          L"icon overflow id=3 tip=c\n");
    input.onSend = [&](const std::vector<INPUT>& batch) {
        if (batch.size() == 3 && batch[1].mi.dwFlags == 0x8002)
            ShowWindow(tray->OverflowWindow(), SW_SHOWNA);
    };
    // Two icons a row, one row: the eleventh hidden icon's cell lies far below the window.
    form().SystemIconSendInput(1, form().IconCountOnTaskTray + 10);
    ASSERT_EQ(input.batches.size(), 2u); // the edge move and the show button only
    EXPECT_EQ(Flags(input.batches[1]), (std::vector<DWORD>{0xC001, 0x8002, 0x8004}));
    ShowWindow(tray->OverflowWindow(), SW_HIDE);
}

TEST_F(SendInputTest, AVisibleIconOnSevenIsAimedAtPastTheShowButton) {
    Start(L"layout win7\nicon tray id=1 tip=a\nicon tray id=2 tip=b\nicon overflow id=3 tip=c\n");
    ASSERT_TRUE(form().ShowButtonExists);
    form().SystemIconSendInput(1, 0);
    ASSERT_EQ(input.batches.size(), 2u); // no show-button click for a visible icon
    ExpectAimedAt(input.batches[1][0], 0);
}

TEST_F(SendInputTest, OnVistaTheMoveGoesAloneAndTheButtonsFollowAfterTheShowButton) {
    Start(L"layout vista\nicon tray id=1 tip=a\nicon overflow id=2 tip=b\n"
          L"icon system id=3 tip=スピーカー\n",
          false, true);
    ASSERT_TRUE(form().ShowButtonExists);
    form().SystemIconSendInput(2, 0);
    ASSERT_EQ(input.batches.size(), 4u);
    EXPECT_EQ(Flags(input.batches[1]), (std::vector<DWORD>{0xC001, 0x0002, 0x0004}));
    EXPECT_EQ(WindowFromPoint(test::Landing(input.batches[1][0])), tray->ShowButton());
    EXPECT_EQ(Flags(input.batches[2]), std::vector<DWORD>{0xC001});
    EXPECT_EQ(Flags(input.batches[3]), (std::vector<DWORD>{0x0002, 0x0004, 0x0002, 0x0004}));
    EXPECT_GE(input.sentAt[3] - input.sentAt[2], 500u);
}

TEST_F(SendInputTest, OnVistaTheSystemAreaIconIsAimedAtInItsOwnGrid) {
    Start(L"layout vista\nicon tray id=1 tip=a\nicon system id=2 tip=スピーカー\n"
          L"icon system id=3 tip=ネットワーク\n",
          false, true);
    ASSERT_FALSE(form().ShowButtonExists);
    form().SystemIconSendInput(1, 2);
    ASSERT_EQ(input.batches.size(), 3u);
    EXPECT_LT(input.sentAt[2] - input.sentAt[1], 100u); // no show button: no pause
    ExpectAimedAt(input.batches[1][0], 2);
}

TEST_F(SendInputTest, ANotificationWindowThatHasGoneGivesTheOperationUp) {
    Start(kVisibleTray);
    tray->RunCommand(L"restart"); // new windows: the snapshot's are gone
    form().SystemIconSendInput(0, 1);
    EXPECT_EQ(input.batches.size(), 1u); // the edge move only
    EXPECT_FALSE(form().NewWindowShowing);
}

TEST_F(SendInputTest, AClickThatOpensNothingWaitsTenSecondsAfterHalfASecond) {
    Start(kVisibleTray);
    bool waiting = false;
    clock.onWait = [&] { waiting = waiting || form().NewWindowShowing; };
    form().SystemIconSendInput(0, 1);
    const std::uint32_t waited = clock.Peek() - input.sentAt.back();
    EXPECT_TRUE(waiting);
    EXPECT_GE(waited, 10500u);
    EXPECT_LT(waited, 10700u);
    EXPECT_FALSE(form().NewWindowShowing);
}

TEST_F(SendInputTest, AClickThatOpensAWindowWaitsUntilItIsDestroyed) {
    Start(kVisibleTray);
    HWND flyout = nullptr;
    input.onSend = [&](const std::vector<INPUT>& batch) {
        if (batch.size() != 3) return;
        flyout = CreateWindowExW(WS_EX_TOPMOST, L"Static", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(flyout);
    };
    // The flyout closes 20 s into the wait, later than a click that opened nothing waits.
    bool waiting = false;
    clock.onWait = [&] {
        waiting = waiting || form().NewWindowShowing;
        if (IsWindow(flyout) && clock.Peek() - input.sentAt.back() > 20000) DestroyWindow(flyout);
    };
    form().SystemIconSendInput(0, 1);
    ASSERT_NE(flyout, nullptr);
    EXPECT_FALSE(IsWindow(flyout));
    EXPECT_GT(clock.Peek() - input.sentAt.back(), 20000u);
    EXPECT_LT(clock.Peek() - input.sentAt.back(), 20200u);
    EXPECT_TRUE(waiting);
    EXPECT_FALSE(form().NewWindowShowing);
}

TEST_F(SendInputTest, MinimisingTheWindowEndsTheWaitAtOnce) {
    Start(kVisibleTray);
    form().Show();
    input.onSend = [&](const std::vector<INPUT>& batch) {
        if (batch.size() == 3) PostMessageW(form().Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    };
    form().SystemIconSendInput(0, 1);
    EXPECT_TRUE(Minimised());
    EXPECT_LT(clock.Peek() - input.sentAt.back(), 1000u);
    EXPECT_FALSE(form().NewWindowShowing);
}

} // namespace
} // namespace orvane
