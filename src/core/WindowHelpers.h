#pragma once
// Small operations on other programs' windows that several parts of the program share.
#include "platform/Win.h"

#include <string>

namespace orvane {

// Brings the window to the foreground even while another program holds it; true when it
// became the foreground window. The user's foreground lock time-out is left as found.
bool ForceForeground(HWND hWnd);
// Take the window's taskbar button away and give it back; failures are raised.
void DeleteTaskButton(HWND hWnd);
void AddTaskButton(HWND hWnd);
// The window's title as far as 259 characters.
std::wstring WindowTitle(HWND window);
// SendMessageW to another program's window that gives up after a few seconds or at once when
// the program hangs; false when the message was not handled.
bool SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// ShowWindow and the topmost state; asynchronous for a window of another thread, which may
// not be taking messages.
void ShowWindowOf(HWND window, int command);
void SetTopmost(HWND window, bool topmost);
// Raises the window above all others for a moment (100 ms, messages handled meanwhile).
void WindowPosTop(HWND Handle);

} // namespace orvane
