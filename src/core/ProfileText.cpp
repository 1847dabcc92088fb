#include "core/ProfileText.h"

#include <algorithm>

namespace orvane {
namespace {

bool IsSpace(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x1A;
}

std::wstring_view Trimmed(std::wstring_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

// Stored names and values end at a NUL, as the system's copies of them do.
std::wstring_view UpToNul(std::wstring_view text) {
    return text.substr(0, text.find(L'\0'));
}

std::wstring Folded(std::wstring_view name) {
    std::wstring folded(UpToNul(name));
    for (wchar_t& c : folded) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return folded;
}

std::wstring Unquoted(std::wstring_view value) {
    value = UpToNul(value);
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::wstring(value);
}

} // namespace

ProfileText::ProfileText(std::wstring_view text) {
    sections_.emplace_back(); // keys before the first section header
    Section* section = &sections_.back();
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(L'\n'), text.find(L'\r'));
        const std::wstring_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(end == std::wstring_view::npos ? text.size() : end + 1);
        if (line.empty()) continue;
        if (line.front() == L'[') {
            const std::size_t close = line.find(L']');
            if (close != std::wstring_view::npos) {
                sections_.emplace_back();
                section = &sections_.back();
                firstSection_.emplace(Folded(Trimmed(line.substr(1, close - 1))),
                                      sections_.size() - 1);
                continue;
            }
        }
        Entry entry;
        const std::size_t equals = line.find(L'=');
        entry.name = std::wstring(Trimmed(line.substr(0, equals)));
        if (equals != std::wstring_view::npos)
            entry.value = Unquoted(Trimmed(line.substr(equals + 1)));
        section->firstOf.emplace(Folded(entry.name), section->entries.size());
        section->entries.push_back(std::move(entry));
    }
}

const ProfileText::Section* ProfileText::Find(std::wstring_view section) const {
    const auto found = firstSection_.find(Folded(section));
    return found == firstSection_.end() ? nullptr : &sections_[found->second];
}

std::optional<std::wstring> ProfileText::Value(std::wstring_view section,
                                               std::wstring_view key) const {
    const Section* holder = Find(Trimmed(section));
    if (!holder) return std::nullopt;
    const auto found = holder->firstOf.find(Folded(Trimmed(key)));
    if (found == holder->firstOf.end()) return std::nullopt;
    return holder->entries[found->second].value;
}

std::vector<std::wstring> ProfileText::Keys(std::wstring_view section) const {
    std::vector<std::wstring> keys;
    if (const Section* holder = Find(section)) {
        for (const Entry& entry : holder->entries) {
            const std::wstring_view name = UpToNul(entry.name);
            if (entry.value && !name.empty() && name.front() != L';') keys.emplace_back(name);
        }
    }
    return keys;
}

} // namespace orvane
