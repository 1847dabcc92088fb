// Reports new and newly activated top-level windows of other processes to one window.
// The hook procedure runs inside those processes: it only posts the window to a relay
// window in the installing process, so that it never blocks them. The relay reports a
// window once it is visible and has a title, which a window seldom has when it is created
// and, under some systems, not yet when it is activated.
#include "Vostrel.h"

namespace {

constexpr wchar_t ReportMessageName[] = L"VostrelWindowReport";
constexpr wchar_t RelayClass[] = L"VostrelRelay";
// Per logon session, like the hook itself.
constexpr wchar_t TargetBlockName[] = L"Local\\VostrelHookTarget";
constexpr UINT SeenMessage = WM_APP + 1; // from the hooked processes to the relay
constexpr UINT_PTR CheckTimer = 1;
constexpr UINT CheckPeriod = 100;
// A window that is not shown with a title by then is not waited for.
constexpr DWORD PendingLimit = 3000;
constexpr int PendingCapacity = 64;

struct TargetBlock {
    volatile LONG64 relay;
};

struct Pending {
    HWND window;
    DWORD since;
};

HINSTANCE Instance = nullptr;
// Installing process only.
HHOOK Hook = nullptr;
HANDLE OwnBlock = nullptr;
HWND Relay = nullptr;
HWND Receiver = nullptr;
Pending Waiting[PendingCapacity];
int WaitingCount = 0;
// Every process: the view of the block, opened on first use.
TargetBlock* Target = nullptr;
HANDLE OpenedBlock = nullptr;

TargetBlock* MapBlock(HANDLE block) {
    return static_cast<TargetBlock*>(
        MapViewOfFile(block, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(TargetBlock)));
}

HWND RelayWindow() {
    if (!Target) {
        HANDLE block = OpenFileMappingW(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, TargetBlockName);
        if (!block) return nullptr;
        TargetBlock* view = MapBlock(block);
        if (!view || InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(&Target),
                                                       view, nullptr) != nullptr) {
            // Another thread of this process mapped it first.
            if (view) UnmapViewOfFile(view);
            CloseHandle(block);
        } else {
            OpenedBlock = block;
        }
        if (!Target) return nullptr;
    }
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(Target->relay));
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    bool seen = code == HCBT_ACTIVATE;
    if (code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
        seen = create && create->lpcs && !(create->lpcs->style & WS_CHILD);
    }
    if (seen) {
        const HWND relay = RelayWindow();
        if (relay) PostMessageW(relay, SeenMessage, wParam, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool Adoptable(HWND window) {
    // For another program's window the title is read without a message to it.
    wchar_t title[2] = {};
    return IsWindowVisible(window) && GetWindowTextW(window, title, 2) > 0;
}

void Report(HWND window) {
    static const UINT message = RegisterWindowMessageW(ReportMessageName);
    if (Receiver) PostMessageW(Receiver, message, reinterpret_cast<WPARAM>(window), 0);
}

void Seen(HWND window) {
    if (Adoptable(window)) {
        Report(window);
        return;
    }
    int at = 0;
    while (at < WaitingCount && Waiting[at].window != window) ++at;
    if (at == WaitingCount) {
        if (WaitingCount == PendingCapacity) return;
        ++WaitingCount;
    }
    Waiting[at] = {window, GetTickCount()};
    SetTimer(Relay, CheckTimer, CheckPeriod, nullptr);
}

void CheckWaiting() {
    const DWORD now = GetTickCount();
    int kept = 0;
    for (int i = 0; i < WaitingCount; ++i) {
        const Pending pending = Waiting[i];
        if (Adoptable(pending.window))
            Report(pending.window);
        else if (now - pending.since <= PendingLimit && IsWindow(pending.window))
            Waiting[kept++] = pending;
    }
    WaitingCount = kept;
    if (WaitingCount == 0) KillTimer(Relay, CheckTimer);
}

LRESULT CALLBACK RelayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == SeenMessage) {
        Seen(reinterpret_cast<HWND>(wParam));
        return 0;
    }
    if (message == WM_TIMER && wParam == CheckTimer) {
        CheckWaiting();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool MakeRelay() {
    if (Relay) return true;
    WNDCLASSW relayClass{};
    relayClass.lpfnWndProc = RelayProc;
    relayClass.hInstance = Instance;
    relayClass.lpszClassName = RelayClass;
    RegisterClassW(&relayClass);
    Relay = CreateWindowExW(0, RelayClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Instance,
                            nullptr);
    return Relay != nullptr;
}

} // namespace

extern "C" VOSTREL_API void StartCBTHook(HWND receiver) {
    Receiver = receiver;
    if (!MakeRelay()) return;
    if (!OwnBlock) {
        OwnBlock = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(TargetBlock), TargetBlockName);
        if (!OwnBlock) return;
    }
    if (!Target) {
        Target = MapBlock(OwnBlock);
        if (!Target) return;
    }
    InterlockedExchange64(&Target->relay, reinterpret_cast<INT_PTR>(Relay));
    if (!Hook) Hook = SetWindowsHookExW(WH_CBT, CbtProc, Instance, 0);
}

extern "C" VOSTREL_API void StopCBTHook() {
    if (Hook) UnhookWindowsHookEx(Hook);
    Hook = nullptr;
    if (Target && OwnBlock) InterlockedExchange64(&Target->relay, 0);
    if (Relay) DestroyWindow(Relay);
    Relay = nullptr;
    Receiver = nullptr;
    WaitingCount = 0;
}

extern "C" VOSTREL_API const wchar_t* GetHookMsgString() {
    return ReportMessageName;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        Instance = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        // Other processes must stop posting to a relay that goes with this process.
        if (Hook) UnhookWindowsHookEx(Hook);
        if (Target && OwnBlock) InterlockedExchange64(&Target->relay, 0);
        if (Target) UnmapViewOfFile(Target);
        if (OpenedBlock) CloseHandle(OpenedBlock);
        if (OwnBlock) CloseHandle(OwnBlock);
    }
    return TRUE;
}
