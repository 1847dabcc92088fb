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
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TKestrinForm";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, L"TKestrinForm", L"Kestrin", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                  100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        channel_ =
            CreateWindowExW(0, L"Edit", L"", WS_CHILD, 0, 0, 100, 20, window_,
                            reinterpret_cast<HMENU>(2000), GetModuleHandleW(nullptr), nullptr);
        SetWindowSubclass(channel_, ChannelProc, 0, 0);
        closes = 0;
        texts.clear();
    }
    CompanionWindow(const CompanionWindow&) = delete;
    CompanionWindow& operator=(const CompanionWindow&) = delete;
    ~CompanionWindow() {
        RemoveWindowSubclass(channel_, ChannelProc, 0);
        DestroyWindow(window_);
        UnregisterClassW(L"TKestrinForm", GetModuleHandleW(nullptr));
    }
    HWND Window() const { return window_; }

    // WM_CLOSE received; the window stays.
    static inline int closes = 0;
    // Texts set into the channel control.
    static inline std::vector<std::wstring> texts;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_CLOSE) {
            ++closes;
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    static LRESULT CALLBACK ChannelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR) {
        if (message == WM_SETTEXT && lParam) texts.emplace_back(reinterpret_cast<LPCWSTR>(lParam));
        return DefSubclassProc(window, message, wParam, lParam);
    }
    HWND window_;
    HWND channel_;
};

} // namespace orvane::test
