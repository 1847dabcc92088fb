#include "companion/ItemMatch.h"

namespace orvane {

std::int32_t MatchReportedWindow(std::span<const ItemIdentity> items, std::int32_t pid,
                                 std::wstring_view lowerPath) {
    for (std::size_t k = 0; k < items.size(); ++k) {
        const ItemIdentity& item = items[k];
        if ((pid != 0 && pid == item.PID) ||
            (!lowerPath.empty() && lowerPath == item.LowerFileName))
            return static_cast<std::int32_t>(k);
    }
    return -1;
}

bool IsAdoptableTitle(std::wstring_view title) {
    return !title.empty() && !title.starts_with(L"Dozeder64");
}

} // namespace orvane
