#include "traysim/CopyDataLog.h"

#include <charconv>

namespace traysim {
namespace {

constexpr char kDigits[] = "0123456789abcdef";

// Reads "<key><number>" and the blank after it off the front of the line.
template <class T> bool Take(std::string_view& line, std::string_view key, int base, T& value) {
    if (line.substr(0, key.size()) != key) return false;
    line.remove_prefix(key.size());
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value, base);
    if (error != std::errc{} || end == line.data() || end == line.data() + line.size() ||
        *end != ' ') {
        return false;
    }
    line.remove_prefix(static_cast<std::size_t>(end - line.data()) + 1);
    return true;
}

std::optional<CopyDataEntry> ParseLine(std::string_view line) {
    CopyDataEntry entry;
    std::size_t size = 0;
    if (!Take(line, "dwData=0x", 16, entry.code) || !Take(line, "size=", 10, size) ||
        line.substr(0, 6) != "bytes=" || line.size() - 6 != 2 * size) {
        return std::nullopt;
    }
    line.remove_prefix(6);
    for (std::size_t i = 0; i < size; ++i) {
        std::uint8_t byte = 0;
        const char* pair = line.data() + 2 * i;
        const auto [end, error] = std::from_chars(pair, pair + 2, byte, 16);
        if (error != std::errc{} || end != pair + 2) return std::nullopt;
        entry.bytes.push_back(byte);
    }
    return entry;
}

} // namespace

std::string FormatCopyData(std::uint64_t code, const void* bytes, std::size_t size) {
    char number[24];
    std::string line = "dwData=0x";
    line.append(number, std::to_chars(number, number + sizeof number, code, 16).ptr);
    line += " size=";
    line.append(number, std::to_chars(number, number + sizeof number, size).ptr);
    line += " bytes=";
    const auto* data = static_cast<const std::uint8_t*>(bytes);
    for (std::size_t i = 0; i < size; ++i) {
        line += kDigits[data[i] >> 4];
        line += kDigits[data[i] & 15];
    }
    return line += '\n';
}

std::optional<std::vector<CopyDataEntry>> ParseCopyDataLog(std::string_view text) {
    std::vector<CopyDataEntry> entries;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) return std::nullopt;
        auto entry = ParseLine(text.substr(0, end));
        if (!entry) return std::nullopt;
        entries.push_back(std::move(*entry));
        text.remove_prefix(end + 1);
    }
    return entries;
}

} // namespace traysim
