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

// The taskbar whose edge is sought: the shell's answer, unless it lies nowhere near the taskbar
// window that holds the notification area (Wine answers for a taskbar of its own).
ScreenRect TaskbarRect(ScreenRect shell, std::optional<ScreenRect> window);
// From the taskbar's rectangle on its monitor.
TaskbarEdge EdgeOf(ScreenRect taskbar, ScreenRect monitor);
// The middle of the monitor's edge that holds the taskbar: its outermost row or column of
// pixels, where the pointer brings out a taskbar that hides itself.
Point EdgePoint(TaskbarEdge edge, ScreenRect monitor);

// The button that shows the hidden icons, in the notification window's client rectangle
// (TL, BR). On 7 and later it sits at the start of the area, elsewhere in its middle.
Point ShowButtonPoint(TaskbarEdge edge, TraySystem system, Point TL, Point BR);

// What the grid of the visible area depends on besides the notification window.
struct VisibleArea {
    TaskbarEdge Edge;
    TraySystem System;
    Point TL, BR; // client rectangle of the notification window
    bool ShowButtonExists;
    std::int32_t IconCount;  // icons of the visible area
    int ClockWidth;          // 0 when the clock is not visible
    int IndicatorWidth;      // 0 when the input indicator is not visible
    int SystemIconTrayWidth; // Vista's system-control area
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

inline constexpr std::uint32_t MouseMove = 0x0001, MouseLeftDown = 0x0002, MouseLeftUp = 0x0004,
                               MouseRightDown = 0x0008, MouseRightUp = 0x0010,
                               MouseVirtualDesk = 0x4000, MouseAbsolute = 0x8000;

// An absolute move to a point of the virtual screen (the bounding rectangle of all monitors).
// The system puts the pointer on pixel left + dx × width div 65536, so dx is the smallest
// value that lands on the point's pixel; a point off the virtual screen goes to its border.
MouseRecord MoveTo(Point point, ScreenRect virtualScreen);
// The move that operates the point, or nothing when the point lies outside the rectangle of
// the window it was worked out from, or off the virtual screen: a click there would hit
// whatever else is there.
std::optional<MouseRecord> ClickMove(Point point, ScreenRect window, ScreenRect virtualScreen);
// The move, then the button records of operation `action` (0 click, 1 right click, 2 double
// click); nothing for another action.
std::vector<MouseRecord> OperationRecords(std::int32_t action, MouseRecord move);
// The move and the left click on the show button; on 7 and later the button records carry
// the absolute flag as well.
std::vector<MouseRecord> ShowButtonRecords(TraySystem system, MouseRecord move);

} // namespace orvane
