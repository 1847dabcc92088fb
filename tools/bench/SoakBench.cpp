// Restores and minimises the main window a thousand times against a simulated tray of 30
// icons in another process, and compares what the process holds after a warm-up with the end.
#include "bench/Bench.h"
#include "resources/Texts.h"
#include "support/Soak.h"

#include <cstdio>

namespace {

using namespace orvane;

constexpr int WarmUp = 10, Cycles = 1000;

} // namespace

int wmain() try {
    ui::Application application;
    application.SetTitle(texts::AppTitle);
    bench::PrintedDialogs dialogs;
    test::SimulatorProcess tray(test::SoakScenario(30));
    test::ProgramWindows program;

    const double start = bench::Seconds();
    const auto read = test::Soak(program, tray, Cycles, {WarmUp, Cycles});
    const double seconds = bench::Seconds() - start;
    const test::SoakCheckpoint &warm = read.at(0), &end = read.at(1);
    std::printf("%d cycles in %.1f s (%.1f ms each)\n", Cycles, seconds, seconds * 1e3 / Cycles);
    std::printf("%s\n%s\n", test::Describe(warm).c_str(), test::Describe(end).c_str());
    std::printf("held GUI resources delta %+ld, held kernel handles delta %+ld, process handles "
                "delta %+ld\n",
                end.held.Gui() - warm.held.Gui(), end.held.kernelHandles - warm.held.kernelHandles,
                static_cast<long>(end.handles) - static_cast<long>(warm.handles));
    if (warm.privateBytes == 0) {
        std::fprintf(stderr, "soak benchmark: the process's private memory reads 0\n");
        return 1;
    }
    std::printf("soak ratio %.3f\n",
                static_cast<double>(end.privateBytes) / static_cast<double>(warm.privateBytes));
    return 0;
} catch (const std::exception& e) {
    std::fprintf(stderr, "soak benchmark: %s\n", e.what());
    return 1;
}
