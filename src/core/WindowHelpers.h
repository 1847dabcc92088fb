#pragma once
// Small operations on other programs' windows that several parts of the program share.
#include "platform/Win.h"

namespace orvane {

// Brings the window to the foreground even while another program holds it; true when it
// became the foreground window. The user's foreground lock time-out is left as found.
bool ForceForeground(HWND hWnd);
// Take the window's taskbar button away and give it back; failures are raised.
void DeleteTaskButton(HWND hWnd);
void AddTaskButton(HWND hWnd);
// Raises the window above all others for a moment (blocks 100 ms).
void WindowPosTop(HWND Handle);

} // namespace orvane
