#pragma once
// A stand-in for the companion's main window: its class is the one the program looks for,
// and its channel control keeps every text the program puts into it.
#include "platform/Win.h"

#include <string>
#include <vector>

namespace orvane::test {

class CompanionWindow {
public:
    CompanionWindow() {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        // The companion's own form may have registered the class in this program already.
        WNDCLASSW windowClass{};
        ownsClass_ = !GetClassInfoW(instance, L"TKestrinForm", &windowClass);
        if (ownsClass_) {
            windowClass.lpfnWndProc = DefWindowProcW;
            windowClass.hInstance = instance;
            windowClass.lpszClassName = L"TKestrinForm";
            RegisterClassW(&windowClass);
        }
        window_ = CreateWindowExW(0, L"TKestrinForm", L"Kestrin", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                  100, nullptr, nullptr, instance, nullptr);
        channel_ = CreateWindowExW(0, L"Edit", L"", WS_CHILD, 0, 0, 100, 20, window_,
                                   reinterpret_cast<HMENU>(2000), instance, nullptr);
        SetWindowSubclass(window_, Proc, 0, 0);
        SetWindowSubclass(channel_, ChannelProc, 0, 0);
        closes = 0;
        texts.clear();
    }
    CompanionWindow(const CompanionWindow&) = delete;
    CompanionWindow& operator=(const CompanionWindow&) = delete;
    ~CompanionWindow() {
        RemoveWindowSubclass(channel_, ChannelProc, 0);
        RemoveWindowSubclass(window_, Proc, 0);
        DestroyWindow(window_);
        if (ownsClass_) UnregisterClassW(L"TKestrinForm", GetModuleHandleW(nullptr));
    }
    HWND Window() const { return window_; }

    // WM_CLOSE received; the window stays.
    static inline int closes = 0;
    // Texts set into the channel control.
    static inline std::vector<std::wstring> texts;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
        if (message == WM_CLOSE) {
            ++closes;
            return 0;
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }
    static LRESULT CALLBACK ChannelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR) {
        if (message == WM_SETTEXT && lParam) texts.emplace_back(reinterpret_cast<LPCWSTR>(lParam));
        return DefSubclassProc(window, message, wParam, lParam);
    }
    bool ownsClass_;
    HWND window_;
    HWND channel_;
};

} // namespace orvane::test
