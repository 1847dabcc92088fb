#include "operate/TrayGrid.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace orvane {
namespace {

constexpr TaskbarEdge Bottom = TaskbarEdge::Bottom, Left = TaskbarEdge::Left,
                      Top = TaskbarEdge::Top, Right = TaskbarEdge::Right;
constexpr TraySystem Older = TraySystem::Older, Vista = TraySystem::Vista, Win7 = TraySystem::Win7,
                     Win8 = TraySystem::Win8;

// Where the system puts the pointer for an absolute move over the virtual screen: pixel
// left + d × extent div 65536 on each axis (measured under Wine; Windows maps the same way).
Point Landing(const MouseRecord& move, ScreenRect screen) {
    const auto axis = [](std::int64_t d, int origin, int extent) {
        return static_cast<int>(origin + d * extent / 65536);
    };
    return {axis(move.Dx, screen.Left, screen.Right - screen.Left),
            axis(move.Dy, screen.Top, screen.Bottom - screen.Top)};
}

constexpr std::uint32_t VirtualMove = 0xC001; // move, absolute, over the virtual desktop

constexpr ScreenRect Primary{0, 0, 1920, 1080};
// A second monitor right of the primary, one left of it and one above it.
constexpr ScreenRect RightMonitor{1920, 0, 3200, 1024}, RightDesk{0, 0, 3200, 1080};
constexpr ScreenRect LeftMonitor{-1280, 0, 0, 1024}, LeftDesk{-1280, 0, 1920, 1080};
constexpr ScreenRect UpperMonitor{0, -1024, 1280, 0}, UpperDesk{0, -1024, 1920, 1080};

struct EdgeCase {
    ScreenRect taskbar, monitor, desk;
    TaskbarEdge edge;
    Point point;
    std::int32_t dx, dy;
};

class TrayGridEdgeTest : public testing::TestWithParam<EdgeCase> {};

TEST_P(TrayGridEdgeTest, FindsTheTaskbarEdgeAndMovesToItsMiddleOnItsMonitor) {
    const EdgeCase& c = GetParam();
    const TaskbarEdge edge = EdgeOf(c.taskbar, c.monitor);
    EXPECT_EQ(edge, c.edge);
    const Point point = EdgePoint(edge, c.monitor);
    EXPECT_EQ(point, c.point);
    const MouseRecord move = MoveTo(point, c.desk);
    EXPECT_EQ(move, (MouseRecord{c.dx, c.dy, VirtualMove}));
    EXPECT_EQ(Landing(move, c.desk), point);
}

INSTANTIATE_TEST_SUITE_P(
    Taskbars, TrayGridEdgeTest,
    testing::Values(
        EdgeCase{{0, 1040, 1920, 1080}, Primary, Primary, Bottom, {960, 1079}, 32768, 65476},
        EdgeCase{{0, 0, 1920, 40}, Primary, Primary, Top, {960, 0}, 32768, 0},
        EdgeCase{{0, 0, 60, 1080}, Primary, Primary, Left, {0, 540}, 0, 32768},
        EdgeCase{{1860, 0, 1920, 1080}, Primary, Primary, Right, {1919, 540}, 65502, 32768},
        // Exactly on the middle lines: the comparisons are strict.
        EdgeCase{{960, 0, 1920, 1080}, Primary, Primary, Top, {960, 0}, 32768, 0},
        EdgeCase{{961, 0, 1920, 1080}, Primary, Primary, Right, {1919, 540}, 65502, 32768},
        EdgeCase{{0, 0, 959, 1080}, Primary, Primary, Left, {0, 540}, 0, 32768},
        EdgeCase{{0, 540, 1920, 1080}, Primary, Primary, Top, {960, 0}, 32768, 0},
        EdgeCase{{0, 541, 1920, 1080}, Primary, Primary, Bottom, {960, 1079}, 32768, 65476},
        EdgeCase{{0, 728, 1366, 768},
                 {0, 0, 1366, 768},
                 {0, 0, 1366, 768},
                 Bottom,
                 {683, 767},
                 32768,
                 65451},
        // On a second monitor the edge and its middle are that monitor's.
        EdgeCase{
            {1920, 984, 3200, 1024}, RightMonitor, RightDesk, Bottom, {2560, 1023}, 52429, 62078},
        EdgeCase{{1920, 0, 1980, 1024}, RightMonitor, RightDesk, Left, {1920, 512}, 39322, 31069},
        EdgeCase{{-1280, 0, -1220, 1024}, LeftMonitor, LeftDesk, Left, {-1280, 512}, 0, 31069},
        EdgeCase{{-60, 0, 0, 1024}, LeftMonitor, LeftDesk, Right, {-1, 512}, 26194, 31069},
        EdgeCase{{-1280, 984, 0, 1024}, LeftMonitor, LeftDesk, Bottom, {-640, 1023}, 13108, 62078},
        EdgeCase{{0, -1024, 1280, -984}, UpperMonitor, UpperDesk, Top, {640, -1024}, 21846, 0},
        EdgeCase{{0, -40, 1280, 0}, UpperMonitor, UpperDesk, Bottom, {640, -1}, 21846, 31865}));

struct TaskbarRectCase {
    ScreenRect shell;
    std::optional<ScreenRect> window;
    ScreenRect taskbar;
};

class TrayGridTaskbarRectTest : public testing::TestWithParam<TaskbarRectCase> {};

TEST_P(TrayGridTaskbarRectTest, TrustsTheShellWhereItDescribesTheTaskbarWindow) {
    const TaskbarRectCase& c = GetParam();
    const ScreenRect taskbar = TaskbarRect(c.shell, c.window);
    EXPECT_EQ((std::vector{taskbar.Left, taskbar.Top, taskbar.Right, taskbar.Bottom}),
              (std::vector{c.taskbar.Left, c.taskbar.Top, c.taskbar.Right, c.taskbar.Bottom}));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, TrayGridTaskbarRectTest,
    testing::Values(
        // A taskbar that hides itself lies mostly off its monitor; the shell knows its place.
        TaskbarRectCase{
            {0, 1040, 1920, 1080}, ScreenRect{0, 1078, 1920, 1118}, {0, 1040, 1920, 1080}},
        TaskbarRectCase{{0, 1040, 1920, 1080}, std::nullopt, {0, 1040, 1920, 1080}},
        // An answer about another taskbar than the one that holds the notification area.
        TaskbarRectCase{
            {0, 1079, 1920, 1080}, ScreenRect{-1280, 984, 0, 1024}, {-1280, 984, 0, 1024}},
        TaskbarRectCase{{0, 0, 0, 0}, ScreenRect{1920, 984, 3200, 1024}, {1920, 984, 3200, 1024}},
        // Touching is not overlapping.
        TaskbarRectCase{
            {0, 1040, 1920, 1080}, ScreenRect{1920, 1040, 3200, 1080}, {1920, 1040, 3200, 1080}}));

struct MoveCase {
    Point point;
    ScreenRect desk;
    std::int32_t dx, dy;
};

class TrayGridMoveTest : public testing::TestWithParam<MoveCase> {};

TEST_P(TrayGridMoveTest, ScalesOverTheVirtualScreenOntoThePointsPixel) {
    const MoveCase& c = GetParam();
    const MouseRecord move = MoveTo(c.point, c.desk);
    EXPECT_EQ(move, (MouseRecord{c.dx, c.dy, VirtualMove}));
    const bool onScreen = c.point.X >= c.desk.Left && c.point.X < c.desk.Right &&
                          c.point.Y >= c.desk.Top && c.point.Y < c.desk.Bottom;
    if (!onScreen) return;
    EXPECT_EQ(Landing(move, c.desk), c.point);
    // The smallest value that lands there: one less is on the pixel before.
    if (move.Dx > 0) {
        EXPECT_EQ(Landing({move.Dx - 1, move.Dy, 0}, c.desk).X, c.point.X - 1);
    }
    if (move.Dy > 0) {
        EXPECT_EQ(Landing({move.Dx, move.Dy - 1, 0}, c.desk).Y, c.point.Y - 1);
    }
}

constexpr int IntMax = std::numeric_limits<int>::max(), IntMin = std::numeric_limits<int>::min();

INSTANTIATE_TEST_SUITE_P(
    Points, TrayGridMoveTest,
    testing::Values(
        MoveCase{{1553, 1045}, Primary, 53010, 63413}, MoveCase{{1652, 952}, Primary, 56389, 57769},
        MoveCase{{1919, 1079}, Primary, 65502, 65476}, MoveCase{{0, 0}, Primary, 0, 0},
        // Negative coordinates left of and above the primary monitor.
        MoveCase{{-1, 1023}, LeftDesk, 26194, 62078}, MoveCase{{-1280, 0}, LeftDesk, 0, 0},
        MoveCase{{1919, 1079}, LeftDesk, 65516, 65476}, MoveCase{{100, -1}, UpperDesk, 3414, 31865},
        // Off the virtual screen: its nearest border.
        MoveCase{{-5000, 5000}, Primary, 0, 65476}, MoveCase{{-2000, 2000}, LeftDesk, 0, 65476},
        MoveCase{{IntMax, IntMin}, Primary, 65502, 0},
        // No virtual screen to scale by.
        MoveCase{{100, 100}, {0, 0, 0, -5}, 0, 0}));

struct ClickCase {
    Point point;
    ScreenRect window, desk;
    std::optional<MouseRecord> move;
};

class TrayGridClickTest : public testing::TestWithParam<ClickCase> {};

TEST_P(TrayGridClickTest, RefusesAPointOutsideItsWindow) {
    const ClickCase& c = GetParam();
    EXPECT_EQ(ClickMove(c.point, c.window, c.desk), c.move);
}

constexpr ScreenRect NotifyArea{1500, 1040, 1800, 1080};
constexpr ScreenRect LeftNotifyArea{-400, 984, 0, 1024};

INSTANTIATE_TEST_SUITE_P(
    Points, TrayGridClickTest,
    testing::Values(
        ClickCase{{1553, 1045}, NotifyArea, Primary, MouseRecord{53010, 63413, VirtualMove}},
        ClickCase{{1500, 1040}, NotifyArea, Primary, MouseRecord{51200, 63109, VirtualMove}},
        ClickCase{{1799, 1079}, NotifyArea, Primary, MouseRecord{61406, 65476, VirtualMove}},
        ClickCase{{1800, 1045}, NotifyArea, Primary, std::nullopt},
        ClickCase{{1553, 1080}, NotifyArea, Primary, std::nullopt},
        ClickCase{{1499, 1045}, NotifyArea, Primary, std::nullopt},
        ClickCase{{1553, 1039}, NotifyArea, Primary, std::nullopt},
        // A grid row below the window, as a stale icon count would give.
        ClickCase{{1505, 1069 + 24}, NotifyArea, Primary, std::nullopt},
        ClickCase{{-395, 989}, LeftNotifyArea, LeftDesk, MouseRecord{18125, 60014, VirtualMove}},
        ClickCase{{5, 989}, LeftNotifyArea, LeftDesk, std::nullopt},
        // Inside the window but off every screen: the pointer could not get there.
        ClickCase{{-395, 989}, LeftNotifyArea, Primary, std::nullopt}));

struct ShowButtonCase {
    TaskbarEdge edge;
    TraySystem system;
    Point TL, BR, point;
};

class TrayGridShowButtonTest : public testing::TestWithParam<ShowButtonCase> {};

TEST_P(TrayGridShowButtonTest, AimsAtTheButton) {
    const ShowButtonCase& c = GetParam();
    EXPECT_EQ(ShowButtonPoint(c.edge, c.system, c.TL, c.BR), c.point);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TrayGridShowButtonTest,
    testing::Values(ShowButtonCase{Bottom, Win7, {1500, 1040}, {1800, 1080}, {1505, 1055}},
                    ShowButtonCase{Top, Win8, {1500, 0}, {1800, 40}, {1505, 25}},
                    ShowButtonCase{Left, Win7, {0, 800}, {62, 1000}, {57, 805}},
                    ShowButtonCase{Right, Win8, {1860, 800}, {1920, 1000}, {1865, 805}},
                    ShowButtonCase{Bottom, Vista, {1500, 1040}, {1800, 1081}, {1505, 1060}},
                    ShowButtonCase{Top, Older, {1500, 0}, {1800, 40}, {1505, 20}},
                    ShowButtonCase{Left, Vista, {0, 800}, {61, 1000}, {30, 805}},
                    ShowButtonCase{Right, Older, {1860, 800}, {1920, 1000}, {1890, 805}}));

struct VisibleCase {
    VisibleArea area; // edge, system, TL, BR, show button, icons, clock, indicator, Vista area
    std::int32_t i;
    std::optional<Point> point;
};

class TrayGridVisibleTest : public testing::TestWithParam<VisibleCase> {};

TEST_P(TrayGridVisibleTest, PlacesTheIconInItsCell) {
    const VisibleCase& c = GetParam();
    EXPECT_EQ(VisibleIconPoint(c.area, c.i), c.point);
}

constexpr std::optional<Point> None = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    HorizontalLater, TrayGridVisibleTest,
    testing::Values(
        VisibleCase{
            {Bottom, Win8, {1500, 1040}, {1800, 1080}, false, 5, 80, 0, 0}, 2, Point{1553, 1045}},
        VisibleCase{
            {Bottom, Win8, {1500, 1040}, {1800, 1080}, true, 5, 80, 0, 0}, 0, Point{1529, 1045}},
        VisibleCase{
            {Bottom, Win7, {1500, 1040}, {1800, 1080}, false, 5, 80, 0, 0}, 0, Point{1505, 1045}},
        VisibleCase{{Top, Win7, {1500, 0}, {1800, 40}, true, 5, 80, 0, 0}, 0, Point{1529, 5}},
        // The indicator narrows the area on 8 (7 per row, two rows of 20) but not on 7.
        VisibleCase{
            {Bottom, Win8, {1500, 1040}, {1800, 1080}, false, 8, 80, 30, 0}, 7, Point{1505, 1065}},
        VisibleCase{
            {Bottom, Win7, {1500, 1040}, {1800, 1080}, false, 8, 80, 30, 0}, 7, Point{1673, 1045}},
        // Row heights 22.5, 23.5 and 13.33 round to 22, 24 and 13.
        VisibleCase{
            {Bottom, Win7, {1000, 1000}, {1106, 1045}, false, 5, 0, 0, 0}, 4, Point{1005, 1027}},
        VisibleCase{
            {Bottom, Win7, {1000, 1000}, {1106, 1047}, false, 6, 0, 0, 0}, 5, Point{1029, 1029}},
        VisibleCase{
            {Bottom, Win7, {1000, 1000}, {1106, 1040}, false, 9, 0, 0, 0}, 8, Point{1005, 1031}},
        VisibleCase{
            {Bottom, Win7, {1000, 1000}, {1034, 1040}, false, 3, 0, 0, 0}, 2, Point{1005, 1031}},
        // No icon count: one row as high as the window.
        VisibleCase{
            {Bottom, Win7, {1000, 1000}, {1106, 1040}, false, 0, 0, 0, 0}, 4, Point{1005, 1045}},
        VisibleCase{
            {Bottom, Win7, {1000, 1000}, {1106, 1040}, false, -3, 0, 0, 0}, 4, Point{1005, 1045}}));

