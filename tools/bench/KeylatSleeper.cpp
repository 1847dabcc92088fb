// For the keyboard benchmark: a program that starts and never shows a window. It looks at its
// message queue now and then, so that it counts as ready for input, says that it runs, and
// ends when told to (after a minute at most).
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    if (HANDLE started = OpenEventW(EVENT_MODIFY_STATE, FALSE, L"OrvaneKeylatSleeperStarted")) {
        SetEvent(started);
        CloseHandle(started);
    }
    // Wine makes the event that says "ready for input" only when someone asks for it, and
    // sets it at a look at the queue after that.
    const HANDLE quit = OpenEventW(SYNCHRONIZE, FALSE, L"OrvaneKeylatSleeperQuit");
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 60000) {
        if (MsgWaitForMultipleObjects(quit ? 1 : 0, &quit, FALSE, 20, QS_ALLINPUT) == WAIT_OBJECT_0)
            break;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    if (quit) CloseHandle(quit);
    return 0;
}
