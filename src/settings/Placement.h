#pragma once
// Where the settings window opens beside the main window.

namespace orvane {

struct WindowBox {
    int Left, Top, Width, Height;
    bool operator==(const WindowBox&) const = default;
};
struct WorkArea {
    int Left, Top, Right, Bottom;
};
struct SideBySide {
    WindowBox Main, Settings;
};

// Right of the main window, else left of it, else the main window moves to the work
// area's left edge; when the width cannot hold both, the same below and above; when the
// height cannot either, nothing moves.
SideBySide PlaceBeside(WindowBox main, WindowBox settings, WorkArea work);

} // namespace orvane
