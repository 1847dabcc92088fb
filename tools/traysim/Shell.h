#pragma once
#include "platform/Win.h"
#include "traysim/Scenario.h"
#include "traysim/ToolbarControl.h"
#include "traysim/Window.h"

#include <memory>

namespace traysim {

// What the arrangement depends on besides the buttons themselves.
struct HiddenIcons {
    int count = 0;      // icons behind the show button
    bool shown = false; // the user opened them
};

// The screen rectangle of the monitor; throws std::runtime_error when there is no other
// monitor than the primary.
RECT MonitorRect(TaskbarMonitor monitor);

// Layout win11's icons: pictures of this size, side by side in cells of kBridgeCell pixels.
inline constexpr int kBridgeIcon = 20;
inline constexpr int kBridgeCell = 24;

// One generation of the shell's windows. The taskbar starts as a message-only window, which
// no lookup finds; Publish makes it a topmost top-level window once everything exists, and
// Announce marks it as the simulator's (FindTaskbar) once its first icons are there.
class Shell {
public:
    // The taskbar lies along the bottom of the monitor's rectangle.
    Shell(Layout layout, RECT monitor, WindowHandler& handler, HFONT font);
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;
    ~Shell();

    void Publish();
    void Announce();
    // bridgeIcons: how many icons layout win11's bridge shows.
    void Arrange(const HiddenIcons& hidden, int bridgeIcons = 0);
    // The toolbar that shows icons of the area: Vista keeps hidden icons in the main one.
    ToolbarControl* ToolbarFor(Area area) const;
    std::vector<ToolbarControl*> Toolbars() const;
    const ToolbarControl* Toolbar(HWND window) const;

    Layout layout;
    RECT monitor;
    UniqueWindow taskbar;
    UniqueWindow overflow;
    HWND notify = nullptr;
    HWND clock = nullptr;
    HWND indicator = nullptr;
    HWND showButton = nullptr;
    HWND pager = nullptr;
    HWND systemPager = nullptr;
    HWND bridge = nullptr; // layout win11 draws the icons there
    std::unique_ptr<ToolbarControl> main;
    std::unique_ptr<ToolbarControl> overflowBar;
    std::unique_ptr<ToolbarControl> system;

private:
    void PlaceOverflow(bool shown);
};

} // namespace traysim
