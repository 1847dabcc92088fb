#include "core/WindowHelpers.h"

#include "platform/Clock.h"
#include "platform/TaskbarList.h"
#include "platform/ui/Application.h"

namespace orvane {

bool ForceForeground(HWND hWnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    AllowSetForegroundWindow(pid);
    const HWND foreground = GetForegroundWindow();
    const DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    const DWORD me = GetCurrentThreadId();
    // Sharing the input of a thread that takes no messages would stall this one.
    const bool attached = foregroundThread && foregroundThread != me &&
                          !IsHungAppWindow(foreground) &&
                          AttachThreadInput(me, foregroundThread, TRUE);
    DWORD saved = 0;
    // Only a setting that was read is changed and put back; never written to the user's
    // profile (fWinIni 0).
    const bool lockRead = SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &saved, 0);
    if (lockRead) SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0);
    const bool result = SetForegroundWindow(hWnd) != FALSE;
    if (lockRead)
        SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                              reinterpret_cast<void*>(static_cast<ULONG_PTR>(saved)), 0);
    if (attached) AttachThreadInput(me, foregroundThread, FALSE);
    return result;
}

bool OfOtherThread(HWND window) {
    return GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId();
}

void ShowWindowOf(HWND window, int command) {
    if (OfOtherThread(window))
        ShowWindowAsync(window, command);
    else
        ShowWindow(window, command);
}

void SetTopmost(HWND window, bool topmost) {
    UINT flags = SWP_NOMOVE | SWP_NOSIZE;
    if (OfOtherThread(window)) flags |= SWP_ASYNCWINDOWPOS;
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, flags);
}

void DeleteTaskButton(HWND hWnd) {
    platform::Use<platform::TaskbarList>().DeleteTab(hWnd);
}

void AddTaskButton(HWND hWnd) {
    platform::Use<platform::TaskbarList>().AddTab(hWnd);
}

void WindowPosTop(HWND Handle) {
    SetTopmost(Handle, true);
    ui::App().ProcessMessagesFor(100);
    SetTopmost(Handle, false);
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