INSTANTIATE_TEST_SUITE_P(
    HorizontalEarlier, TrayGridVisibleTest,
    testing::Values(
        VisibleCase{{Bottom, Older, {1500, 1040}, {1800, 1080}, false, 20, 80, 30, 92},
                    12,
                    Point{1541, 1063}},
        VisibleCase{{Bottom, Vista, {1500, 1040}, {1800, 1080}, false, 20, 80, 30, 92},
                    5,
                    Point{1523, 1063}},
        VisibleCase{{Top, Older, {1500, 0}, {1800, 40}, true, 20, 80, 30, 92}, 5, Point{1613, 5}},
        VisibleCase{
            {Bottom, Older, {1000, 1000}, {1036, 1040}, false, 2, 0, 0, 0}, 1, Point{1023, 1023}}));

INSTANTIATE_TEST_SUITE_P(
    Vertical, TrayGridVisibleTest,
    testing::Values(
        VisibleCase{{Left, Win7, {0, 600}, {62, 1000}, false, 10, 80, 0, 0}, 0, Point{19, 605}},
        VisibleCase{{Left, Win7, {0, 600}, {62, 1000}, false, 10, 80, 0, 0}, 1, Point{43, 605}},
        VisibleCase{{Left, Win7, {0, 600}, {62, 1000}, false, 10, 80, 0, 0}, 2, Point{19, 629}},
        VisibleCase{{Left, Win8, {0, 600}, {62, 1000}, true, 10, 80, 30, 0}, 0, Point{19, 629}},
        VisibleCase{
            {Right, Win7, {1858, 600}, {1920, 1000}, false, 10, 80, 0, 0}, 1, Point{1887, 605}},
        VisibleCase{
            {Right, Win7, {1858, 600}, {1920, 1000}, true, 10, 80, 0, 0}, 2, Point{1863, 653}},
        VisibleCase{
            {Right, Win8, {1872, 600}, {1920, 1000}, false, 10, 0, 0, 0}, 3, Point{1901, 629}},
        VisibleCase{{Left, Vista, {0, 600}, {62, 1000}, true, 10, 80, 0, 100}, 4, Point{31, 641}},
        VisibleCase{
            {Right, Older, {1858, 600}, {1920, 1000}, false, 10, 80, 0, 0}, 4, Point{1889, 641}}));

