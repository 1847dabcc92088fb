#pragma once
#include <cstdint>
#include <string>

namespace orvane {

// One icon shortcut.
struct TShortCutConfig {
    std::wstring IconText;      // a few characters of the icon's tip text
    std::int32_t Sosa = 0;      // 0 click, 1 right click, 2 double click
    std::uint32_t Key = 0;      // virtual-key code pressed with the modifier
    std::wstring KeyName;       // the combination as shown to the user
    std::int32_t MainKeyNo = 0; // the modifier choice shared by all shortcuts
};

// One modifier choice: one key or two, and its display name.
struct TShortCutMainkey {
    std::uint16_t Key[2] = {0, 0};
    std::wstring KeyName;
};

} // namespace orvane
