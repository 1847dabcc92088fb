#pragma once
// The record of every WM_COPYDATA the simulator's taskbar receives, so that a test can
// compare a block byte for byte with what its sender passed on. One line each, ASCII:
//     dwData=0x0 size=4456 bytes=<two lower-case hexadecimal digits per byte>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace traysim {

struct CopyDataEntry {
    std::uint64_t code = 0; // dwData
    std::vector<std::uint8_t> bytes;
};

std::string FormatCopyData(std::uint64_t code, const void* bytes, std::size_t size);
// A whole record; nothing when any line is malformed.
std::optional<std::vector<CopyDataEntry>> ParseCopyDataLog(std::string_view text);

} // namespace traysim
