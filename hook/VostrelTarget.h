#pragma once
// What the hooked processes and the installing process share: the block that names the
// relay window and the message posted to it. The library's tests read it as a hooked
// process would.
#include <windows.h>

namespace vostrel {

// Per logon session, like the hook itself. A block that cannot be made ours (an old one
// that another process still holds) is passed over for the next name; readers take the
// first block that names a live relay.
constexpr const wchar_t* TargetBlockNames[] = {
    L"Local\\VostrelHookTarget", L"Local\\VostrelHookTarget.2", L"Local\\VostrelHookTarget.3",
    L"Local\\VostrelHookTarget.4"};

// Posted by a hooked process to the relay: wParam the window, lParam 0.
constexpr wchar_t SeenMessageName[] = L"VostrelWindowSeen";

constexpr DWORD TargetMagic = 0x6C727356; // "Vsrl"
constexpr DWORD TargetVersion = 1;

struct TargetBlock {
    DWORD magic;
    DWORD version;
    volatile LONG64 relay;
};

} // namespace vostrel
