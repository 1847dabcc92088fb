#pragma once
// The text of a profile (INI) file parsed once, answering as the system's profile functions
// answer: section and key names without regard to ASCII letter case, the first section and
// the first key of a name win, names and values trimmed, one pair of surrounding quotes
// taken off a value, lines without '=' holding no value.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvane {

class ProfileText {
public:
    explicit ProfileText(std::wstring_view text);

    // Nothing when the section or the key is missing or the key's line has no '='.
    std::optional<std::wstring> Value(std::wstring_view section, std::wstring_view key) const;
    // The names of the keys that hold a value, in file order.
    std::vector<std::wstring> Keys(std::wstring_view section) const;

private:
    struct Entry {
        std::wstring name;
        std::optional<std::wstring> value;
    };
    struct Section {
        std::vector<Entry> entries;
        std::unordered_map<std::wstring, std::size_t> firstOf; // folded name → entry
    };

    const Section* Find(std::wstring_view section) const;

    std::vector<Section> sections_;
    std::unordered_map<std::wstring, std::size_t> firstSection_;
};

} // namespace orvane
