#pragma once
#include "platform/Seam.h"

#include <cstdint>

namespace orvane::platform {

// The millisecond counter (timeGetTime) and the wait for messages.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint32_t Now() = 0;
    // Called each time pending messages are processed, so that a stand-in clock can let
    // waits that process messages run out.
    virtual void MessagesProcessed() {}
    // Returns when a message arrives for this thread or the time has passed.
    virtual void WaitForMessages(std::uint32_t milliseconds) = 0;
};

template <> Clock& Real<Clock>();

inline std::uint32_t Now() {
    return Use<Clock>().Now();
}

} // namespace orvane::platform
