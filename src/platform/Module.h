#pragma once
#include <string>

namespace orvane::platform {

// The full path of the running program's executable.
std::wstring ExecutablePath();
// The executable of a process as QueryFullProcessImageNameW names it, opened with the limited
// right that also opens elevated programs; empty when it cannot be read.
std::wstring ProcessImagePath(unsigned long processId);
// The per-user folder of the program and its companion, Documents\Kelmora\OrvaneData\,
// made when missing.
std::wstring UserDataFolder();

} // namespace orvane::platform
