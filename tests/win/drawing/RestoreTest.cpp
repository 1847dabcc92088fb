#include "board/Geometry.h"
#include "core/Profile.h"
#include "platform/Monitor.h"
#include "support/Files.h"
#include "support/ProgramWindows.h"
#include "support/StandIns.h"
#include "traysim/TraySim.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace orvane {
namespace {

class RestoreTest : public testing::Test {
protected:
    void SetUp() override {
        form.IsVista = form.IsWin8 = false;
        form.IsWin7 = true;
    }
    static RECT WorkArea() { return platform::PointerMonitor().rcWork; }

    test::CleanDataFolder clean;
    test::DialogRecorder dialogs;
    test::VirtualClock clock{50000};
    traysim::Tray tray{
        L"layout win7\nicon tray id=1 tip=a\nicon tray id=2 tip=b\nicon overflow id=3 tip=c\n"};
    test::ProgramWindows program;
    TDozedeR64Form& form = program.main;
};

TEST_F(RestoreTest, TheFirstShowingRefreshesDrawsAndCentresTheWindow) {
    ASSERT_TRUE(form.FormMinimized);
    SetCursorPos(100, 100);
    form.Show();
    EXPECT_FALSE(form.FormMinimized);
    EXPECT_GE(form.FormShowTime, 50000u);
    EXPECT_EQ(form.TotalBtnCount, 3);
    EXPECT_EQ(form.ClientWidth(), LayoutFor(64, 3).ClientWidth);
    const RECT work = WorkArea();
    EXPECT_EQ(form.Left(), work.left + (work.right - work.left - form.Width()) / 2);
    EXPECT_EQ(form.Top(), work.top + (work.bottom - work.top - form.Height()) / 2);
    EXPECT_EQ(GetFocus(), form.Button1.Handle());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(RestoreTest, WithoutTaskbarButtonTheWindowComesUpBesideThePointer) {
    program.settings.CheckBoxHideTaskButton.SetChecked(true);
    SetCursorPos(100, 100);
    form.Show();
    EXPECT_EQ(form.Left(), 110);
    EXPECT_EQ(form.Top(), 100);
}

TEST_F(RestoreTest, MinimisingEndsTheShownPhaseAndTheNextRestoreStartsAnother) {
    form.Show();
    SendMessageW(form.Image1.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    ASSERT_TRUE(form.LblHint.Visible());
    program.settings.EditWriting = true;
    program.settings.Memo1.SetColor(RGB(255, 255, 0));

    form.SetWindowState(ui::WindowState::Minimized);
    EXPECT_TRUE(form.FormMinimized);
    EXPECT_EQ(form.FormShowTime, 0u);
    EXPECT_FALSE(form.LblHint.Visible());
    EXPECT_FALSE(program.settings.EditWriting);
    EXPECT_EQ(program.settings.Memo1.Color(), GetSysColor(COLOR_WINDOW));

    tray.RunCommand(L"icon tray id=4 tip=d");
    form.Button1Click(); // minimised: the snapshot only
    EXPECT_EQ(form.TotalBtnCount, 4);
    EXPECT_EQ(form.Image1.Picture().Pixel(3 * 69 + 10, 32), RGB(255, 255, 255));

    clock.Set(90000);
    form.SetWindowState(ui::WindowState::Normal);
    EXPECT_FALSE(form.FormMinimized);
    EXPECT_GE(form.FormShowTime, 90000u);
    EXPECT_NE(form.Image1.Picture().Pixel(3 * 69 + 10, 32), RGB(255, 255, 255));
}

TEST_F(RestoreTest, TheLargestSizeFollowsTheMonitorAndIsStored) {
    program.settings.RadioGroupIconSize.SetItemIndex(0);
    form.IconSize = 100; // as if the pointer had been on another monitor
    form.Show();
    const RECT monitor = platform::PointerMonitor().rcMonitor;
    const int expected = (monitor.right - monitor.left) / 10;
    EXPECT_EQ(form.IconSize, expected);
    EXPECT_EQ(form.ConfigFile().ReadInteger(L"IconSize", L"Value", 0), expected);
    EXPECT_EQ(form.Image1.Width(), 7 * (expected + 5));
}

TEST_F(RestoreTest, WhileWaitingForTheCompanionResizesChangeNothing) {
    form.StartSelfMinimized = true;
    form.Show();
    EXPECT_TRUE(form.FormMinimized);
    EXPECT_EQ(form.TotalBtnCount, 0);
}

TEST_F(RestoreTest, ABoardTallerThanTheWorkAreaIsCutAndScrolls) {
    for (int i = 0; i < 140; ++i)
        tray.RunCommand(L"icon tray id=" + std::to_wstring(100 + i) + L" tip=x");
    form.Show();
    const RECT work = WorkArea();
    EXPECT_EQ(form.Height(), work.bottom - work.top);
    EXPECT_EQ(form.Top(), work.top);
    EXPECT_GT(form.Image1.Height(), form.ScrollBox1.Height());
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    GetScrollInfo(form.ScrollBox1.Handle(), SB_VERT, &info);
    EXPECT_EQ(info.nMax + 1, form.Image1.Height());
    EXPECT_LT(static_cast<int>(info.nPage), form.Image1.Height());
}

struct PlaceCase {
    const char* name;
    int sizeChoice; // 1: 64 px, 3: 32 px
    int icons;
    bool besidePointer;
};

class RestorePlaceTest : public RestoreTest, public testing::WithParamInterface<PlaceCase> {
protected:
    // Moves and resizes of the window, the restore's own included.
    static LRESULT CALLBACK Count(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR moves) {
        if (message == WM_WINDOWPOSCHANGED) {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
                ++*reinterpret_cast<int*>(moves);
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }
};

// Sized and placed together: every move of a shown window repaints it.
TEST_P(RestorePlaceTest, TheRestoredWindowGetsItsSizeAndPlaceInOneMove) {
    const PlaceCase& c = GetParam();
    for (int i = 3; i < c.icons; ++i)
        tray.RunCommand(L"icon tray id=" + std::to_wstring(10 + i) + L" tip=x");
    program.settings.RadioGroupIconSize.SetItemIndex(c.sizeChoice);
    program.settings.CheckBoxHideTaskButton.SetChecked(c.besidePointer);
    SetCursorPos(100, 100);
    form.Show();
    form.SetWindowState(ui::WindowState::Minimized);
    tray.RunCommand(L"icon tray id=99 tip=new"); // the board grows by a row
    SetCursorPos(300, 200);
    int moves = 0;
    SetWindowSubclass(form.Handle(), Count, 1, reinterpret_cast<DWORD_PTR>(&moves));
    form.SetWindowState(ui::WindowState::Normal);
    RemoveWindowSubclass(form.Handle(), Count, 1);

    const BoardLayout layout = LayoutFor(c.sizeChoice == 3 ? 32 : 64, c.icons + 1);
    EXPECT_EQ(form.ClientWidth(), layout.ClientWidth);
    EXPECT_EQ(form.ClientHeight(), layout.ClientHeight);
    const RECT work = WorkArea();
    if (c.besidePointer) {
        EXPECT_EQ(form.Left(), 310);
        EXPECT_EQ(form.Top(), 200);
    } else {
        EXPECT_EQ(form.Left(), work.left + (work.right - work.left - form.Width()) / 2);
        EXPECT_EQ(form.Top(), work.top + (work.bottom - work.top - form.Height()) / 2);
    }
    EXPECT_EQ(moves, 2) << "the restore's own and one of the layout";
}

INSTANTIATE_TEST_SUITE_P(Boards, RestorePlaceTest,
                         testing::Values(PlaceCase{"Centred", 1, 21, false},
                                         PlaceCase{"BesidePointer", 1, 21, true},
                                         PlaceCase{"WideCentred", 1, 42, false},
                                         PlaceCase{"NarrowBesidePointer", 3, 21, true}),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace orvane
