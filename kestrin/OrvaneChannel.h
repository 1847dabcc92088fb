#pragma once
// Kestrin's side of the channel to Orvane.

#include "companion/Protocol.h"
#include "platform/Win.h"

namespace orvane::kestrin {

// The edit control 1000 of Orvane's main window; null when Orvane is not running. Orvane's
// other windows share the main window's class but have no such control.
HWND FindOrvaneEdit();
// Delivers the text; a hung Orvane costs at most ten seconds, an absent one nothing.
void SendToOrvane(const wchar_t* text);

} // namespace orvane::kestrin
