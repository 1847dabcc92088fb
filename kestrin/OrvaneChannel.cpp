#include "kestrin/OrvaneChannel.h"

namespace orvane::kestrin {
namespace {

constexpr UINT SendTimeout = 10000;

} // namespace

HWND FindOrvaneEdit() {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, protocol::OrvaneClass, nullptr))) {
        if (HWND edit = GetDlgItem(window, protocol::OrvaneChannel)) return edit;
    }
    return nullptr;
}

void SendToOrvane(const wchar_t* text) {
    HWND edit = FindOrvaneEdit();
    if (!edit) return;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        SendTimeout, &result);
}

} // namespace orvane::kestrin
