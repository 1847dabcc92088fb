#pragma once
#include "platform/Seam.h"
#include "platform/Win.h"

namespace orvane::platform {

// The system's font dialog.
class FontDialogs {
public:
    virtual ~FontDialogs() = default;
    // ChooseFontW starting from `font` and `color`, with the CF_ options in `flags`; true
    // when the user confirmed, and then both hold the choice.
    virtual bool Choose(HWND owner, LOGFONTW& font, COLORREF& color, DWORD flags) = 0;
};

template <> FontDialogs& Real<FontDialogs>();

} // namespace orvane::platform
