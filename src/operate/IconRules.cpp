#include "operate/IconRules.h"

namespace orvane {

bool IsSystemIconTip(std::wstring_view tip) {
    static constexpr std::wstring_view fragments[] = {L"スピーカー",      L"デジタル オーディオ",
                                                      L"ヘッドホン",      L"HDMI",
                                                      L"PC の問題を解決", L"ネットワーク"};
    for (std::wstring_view fragment : fragments) {
        if (tip.find(fragment) != std::wstring_view::npos) return true;
    }
    return false;
}

bool InoperableLineMatches(std::wstring_view lineLowered, std::wstring_view tipLowered) {
    bool blank = true;
    for (wchar_t c : lineLowered) blank = blank && c <= L' ';
    return !blank && tipLowered.find(lineLowered) != std::wstring_view::npos;
}

} // namespace orvane
