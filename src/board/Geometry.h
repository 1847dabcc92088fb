#pragma once
// The grid of enlarged icons: seven columns, a pitch of the icon edge plus 5 pixels.

namespace orvane {

inline constexpr int BoardColumns = 7;
inline constexpr int Button1Height = 33;

constexpr int Pitch(int iconSize) { return iconSize + 5; }

struct BoardLayout {
    int Rows;
    int ImageWidth, ImageHeight;
    int ClientWidth, ClientHeight;
    int Button1Top;
};

// At least three rows, so that a near-empty tray still gives a window to aim at.
constexpr BoardLayout LayoutFor(int iconSize, int entries) {
    const int pitch = Pitch(iconSize);
    int rows = entries > 0 ? (entries - 1) / BoardColumns + 1 : 1;
    if (rows < 3) rows = 3;
    const int imageWidth = BoardColumns * pitch, imageHeight = rows * pitch;
    const int clientHeight = imageHeight + Button1Height + 5;
    return {rows, imageWidth, imageHeight, imageWidth + 20, clientHeight,
            clientHeight - Button1Height - 5};
}

struct Point {
    int X, Y;
    bool operator==(const Point&) const = default;
};

// Top-left corner of entry i's cell on the board image.
constexpr Point CellOrigin(int i, int iconSize) {
    return {i % BoardColumns * Pitch(iconSize), i / BoardColumns * Pitch(iconSize)};
}

// The entry under a point of the board image (integer division, truncating like the
// program always did).
constexpr int CellAt(int x, int y, int iconSize) {
    return y / Pitch(iconSize) * BoardColumns + x / Pitch(iconSize);
}

} // namespace orvane
