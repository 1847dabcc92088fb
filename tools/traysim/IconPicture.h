#pragma once
#include "platform/Handles.h"
#include "traysim/NotifyData.h"

#include <cstdint>
#include <string_view>

namespace traysim {

inline constexpr int kPictureSize = 32;

// A 32x32 icon: a filled circle of the colour (0xRRGGBB) with the tip's first character
// in white, transparent around the circle.
orvane::platform::UniqueIcon MakeIconPicture(std::uint32_t color, std::wstring_view tip);

// The icon that Wine's bits describe; empty when the system refuses them.
orvane::platform::UniqueIcon MakeIconFromBits(const IconBits& bits);

} // namespace traysim
