#pragma once
// Which icons cannot be worked by posting their callback messages.
#include <string_view>

namespace orvane {

// The shell's own icons, known by fragments of their tips (matched with case).
bool IsSystemIconTip(std::wstring_view tip);

// A line of the user's list of inoperable icons: blank after trimming spaces and control
// characters, it matches nothing; otherwise, lower-cased but not trimmed, it must occur in
// the lower-cased tip. Both arrive lower-cased already.
bool InoperableLineMatches(std::wstring_view lineLowered, std::wstring_view tipLowered);

} // namespace orvane
