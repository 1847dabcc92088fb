#pragma once
#include "platform/Seam.h"
#include "platform/Win.h"

#include <string>

namespace orvane::platform {

// What the program asks of the Windows shell.
class Shell {
public:
    virtual ~Shell() = default;
    // The taskbar window, "Shell_TrayWnd"; null while the shell is not up.
    virtual HWND FindTaskbar() = 0;
    // ShellExecuteW with no parameters, no directory, shown normally; its result, which
    // is 32 or less on failure.
    virtual INT_PTR Execute(HWND owner, const std::wstring& verb, const std::wstring& file) = 0;
};

template <> Shell& Real<Shell>();

} // namespace orvane::platform
