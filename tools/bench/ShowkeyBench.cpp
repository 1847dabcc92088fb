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

#include <cstdio>
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

// The last cell of the board shows a picture on the screen.
bool LastCellDrawn(HWND window) {
    if (IsIconic(window) || !IsWindowVisible(window)) return false;
    const HWND board = test::FindChildWindow(window, L"OrvaneImage");
    POINT corner{CellOrigin(Icons - 1, 64).X, CellOrigin(Icons - 1, 64).Y};
    ClientToScreen(board, &corner);
    const HDC screen = GetDC(nullptr);
    int coloured = 0;
    for (int y = 8; y < 64; y += 12) {
        for (int x = 8; x < 64; x += 12) {
            const COLORREF pixel = GetPixel(screen, corner.x + x, corner.y + y);
            if (pixel != CLR_INVALID && pixel != RGB(255, 255, 255)) ++coloured;
        }
    }
    ReleaseDC(nullptr, screen);
    return coloured >= 3;
}

void Minimise(HWND window) {
    PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    for (int i = 0; i < 500 && !IsIconic(window); ++i) Sleep(2);
    if (!IsIconic(window)) throw std::runtime_error("the board did not minimise");
    Sleep(300); // settled
}

double UntilDrawn(HWND window, double start) {
    while (!LastCellDrawn(window)) {
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
    test::SimulatorProcess tray(Scenario());
    test::ChildProcess program(test::Quoted(test::ProgramPath()));
    const HWND window = test::ShownBoard(program);
    if (!window) throw std::runtime_error("Orvane's window did not appear");
    UntilDrawn(window, bench::Seconds());

    std::vector<double> key, restore;
    for (int round = 0; round < 15; ++round) {
        Minimise(window);
        double start = bench::Seconds();
        PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        restore.push_back(UntilDrawn(window, start));
        Sleep(700); // past the show key's moment on top of an earlier round

        Minimise(window);
        test::SendRecords({test::PointerMove({300, 200})});
        start = bench::Seconds();
        PressF4();
        key.push_back(UntilDrawn(window, start));
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
