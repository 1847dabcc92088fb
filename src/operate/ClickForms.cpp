#include "operate/ClickForms.h"

#include <span>

namespace orvane {
namespace {

std::uint64_t MakeLong(std::uint64_t low, std::uint64_t high) {
    return (low & 0xFFFF) | (high & 0xFFFF) << 16;
}

std::span<const std::uint32_t> Events(std::uint32_t version, ClickKind kind) {
    static constexpr std::uint32_t click[] = {WmLButtonDown, WmLButtonUp, NinSelect};
    static constexpr std::uint32_t rightClick[] = {WmRButtonDown, WmRButtonUp, WmContextMenu};
    static constexpr std::uint32_t doubleClick[] = {WmLButtonDown, WmLButtonUp, NinSelect,
                                                    WmLButtonDblClk, WmLButtonUp};
    static constexpr std::uint32_t oldDoubleClick[] = {
        WmLButtonDown, WmLButtonUp, WmLButtonDown, WmLButtonUp, WmLButtonDblClk, WmLButtonUp};
    static constexpr std::uint32_t hover[] = {WmMouseMove};
    // Versions 3 and 4 follow a left click's release with NIN_SELECT and a right click's with
    // WM_CONTEXTMENU; older owners get the mouse messages alone.
    const bool select = version == 3 || version == 4;
    switch (kind) {
    case ClickKind::Click:
        return std::span(click).first(select ? 3 : 2);
    case ClickKind::RightClick:
        return std::span(rightClick).first(select ? 3 : 2);
    case ClickKind::DoubleClick:
        return select ? std::span<const std::uint32_t>(doubleClick) : oldDoubleClick;
    case ClickKind::Hover:
        return hover;
    }
    return {};
}

} // namespace

std::vector<CallbackForm> CallbackForms(std::uint32_t version, ClickKind kind, std::uint32_t id,
                                        int anchorX, int anchorY) {
    std::vector<CallbackForm> forms;
    for (const std::uint32_t event : Events(version, kind)) {
        if (version == 4) {
            forms.push_back(
                {MakeLong(static_cast<std::uint64_t>(anchorX), static_cast<std::uint64_t>(anchorY)),
                 MakeLong(event, id)});
        } else {
            forms.push_back({id, event});
        }
    }
    return forms;
}

} // namespace orvane
