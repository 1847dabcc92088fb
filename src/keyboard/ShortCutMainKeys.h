#pragma once
// The modifier choices shared by all icon shortcuts, in the order of the settings window's
// list; a shortcut stores the index.
#include "resources/Texts.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvane {

struct ShortCutMainKeyChoice {
    std::uint16_t First;  // virtual-key code
    std::uint16_t Second; // 0 for a single key
    const wchar_t* KeyName;
    std::uint32_t HotKeyModifiers; // RegisterHotKey's MOD_ flags; 0: only the hook sees it
};

inline constexpr std::array<ShortCutMainKeyChoice, 16> ShortCutMainKeyChoices{{
    {0x11, 0, L"[Ctrl]", 2},
    {0x1D, 0, texts::KeyNameNonConvert, 0},
    {0x1C, 0, texts::KeyNameConvert, 0},
    {0x10, 0, L"[Shift]", 4},
    {0x78, 0, L"[F9]", 0},
    {0x79, 0, L"[F10]", 0},
    {0x7A, 0, L"[F11]", 0},
    {0x7B, 0, L"[F12]", 0},
    {0x12, 0, L"[Alt]", 1},
    {0x5B, 0, L"[Windows]", 8},
    {0x11, 0x10, L"[Ctrl] + [Shift]", 6},
    {0x11, 0x12, L"[Ctrl] + [Alt]", 3},
    {0x11, 0x5B, L"[Ctrl] + [Windows]", 10},
    {0x10, 0x12, L"[Shift] + [Alt]", 5},
    {0x10, 0x5B, L"[Shift] + [Windows]", 12},
    {0x12, 0x5B, L"[Alt] + [Windows]", 9},
}};

// The choice of that index, or null for an index outside the table (a damaged file).
constexpr const ShortCutMainKeyChoice* ShortCutChoice(std::int32_t index) {
    return index >= 0 && index < static_cast<std::int32_t>(ShortCutMainKeyChoices.size())
               ? &ShortCutMainKeyChoices[static_cast<std::size_t>(index)]
               : nullptr;
}

// Choices made only of Ctrl, Shift, Alt and Windows, which the system registers as hot keys.
constexpr bool IsHotKeyChoice(std::int32_t index) {
    return index >= 0 && index < 16 && (0xFF09 >> index & 1) != 0;
}

} // namespace orvane
