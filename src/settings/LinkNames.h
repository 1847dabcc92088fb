#pragma once
// Names and paths of the startup shortcut.
#include <string>

namespace orvane {

// Equal once the letters a to z are upper case; every other character must match as it is.
bool SameIgnoringAsciiCase(const std::wstring& a, const std::wstring& b);
// The folder part of a path, with its trailing backslash.
std::wstring FolderOf(const std::wstring& path);
// Where a link to `target` goes in `folder`: "<linkName>.lnk", or without a name
// "<target's file name>へのショートカット.lnk".
std::wstring LinkFilePath(const std::wstring& folder, const std::wstring& target,
                          const std::wstring& linkName);

} // namespace orvane
