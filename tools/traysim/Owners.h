#pragma once
// Layout win11's icon owners, in a process of their own (traysim.exe --owners PID [--log FILE])
// so that their icons reach the shell as any program's do: through Shell_NotifyIconW, to
// whichever Shell_TrayWnd comes first. The process takes the simulator's command lines "icon
// ...", "remove id=N" and "clear" by WM_COPYDATA; each icon gets a hidden owner window that
// logs its callback messages (OwnerLog.h) and adds the icon again on "TaskbarCreated". The
// owners delete their icons and end when their window is closed or the simulator ends.

#include "platform/Handles.h"

#include <string>
#include <string_view>

namespace traysim {

// The simulator's side: starts the process and waits until it takes commands.
class OwnersProcess {
public:
    // Throws std::runtime_error when the process does not come up.
    OwnersProcess(const std::wstring& program, const std::wstring& logPath);
    OwnersProcess(const OwnersProcess&) = delete;
    OwnersProcess& operator=(const OwnersProcess&) = delete;
    // Closes the owners and takes their deletions while they end, for a few seconds at most.
    ~OwnersProcess();

    // Whether the owners carried the command out.
    bool Send(std::wstring_view line) const;

private:
    orvane::platform::UniqueHandle process_;
    HWND window_ = nullptr;
};

// The owner process's side: serves until its window is closed or the process parentPid ends.
int RunOwners(DWORD parentPid, const std::wstring& logPath);

} // namespace traysim
