// Times a restore of the main window, from the restore to the board drawn, over the sum of
// its necessary parts measured in the same run (the snapshot alone, the drawing alone, the
// restore of an empty window of the same size), with the simulated tray in another process,
// at every icon size; and two suspects of the rest, the settings write and a repaint. Then 500
// icons at the largest size: the picture's memory and the time to scroll to the end.
#include "bench/Bench.h"
#include "board/ResizeBitmap.h"
#include "platform/Monitor.h"
#include "resources/Texts.h"
#include "support/ProgramWindows.h"
#include "support/Simulator.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace orvane;

std::string Scenario(int icons) {
    std::string text = "layout win7\n";
    for (int i = 0; i < icons; ++i) {
        text += "icon tray id=" + std::to_string(i + 1) + " color=#" +
                (i % 2 ? "3080ff" : "ff8030") + " tip=Icon " + std::to_string(i) + "\n";
    }
    return text;
}

// The choice of the settings window for an icon edge: 0 the largest, then 64, 48, 32.
int SizeChoice(int size) {
    return size == 64 ? 1 : size == 48 ? 2 : size == 32 ? 3 : 0;
}

double ResizePixelsPerSecond(int size) {
    ui::Bitmap source(32, 32);
    source.GetCanvas().FillRect({0, 0, 32, 32}, RGB(40, 120, 200));
    const int rounds = 200;
    const double start = bench::Seconds();
    for (int i = 0; i < rounds; ++i) ResizeBitmap(source, size, size);
    return static_cast<double>(size) * size * rounds / (bench::Seconds() - start);
}

} // namespace

int wmain() try {
    ui::Application application;
    application.SetTitle(texts::AppTitle);
    bench::PrintedDialogs dialogs;
    test::ProgramWindows program;
    TDozedeR64Form& form = program.main;
    const RECT monitor = platform::PointerMonitor().rcMonitor;
    const int largest = (monitor.right - monitor.left) / 10;

    double worst = 0;
    for (int icons : {30, 200}) {
        test::SimulatorProcess simulator(Scenario(icons));
        form.Show(); // the first showing is a restore too
        for (int size : {32, 48, 64, largest}) {
            program.settings.RadioGroupIconSize.SetItemIndex(SizeChoice(size));
            std::vector<double> restore, snapshot, drawIcon, empty, write, repaint;
            // What the window system alone takes to restore a window of the board's size.
            ui::Form plain;
            plain.SetFixedBorder(true, false);
            for (int round = 0; round < (icons > 100 ? 5 : 15); ++round) {
                form.SetWindowState(ui::WindowState::Minimized);
                double start = bench::Seconds();
                form.Button1Click(); // minimised: the snapshot alone
                snapshot.push_back(bench::Seconds() - start);
                start = bench::Seconds();
                form.SetWindowState(ui::WindowState::Normal);
                restore.push_back(bench::Seconds() - start);
                start = bench::Seconds();
                form.DrawIcon();
                drawIcon.push_back(bench::Seconds() - start);
                start = bench::Seconds();
                form.ConfigFile().WriteInteger(L"IconSize", L"Value", form.IconSize);
                write.push_back(bench::Seconds() - start);
                start = bench::Seconds();
                InvalidateRect(form.Handle(), nullptr, TRUE);
                UpdateWindow(form.Handle());
                repaint.push_back(bench::Seconds() - start);
                plain.SetClientSize(form.ClientWidth(), form.ClientHeight());
                plain.Show();
                plain.SetWindowState(ui::WindowState::Minimized);
                start = bench::Seconds();
                plain.SetWindowState(ui::WindowState::Normal);
                ui::App().ProcessMessages();
                empty.push_back(bench::Seconds() - start);
                if (form.TotalBtnCount != icons || form.IconSize != size) {
                    std::fprintf(stderr, "expected %d icons at %d, got %d at %d\n", icons, size,
                                 form.TotalBtnCount, form.IconSize);
                    return 1;
                }
            }
            const double drawn = bench::Median(restore) * 1e3,
                         alone = bench::Median(snapshot) * 1e3,
                         drawing = bench::Median(drawIcon) * 1e3, bare = bench::Median(empty) * 1e3;
            const double overhead = drawn / (alone + drawing + bare);
            worst = std::max(worst, overhead);
            std::printf("%3d icons at %3d px: restore to drawn %.1f ms; snapshot alone %.1f ms, "
                        "drawing alone %.1f ms, restoring an empty window %.1f ms; overhead %.2f; "
                        "(settings write %.1f ms, one repaint %.1f ms)\n",
                        icons, size, drawn, alone, drawing, bare, overhead,
                        bench::Median(write) * 1e3, bench::Median(repaint) * 1e3);
        }
    }
    {
        // The largest board: its picture's size, and scrolling to its end a page at a time.
        test::SimulatorProcess simulator(Scenario(500));
        program.settings.RadioGroupIconSize.SetItemIndex(SizeChoice(largest));
        form.SetWindowState(ui::WindowState::Minimized);
        double start = bench::Seconds();
        form.SetWindowState(ui::WindowState::Normal);
        const double restored = bench::Seconds() - start;
        ui::App().ProcessMessages();
        ui::ScrollBox& box = form.ScrollBox1;
        const int end = form.Image1.Height() - box.ClientHeight();
        const int page = box.ClientHeight();
        int pages = 0;
        start = bench::Seconds();
        for (int y = page; pages == 0 || y - page < end; y += page, ++pages) {
            box.ScrollTo(0, std::min(y, end));
            UpdateWindow(form.Handle());
            ui::App().ProcessMessages();
        }
        const double scrolled = bench::Seconds() - start;
        if (box.ScrollY() != end) {
            std::fprintf(stderr, "scrolled to %d, not to the end %d\n", box.ScrollY(), end);
            return 1;
        }
        const ui::Bitmap& picture = form.Image1.Picture();
        std::printf("%d icons at %d px: restore to drawn %.1f ms; picture %dx%d, %.1f MB; scroll "
                    "to the end, %d pages drawn: %.1f ms\n",
                    form.TotalBtnCount, form.IconSize, restored * 1e3, picture.Width(),
                    picture.Height(), picture.Height() * ((picture.Width() * 3 + 3) / 4 * 4) / 1e6,
                    pages, scrolled * 1e3);
    }
    for (int size : {48, 64, largest}) {
        std::printf("ResizeBitmap to %d px: %.1f million output pixels per second\n", size,
                    ResizePixelsPerSecond(size) / 1e6);
    }
    std::printf("restore overhead %.2f\n", worst);
    return 0;
} catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
}
