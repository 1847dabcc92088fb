#include "support/Files.h"
#include "support/ProgramWindows.h"
#include "support/StandIns.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Red = RGB(255, 0, 0);

class AboutTest : public testing::Test {
protected:
    void SetUp() override { test::ClearDataFolder(); }
    void TearDown() override { test::ClearDataFolder(); }
    TForm2& About() { return windows.about; }
    int LinkRightGap() {
        return About().ClientWidth() - (About().LblURL.Left() + About().LblURL.Width());
    }
    void Pump() {
        for (int i = 0; i < 10; ++i) {
            ui::App().ProcessMessages();
            Sleep(10);
        }
    }
    // The pointer itself, as the user moves it.
    void MovePointer(int x, int y) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN));
        input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN));
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &input, sizeof input);
        Pump();
    }
    void PointAt(const ui::Control& control) {
        RECT bounds{};
        GetWindowRect(control.Handle(), &bounds);
        MovePointer((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
    }
    void PointAtBackground() {
        POINT corner{About().ClientWidth() - 4, 4};
        ClientToScreen(About().Handle(), &corner);
        MovePointer(corner.x, corner.y);
    }

    test::DialogRecorder dialogs;
    test::ProgramWindows windows;
};

TEST_F(AboutTest, TheLinkStaysRightAlignedAndALongerAddressMovesLeft) {
    About().Show();
    EXPECT_EQ(LinkRightGap(), 10);
    const int left = About().LblURL.Left();
    About().Hide();
    About().Show();
    EXPECT_EQ(LinkRightGap(), 10);
    EXPECT_EQ(About().LblURL.Left(), left);
    About().Hide();

    About().LblURL.SetText(About().LblURL.Text() + L"about/");
    About().Show();
    EXPECT_EQ(LinkRightGap(), 10);
    EXPECT_LT(About().LblURL.Left(), left);
    About().Hide();
}

TEST_F(AboutTest, TheLinkTurnsRedUnderThePointerAndBlackOnlyOverTheBackground) {
    About().Show();
    SetForegroundWindow(About().Handle());
    EXPECT_EQ(About().LblURL.GetFont().Color, Black);
    PointAt(About().LblURL);
    EXPECT_EQ(About().LblURL.GetFont().Color, Red);
    PointAt(About().Label1);
    PointAt(About().Image1);
    EXPECT_EQ(About().LblURL.GetFont().Color, Red);
    PointAtBackground();
    EXPECT_EQ(About().LblURL.GetFont().Color, Black);
    About().Hide();
}

TEST_F(AboutTest, TheLinkPassesItsTextToTheShellAndAFailureSaysSo) {
    test::ShellRecorder shell;
    const HWND link = About().LblURL.Handle();
    const auto click = [&] {
        SendMessageW(About().Handle(), WM_COMMAND, MAKEWPARAM(0, STN_CLICKED),
                     reinterpret_cast<LPARAM>(link));
    };
    click();
    ASSERT_EQ(shell.executed.size(), 1u);
    EXPECT_EQ(shell.executed[0].verb, L"open");
    EXPECT_EQ(shell.executed[0].file, About().LblURL.Text());
    EXPECT_EQ(shell.executed[0].file, L"https://kelmora.example/orvane/");
    EXPECT_EQ(shell.executed[0].owner, windows.main.Handle());
    EXPECT_TRUE(dialogs.shown.empty());

    for (INT_PTR failure : {INT_PTR(0), INT_PTR(SE_ERR_NOASSOC), INT_PTR(32)}) {
        shell.result = failure;
        click();
    }
    EXPECT_EQ(dialogs.Texts(), std::vector<std::wstring>(3, L"作者サイトへの接続に失敗しました。"));
}

TEST_F(AboutTest, TheEmblemIsDrawnAndTheWindowCentred) {
    TForm2& a = About();
    EXPECT_EQ(a.ClientWidth(), 368);
    EXPECT_EQ(a.ClientHeight(), 194);
    // The emblem is drawn: white, blue and yellow where its tiles and their frame are.
    ASSERT_TRUE(a.Image1.HasPicture());
    const ui::Bitmap& emblem = a.Image1.Picture();
    EXPECT_NE(emblem.Pixel(20, 20), emblem.Pixel(32, 32));
    EXPECT_NE(emblem.Pixel(44, 44), emblem.Pixel(20, 20));
    EXPECT_NE(emblem.Pixel(44, 44), emblem.Pixel(32, 32));
    // Centred on the screen.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    EXPECT_NEAR(a.Left() + a.Width() / 2, (monitor.rcMonitor.left + monitor.rcMonitor.right) / 2,
                1);
    EXPECT_NEAR(a.Top() + a.Height() / 2, (monitor.rcMonitor.top + monitor.rcMonitor.bottom) / 2,
                1);
}

} // namespace
} // namespace orvane
