#pragma once
#include <string>

namespace orvane::platform {

// The full path of the running program's executable.
std::wstring ExecutablePath();

} // namespace orvane::platform
