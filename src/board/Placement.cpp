#include "board/Placement.h"

namespace orvane {

Point FormPositionBesidePointer(int width, int height, Point pointer, Area work) {
    Point place{};
    if (work.Width() < width + 10) place.X = work.Left;
    else if (pointer.X + width + 10 <= work.Right) place.X = pointer.X + 10;
    else if (pointer.X - width - 10 >= work.Left) place.X = pointer.X - width - 10;
    else place.X = work.Left + (work.Width() - width) / 2;

    if (work.Height() < height) place.Y = work.Top;
    else if (pointer.Y + height <= work.Bottom) place.Y = pointer.Y;
    else if (pointer.Y - height >= work.Top) place.Y = pointer.Y - height;
    else place.Y = work.Top + (work.Height() - height) / 2;
    return place;
}

Point FormPositionCentred(int width, int height, Area work) {
    return {work.Left + (work.Width() - width) / 2, work.Top + (work.Height() - height) / 2};
}

Point HintPosition(Point pointer, int hintWidth, int hintHeight, int imageWidth, int boxHeight) {
    Point place{pointer.X + 20, pointer.Y + 20};
    if (place.X + hintWidth > imageWidth) {
        place.X = pointer.X - hintWidth - 20;
        if (place.X < 0) place.X = 0;
    }
    if (pointer.Y > boxHeight / 2) {
        if (hintHeight >= boxHeight - 10) {
            place.Y = 0;
        } else if (place.Y + hintHeight > boxHeight) {
            place.Y = pointer.Y - hintHeight - 20;
            if (place.Y < 0) place.Y = 0;
        }
    }
    return place;
}

} // namespace orvane
