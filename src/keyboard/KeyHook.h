#pragma once
#include "platform/Win.h"

namespace orvane {

// What the low-level hook does with a key-down: posts it to the window as WM_KEYHOOK
// (wParam the scan code, lParam the virtual-key code).
void ReportHookedKey(HWND target, const KBDLLHOOKSTRUCT& key);
// The low-level keyboard hook now installed; null while there is none.
HHOOK InstalledKeyHook();
// Whether the key is down now, whichever program has the keyboard.
bool KeyHeld(int virtualKey);

} // namespace orvane