INSTANTIATE_TEST_SUITE_P(
    GivenUp, TrayGridVisibleTest,
    testing::Values(
        VisibleCase{{Bottom, Win7, {1000, 1000}, {1033, 1040}, false, 1, 0, 0, 0}, 0, None},
        VisibleCase{{Bottom, Win7, {1000, 1000}, {1034, 1040}, true, 1, 0, 0, 0}, 0, None},
        VisibleCase{{Bottom, Win8, {1500, 1040}, {1800, 1080}, false, 1, 80, 200, 0}, 0, None},
        VisibleCase{{Bottom, Older, {1000, 1000}, {1035, 1040}, false, 1, 0, 0, 0}, 0, None},
        VisibleCase{{Bottom, Vista, {1500, 1040}, {1800, 1080}, false, 1, 80, 0, 300}, 0, None},
        VisibleCase{{Left, Win7, {0, 600}, {23, 1000}, false, 1, 0, 0, 0}, 0, None},
        VisibleCase{{Right, Older, {1900, 600}, {1917, 1000}, false, 1, 0, 0, 0}, 0, None},
        VisibleCase{{Left, Win7, {62, 600}, {0, 1000}, false, 1, 0, 0, 0}, 0, None},
        VisibleCase{{Bottom, Win8, {1500, 1040}, {1800, 1080}, false, 5, 80, 0, 0}, -1, None},
        VisibleCase{{Left, Win7, {0, 600}, {24, 1000}, false, 1, 0, 0, 0},
                    std::numeric_limits<std::int32_t>::max(),
                    None}));

