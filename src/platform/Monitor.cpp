#include "platform/Monitor.h"

namespace orvane::platform {

MONITORINFO PointerMonitor() {
    POINT pointer{};
    GetCursorPos(&pointer);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &info);
    return info;
}

} // namespace orvane::platform
