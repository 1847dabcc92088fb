#include "traysim/OwnerLog.h"

#include <array>
#include <charconv>

namespace traysim {
namespace {

void AppendHex(std::string& out, const char* key, std::uint64_t value) {
    std::array<char, 16> digits;
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value, 16).ptr;
    out += key;
    out += "=0x";
    out.append(digits.data(), end);
}

// Reads "key=0x<hex>" from the front of text and the blank or end after it.
std::optional<std::uint64_t> TakeHex(std::string_view& text, std::string_view key) {
    if (text.substr(0, key.size()) != key) return std::nullopt;
    text.remove_prefix(key.size());
    if (text.substr(0, 3) != "=0x") return std::nullopt;
    text.remove_prefix(3);
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    const std::size_t used = static_cast<std::size_t>(end - text.data());
    if (error != std::errc{} || used == 0) return std::nullopt;
    text.remove_prefix(used);
    if (!text.empty()) {
        if (text.front() != ' ') return std::nullopt;
        text.remove_prefix(1);
    }
    return value;
}

} // namespace

std::string FormatOwnerMessage(const OwnerMessage& entry) {
    std::string line;
    AppendHex(line, "msg", entry.message);
    AppendHex(line += ' ', "wparam", entry.wParam);
    AppendHex(line += ' ', "lparam", entry.lParam);
    AppendHex(line += ' ', "hwnd", entry.owner);
    return line += '\n';
}

std::optional<OwnerMessage> ParseOwnerMessage(std::string_view line) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    const auto message = TakeHex(line, "msg");
    const auto wParam = message ? TakeHex(line, "wparam") : std::nullopt;
    const auto lParam = wParam ? TakeHex(line, "lparam") : std::nullopt;
    const auto owner = lParam ? TakeHex(line, "hwnd") : std::nullopt;
    if (!owner || !line.empty() || *message > 0xFFFFFFFFu) return std::nullopt;
    return OwnerMessage{static_cast<std::uint32_t>(*message), *wParam, *lParam, *owner};
}

std::optional<std::vector<OwnerMessage>> ParseOwnerLog(std::string_view text) {
    std::vector<OwnerMessage> entries;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const auto entry = ParseOwnerMessage(text.substr(0, end));
        if (!entry) return std::nullopt;
        entries.push_back(*entry);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return entries;
}

} // namespace traysim
