#pragma once
// Which companion item a window belongs to.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orvane {

struct ItemIdentity {
    std::int32_t PID = 0;
    std::wstring LowerFileName; // the item's executable, lower-cased
};

// The first item whose process the window's is, or whose executable the process runs
// (`lowerPath` lower-cased, empty when it could not be read); -1 when none.
std::int32_t MatchReportedWindow(std::span<const ItemIdentity> items, std::int32_t pid,
                                 std::wstring_view lowerPath);

// Windows without a title and the program's own windows are never adopted.
bool IsAdoptableTitle(std::wstring_view title);

} // namespace orvane