TEST(TrayGridOtherAreasTest, PlaceIconsOfTheHiddenAndSystemAreas) {
    const Point OTL{1600, 900}, OBR{1696, 1000};
    EXPECT_EQ(OverflowIconPoint(OTL, OBR, 4), (Point{1652, 952}));
    EXPECT_EQ(OverflowIconPoint(OTL, OBR, 0), (Point{1620, 920}));
    EXPECT_EQ(OverflowIconPoint(OTL, OBR, 2), (Point{1684, 920}));
    EXPECT_EQ(OverflowIconPoint(OTL, OBR, 3), (Point{1620, 952}));
    EXPECT_EQ(OverflowIconPoint(OTL, {1631, 1000}, 0), None);
    EXPECT_EQ(OverflowIconPoint(OBR, OTL, 0), None);
    EXPECT_EQ(OverflowIconPoint(OTL, OBR, -1), None);

    const ScreenRect tray{1700, 1040, 1750, 1080};
    EXPECT_EQ(SystemIconTrayPoint(tray, 0), (Point{1705, 1045}));
    EXPECT_EQ(SystemIconTrayPoint(tray, 2), (Point{1737, 1045}));
    EXPECT_EQ(SystemIconTrayPoint(tray, 4), (Point{1721, 1061}));
    EXPECT_EQ(SystemIconTrayPoint({1700, 1040, 1715, 1080}, 0), None);
    EXPECT_EQ(SystemIconTrayPoint(tray, -1), None);
}

