#include "operate/TrayGrid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace orvane {
namespace {

// Coordinates are worked out in 64 bits so that odd window rectangles or icon numbers cannot
// overflow; a result that does not fit back into an int is no place to click.
using Wide = std::int64_t;

constexpr Wide IntMin = std::numeric_limits<int>::min();
constexpr Wide IntMax = std::numeric_limits<int>::max();

int Clamped(Wide value) {
    return static_cast<int>(value < IntMin ? IntMin : value > IntMax ? IntMax : value);
}

std::optional<Point> PointIfFits(Wide x, Wide y) {
    if (x < IntMin || x > IntMax || y < IntMin || y > IntMax) return std::nullopt;
    return Point{static_cast<int>(x), static_cast<int>(y)};
}

// Half to even whatever rounding mode the floating-point environment was left in.
double RoundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5) return below;
    if (fraction > 0.5) return below + 1;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

// The smallest n with offset = n × extent div 65536: the first value that lands on the pixel.
std::int32_t Normalised(int coordinate, int origin, Wide extent) {
    if (extent <= 0) return 0;
    const Wide offset = std::clamp<Wide>(Wide{coordinate} - origin, 0, extent - 1);
    return static_cast<std::int32_t>(std::min<Wide>((offset * 65536 + extent - 1) / extent, 65535));
}

bool Contains(ScreenRect rect, Point point) {
    return point.X >= rect.Left && point.X < rect.Right && point.Y >= rect.Top &&
           point.Y < rect.Bottom;
}

bool Overlap(ScreenRect a, ScreenRect b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// Icon k of a grid filled line by line, perLine icons a line; origin is the point of icon 0.
std::optional<Point> GridPoint(Wide originX, Wide originY, Wide k, Wide perLine, Wide columnPitch,
                               Wide rowPitch) {
    if (k < 0 || perLine < 1) return std::nullopt;
    return PointIfFits(originX + k % perLine * columnPitch, originY + k / perLine * rowPitch);
}

} // namespace

ScreenRect TaskbarRect(ScreenRect shell, std::optional<ScreenRect> window) {
    return window && !Overlap(shell, *window) ? *window : shell;
}

TaskbarEdge EdgeOf(ScreenRect taskbar, ScreenRect monitor) {
    const Wide width = Wide{monitor.Right} - monitor.Left;
    const Wide height = Wide{monitor.Bottom} - monitor.Top;
    if (Wide{taskbar.Left} - monitor.Left > width / 2) return TaskbarEdge::Right;
    if (Wide{taskbar.Right} - monitor.Left < width / 2) return TaskbarEdge::Left;
    if (Wide{taskbar.Top} - monitor.Top > height / 2) return TaskbarEdge::Bottom;
    return TaskbarEdge::Top;
}

Point EdgePoint(TaskbarEdge edge, ScreenRect monitor) {
    const int middleX = Clamped(Wide{monitor.Left} + (Wide{monitor.Right} - monitor.Left) / 2);
    const int middleY = Clamped(Wide{monitor.Top} + (Wide{monitor.Bottom} - monitor.Top) / 2);
    switch (edge) {
    case TaskbarEdge::Right:
        return {Clamped(Wide{monitor.Right} - 1), middleY};
    case TaskbarEdge::Left:
        return {monitor.Left, middleY};
    case TaskbarEdge::Bottom:
        return {middleX, Clamped(Wide{monitor.Bottom} - 1)};
    case TaskbarEdge::Top:
        break;
    }
    return {middleX, monitor.Top};
}

Point ShowButtonPoint(TaskbarEdge edge, TraySystem system, Point TL, Point BR) {
    const Wide left = TL.X, top = TL.Y, right = BR.X, bottom = BR.Y;
    const bool horizontal = edge == TaskbarEdge::Bottom || edge == TaskbarEdge::Top;
    if (!Win7OrLater(system)) {
        if (horizontal) return {Clamped(left + 5), Clamped(top + (bottom - top) / 2)};
        return {Clamped(left + (right - left) / 2), Clamped(top + 5)};
    }
    switch (edge) {
    case TaskbarEdge::Bottom:
        return {Clamped(left + 5), Clamped(top + 15)};
    case TaskbarEdge::Top:
        return {Clamped(left + 5), Clamped(bottom - 15)};
    case TaskbarEdge::Left:
        return {Clamped(right - 5), Clamped(top + 5)};
    case TaskbarEdge::Right:
        break;
    }
    return {Clamped(left + 5), Clamped(top + 5)};
}

