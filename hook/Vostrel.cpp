// Reports new and newly activated top-level windows of other processes to one window.
// The hook procedure runs inside those processes: it only posts, so that it never blocks
// them, and it reads the receiving window from a named block that the installing process
// owns.
#include "Vostrel.h"

namespace {

constexpr wchar_t ReportMessageName[] = L"VostrelWindowReport";
// Per logon session, like the hook itself.
constexpr wchar_t TargetBlockName[] = L"Local\\VostrelHookTarget";

struct TargetBlock {
    volatile LONG64 window;
};

HINSTANCE Instance = nullptr;
// Installing process only.
HHOOK Hook = nullptr;
HANDLE OwnBlock = nullptr;
// Every process: the view of the block, opened on first use.
TargetBlock* Target = nullptr;
HANDLE OpenedBlock = nullptr;

TargetBlock* MapBlock(HANDLE block) {
    return static_cast<TargetBlock*>(
        MapViewOfFile(block, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(TargetBlock)));
}

HWND ReportTarget() {
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
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(Target->window));
}

UINT ReportMessage() {
    static UINT message = 0;
    if (!message) message = RegisterWindowMessageW(ReportMessageName);
    return message;
}

void Report(HWND window) {
    const HWND target = ReportTarget();
    if (target) PostMessageW(target, ReportMessage(), reinterpret_cast<WPARAM>(window), 0);
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        // A window is created hidden and untitled more often than not: the report of its
        // activation follows once it is shown.
        const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
        if (create && create->lpcs && !(create->lpcs->style & WS_CHILD))
            Report(reinterpret_cast<HWND>(wParam));
    } else if (code == HCBT_ACTIVATE) {
        Report(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

extern "C" VOSTREL_API void StartCBTHook(HWND receiver) {
    if (!OwnBlock) {
        OwnBlock = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(TargetBlock), TargetBlockName);
        if (!OwnBlock) return;
    }
    if (!Target) {
        Target = MapBlock(OwnBlock);
        if (!Target) return;
    }
    InterlockedExchange64(&Target->window, reinterpret_cast<INT_PTR>(receiver));
    if (!Hook) Hook = SetWindowsHookExW(WH_CBT, CbtProc, Instance, 0);
}

extern "C" VOSTREL_API void StopCBTHook() {
    if (Hook) UnhookWindowsHookEx(Hook);
    Hook = nullptr;
    if (Target) InterlockedExchange64(&Target->window, 0);
}

extern "C" VOSTREL_API const wchar_t* GetHookMsgString() {
    return ReportMessageName;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        Instance = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        // The receiver goes with this process: other processes must stop posting to it.
        if (Hook) StopCBTHook();
        if (Target) UnmapViewOfFile(Target);
        if (OpenedBlock) CloseHandle(OpenedBlock);
        if (OwnBlock) CloseHandle(OwnBlock);
    }
    return TRUE;
}
