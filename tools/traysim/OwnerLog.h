#pragma once
// The lines in which owner windows record the callback messages they receive.
//
// One line per message, ASCII, ended by "\n", numbers in lower-case hexadecimal without
// leading zeros:
//     msg=0x8001 wparam=0x1 lparam=0x201 hwnd=0x2006e
// msg is the message number, wparam and lparam its parameters (lparam as its 64-bit
// pattern) and hwnd the owner window that received it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace traysim {

struct OwnerMessage {
    std::uint32_t message = 0;
    std::uint64_t wParam = 0;
    std::uint64_t lParam = 0;
    std::uint64_t owner = 0;
    friend bool operator==(const OwnerMessage&, const OwnerMessage&) = default;
};

std::string FormatOwnerMessage(const OwnerMessage& entry);
// One line, with or without its "\n".
std::optional<OwnerMessage> ParseOwnerMessage(std::string_view line);
// A whole log; nothing when any line is malformed (a last line without "\n" counts).
std::optional<std::vector<OwnerMessage>> ParseOwnerLog(std::string_view text);

} // namespace traysim
