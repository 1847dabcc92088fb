#pragma once
// Reading values of the settings files, which come from outside the program.

#include <cstdint>
#include <optional>
#include <string_view>

namespace orvane {

// A decimal integer with an optional sign, surrounding blanks allowed; nothing else.
std::optional<std::int32_t> ParseProfileInteger(std::wstring_view text);

inline std::int32_t ProfileInteger(std::wstring_view text, std::int32_t fallback) {
    return ParseProfileInteger(text).value_or(fallback);
}

// A stored count of numbered entries is believed only as far as the section that holds
// the entries has keys at all: a count somewhat too large still gives default entries, but
// a damaged one cannot make the program allocate or loop without bound.
inline std::int32_t BoundedCount(std::int32_t count, std::int32_t keysInSection) {
    if (count <= 0) return 0;
    return count < keysInSection ? count : (keysInSection > 0 ? keysInSection : 0);
}

} // namespace orvane
