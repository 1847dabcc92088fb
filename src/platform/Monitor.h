#pragma once
#include "platform/Win.h"

namespace orvane::platform {

// The monitor that contains the mouse pointer, or the nearest one when none does.
MONITORINFO PointerMonitor();

} // namespace orvane::platform
