#pragma once
#include "platform/Seam.h"
#include "platform/Win.h"

#include <string>

namespace orvane::platform {

// Message boxes, the one yes/no question among them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // MessageBoxW: returns the button the user pressed (IDOK, IDYES, ...).
    virtual int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                               UINT flags) = 0;
};

template <> Dialogs& Real<Dialogs>();

} // namespace orvane::platform
