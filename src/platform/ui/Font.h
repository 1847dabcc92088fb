#pragma once
#include "platform/Handles.h"

#include <string>

namespace orvane::ui {

// A font description; Height in pixels as in LOGFONT (negative: character height).
struct Font {
    std::wstring Name = L"Tahoma";
    int Height = -11;
    bool Bold = false;
    COLORREF Color = RGB(0, 0, 0);

    int Size() const; // in points at the screen's resolution
    void SetSize(int points);
    platform::UniqueFont Create() const;
    bool operator==(const Font&) const = default;
};

} // namespace orvane::ui
