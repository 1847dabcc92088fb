#pragma once
#include "platform/Handles.h"

#include <string>

namespace orvane::test {

// A program started for a test and ended with it.
class ChildProcess {
public:
    explicit ChildProcess(const std::wstring& commandLine);
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    DWORD Pid() const { return pid_; }
    bool Running() const;
    // The exit code, or nothing when the process still runs after `timeout` ms.
    bool WaitExit(DWORD timeout, DWORD* exitCode = nullptr) const;
    // A visible or hidden top-level window of the process with this class (any class when
    // null) and, when given, this title, waiting up to `timeout` ms while processing this
    // thread's messages.
    HWND WaitForWindow(const wchar_t* className, DWORD timeout,
                       const wchar_t* title = nullptr) const;
    // Asks the window to close, then ends the process when it will not.
    void End(HWND window = nullptr);

private:
    platform::UniqueHandle process_;
    DWORD pid_ = 0;
};

HWND FindProcessWindow(DWORD pid, const wchar_t* className, const wchar_t* title = nullptr);
std::wstring WindowText(HWND window);
std::wstring Quoted(const std::wstring& path);
// Paths of the built programs, beside the test programs' folder.
std::wstring ProgramPath();
std::wstring TraySimPath();

} // namespace orvane::test
