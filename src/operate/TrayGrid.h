#pragma once
// Where the real pointer goes to operate an icon in the shell's notification area, and the
// mouse records that do it; pure rules on plain values.
#include "board/Geometry.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace orvane {

enum class TaskbarEdge { Bottom, Left, Top, Right };

struct ScreenRect {
    int Left, Top, Right, Bottom;
};

// The system as far as the shell's layout depends on it.
enum class TraySystem { Older, Vista, Win7, Win8 };
constexpr bool Win7OrLater(TraySystem system) {
    return system == TraySystem::Win7 || system == TraySystem::Win8;
}

// From the taskbar's rectangle on a primary monitor of width × height pixels.
TaskbarEdge EdgeOf(ScreenRect taskbar, int width, int height);
// The middle of the screen edge that holds the taskbar.
Point EdgePoint(TaskbarEdge edge, int width, int height);

// The button that shows the hidden icons, in the notification window's client rectangle
// (TL, BR). On 7 and later it sits at the start of the area, elsewhere in its middle.
Point ShowButtonPoint(TaskbarEdge edge, TraySystem system, Point TL, Point BR);

// What the grid of the visible area depends on besides the notification window.
struct VisibleArea {
    TaskbarEdge Edge;
    TraySystem System;
    Point TL, BR;               // client rectangle of the notification window
    bool ShowButtonExists;
    std::int32_t IconCount;     // icons of the visible area
    int ClockWidth;             // 0 when the clock is not visible
    int IndicatorWidth;         // 0 when the input indicator is not visible
    int SystemIconTrayWidth;    // Vista's system-control area
};

// The point that operates icon i of the visible area; nothing when the area is narrower than
// one cell.
std::optional<Point> VisibleIconPoint(const VisibleArea& area, std::int32_t i);
// Icon k of the hidden-icon window (7 and later), whose client rectangle is (OTL, OBR).
std::optional<Point> OverflowIconPoint(Point OTL, Point OBR, std::int32_t k);
// Icon k of Vista's system-control area, whose window rectangle is given.
std::optional<Point> SystemIconTrayPoint(ScreenRect area, std::int32_t k);

// One record for SendInput: an absolute move or button transitions.
struct MouseRecord {
    std::int32_t Dx = 0, Dy = 0;
    std::uint32_t Flags = 0;
    bool operator==(const MouseRecord&) const = default;
};

inline constexpr std::uint32_t MouseMove = 0x0001, MouseLeftDown = 0x0002,
                               MouseLeftUp = 0x0004, MouseRightDown = 0x0008,
                               MouseRightUp = 0x0010, MouseAbsolute = 0x8000;

// An absolute move to a screen point of a primary monitor of width × height pixels: the
// coordinates scaled to 0..65535, rounded half to even.
MouseRecord MoveTo(Point point, int width, int height);
// The move, then the button records of operation `action` (0 click, 1 right click, 2 double
// click); nothing for another action.
std::vector<MouseRecord> OperationRecords(std::int32_t action, MouseRecord move);
// The move and the left click on the show button; on 7 and later the button records carry
// the absolute flag as well.
std::vector<MouseRecord> ShowButtonRecords(TraySystem system, MouseRecord move);

} // namespace orvane
