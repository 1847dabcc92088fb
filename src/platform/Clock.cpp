#include "platform/Clock.h"

#include "platform/Win.h"

#include <timeapi.h>

namespace orvane::platform {
namespace {

class WindowsClock final : public Clock {
public:
    std::uint32_t Now() override { return timeGetTime(); }
    void WaitForMessages(std::uint32_t milliseconds) override {
        // Also wakes for messages that an earlier look at the queue left in it.
        MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
};

} // namespace

template <> Clock& Real<Clock>() {
    static WindowsClock clock;
    return clock;
}

} // namespace orvane::platform
