#include "traysim/Owners.h"
#include "traysim/TraySim.h"

#include <cstdio>
#include <cwchar>
#include <exception>
#include <string>

// traysim.exe --scenario FILE [--log FILE] [--copydata FILE]: the tray of the scenario until
// the taskbar is closed. traysim.exe --owners PID [--log FILE]: layout win11's owner process,
// which the tray starts itself. Exit code 2 for bad arguments or a bad scenario, 1 when the
// tray cannot be made.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    traysim::TrayOptions options;
    std::wstring scenarioPath;
    std::wstring ownersOf;
    bool valid = arguments != nullptr;
    for (int i = 1; valid && i < count; ++i) {
        const std::wstring_view option = arguments[i];
        if (i + 1 < count && option == L"--scenario") {
            scenarioPath = arguments[++i];
        } else if (i + 1 < count && option == L"--log") {
            options.log = arguments[++i];
        } else if (i + 1 < count && option == L"--copydata") {
            options.copyData = arguments[++i];
        } else if (i + 1 < count && option == L"--owners") {
            ownersOf = arguments[++i];
        } else {
            valid = false;
        }
    }
    LocalFree(arguments);
    if (valid && !ownersOf.empty() && scenarioPath.empty() && options.copyData.empty()) {
        wchar_t* end = nullptr;
        const unsigned long pid = std::wcstoul(ownersOf.c_str(), &end, 10);
        if (pid != 0 && *end == L'\0') return traysim::RunOwners(pid, options.log);
    }
    if (!valid || scenarioPath.empty() || !ownersOf.empty()) {
        std::fputws(L"usage: traysim.exe --scenario FILE [--log FILE] [--copydata FILE]\n", stderr);
        return 2;
    }
    const traysim::ScenarioResult scenario = traysim::LoadScenarioFile(scenarioPath);
    if (!scenario.error.empty()) {
        std::fwprintf(stderr, L"traysim: %ls\n", scenario.error.c_str());
        return 2;
    }
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    options.ownersProgram = program;
    try {
        traysim::Tray tray(scenario.scenario, options);
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
