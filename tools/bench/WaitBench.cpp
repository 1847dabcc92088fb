// Measures the CPU time the real program spends in the waits after a left click on the
// board (the double-click time, then five seconds of processing messages), from outside
// the program: wait_bench [PATH\Orvane.exe].
#include "bench/Bench.h"
#include "resources/Texts.h"
#include "support/Board.h"
#include "support/Files.h"
#include "support/Pointer.h"
#include "support/Process.h"
#include "support/Simulator.h"

#include <tlhelp32.h>

#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>

namespace {

using namespace orvane;

constexpr double MeasuredSeconds = 6.0;

bool UnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

double FileTimeSeconds(FILETIME time) {
    return static_cast<double>(static_cast<ULONGLONG>(time.dwHighDateTime) << 32 |
                               time.dwLowDateTime) /
           1e7;
}

// User and kernel time of another process so far. Wine answers GetProcessTimes for another
// process with the caller's own times, so there the times of the process's threads are
// summed instead; a thread that ends takes its time with it, which the program's threads,
// living as long as it, do not.
class CpuMeter {
public:
    explicit CpuMeter(DWORD pid)
        : pid_(pid),
          process_(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid)) {
        if (!process_) throw std::runtime_error("cannot open Orvane's process");
    }
    double Seconds() {
        FILETIME created, exited, kernel, user;
        if (!threads_) {
            if (!GetProcessTimes(process_.Get(), &created, &exited, &kernel, &user))
                throw std::runtime_error("GetProcessTimes failed for Orvane's process");
            return FileTimeSeconds(kernel) + FileTimeSeconds(user);
        }
        OpenNewThreads();
        double total = 0;
        for (const auto& [id, thread] : threadHandles_) {
            if (GetThreadTimes(thread.Get(), &created, &exited, &kernel, &user))
                total += FileTimeSeconds(kernel) + FileTimeSeconds(user);
        }
        return total;
    }
    const char* Source() const {
        return threads_ ? "the sum over Orvane's threads (GetThreadTimes)"
                        : "GetProcessTimes on Orvane's process";
    }

private:
    void OpenNewThreads() {
        const HANDLE listed = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
        if (listed == INVALID_HANDLE_VALUE)
            throw std::runtime_error("cannot list the threads of Orvane");
        const platform::UniqueHandle snapshot(listed);
        THREADENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Thread32First(snapshot.Get(), &entry); more;
             more = Thread32Next(snapshot.Get(), &entry)) {
            if (entry.th32OwnerProcessID != pid_ || threadHandles_.count(entry.th32ThreadID))
                continue;
            platform::UniqueHandle thread(
                OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ThreadID));
            if (thread) threadHandles_.emplace(entry.th32ThreadID, std::move(thread));
        }
    }

    DWORD pid_;
    platform::UniqueHandle process_;
    bool threads_ = UnderWine();
    std::map<DWORD, platform::UniqueHandle> threadHandles_;
};

// The main window once shown; null when it does not come up within `timeout` ms.
HWND ShownWindow(const test::ChildProcess& program, DWORD timeout) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout && program.Running()) {
        HWND window = test::FindProcessWindow(program.Pid(), L"OrvaneForm", texts::AppTitle);
        if (window && IsWindowVisible(window)) return window;
        Sleep(50);
    }
    return nullptr;
}

struct Span {
    double cpu, wall;
    double Percent() const { return cpu / wall * 100; }
};

Span Measure(CpuMeter& meter, double seconds) {
    const double cpu = meter.Seconds(), wall = bench::Seconds();
    Sleep(static_cast<DWORD>(seconds * 1000));
    return {meter.Seconds() - cpu, bench::Seconds() - wall};
}

int Fail(const char* why) {
    std::fprintf(stderr, "wait benchmark: %s\n", why);
    return 1;
}

} // namespace

int wmain(int argc, wchar_t** argv) try {
    const std::wstring program = argc > 1 ? argv[1] : test::ProgramPath();
    if (!test::FileExists(program)) return Fail("no program at the given path");
    test::ClearDataFolder();
    const std::wstring log = test::TestFolder() + L"bench_wait_owners.log";
    DeleteFileW(log.c_str());
    test::SimulatorProcess tray("layout win7\nicon tray id=1 msg=0x8001 tip=Volume\n"
                                "icon tray id=2 msg=0x8002 tip=Dropbox\n"
                                "icon tray id=3 msg=0x8003 tip=USB\n",
                                log);
    test::ChildProcess orvane(test::Quoted(program));
    const HWND window = ShownWindow(orvane, 20000);
    if (!window) {
        return Fail(orvane.Running() ? "Orvane's window did not appear within 20 s"
                                     : "Orvane ended before its window appeared");
    }
    if (!test::FindChildWindow(window, L"OrvaneImage")) {
        orvane.End(window);
        return Fail("Orvane's window has no board");
    }
    Sleep(500); // restored, drawn and placed
    CpuMeter meter(orvane.Pid());
    // A process that started and drew a window has used some CPU; none means the reading
    // does not work here.
    if (meter.Seconds() <= 0) {
        orvane.End(window);
        return Fail("no CPU time can be read for Orvane");
    }

    const Span idle = Measure(meter, 2.0);
    test::ClickCell(window, 1); // Dropbox
    const Span wait = Measure(meter, MeasuredSeconds);
    for (int i = 0; i < 300 && !IsIconic(window); ++i) Sleep(10);
    const bool minimised = IsIconic(window);
    const size_t operations = test::LoggedOperations(log).size();
    orvane.End(window);
    DeleteFileW(log.c_str());
    if (operations != 2) return Fail("the click did not reach the icon's owner");
    if (!minimised) return Fail("Orvane did not minimise after the click");

    std::printf("idle before the click: %.3f s CPU in %.2f s (%.1f%%)\n", idle.cpu, idle.wall,
                idle.Percent());
    std::printf("CPU time from %s\n", meter.Source());
    std::printf("after the click: %.3f s CPU in %.2f s\n", wait.cpu, wait.wall);
    std::printf("wait cpu %.1f%%\n", wait.Percent());
    return 0;
} catch (const std::exception& e) {
    std::fprintf(stderr, "wait benchmark: %s\n", e.what());
    return 1;
}
