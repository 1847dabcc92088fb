#include "board/Geometry.h"
#include "support/Files.h"
#include "support/ProgramWindows.h"
#include "support/StandIns.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

class HoverTest : public testing::Test {
protected:
    void SetUp() override {
        form.IsVista = form.IsWin8 = false;
        form.IsWin7 = true;
        form.Button1Click();
        ASSERT_EQ(form.TotalBtnCount, 10);
    }

    void Move(int x, int y) {
        SendMessageW(form.Image1.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        ui::App().ProcessMessages(); // the owners' posted messages arrive
    }
    // WM_MOUSEMOVE callbacks the owners received, as "id" per message.
    std::vector<std::uint64_t> MovesSeen() const {
        std::vector<std::uint64_t> ids;
        for (const traysim::OwnerMessage& m : tray.Log()) {
            if (m.lParam == WM_MOUSEMOVE) ids.push_back(m.wParam);
        }
        return ids;
    }

    test::CleanDataFolder clean;
    test::DialogRecorder dialogs;
    traysim::Tray tray{
        L"layout win7\n"
        L"icon tray id=1 msg=0x8001 tip=音量: 50%\n"
        L"icon tray id=2 msg=0x8002 tip=\n"
        L"icon tray id=3 msg=0x8003 tip=Dropbox\n"
        L"icon tray id=4 msg=0x8004 tip=short\\nthe longer second line of this tip\n"
        L"icon tray id=5 msg=0x8005 tip=e\nicon tray id=6 msg=0x8006 tip=f\n"
        L"icon tray id=7 msg=0x8007 tipfill=60 tip=the tip of the icon in the last column \n"
        L"icon tray id=8 msg=0x8008 tip=h\nicon tray id=9 msg=0x8009 tip=i\n"
        L"icon tray id=10 msg=0x800a tipfill=400 tip=a long tip that fills several lines \n"};
    test::ProgramWindows program;
    TDozedeR64Form& form = program.main;
};

TEST_F(HoverTest, ThePointersCellIsKnownAndItsOwnerToldOncePerCell) {
    Move(70, 0);
    EXPECT_EQ(form.AMousePos, 1);
    Move(0, 69);
    EXPECT_EQ(form.AMousePos, 7);
    Move(68, 68);
    EXPECT_EQ(form.AMousePos, 0);
    Move(10, 10);
    Move(30, 40); // the same cell
    Move(140, 10);
    Move(150, 20);
    Move(10, 10); // and back
    const std::vector<std::uint64_t> expected{2, 8, 1, 3, 1};
    EXPECT_EQ(MovesSeen(), expected);
    for (const traysim::OwnerMessage& m : tray.Log()) EXPECT_EQ(m.message, 0x8000 + m.wParam);
}

TEST_F(HoverTest, TheHintShowsTheTipBesideThePointer) {
    Move(10, 10);
    ASSERT_TRUE(form.LblHint.Visible());
    EXPECT_EQ(form.LblHint.Text(), L"音量: 50%");
    EXPECT_EQ(form.LblHint.Left(), 30);
    EXPECT_EQ(form.LblHint.Top(), 30);

    Move(3 * 69 + 5, 5); // two lines of different length
    EXPECT_EQ(form.LblHint.Text(), L"short\r\nthe longer second line of this tip");
    const int twoLines = form.LblHint.Height();
    Move(2 * 69 + 5, 5);
    const int oneLine = form.LblHint.Height();
    EXPECT_EQ(twoLines, 2 * oneLine);

    Move(69 + 5, 5); // an empty tip
    EXPECT_FALSE(form.LblHint.Visible());
    Move(3 * 69 + 5, 5);
    Move(5 * 69 + 60, 3 * 69 - 1); // past the last icon
    EXPECT_FALSE(form.LblHint.Visible());
}

TEST_F(HoverTest, TheHintFlipsAtTheRightEdgeAndInTheLowerHalf) {
    const int x = 6 * 69 + 40, y = 10;
    Move(x, y); // the last column
    ASSERT_TRUE(form.LblHint.Visible());
    const int width = form.LblHint.Width();
    EXPECT_EQ(form.LblHint.Left(), std::max(0, x - width - 20));
    EXPECT_EQ(form.LblHint.Top(), y + 20);

    Move(2 * 69 + 10, 69 + 60); // the lower half, a tip of several lines
    ASSERT_TRUE(form.LblHint.Visible());
    const int height = form.LblHint.Height();
    ASSERT_GT(69 + 60 + 20 + height, form.ScrollBox1.Height());
    EXPECT_EQ(form.LblHint.Top(), std::max(0, 69 + 60 - height - 20));
    EXPECT_LE(form.LblHint.Width(), form.Image1.Width());
}

TEST_F(HoverTest, LeavingTheBoardHidesTheHintAndEnteringBringsTheWindowToTheFront) {
    form.Show();
    ui::Form other;
    other.Show();
    SetForegroundWindow(other.Handle());
    POINT onBoard{10, 10};
    ClientToScreen(form.Image1.Handle(), &onBoard);
    SetCursorPos(onBoard.x, onBoard.y);
    Move(10, 10); // the first move enters the board
    EXPECT_EQ(GetForegroundWindow(), form.Handle());
    ASSERT_TRUE(form.LblHint.Visible());
    SetCursorPos(0, 0);
    SendMessageW(form.Image1.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(form.LblHint.Visible());
}

} // namespace
} // namespace orvane
