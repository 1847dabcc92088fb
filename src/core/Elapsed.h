#pragma once
#include <cstdint>

namespace orvane {

// Milliseconds between two readings of the 32-bit millisecond counter; survives its wrap.
constexpr std::uint32_t Elapsed(std::uint32_t now, std::uint32_t start) {
    const auto difference = static_cast<std::int32_t>(now - start);
    return difference < 0 ? static_cast<std::uint32_t>(-static_cast<std::int64_t>(difference))
                          : static_cast<std::uint32_t>(difference);
}

} // namespace orvane