constexpr MouseRecord Move{53008, 63411, 0x8001};

struct OperationCase {
    std::int32_t action;
    std::vector<MouseRecord> records;
};

class TrayGridOperationTest : public testing::TestWithParam<OperationCase> {};

TEST_P(TrayGridOperationTest, MovesThenPressesTheButtons) {
    EXPECT_EQ(OperationRecords(GetParam().action, Move), GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, TrayGridOperationTest,
    testing::Values(OperationCase{0, {Move, {0, 0, 0x0002}, {0, 0, 0x0004}}},
                    OperationCase{1, {Move, {0, 0, 0x0008}, {0, 0, 0x0010}}},
                    OperationCase{
                        2, {Move, {0, 0, 0x0002}, {0, 0, 0x0004}, {0, 0, 0x0002}, {0, 0, 0x0004}}},
                    OperationCase{3, {}}, OperationCase{-1, {}}));

TEST(TrayGridShowButtonRecordsTest, CarriesTheAbsoluteFlagFromSevenOn) {
    const std::vector<MouseRecord> later{Move, {0, 0, 0x8002}, {0, 0, 0x8004}};
    const std::vector<MouseRecord> earlier{Move, {0, 0, 0x0002}, {0, 0, 0x0004}};
    EXPECT_EQ(ShowButtonRecords(Win7, Move), later);
    EXPECT_EQ(ShowButtonRecords(Win8, Move), later);
    EXPECT_EQ(ShowButtonRecords(Vista, Move), earlier);
    EXPECT_EQ(ShowButtonRecords(Older, Move), earlier);
}

} // namespace
} // namespace orvane
