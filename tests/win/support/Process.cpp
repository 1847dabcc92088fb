#include "support/Process.h"

#include "support/Files.h"

#include <stdexcept>
#include <vector>

namespace orvane::test {

ChildProcess::ChildProcess(const std::wstring& commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        throw std::runtime_error("CreateProcess failed");
    }
    CloseHandle(info.hThread);
    process_.Reset(info.hProcess);
    pid_ = info.dwProcessId;
}

ChildProcess::~ChildProcess() {
    End();
}

bool ChildProcess::Running() const {
    return WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

bool ChildProcess::WaitExit(DWORD timeout, DWORD* exitCode) const {
    if (WaitForSingleObject(process_.Get(), timeout) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(process_.Get(), exitCode);
    return true;
}

HWND FindProcessWindow(DWORD pid, const wchar_t* className, const wchar_t* title) {
    struct Search {
        DWORD pid;
        const wchar_t* className;
        const wchar_t* title;
        HWND found;
    } search{pid, className, title, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[256] = {};
            GetClassNameW(window, name, 256);
            if (owner == s->pid && (!s->className || std::wstring(name) == s->className) &&
                (!s->title || WindowText(window) == s->title)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ChildProcess::WaitForWindow(const wchar_t* className, DWORD timeout,
                                 const wchar_t* title) const {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = FindProcessWindow(pid_, className, title)) return window;
        if (GetTickCount() - start > timeout || !Running()) return nullptr;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
}

void ChildProcess::End(HWND window) {
    if (!process_ || !Running()) return;
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (!window || !WaitExit(5000)) {
        TerminateProcess(process_.Get(), 1);
        WaitExit(5000);
    }
}

std::wstring WindowText(HWND window) {
    wchar_t text[4096] = {};
    GetWindowTextW(window, text, 4096);
    return text;
}

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

std::wstring ProgramPath() {
    return TestFolder() + L"..\\Orvane\\Orvane.exe";
}

std::wstring TraySimPath() {
    return TestFolder() + L"..\\tools\\traysim.exe";
}

} // namespace orvane::test
