#pragma once
#include "platform/Handles.h"

namespace orvane::test {

// An opaque icon of one colour, as a program would hand to Shell_NotifyIconW.
platform::UniqueIcon SolidIcon(int side, COLORREF colour);

} // namespace orvane::test
