#pragma once
#include "platform/Seam.h"
#include "platform/Win.h"

namespace orvane::platform {

// What the program asks of the Windows shell.
class Shell {
public:
    virtual ~Shell() = default;
    // The taskbar window, "Shell_TrayWnd"; null while the shell is not up.
    virtual HWND FindTaskbar() = 0;
};

template <> Shell& Real<Shell>();

} // namespace orvane::platform
