#pragma once
#include <string>

namespace orvane::platform {

// Lower case by the system's locale-aware rules, as tip texts are compared.
std::wstring Lowered(std::wstring text);

} // namespace orvane::platform
