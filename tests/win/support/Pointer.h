#pragma once
// The real pointer and keyboard, driven as a user's would be.
#include "platform/Win.h"

#include <initializer_list>

namespace orvane::test {

// Records for SendInput: an absolute move to a screen point, or button transitions.
INPUT PointerMove(POINT screen);
INPUT MouseButtons(DWORD flags);
// The screen pixel an absolute move over the virtual desktop lands on: the system takes
// left + dx × width div 65536 (likewise for y).
POINT Landing(const INPUT& move);
INPUT Key(WORD vk, bool up = false);
void SendRecords(std::initializer_list<INPUT> records);

// The first descendant of `parent` of the window class.
HWND FindChildWindow(HWND parent, const wchar_t* className);

} // namespace orvane::test
