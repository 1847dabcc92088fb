#pragma once
// The buttons of the simulator's notification toolbar as another process reads them.
#include "platform/Win.h"

#include <string>
#include <vector>

namespace orvane::test {

struct TrayButton {
    HWND owner;
    UINT id;
    std::wstring tip;
};

// The buttons of the notification toolbar of the simulator whose taskbar this is.
std::vector<TrayButton> ReadTrayButtons(HWND taskbar);
// The tip of the button of `owner` with identifier `id`, or "<none>".
std::wstring TrayTip(HWND taskbar, HWND owner, UINT id);
// Buttons of `owner`.
int TrayButtonsOf(HWND taskbar, HWND owner);
// Where the toolbar's button of this command lies on the screen.
RECT ButtonRect(HWND toolbar, int command);

} // namespace orvane::test
