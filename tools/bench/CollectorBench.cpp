// Times a program's Shell_NotifyIconW(NIM_MODIFY) with Orvane's icon collector in front of the
// shell over the same call made straight to the shell, in one run (medians of 200), also while
// Orvane's main thread does not run at all; and the restore of a board of 30 icons, from the
// restore to the board drawn, on the collector's road over the toolbar's road.
#include "bench/Bench.h"
#include "platform/Shell.h"
#include "resources/Texts.h"
#include "support/Files.h"
#include "support/Process.h"
#include "support/ProgramWindows.h"
#include "support/Simulator.h"

#include <cstdio>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace orvane;

constexpr int Calls = 200;
constexpr int Icons = 30;

// A program with one icon, which it changes again and again.
class Client {
public:
    Client() {
        window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  nullptr, nullptr);
        data_.cbSize = sizeof data_;
        data_.hWnd = window_;
        data_.uID = 1;
        data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data_.uCallbackMessage = WM_APP;
        data_.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
        if (!Shell_NotifyIconW(NIM_ADD, &data_)) throw std::runtime_error("the shell took no icon");
    }
    ~Client() {
        Shell_NotifyIconW(NIM_DELETE, &data_);
        DestroyWindow(window_);
    }
    double MedianModify() {
        std::vector<double> calls;
        for (int i = 0; i < Calls; ++i) {
            const std::wstring tip = L"Client " + std::to_wstring(i);
            tip.copy(data_.szTip, std::size(data_.szTip) - 1);
            data_.szTip[tip.size()] = L'\0';
            const double start = bench::Seconds();
            Shell_NotifyIconW(NIM_MODIFY, &data_);
            calls.push_back(bench::Seconds() - start);
        }
        return bench::Median(calls);
    }

private:
    HWND window_ = nullptr;
    NOTIFYICONDATAW data_{};
};

bool CollectorInFront() {
    const HWND front = FindWindowW(L"Shell_TrayWnd", nullptr);
    return front && GetPropW(front, platform::CollectorMark);
}

std::string Scenario(const char* layout) {
    std::string text = std::string("layout ") + layout + "\n";
    for (int i = 0; i < Icons; ++i) {
        text += "icon tray id=" + std::to_string(i + 1) + " color=#" +
                (i % 2 ? "3080ff" : "ff8030") + " tip=Icon " + std::to_string(i) + "\n";
    }
    return text;
}

constexpr int Restores = 25;

double MedianRestore(ui::Form& form) {
    std::vector<double> restore;
    for (int round = 0; round < Restores; ++round) {
        form.SetWindowState(ui::WindowState::Minimized);
        const double start = bench::Seconds();
        form.SetWindowState(ui::WindowState::Normal);
        restore.push_back(bench::Seconds() - start);
    }
    return bench::Median(restore);
}

// What the window system alone takes to restore a window of the board's size.
double MedianPlainRestore(const ui::Form& board) {
    ui::Form plain;
    plain.SetFixedBorder(true, false);
    plain.SetClientSize(board.ClientWidth(), board.ClientHeight());
    plain.Show();
    return MedianRestore(plain);
}

} // namespace

int wmain() try {
    test::ClearDataFolder();
    double direct = 0, collected = 0, halted = 0;
    {
        test::SimulatorProcess shell("layout win11\n");
        Client client;
        direct = client.MedianModify();
        test::ChildProcess program(test::Quoted(test::ProgramPath()));
        const HWND main = program.WaitForWindow(L"OrvaneForm", 10000);
        for (int i = 0; i < 1000 && !CollectorInFront(); ++i) Sleep(10);
        if (!main || !CollectorInFront())
            throw std::runtime_error("Orvane's collector is not in front");
        collected = client.MedianModify();
        const HANDLE thread =
            OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(main, nullptr));
        if (!thread || SuspendThread(thread) == static_cast<DWORD>(-1))
            throw std::runtime_error("Orvane's main thread cannot be halted");
        // A thread halted at any point may hold a lock of the system's: it runs again after a
        // while whatever happens, so that a wait on it shows in the times instead of hanging.
        std::thread watchdog([thread] {
            Sleep(3000);
            ResumeThread(thread);
        });
        halted = client.MedianModify();
        watchdog.join();
        CloseHandle(thread);
        program.End(main);
    }
    std::printf("Shell_NotifyIconW(NIM_MODIFY): straight to the shell %.3f ms, through the "
                "collector %.3f ms, with Orvane's main thread halted %.3f ms (medians of %d)\n",
                direct * 1e3, collected * 1e3, halted * 1e3, Calls);

    ui::Application application;
    application.SetTitle(texts::AppTitle);
    bench::PrintedDialogs dialogs;
    test::ProgramWindows program;
    TDozedeR64Form& form = program.main;
    form.Show();
    double toolbar = 0, collector = 0;
    {
        test::SimulatorProcess shell(Scenario("win7"));
        form.TrayRoad = TDozedeR64Form::TrayRoadToolbar;
        form.ApplyTrayRoad();
        toolbar = MedianRestore(form);
        if (form.TotalBtnCount != Icons) throw std::runtime_error("the toolbar was not read");
    }
    {
        test::SimulatorProcess shell(Scenario("win11"));
        form.TrayRoad = TDozedeR64Form::TrayRoadCollector;
        form.ApplyTrayRoad();
        // The owners add their icons again when the collector asks.
        for (int i = 0; i < 1000 && form.TotalBtnCount < Icons + 2; ++i) {
            form.Button1Click();
            application.ProcessMessagesFor(10);
        }
        collector = MedianRestore(form);
        if (form.TotalBtnCount != Icons + 2)
            throw std::runtime_error("the icons were not collected");
    }
    const double plain = MedianPlainRestore(form);
    std::printf("%d icons, restore to the board drawn: the toolbar's road %.1f ms, the "
                "collector's road %.1f ms; a plain window of the board's size %.1f ms (medians "
                "of %d)\n",
                Icons, toolbar * 1e3, collector * 1e3, plain * 1e3, Restores);
    std::printf("collector own-part ratio %.2f (each road's restore beyond the plain window's)\n",
                (collector - plain) / (toolbar - plain));
    std::printf("collector restore ratio %.2f\n", collector / toolbar);
    std::printf("collector busy ratio %.2f\n", halted / direct);
    std::printf("collector notify ratio %.2f\n", collected / direct);
    test::ClearDataFolder();
    return 0;
} catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
}
