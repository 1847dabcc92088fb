// Times the refresh of the snapshot against a simulated tray in another process, next to
// the bare cross-process round trips that a refresh has to make, in the same run.
#include "bench/Bench.h"
#include "core/DozedeR64Form.h"
#include "platform/Handles.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"
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
        text += std::string("icon ") + (i % 5 == 4 ? "overflow" : "tray") +
                " id=" + std::to_string(i + 1) + " msg=0x8001 color=#" +
                (i % 2 ? "3080ff" : "ff8030") + " tip=Icon number " + std::to_string(i) +
                " with a tip of ordinary length\n";
    }
    return text;
}

std::vector<HWND> Toolbars(HWND taskbar) {
    HWND notify = FindWindowExW(taskbar, nullptr, L"TrayNotifyWnd", nullptr);
    HWND pager = FindWindowExW(notify, nullptr, L"SysPager", nullptr);
    HWND overflow = FindWindowW(L"NotifyIconOverflowWindow", nullptr);
    return {FindWindowExW(pager, nullptr, L"ToolbarWindow32", nullptr),
            FindWindowExW(overflow, nullptr, L"ToolbarWindow32", nullptr)};
}

// Per button: TB_GETBUTTON and its copy back, the write of the info record, TB_GETBUTTONINFOW,
// the copies back of the record and the text, and the copy of the button's data.
int BareRoundTrips(HWND toolbar) {
    DWORD pid = 0;
    GetWindowThreadProcessId(toolbar, &pid);
    platform::UniqueHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    platform::RemoteMemory button(process.Get(), sizeof(TBBUTTON)),
        info(process.Get(), sizeof(TBBUTTONINFOW)), text(process.Get(), 2048);
    const int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    wchar_t tip[1024];
    SIZE_T moved = 0;
    for (int i = 0; i < count; ++i) {
        TBBUTTON b{};
        SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(button.Address()));
        ReadProcessMemory(process.Get(), button.Address(), &b, sizeof b, &moved);
        TBBUTTONINFOW record{};
        record.cbSize = sizeof record;
        record.dwMask = TBIF_TEXT | TBIF_LPARAM | TBIF_COMMAND;
        record.pszText = static_cast<LPWSTR>(text.Address());
        record.cchText = 1024;
        WriteProcessMemory(process.Get(), info.Address(), &record, sizeof record, &moved);
        SendMessageW(toolbar, TB_GETBUTTONINFOW, b.idCommand,
                     reinterpret_cast<LPARAM>(info.Address()));
        ReadProcessMemory(process.Get(), info.Address(), &record, sizeof record, &moved);
        ReadProcessMemory(process.Get(), text.Address(), tip, sizeof tip, &moved);
        TTrayNotify data{};
        ReadProcessMemory(process.Get(), reinterpret_cast<void*>(record.lParam), &data, sizeof data,
                          &moved);
    }
    return count;
}

} // namespace

int wmain() try {
    ui::Application application;
    application.SetTitle(texts::AppTitle);
    bench::PrintedDialogs dialogs;
    TDozedeR64Form form;
    form.SetWindowState(ui::WindowState::Minimized); // the refresh without drawing

    double worst = 0;
    for (int icons : {20, 100, 500}) {
        test::SimulatorProcess simulator(Scenario(icons));
        const int rounds = icons >= 500 ? 15 : 40;
        std::vector<double> refresh, bare;
        for (int round = 0; round < rounds; ++round) {
            double start = bench::Seconds();
            form.Button1Click();
            refresh.push_back(bench::Seconds() - start);
            start = bench::Seconds();
            int buttons = 0;
            for (HWND toolbar : Toolbars(simulator.Taskbar())) buttons += BareRoundTrips(toolbar);
            bare.push_back(bench::Seconds() - start);
            if (form.TotalBtnCount != icons || buttons != icons) {
                std::fwprintf(stderr,
                              L"expected %d buttons, the refresh saw %d and the round trips %d\n",
                              icons, form.TotalBtnCount, buttons);
                return 1;
            }
        }
        const double perIconRefresh = bench::Median(refresh) / icons * 1e6;
        const double perIconBare = bench::Median(bare) / icons * 1e6;
        const double ratio = perIconRefresh / perIconBare;
        worst = std::max(worst, ratio);
        std::printf(
            "%4d icons: refresh %.1f us per icon, bare round trips %.1f us per icon, ratio %.2f\n",
            icons, perIconRefresh, perIconBare, ratio);
    }
    std::printf("refresh ratio %.2f\n", worst);
    return 0;
} catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
}
