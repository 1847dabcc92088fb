// waitwindow CLASS [TIMEOUT_MS]: waits until a visible top-level window of the class exists;
// exit code 0 when it does, 1 on time-out. Lets the scripts wait for a Windows program.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const DWORD timeout = argc > 2 ? static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)) : 20000;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout) {
        for (HWND window = FindWindowW(argv[1], nullptr); window;
             window = FindWindowExW(nullptr, window, argv[1], nullptr)) {
            if (IsWindowVisible(window)) return 0;
        }
        Sleep(50);
    }
    return 1;
}
