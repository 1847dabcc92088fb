#pragma once
#include "platform/Handles.h"

namespace orvane::platform {

// A top-down device-independent bitmap section; `bits` receives its pixels.
inline UniqueBitmap TopDownDib(int width, int height, WORD bitCount, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    return UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

} // namespace orvane::platform
