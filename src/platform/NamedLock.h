#pragma once
#include "platform/Handles.h"
#include "platform/Win.h"

#include <cstdint>

namespace orvane::platform {

// A lock shared by the programs of the session, held by one thread at a time.
class NamedLock {
public:
    explicit NamedLock(const wchar_t* name);
    NamedLock(const NamedLock&) = delete;
    NamedLock& operator=(const NamedLock&) = delete;
    ~NamedLock();

    // Waits for the lock while handling messages; false when it is not had in time. A
    // holder that ended without letting go counts as gone.
    [[nodiscard]] bool Take(std::uint32_t milliseconds);

private:
    bool TryTake();

    UniqueHandle mutex_;
    bool held_ = false;
};

} // namespace orvane::platform
