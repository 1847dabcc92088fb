#pragma once
// Where the main window and the hover hint go; pure rules on plain rectangles.
#include "board/Geometry.h"

namespace orvane {

struct Area {
    int Left, Top, Right, Bottom;
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
};

// Beside the pointer: 10 pixels to its right (or left), top at the pointer (or bottom at
// it), centred when neither fits, at the work area's edge when the window is too big.
Point FormPositionBesidePointer(int width, int height, Point pointer, Area workArea);

// Centred in the work area.
Point FormPositionCentred(int width, int height, Area workArea);

// The hover hint 20 pixels right of and below the pointer, flipped left at the board's
// right edge and, in the lower half of the container, above the pointer at its bottom.
Point HintPosition(Point pointer, int hintWidth, int hintHeight, int imageWidth, int boxHeight);

} // namespace orvane
