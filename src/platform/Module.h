#pragma once
#include <string>

namespace orvane::platform {

// The full path of the running program's executable.
std::wstring ExecutablePath();
// The per-user folder of the program and its companion, Documents\Kelmora\OrvaneData\,
// made when missing.
std::wstring UserDataFolder();

} // namespace orvane::platform
