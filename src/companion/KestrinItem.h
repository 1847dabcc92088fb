#pragma once
#include "platform/Win.h"

#include <cstdint>
#include <string>

namespace orvane {

// The callback message of this program's own tray icons.
inline constexpr UINT OwnTrayIconCallback = 0x52C;

// One application that the companion keeps in the notification area.
struct TKestrinItem {
    std::wstring FileName;        // full path of its executable
    HWND WndHandle = nullptr;     // its adopted top-level window
    std::int32_t PID = 0;         // the process of that window
    std::wstring WndText;         // the text last put into the item's tip
    bool IsRunning = false;       // a window has been adopted
    std::int32_t Bit = 0;         // 64: its icon is shown by this program
    std::wstring BeforeStartText; // extra text of the placeholder tip
    bool IsShowOnTaskBar = false; // leave the window's taskbar button in place
    HWND RefusalSaid = nullptr;   // the window whose refused button removal the watch has said
};

} // namespace orvane
