#include "companion/ItemTexts.h"

#include "resources/Texts.h"

namespace orvane {

std::wstring_view CutTip(std::wstring_view tip, std::size_t units) {
    if (tip.size() <= units) return tip;
    std::size_t length = units;
    if (length > 0 && tip[length - 1] >= 0xD800 && tip[length - 1] <= 0xDBFF) --length;
    return tip.substr(0, length);
}

std::wstring PlaceholderTipText(std::wstring_view fileName, std::wstring_view beforeStartText) {
    const std::size_t separator = fileName.find_last_of(L"\\/:");
    std::wstring tip(separator == std::wstring_view::npos ? fileName
                                                          : fileName.substr(separator + 1));
    if (!beforeStartText.empty()) {
        tip += L'\r';
        tip += beforeStartText;
    }
    return tip + texts::NotRunningSuffix;
}

} // namespace orvane
