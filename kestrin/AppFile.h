#pragma once
// The applications the user lists: what counts as one, when two are the same, their icons.

#include "platform/Handles.h"

#include <string>

namespace orvane::kestrin {

// An existing file named *.exe whose first bytes are those of a program ("MZ").
bool IsExecutableFile(const std::wstring& path);
// Paths name the same file when they differ in letter case alone.
bool SamePath(const std::wstring& a, const std::wstring& b);
// The icon the shell shows for the file; null when there is none or the file is missing.
platform::UniqueIcon AppIcon(const std::wstring& path);

} // namespace orvane::kestrin
