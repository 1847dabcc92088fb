#pragma once
// Watches Orvane's process. Orvane closes Kestrin when it closes in order; if its process ends
// while Kestrin runs, the windows it took off the taskbar would have neither a button nor an
// icon, so Kestrin is told.

#include "platform/Win.h"

namespace orvane::kestrin {

class OrvaneWatch {
public:
    // `ended` is posted to `notify` once the watched process has ended.
    OrvaneWatch(HWND notify, UINT ended) : notify_(notify), ended_(ended) {}
    OrvaneWatch(const OrvaneWatch&) = delete;
    OrvaneWatch& operator=(const OrvaneWatch&) = delete;
    ~OrvaneWatch() { Stop(); }

    // Watches the process of Orvane's window from now on, unless it is the one watched.
    void Watch(HWND orvane);

private:
    void Stop();

    HWND notify_;
    UINT ended_;
    DWORD processId_ = 0;
    HANDLE process_ = nullptr;
    HANDLE wait_ = nullptr;
};

} // namespace orvane::kestrin
