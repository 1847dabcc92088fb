// Reports new and newly activated top-level windows of other processes to one window.
// The hook procedure runs inside those processes: it only posts the window to a relay
// window in the installing process, so that it never blocks them. The relay reports a
// window once it is visible and has a title, which a window seldom has when it is created
// and, under some systems, not yet when it is activated.
//
// The library is loaded into every program that makes a window, so it carries no C/C++
// runtime: its own entry point, no exceptions, no guarded statics, no thread-local data.
#include "Vostrel.h"
#include "VostrelTarget.h"

#include <sddl.h>

namespace {

using vostrel::TargetBlock;

constexpr wchar_t ReportMessageName[] = L"VostrelWindowReport";
constexpr wchar_t RelayClass[] = L"VostrelRelay";
// The user's processes may map it for reading and ask its size; nobody else gets anything,
// and the owner loses its implicit right to change that (OW); the user's SID and ")" follow:
// the owner may be another account (Administrators for an elevated token), and Wine grants
// nothing through OW. The creator's handle keeps the access it asked for.
constexpr wchar_t TargetSecurityStart[] = L"D:P(A;;0x5;;;OW)(A;;0x5;;;";
constexpr UINT_PTR CheckTimer = 1;
constexpr UINT CheckPeriod = 100;
// A window that is not shown with a title by then is not waited for.
constexpr DWORD PendingLimit = 3000;
constexpr int PendingCapacity = 64;
// A hooked process that finds no relay looks again after this long, not at every event.
constexpr DWORD RetryPause = 1000;

struct Pending {
    HWND window;
    DWORD since;
};

HINSTANCE Instance = nullptr;
// Installing process only.
HHOOK Hook = nullptr;
HANDLE OwnBlock = nullptr;
TargetBlock* OwnTarget = nullptr;
HWND Relay = nullptr;
HWND Receiver = nullptr;
UINT ReportMessage = 0;
UINT RelaySeenMessage = 0;
Pending Waiting[PendingCapacity];
int WaitingCount = 0;
// Every hooked process.
volatile UINT SeenMessage = 0;
// GetTickCount when no relay was found, 0 when one was.
volatile DWORD MissedAt = 0;

// The relay named by one block, read the way a hooked process must: nothing stays open, so
// that an old block does not outlive the process that made it.
HWND RelayIn(const wchar_t* name) {
    const HANDLE block = OpenFileMappingW(FILE_MAP_READ, FALSE, name);
    if (!block) return nullptr;
    HWND relay = nullptr;
    if (const auto* view = static_cast<const TargetBlock*>(
            MapViewOfFile(block, FILE_MAP_READ, 0, 0, sizeof(TargetBlock)))) {
        if (view->magic == vostrel::TargetMagic && view->version == vostrel::TargetVersion)
            relay = reinterpret_cast<HWND>(static_cast<INT_PTR>(view->relay));
        UnmapViewOfFile(view);
    }
    CloseHandle(block);
    return relay && IsWindow(relay) ? relay : nullptr;
}

HWND FindRelay() {
    const DWORD now = GetTickCount();
    const DWORD missed = MissedAt;
    if (missed && now - missed < RetryPause) return nullptr;
    for (const wchar_t* name : vostrel::TargetBlockNames) {
        if (const HWND relay = RelayIn(name)) {
            MissedAt = 0;
            return relay;
        }
    }
    MissedAt = now ? now : 1;
    return nullptr;
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    bool seen = code == HCBT_ACTIVATE;
    if (code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
        seen = create && create->lpcs && !(create->lpcs->style & WS_CHILD);
    }
    if (seen) {
        if (const HWND relay = FindRelay()) {
            if (!SeenMessage) SeenMessage = RegisterWindowMessageW(vostrel::SeenMessageName);
            if (SeenMessage) PostMessageW(relay, SeenMessage, wParam, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Any process may post to the relay: what it names is checked here.
bool TopLevel(HWND window) {
    return IsWindow(window) && GetAncestor(window, GA_PARENT) == GetDesktopWindow();
}

bool Adoptable(HWND window) {
    // For another program's window the title is read without a message to it.
    wchar_t title[2] = {0, 0};
    return TopLevel(window) && IsWindowVisible(window) && GetWindowTextW(window, title, 2) > 0;
}

void Report(HWND window) {
    if (Receiver) PostMessageW(Receiver, ReportMessage, reinterpret_cast<WPARAM>(window), 0);
}

void Seen(HWND window) {
    if (!TopLevel(window)) return;
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
    Waiting[at].window = window;
    Waiting[at].since = GetTickCount();
    SetTimer(Relay, CheckTimer, CheckPeriod, nullptr);
}

void CheckWaiting() {
    const DWORD now = GetTickCount();
    int kept = 0;
    for (int i = 0; i < WaitingCount; ++i) {
        const HWND window = Waiting[i].window;
        if (Adoptable(window))
            Report(window);
        else if (now - Waiting[i].since <= PendingLimit && IsWindow(window))
            Waiting[kept++] = Waiting[i];
    }
    WaitingCount = kept;
    if (WaitingCount == 0) KillTimer(Relay, CheckTimer);
}

LRESULT CALLBACK RelayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == RelaySeenMessage && message != 0) {
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
    WNDCLASSW relayClass;
    relayClass.style = 0;
    relayClass.lpfnWndProc = RelayProc;
    relayClass.cbClsExtra = 0;
    relayClass.cbWndExtra = 0;
    relayClass.hInstance = Instance;
    relayClass.hIcon = nullptr;
    relayClass.hCursor = nullptr;
    relayClass.hbrBackground = nullptr;
    relayClass.lpszMenuName = nullptr;
    relayClass.lpszClassName = RelayClass;
    RegisterClassW(&relayClass);
    Relay = CreateWindowExW(0, RelayClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Instance,
                            nullptr);
    return Relay != nullptr;
}

void DestroyRelay() {
    if (!Relay) return;
    // The relay belongs to the thread that started the hook.
    if (GetWindowThreadProcessId(Relay, nullptr) == GetCurrentThreadId())
        DestroyWindow(Relay);
    else
        SendMessageW(Relay, WM_CLOSE, 0, 0);
    Relay = nullptr;
    UnregisterClassW(RelayClass, Instance);
}

using OpenToken = BOOL(WINAPI*)(HANDLE, DWORD, PHANDLE);
using TokenInformation = BOOL(WINAPI*)(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD, PDWORD);
using SidToText = BOOL(WINAPI*)(PSID, LPWSTR*);
using SddlToDescriptor = BOOL(WINAPI*)(LPCWSTR, DWORD, PSECURITY_DESCRIPTOR*, PULONG);

template <class F> F Function(HMODULE module, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool Append(wchar_t* text, int capacity, const wchar_t* more) {
    const int length = lstrlenW(text);
    if (length + lstrlenW(more) >= capacity) return false;
    lstrcpynW(text + length, more, capacity - length);
    return true;
}

// The block's security in SDDL for the user of this process.
bool TargetSecurity(HMODULE advapi, wchar_t* sddl, int capacity) {
    const auto openToken = Function<OpenToken>(advapi, "OpenProcessToken");
    const auto information = Function<TokenInformation>(advapi, "GetTokenInformation");
    const auto sidToText = Function<SidToText>(advapi, "ConvertSidToStringSidW");
    HANDLE token = nullptr;
    if (!openToken || !information || !sidToText ||
        !openToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    union {
        TOKEN_USER user;
        BYTE bytes[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    } user;
    DWORD length = 0;
    const bool known = information(token, TokenUser, &user, sizeof(user), &length);
    CloseHandle(token);
    wchar_t* sid = nullptr;
    if (!known || !sidToText(user.user.User.Sid, &sid)) return false;
    sddl[0] = 0;
    const bool said = Append(sddl, capacity, TargetSecurityStart) && Append(sddl, capacity, sid) &&
                      Append(sddl, capacity, L")");
    LocalFree(sid);
    return said;
}

// advapi32 is loaded here only, so that the hooked processes never load it for us.
PSECURITY_DESCRIPTOR TargetDescriptor() {
    const HMODULE advapi = LoadLibraryW(L"advapi32.dll");
    if (!advapi) return nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    wchar_t sddl[320];
    const auto convert =
        Function<SddlToDescriptor>(advapi, "ConvertStringSecurityDescriptorToSecurityDescriptorW");
    if (!convert || !TargetSecurity(advapi, sddl, 320) ||
        !convert(sddl, SDDL_REVISION_1, &descriptor, nullptr))
        descriptor = nullptr;
    FreeLibrary(advapi);
    return descriptor;
}

void Publish(HWND relay) {
    OwnTarget->relay = reinterpret_cast<INT_PTR>(relay);
    OwnTarget->version = vostrel::TargetVersion;
    InterlockedExchange(reinterpret_cast<volatile LONG*>(&OwnTarget->magic),
                        static_cast<LONG>(vostrel::TargetMagic));
}

// A block that already exists (an old one, or one that someone else made) is used only when
// it is large enough and writable through our handle; its contents are then written afresh.
bool ClaimBlock() {
    if (OwnTarget) return true;
    const PSECURITY_DESCRIPTOR descriptor = TargetDescriptor();
    if (!descriptor) return false;
    SECURITY_ATTRIBUTES attributes;
    attributes.nLength = sizeof(attributes);
    attributes.lpSecurityDescriptor = descriptor;
    attributes.bInheritHandle = FALSE;
    for (const wchar_t* name : vostrel::TargetBlockNames) {
        const HANDLE block = CreateFileMappingW(INVALID_HANDLE_VALUE, &attributes, PAGE_READWRITE,
                                                0, sizeof(TargetBlock), name);
        if (!block) continue;
        void* view =
            MapViewOfFile(block, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(TargetBlock));
        if (!view) {
            CloseHandle(block);
            continue;
        }
        OwnBlock = block;
        OwnTarget = static_cast<TargetBlock*>(view);
        break;
    }
    LocalFree(descriptor);
    return OwnTarget != nullptr;
}

void ReleaseBlock() {
    if (OwnTarget) {
        InterlockedExchange64(&OwnTarget->relay, 0);
        UnmapViewOfFile(OwnTarget);
    }
    if (OwnBlock) CloseHandle(OwnBlock);
    OwnTarget = nullptr;
    OwnBlock = nullptr;
}

} // namespace

extern "C" VOSTREL_API void StartCBTHook(HWND receiver) {
    Receiver = receiver;
    if (!ReportMessage) ReportMessage = RegisterWindowMessageW(ReportMessageName);
    if (!RelaySeenMessage) RelaySeenMessage = RegisterWindowMessageW(vostrel::SeenMessageName);
    if (!ReportMessage || !RelaySeenMessage || !MakeRelay()) return;
    // Without a block of ours the hooked processes could only find an old relay.
    if (!ClaimBlock()) return;
    Publish(Relay);
    if (!Hook) Hook = SetWindowsHookExW(WH_CBT, CbtProc, Instance, 0);
}

extern "C" VOSTREL_API void StopCBTHook() {
    if (Hook) UnhookWindowsHookEx(Hook);
    Hook = nullptr;
    ReleaseBlock();
    DestroyRelay();
    Receiver = nullptr;
    WaitingCount = 0;
}

extern "C" VOSTREL_API const wchar_t* GetHookMsgString() {
    return ReportMessageName;
}

extern "C" BOOL WINAPI VostrelEntry(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        Instance = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        // Other processes must stop posting to a relay that goes with this process.
        if (Hook) UnhookWindowsHookEx(Hook);
        Hook = nullptr;
        ReleaseBlock();
    }
    return TRUE;
}
