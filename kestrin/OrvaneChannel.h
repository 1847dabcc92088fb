#pragma once
// The texts Kestrin writes into Orvane's hidden edit control.

#include "platform/Win.h"

namespace orvane::kestrin {

inline constexpr wchar_t SetTaskTrayEnd[] = L"SetTaskTrayEnd";
inline constexpr wchar_t Changed[] = L"Changed";
// Orvane writes into Kestrin's edit control of this ID.
inline constexpr int ReceiveControlId = 2000;

// The edit control 1000 of Orvane's main window; null when Orvane is not running. Orvane's
// other windows share the main window's class but have no such control.
HWND FindOrvaneEdit();
// Delivers the text; a hung Orvane costs at most ten seconds, an absent one nothing.
void SendToOrvane(const wchar_t* text);

} // namespace orvane::kestrin
