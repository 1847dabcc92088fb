#pragma once
// Pictures of windows for the README, kept by the test run.
#include "platform/ui/Bitmap.h"

#include <string>

namespace orvane::test {

// Where the pictures go: $ORVANE_SCREENSHOTS (a Unix path, reached through drive Z:), else
// "screenshots" beside the test programs' folder; with a trailing backslash.
std::wstring PictureFolder();
// Lets the windows of this thread paint.
void Settle();
// The window as it is on the screen, frame included.
ui::Bitmap Capture(HWND window);
void WriteBmp(const ui::Bitmap& picture, const std::wstring& path);
// Up to 16: many colours mean drawn controls and text, not an empty or black rectangle.
int Colours(const ui::Bitmap& picture);

} // namespace orvane::test
