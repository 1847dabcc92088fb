#include "traysim/TraySim.h"

#include <cstdio>
#include <exception>
#include <string>

// traysim.exe --scenario FILE [--log FILE]: the tray of the scenario until the taskbar is
// closed. Exit code 2 for bad arguments or a bad scenario, 1 when the tray cannot be made.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring scenarioPath;
    std::wstring logPath;
    bool valid = arguments != nullptr;
    for (int i = 1; valid && i < count; ++i) {
        const std::wstring_view option = arguments[i];
        if (i + 1 < count && option == L"--scenario") {
            scenarioPath = arguments[++i];
        } else if (i + 1 < count && option == L"--log") {
            logPath = arguments[++i];
        } else {
            valid = false;
        }
    }
    LocalFree(arguments);
    if (!valid || scenarioPath.empty()) {
        std::fputws(L"usage: traysim.exe --scenario FILE [--log FILE]\n", stderr);
        return 2;
    }
    const traysim::ScenarioResult scenario = traysim::LoadScenarioFile(scenarioPath);
    if (!scenario.error.empty()) {
        std::fwprintf(stderr, L"traysim: %ls\n", scenario.error.c_str());
        return 2;
    }
    try {
        traysim::Tray tray(scenario.scenario, logPath);
        tray.OnClose = [] { PostQuitMessage(0); };
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "traysim: %s\n", error.what());
        return 1;
    }
    return 0;
}
