#pragma once
// The simulator's scenario: the tray's layout and icons, one line each (UTF-8 in a file).
//
//     # a comment; blank lines are ignored
//     layout win7|vista|nopager|nooverflow|win11      at most once, before the icons
//     monitor primary|other                           the taskbar's monitor: the primary
//                                                     (default) or the first other one;
//                                                     at most once, before the icons
//     icon tray|overflow|system id=N [msg=N] [color=#RRGGBB] [data=zero|junk]
//          [hicon=none] [owner=gone] [cmd=N] [info=fail|stall] [version=0|3|4] [tipfill=N]
//          [tip=TEXT]
//
// Numbers are decimal or 0x-hexadecimal, 32 bits at most; msg (default 0x8000) lies in
// 0x400..0xFFFF; color defaults to #808080. tip= comes last and takes the rest of the line,
// with \n for a line break and \\ for a backslash; tipfill=N repeats the tip (or "x") to
// exactly N units, N up to kMaxTip. cmd=N gives the button that command identifier (icons
// may share one; by default each button has its own). info=fail makes the toolbar refuse
// the button's info, info=stall makes it stop answering for kStallMs when asked for it.
// "system" icons exist on Vista only, "overflow" ones on win7 and vista. Layout win11 has no
// toolbar: its icons are "tray" ones, added by owners in a process of their own through
// Shell_NotifyIconW (NIM_SETVERSION with version= unless it is 0), so data=, hicon=, cmd=
// and info=, which shape a toolbar button, are refused there, and version= elsewhere. At run
// time a command is one icon line, "remove id=N", "clear", "restart" or "poke hwnd=N" (send
// the window N and every window below it the notifications a parent gets from its controls,
// naming a window of the simulator and junk, as a hostile program could).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace traysim {

enum class Layout { Win7, Vista, NoPager, NoOverflow, Win11 };

enum class TaskbarMonitor { Primary, Other };

// Where an icon lives: the visible notification area, the hidden icons (the overflow
// window, or hidden buttons of the main toolbar on Vista), or Vista's system toolbar.
enum class Area { Tray, Overflow, System };

// What a button's data points at: the icon's record, nothing (0), or unreadable memory.
enum class DataFault { None, Zero, Junk };

// What the toolbar does when another process asks for the button's info.
enum class InfoFault { None, Fail, Stall };

inline constexpr std::size_t kMaxTip = 8192;
inline constexpr unsigned kStallMs = 2000;
inline constexpr std::uint32_t kMinMessage = 0x0400;
inline constexpr std::uint32_t kMaxMessage = 0xFFFF;

struct IconSpec {
    Area area = Area::Tray;
    std::uint32_t id = 0;
    std::uint32_t message = 0x8000;
    std::uint32_t color = 0x808080; // 0xRRGGBB
    DataFault data = DataFault::None;
    bool noIcon = false;    // the record's icon handle is 0
    bool ownerGone = false; // the owner window is destroyed once the button exists
    std::wstring tip;
    std::optional<std::uint32_t> command;
    InfoFault info = InfoFault::None;
    std::uint32_t version = 0; // NOTIFYICONDATA's uVersion: 0, 3 or 4
};

struct Command {
    enum class Kind { None, Layout, Monitor, Icon, Remove, Clear, Restart, Poke };
    Kind kind = Kind::None;
    Layout layout = Layout::Win7;                     // Kind::Layout
    TaskbarMonitor monitor = TaskbarMonitor::Primary; // Kind::Monitor
    IconSpec icon;                                    // Kind::Icon
    std::uint32_t id = 0;                             // Kind::Remove; the window for Kind::Poke
};

struct LineResult {
    Command command;
    std::wstring error; // empty when the line is valid
};

// One line, without its line break. Blank lines and lines starting with '#' give Kind::None.
LineResult ParseLine(std::wstring_view line);

struct Scenario {
    Layout layout = Layout::Win7;
    TaskbarMonitor monitor = TaskbarMonitor::Primary;
    std::vector<IconSpec> icons;
};

struct ScenarioResult {
    Scenario scenario;
    std::wstring error; // "line N: ..." when the text is not a valid scenario
};

// A whole scenario: at most one layout and one monitor line before the icons, then icon lines.
ScenarioResult ParseScenario(std::wstring_view text);

bool AreaAllowed(Layout layout, Area area);
// Why the layout cannot show the icon; empty when it can.
std::wstring IconRefused(Layout layout, const IconSpec& icon);
// An icon line that ParseLine reads back as this icon.
std::wstring FormatIconLine(const IconSpec& icon);

} // namespace traysim
