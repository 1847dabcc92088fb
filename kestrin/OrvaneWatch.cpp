#include "kestrin/OrvaneWatch.h"

namespace orvane::kestrin {

void OrvaneWatch::Watch(HWND orvane) {
    DWORD processId = 0;
    GetWindowThreadProcessId(orvane, &processId);
    if (!processId || processId == processId_ || processId == GetCurrentProcessId()) return;
    Stop();
    process_ = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!process_) return;
    processId_ = processId;
    // A thread of the pool waits, so that Kestrin's own thread keeps taking messages.
    if (!RegisterWaitForSingleObject(
            &wait_, process_,
            [](void* self, BOOLEAN) {
                auto* watch = static_cast<OrvaneWatch*>(self);
                PostMessageW(watch->notify_, watch->ended_, watch->processId_, 0);
            },
            this, INFINITE, WT_EXECUTEONLYONCE))
        wait_ = nullptr;
}

void OrvaneWatch::Stop() {
    // Waits for a callback that is running, so that none outlives the watch.
    if (wait_) UnregisterWaitEx(wait_, INVALID_HANDLE_VALUE);
    if (process_) CloseHandle(process_);
    wait_ = process_ = nullptr;
    processId_ = 0;
}

} // namespace orvane::kestrin
