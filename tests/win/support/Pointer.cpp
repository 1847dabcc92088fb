#include "support/Pointer.h"

#include <cwchar>
#include <vector>

namespace orvane::test {

INPUT PointerMove(POINT screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = static_cast<LONG>(screen.x * 65535.0 / GetSystemMetrics(SM_CXSCREEN) + 0.5);
    input.mi.dy = static_cast<LONG>(screen.y * 65535.0 / GetSystemMetrics(SM_CYSCREEN) + 0.5);
    return input;
}

POINT Landing(const INPUT& move) {
    const auto axis = [](LONG d, int origin, int extent) {
        return static_cast<LONG>(origin + static_cast<long long>(d) * extent / 65536);
    };
    return {
        axis(move.mi.dx, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN)),
        axis(move.mi.dy, GetSystemMetrics(SM_YVIRTUALSCREEN),
             GetSystemMetrics(SM_CYVIRTUALSCREEN))};
}

INPUT MouseButtons(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

INPUT Key(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

void SendRecords(std::initializer_list<INPUT> records) {
    std::vector<INPUT> all(records);
    SendInput(static_cast<UINT>(all.size()), all.data(), sizeof(INPUT));
}

HWND FindChildWindow(HWND parent, const wchar_t* className) {
    struct Search {
        const wchar_t* className;
        HWND found;
    } search{className, nullptr};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (std::wcscmp(name, s->className) != 0) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace orvane::test
