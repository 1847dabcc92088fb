#pragma once
// Texts of the companion's items as their tray icons show them.
#include <cstddef>
#include <string>
#include <string_view>

namespace orvane {

// At most `units` UTF-16 units of a tip, never ending inside a surrogate pair.
std::wstring_view CutTip(std::wstring_view tip, std::size_t units);

// The tip of an item whose application is not running: the file-name part of its path,
// then a carriage return and the item's own text when it has one, then "-起動していません".
std::wstring PlaceholderTipText(std::wstring_view fileName, std::wstring_view beforeStartText);

} // namespace orvane
