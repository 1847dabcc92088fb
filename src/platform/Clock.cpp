#include "platform/Clock.h"

#include "platform/Win.h"

#include <timeapi.h>

namespace orvane::platform {
namespace {

class WindowsClock final : public Clock {
public:
    std::uint32_t Now() override { return timeGetTime(); }
    void Sleep(std::uint32_t milliseconds) override { ::Sleep(milliseconds); }
};

} // namespace

template <> Clock& Real<Clock>() {
    static WindowsClock clock;
    return clock;
}

} // namespace orvane::platform
