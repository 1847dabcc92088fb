// Times the show key from outside the program: from F4 pressed in another program to the
// board drawn on screen, next to a restore asked for by the window system, measured the same
// way, with the simulated tray of 30 icons in another process.
#include "bench/Bench.h"
#include "board/Geometry.h"
#include "support/Board.h"
#include "support/Files.h"
#include "support/Pointer.h"
#include "support/Process.h"
#include "support/Simulator.h"
#include "traysim/TraySim.h"

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace orvane;

constexpr int Icons = 30;

std::string Scenario() {
    std::string text = "layout win7\n";
    for (int i = 0; i < Icons; ++i)
        text += "icon tray id=" + std::to_string(i + 1) + " tip=Icon " + std::to_string(i) + "\n";
    return text;
}

// What the cell after the tray's 30 icons shows on the screen: a picture (true), the board's
// white (false), or something else, such as the desktop before the window is there (nothing).
// An icon comes and goes there between rounds, so an earlier picture of the window does not
// count.
std::optional<bool> ExtraCell(HWND window) {
    const HWND board = test::FindChildWindow(window, L"OrvaneImage");
    POINT corner{CellOrigin(Icons, 64).X, CellOrigin(Icons, 64).Y};
    ClientToScreen(board, &corner);
    const HDC screen = GetDC(nullptr);
    int samples = 0, white = 0, coloured = 0;
    for (int y = 8; y < 64; y += 12) {
        for (int x = 8; x < 64; x += 12) {
            const COLORREF pixel = GetPixel(screen, corner.x + x, corner.y + y);
            ++samples;
            if (pixel == RGB(255, 255, 255))
                ++white;
            else if (pixel != CLR_INVALID && pixel != RGB(0, 0, 0))
                ++coloured;
        }
    }
    ReleaseDC(nullptr, screen);
    if (white == samples) return false;
    if (coloured >= 3) return true;
    return std::nullopt;
}

void Minimise(HWND window) {
    PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    for (int i = 0; i < 500 && !IsIconic(window); ++i) Sleep(2);
    if (!IsIconic(window)) throw std::runtime_error("the board did not minimise");
    Sleep(300); // settled
}

double UntilDrawn(HWND window, bool extraIcon, double start) {
    while (IsIconic(window) || ExtraCell(window) != extraIcon) {
        if (bench::Seconds() - start > 10) throw std::runtime_error("the board was not drawn");
        Sleep(1);
    }
    return bench::Seconds() - start;
}

void PressF4() {
    INPUT keys[2]{};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_F4;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

} // namespace

int wmain() try {
    test::ClearDataFolder();
    // Both roads place the board beside the pointer, so that neither moves it afterwards.
    test::WriteUtf16File(test::ConfigPath(), L"[HideTaskButton]\r\nValue=1\r\n");
    test::SendRecords({test::PointerMove({300, 200})});
    test::SimulatorProcess tray(Scenario());
    test::ChildProcess program(test::Quoted(test::ProgramPath()));
    const HWND window = test::ShownBoard(program);
    if (!window) throw std::runtime_error("Orvane's window did not appear");
    UntilDrawn(window, false, bench::Seconds());

    bool extraIcon = false;
    // Minimised with the extra icon put up or taken away: the next drawing shows the change.
    const auto prepare = [&] {
        Minimise(window);
        extraIcon = !extraIcon;
        const bool done = extraIcon
                              ? traysim::SendCommand(L"icon tray id=99 tip=extra", tray.Taskbar())
                              : traysim::SendCommand(L"remove id=99", tray.Taskbar());
        if (!done) throw std::runtime_error("the simulator refused a command");
    };
    std::vector<double> key, restore;
    for (int round = 0; round < 25; ++round) {
        prepare();
        double start = bench::Seconds();
        PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        restore.push_back(UntilDrawn(window, extraIcon, start));
        Sleep(700); // past the show key's moment on top of an earlier round

        prepare();
        start = bench::Seconds();
        PressF4();
        key.push_back(UntilDrawn(window, extraIcon, start));
        Sleep(700);
    }
    const double keyMs = bench::Median(key) * 1e3, restoreMs = bench::Median(restore) * 1e3;
    std::printf("%d icons: F4 in another program to the board drawn %.1f ms, a restore by the "
                "window system to the board drawn %.1f ms (medians of %zu)\n",
                Icons, keyMs, restoreMs, key.size());
    program.End(window);
    test::ClearDataFolder();
    std::printf("showkey overhead %.2f\n", keyMs / restoreMs);
    return 0;
} catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
}
