#include "platform/NamedLock.h"

#include "platform/Clock.h"
#include "platform/ui/Application.h"

namespace orvane::platform {

NamedLock::NamedLock(const wchar_t* name) : mutex_(CreateMutexW(nullptr, FALSE, name)) {}

NamedLock::~NamedLock() {
    if (held_) ReleaseMutex(mutex_.Get());
}

bool NamedLock::TryTake() {
    if (!held_ && mutex_) {
        const DWORD result = WaitForSingleObject(mutex_.Get(), 0);
        held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    }
    return held_;
}

bool NamedLock::Take(std::uint32_t milliseconds) {
    if (TryTake()) return true;
    ui::App().ProcessMessagesUntil(Now(), milliseconds, [this] { return TryTake(); });
    return TryTake();
}

} // namespace orvane::platform
