#pragma once
// The real pointer, driven as a user's mouse would drive it.
#include "platform/Win.h"

#include <initializer_list>

namespace orvane::test {

// Records for SendInput: an absolute move to a screen point, or button transitions.
INPUT PointerMove(POINT screen);
INPUT MouseButtons(DWORD flags);
void SendRecords(std::initializer_list<INPUT> records);

// The first descendant of `parent` of the window class.
HWND FindChildWindow(HWND parent, const wchar_t* className);

} // namespace orvane::test
