// The program on a tray without a toolbar: it collects the icons that programs give the
// taskbar, a test client's and Wine's task manager's.
#include "board/Geometry.h"
#include "support/Board.h"
#include "support/Files.h"
#include "support/Pointer.h"
#include "support/Process.h"
#include "support/Simulator.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace orvane {
namespace {

bool Within(int milliseconds, const std::function<bool()>& done) {
    for (int waited = 0; !done() && waited < milliseconds; waited += 20) Sleep(20);
    return done();
}

POINT CellCentre(HWND window, int entry) {
    POINT centre{CellOrigin(entry, 64).X + 32, CellOrigin(entry, 64).Y + 32};
    ClientToScreen(test::FindChildWindow(window, L"OrvaneImage"), &centre);
    return centre;
}

// The screen's pixels over the middle of a cell.
std::vector<COLORREF> CellPixels(HWND window, int entry) {
    const POINT centre = CellCentre(window, entry);
    std::vector<COLORREF> pixels;
    const HDC screen = GetDC(nullptr);
    for (int y = -20; y <= 20; y += 4)
        for (int x = -20; x <= 20; x += 4)
            pixels.push_back(GetPixel(screen, centre.x + x, centre.y + y));
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The text of the visible hint over the board, once the pointer rests on a cell.
std::wstring HintOver(HWND window, int entry) {
    test::SendRecords({test::PointerMove(CellCentre(window, entry))});
    std::wstring hint;
    Within(3000, [&] {
        EnumChildWindows(
            window,
            [](HWND child, LPARAM found) {
                wchar_t className[32] = {};
                GetClassNameW(child, className, 32);
                if (IsWindowVisible(child) && std::wstring_view(className) == L"Static") {
                    *reinterpret_cast<std::wstring*>(found) = test::WindowText(child);
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&hint));
        return !hint.empty();
    });
    return hint;
}

TEST(CollectorEndToEnd, ATestClientAndTaskmgrAreOnTheBoardWithTheirPicturesAndTakeTheirClicks) {
    test::ClearDataFolder();
    const std::wstring log = test::ScratchFile(L"e2e_collector_owners.log");
    test::SimulatorProcess tray(
        "layout win11\nicon tray id=1 msg=0x8001 color=#27AE60 version=4 tip=ネットワーク\n", log);
    test::ChildProcess program(test::Quoted(test::ProgramPath()));
    const HWND window = test::ShownBoard(program);
    ASSERT_NE(window, nullptr);
    test::ChildProcess taskmgr(L"taskmgr.exe");
    ASSERT_NE(taskmgr.WaitForWindow(nullptr, 10000), nullptr);
    // The board is read again when it is shown again.
    Sleep(1000);
    PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(Within(3000, [&] { return IsIconic(window) != FALSE; }));
    PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(Within(3000, [&] { return !IsIconic(window); }));
    Sleep(500);

    EXPECT_EQ(HintOver(window, 0), L"ネットワーク");
    const std::vector<COLORREF> client = CellPixels(window, 0);
    EXPECT_NE(std::find(client.begin(), client.end(), RGB(0x27, 0xAE, 0x60)), client.end());
    EXPECT_NE(HintOver(window, 1), L"");
    const std::vector<COLORREF> manager = CellPixels(window, 1);
    EXPECT_NE(std::count(manager.begin(), manager.end(), RGB(255, 255, 255)),
              static_cast<std::ptrdiff_t>(manager.size()))
        << "task manager's cell is empty";

    // Version 4: the event and id in lParam, the icon's place on the screen in wParam.
    const POINT centre = CellCentre(window, 0);
    test::ClickCell(window, 0);
    std::vector<traysim::OwnerMessage> seen;
    ASSERT_TRUE(Within(5000, [&] { return (seen = test::LoggedOperations(log)).size() >= 3; }));
    const std::uint64_t anchor = MAKEWPARAM(centre.x, centre.y);
    EXPECT_EQ(seen[0].wParam, anchor);
    EXPECT_EQ(seen[0].lParam, static_cast<std::uint64_t>(MAKELPARAM(WM_LBUTTONDOWN, 1)));
    EXPECT_EQ(seen[1].lParam, static_cast<std::uint64_t>(MAKELPARAM(WM_LBUTTONUP, 1)));
    EXPECT_EQ(seen[2].lParam, static_cast<std::uint64_t>(MAKELPARAM(WM_USER, 1)));
    program.End(window);
}

} // namespace
} // namespace orvane
