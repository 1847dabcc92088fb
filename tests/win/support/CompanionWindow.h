#pragma once
// A stand-in for the companion's main window: its class is the one the program looks for.
#include "platform/Win.h"

namespace orvane::test {

class CompanionWindow {
public:
    CompanionWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TKestrinForm";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, L"TKestrinForm", L"Kestrin", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                  100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        closes = 0;
    }
    CompanionWindow(const CompanionWindow&) = delete;
    CompanionWindow& operator=(const CompanionWindow&) = delete;
    ~CompanionWindow() {
        DestroyWindow(window_);
        UnregisterClassW(L"TKestrinForm", GetModuleHandleW(nullptr));
    }
    HWND Window() const { return window_; }

    // WM_CLOSE received; the window stays.
    static inline int closes = 0;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_CLOSE) {
            ++closes;
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    HWND window_;
};

} // namespace orvane::test