std::optional<Point> VisibleIconPoint(const VisibleArea& area, std::int32_t i) {
    const bool modern = Win7OrLater(area.System);
    const Wide left = area.TL.X, top = area.TL.Y;
    Wide width = Wide{area.BR.X} - left;
    // On 7 and later the show button takes the first cell.
    const Wide offset = modern && area.ShowButtonExists ? 24 : 0;

    if (area.Edge == TaskbarEdge::Bottom || area.Edge == TaskbarEdge::Top) {
        width -= area.ClockWidth;
        if (area.System == TraySystem::Win8) width -= area.IndicatorWidth;
        if (!modern) {
            if (area.System == TraySystem::Vista) width -= Wide{area.SystemIconTrayWidth} + 10;
            return GridPoint(left + 23, top + 5, i, width / 18 - 1, 18, 18);
        }
        const Wide perRow = (width - 10) / 24 - (area.ShowButtonExists ? 1 : 0);
        if (perRow < 1) return std::nullopt;
        const Wide rows = area.IconCount > 0 ? (area.IconCount - 1) / perRow + 1 : 1;
        const auto rowHeight = static_cast<Wide>(
            RoundHalfEven(static_cast<double>(Wide{area.BR.Y} - top) / static_cast<double>(rows)));
        return GridPoint(left + offset + 5, top + 5, i, perRow, 24, rowHeight);
    }

    if (!modern) {
        return GridPoint(left + width % 18 + 5, top + 23, i, width / 18, 18, 18);
    }
    // Only the left edge pushes the columns against the screen's side by the remainder.
    const Wide rest = area.Edge == TaskbarEdge::Left ? width % 24 : 0;
    return GridPoint(left + rest + 5, top + offset + 5, i, width / 24, 24, 24);
}

std::optional<Point> OverflowIconPoint(Point OTL, Point OBR, std::int32_t k) {
    const Wide perRow = (Wide{OBR.X} - OTL.X) / 32;
    return GridPoint(Wide{OTL.X} + 20, Wide{OTL.Y} + 20, k, perRow, 32, 32);
}

std::optional<Point> SystemIconTrayPoint(ScreenRect area, std::int32_t k) {
    const Wide perRow = (Wide{area.Right} - area.Left) / 16;
    return GridPoint(Wide{area.Left} + 5, Wide{area.Top} + 5, k, perRow, 16, 16);
}

MouseRecord MoveTo(Point point, ScreenRect virtualScreen) {
    return {Normalised(point.X, virtualScreen.Left, Wide{virtualScreen.Right} - virtualScreen.Left),
            Normalised(point.Y, virtualScreen.Top, Wide{virtualScreen.Bottom} - virtualScreen.Top),
            MouseMove | MouseVirtualDesk | MouseAbsolute};
}

std::optional<MouseRecord> ClickMove(Point point, ScreenRect window, ScreenRect virtualScreen) {
    if (!Contains(window, point) || !Contains(virtualScreen, point)) return std::nullopt;
    return MoveTo(point, virtualScreen);
}

std::vector<MouseRecord> OperationRecords(std::int32_t action, MouseRecord move) {
    switch (action) {
    case 0:
        return {move, {0, 0, MouseLeftDown}, {0, 0, MouseLeftUp}};
    case 1:
        return {move, {0, 0, MouseRightDown}, {0, 0, MouseRightUp}};
    case 2:
        return {move,
                {0, 0, MouseLeftDown},
                {0, 0, MouseLeftUp},
                {0, 0, MouseLeftDown},
                {0, 0, MouseLeftUp}};
    default:
        return {};
    }
}

std::vector<MouseRecord> ShowButtonRecords(TraySystem system, MouseRecord move) {
    const std::uint32_t extra = Win7OrLater(system) ? MouseAbsolute : 0;
    return {move, {0, 0, MouseLeftDown | extra}, {0, 0, MouseLeftUp | extra}};
}

} // namespace orvane
