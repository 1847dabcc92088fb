#include "traysim/Window.h"

#include <stdexcept>

namespace traysim {
namespace {

LRESULT CALLBACK HandlerThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* handler = reinterpret_cast<WindowHandler*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (handler) {
        try {
            if (const auto result = handler->Handle(window, message, wParam, lParam)) {
                return *result;
            }
        } catch (...) {
            // Nothing may cross the window procedure; the message gets the default handling.
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

constexpr const wchar_t* kOverflowClass = L"NotifyIconOverflowWindow";
constexpr const wchar_t* kClasses[] = {L"Shell_TrayWnd",
                                       L"TrayNotifyWnd",
                                       L"TrayClockWClass",
                                       L"TrayInputIndicatorWClass",
                                       L"SysPager",
                                       kOverflowClass,
                                       L"TraySimOwner",
                                       L"TraySimOwners",
                                       L"Windows.UI.Composition.DesktopWindowContentBridge"};

} // namespace

void RegisterWindowClasses() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const wchar_t* name : kClasses) {
        WNDCLASSEXW existing{};
        existing.cbSize = sizeof existing;
        if (GetClassInfoExW(instance, name, &existing)) continue;
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = HandlerThunk;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        // The shell's windows paint their own background.
        if (name == kOverflowClass) windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = name;
        if (!RegisterClassExW(&windowClass)) throw std::runtime_error("RegisterClassExW failed");
    }
}

HWND CreateSimWindow(const WindowSpec& wanted, WindowHandler* handler) {
    const RECT& r = wanted.place;
    const HWND window =
        CreateWindowExW(wanted.exStyle, wanted.className, wanted.title, wanted.style, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, wanted.parent, nullptr,
                        GetModuleHandleW(nullptr), handler);
    if (!window) throw std::runtime_error("CreateWindowExW failed");
    return window;
}

} // namespace traysim
