#pragma once
#include "platform/Win.h"

#include <cstdint>

namespace orvane {

// The shell's data of one notification button, copied byte for byte out of its process.
struct TTrayNotify {
    HWND hWnd;
    UINT uID;
    UINT uCallbackMessage;
    std::uint64_t dwDammy;
    HICON hIcon;
};
static_assert(sizeof(TTrayNotify) == 32);

} // namespace orvane
