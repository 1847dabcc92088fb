#pragma once
// A window of a thread that takes no messages until the object goes or 3 s have passed.
#include "platform/Win.h"

#include <thread>

namespace orvane::test {

class StalledWindow {
public:
    // A child control with `childId` is made when it is not 0.
    explicit StalledWindow(const wchar_t* className = L"STATIC", int childId = 0) {
        thread_ = std::thread([this, className, childId] {
            window_ = CreateWindowExW(0, className, L"stalled", WS_POPUP, 10, 10, 50, 50, nullptr,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
            if (childId) {
                CreateWindowExW(0, L"Edit", L"", WS_CHILD, 0, 0, 40, 20, window_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId)), nullptr,
                                nullptr);
            }
            SetEvent(made_);
            WaitForSingleObject(release_, 3000);
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            DestroyWindow(window_);
        });
        WaitForSingleObject(made_, INFINITE);
    }
    StalledWindow(const StalledWindow&) = delete;
    StalledWindow& operator=(const StalledWindow&) = delete;
    ~StalledWindow() {
        SetEvent(release_);
        thread_.join();
        CloseHandle(made_);
        CloseHandle(release_);
    }
    HWND Window() const { return window_; }

private:
    HANDLE made_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND window_ = nullptr;
    std::thread thread_;
};

} // namespace orvane::test
