#pragma once
#include "platform/Handles.h"
#include "platform/Seam.h"
#include "platform/Win.h"

#include <string>

namespace orvane::platform {

// What the program asks of the Windows shell.
class Shell {
public:
    virtual ~Shell() = default;
    // The shell's taskbar window, "Shell_TrayWnd"; null while the shell is not up.
    virtual HWND FindTaskbar() = 0;
    // ShellExecuteW with no parameters and no directory; its result, which is 32 or less on
    // failure.
    virtual INT_PTR Execute(HWND owner, const std::wstring& verb, const std::wstring& file,
                            int show) = 0;
    struct Started {
        INT_PTR Instance = 0; // 32 or less on failure
        UniqueHandle Process; // null when no process was started
    };
    // ShellExecuteExW "open", shown normally, waiting for DDE, with environment variables
    // expanded and without the shell's own error messages; the new process kept open.
    virtual Started Start(HWND owner, const std::wstring& file) = 0;
};

template <> Shell& Real<Shell>();

// The property that marks this program's own taskbar window, the icon collector.
inline constexpr wchar_t CollectorMark[] = L"OrvaneCollector";
// The first taskbar window in z-order that is not the collector.
HWND FindShellTaskbar();

} // namespace orvane::platform
