#pragma once
// The callback messages the shell posts to an icon's owner for a click, right click, double
// click or hover, in the form the owner chose with NIM_SETVERSION.

#include <cstdint>
#include <vector>

namespace orvane {

inline constexpr std::uint32_t WmContextMenu = 0x007B;
inline constexpr std::uint32_t WmMouseMove = 0x0200;
inline constexpr std::uint32_t WmLButtonDown = 0x0201, WmLButtonUp = 0x0202,
                               WmLButtonDblClk = 0x0203;
inline constexpr std::uint32_t WmRButtonDown = 0x0204, WmRButtonUp = 0x0205;
inline constexpr std::uint32_t NinSelect = 0x0400; // WM_USER

enum class ClickKind { Click, RightClick, DoubleClick, Hover };

struct CallbackForm {
    std::uint64_t wParam = 0;
    std::uint64_t lParam = 0;
    bool operator==(const CallbackForm&) const = default;
};

// Version 0 (and any but 3 and 4): wParam the id, lParam the mouse message. Version 3 adds
// NIN_SELECT and WM_CONTEXTMENU; version 4 packs the event and id into lParam and the anchor
// (screen coordinates) into wParam.
std::vector<CallbackForm> CallbackForms(std::uint32_t version, ClickKind kind, std::uint32_t id,
                                        int anchorX, int anchorY);

} // namespace orvane
