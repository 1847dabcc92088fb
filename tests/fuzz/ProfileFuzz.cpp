// Profile files and values from anywhere: parsing ends, and what it answers keeps its rules.
#include "core/ProfileText.h"
#include "core/ProfileValue.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    const orvane::ProfileText profile(text);
    for (const wchar_t* section : {L"ShortCut", L"ItemFileName", L"", L"a"}) {
        const std::vector<std::wstring> keys = profile.Keys(section);
        for (const std::wstring& key : keys) {
            Require(!key.empty() && key.front() != L';');
            // An earlier line of the same name without '=' hides the value, as for the system.
            const std::wstring value = profile.Value(section, key).value_or(L"");
            const std::optional<std::int32_t> number = orvane::ParseProfileInteger(value);
            if (number) Require(std::to_wstring(*number).size() <= value.size() + 1);
            const std::int32_t bounded =
                orvane::BoundedCount(number.value_or(0), static_cast<std::int32_t>(keys.size()));
            Require(bounded >= 0 && bounded <= static_cast<std::int32_t>(keys.size()));
        }
    }
    return 0;
}
