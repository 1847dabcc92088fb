#include "core/WindowHelpers.h"

#include "platform/Clock.h"
#include "platform/TaskbarList.h"

namespace orvane {

bool ForceForeground(HWND hWnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    AllowSetForegroundWindow(pid);
    const DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    const DWORD me = GetCurrentThreadId();
    AttachThreadInput(me, foregroundThread, TRUE);
    DWORD saved = 0;
    SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &saved, 0);
    // Never written to the user's profile (fWinIni 0).
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0);
    const bool result = SetForegroundWindow(hWnd) != FALSE;
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                          reinterpret_cast<void*>(static_cast<ULONG_PTR>(saved)), 0);
    AttachThreadInput(me, foregroundThread, FALSE);
    return result;
}

void DeleteTaskButton(HWND hWnd) {
    platform::Use<platform::TaskbarList>().DeleteTab(hWnd);
}

void AddTaskButton(HWND hWnd) {
    platform::Use<platform::TaskbarList>().AddTab(hWnd);
}

void WindowPosTop(HWND Handle) {
    SetWindowPos(Handle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    platform::SleepMs(100);
    SetWindowPos(Handle, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

std::wstring WindowTitle(HWND window) {
    wchar_t title[260] = {};
    GetWindowTextW(window, title, 260);
    return title;
}

bool SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result) !=
           0;
}

} // namespace orvane
