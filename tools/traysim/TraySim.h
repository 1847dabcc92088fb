#pragma once
// The tray simulator: the shell's notification-area windows, built in the calling process
// from a scenario and served by the calling thread's message loop.
//
// Every icon is a button of a common-controls toolbar. Its data points at a 32-byte record
// in this process (owner window, 32-bit identifier, 32-bit callback message, 8 unused
// bytes, icon handle) and its text, which is not drawn, is the tip. Scenario icons belong
// to hidden "TraySimOwner" windows that log what they receive (see OwnerLog.h). Icons that
// any program adds with Shell_NotifyIconW become buttons of the main toolbar owned by the
// caller's window. Mouse input on a button is posted to its owner as the shell does:
// (callback message, identifier, mouse message). Clicks do not activate the simulator.
//
// Layout win11 has no toolbar: a bridge window on the bar draws the pictures of every icon
// that reached the taskbar through Shell_NotifyIconW. Its scenario and command icons belong
// to the owner process (Owners.h), which adds them that way.

#include "platform/Win.h"
#include "traysim/OwnerLog.h"
#include "traysim/Scenario.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace traysim {

// WM_COPYDATA code of a command: the data is one command line in UTF-16.
inline constexpr ULONG_PTR kCommandCode = 0x5453494D; // 'TSIM'

struct IconInfo {
    Area area = Area::Tray;
    HWND toolbar = nullptr;
    int command = 0; // the button's idCommand
    HWND owner = nullptr;
    UINT id = 0;
    UINT callbackMessage = 0;
    HICON icon = nullptr; // as in the button's record; 0 for hicon=none
    std::wstring tip;
};

struct TrayOptions {
    std::wstring log;      // the owners' log; empty keeps it in memory
    std::wstring copyData; // when given, every WM_COPYDATA the taskbar receives (CopyDataLog.h)
    std::wstring ownersProgram; // traysim.exe, which layout win11 starts as its owner process
};

class Tray {
public:
    // Throws std::invalid_argument for a scenario text with errors, std::runtime_error when
    // the windows or the log file cannot be made. An empty log path keeps the log in memory.
    explicit Tray(std::wstring_view scenarioText, const std::wstring& logPath = {});
    explicit Tray(const Scenario& scenario, const std::wstring& logPath = {});
    Tray(std::wstring_view scenarioText, const TrayOptions& options);
    Tray(const Scenario& scenario, const TrayOptions& options);
    Tray(const Tray&) = delete;
    Tray& operator=(const Tray&) = delete;
    ~Tray();

    // Handles change with "restart"; null for windows the layout has not.
    HWND Taskbar() const;
    HWND TrayNotify() const;
    HWND Clock() const;
    HWND InputIndicator() const;
    HWND ShowButton() const;
    HWND Pager() const;
    HWND MainToolbar() const;
    HWND OverflowWindow() const;
    HWND OverflowToolbar() const;
    HWND SystemPager() const;
    HWND SystemToolbar() const;
    HWND Bridge() const;

    // Every button in reading order: main toolbar, then the overflow or system toolbar; in
    // layout win11 the bridge's icons, without toolbar and command.
    std::vector<IconInfo> Icons() const;
    // The in-process owners' messages; layout win11's owners log only to the file.
    const std::vector<OwnerMessage>& Log() const;

    // What a command by WM_COPYDATA does: an icon line adds an icon; "remove id=N",
    // "clear" (every button) and "restart" (new windows, then "TaskbarCreated" is
    // broadcast; icons added by Shell_NotifyIconW are gone, as after a real restart). In
    // layout win11 icon lines, "remove" and "clear" go to the owner process.
    bool RunCommand(std::wstring_view line, std::wstring* error = nullptr);

    // Called when the taskbar receives WM_CLOSE; the windows stay until the Tray goes.
    std::function<void()> OnClose;

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

// The simulator's taskbar, of the given process or of any; null when there is none.
HWND FindTaskbar(DWORD processId = 0);
// Sends one command to the simulator (the first one found when taskbar is null) and tells
// whether it was carried out.
bool SendCommand(std::wstring_view line, HWND taskbar = nullptr);

// A scenario file in UTF-8; the error names the file when it cannot be read.
ScenarioResult LoadScenarioFile(const std::wstring& path);

} // namespace traysim
