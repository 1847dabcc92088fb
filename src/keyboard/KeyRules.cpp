#include "keyboard/KeyRules.h"

#include <algorithm>

namespace orvane {

bool KeyPresses::Begins(std::uintptr_t message, std::uint32_t vk) {
    constexpr std::uintptr_t KeyDown = 0x0100, KeyUp = 0x0101, SysKeyDown = 0x0104,
                             SysKeyUp = 0x0105;
    const std::size_t key = vk & 0xFF;
    if (message == KeyUp || message == SysKeyUp) {
        down_[key] = false;
        return false;
    }
    if (message != KeyDown && message != SysKeyDown) return false;
    const bool repeated = down_[key];
    down_[key] = true;
    return !repeated;
}

bool KeyHookMayBeLost(std::uint32_t lastInput, std::uint32_t lastHookCall) {
    // Input a little after the hook's last call may still be on its way to the hook.
    constexpr std::int32_t Slack = 500;
    return static_cast<std::int32_t>(lastInput - lastHookCall) > Slack;
}

bool IsIgnoredByCapture(std::uint16_t vk) {
    switch (vk) {
    case 0x10: // Shift
    case 0x11: // Ctrl
    case 0x12: // Alt
    case 0x5B: // left Windows
    case 0x5C: // right Windows
    case 0x2C: // PrintScreen
        return true;
    default:
        return false;
    }
}

bool IsExtendedKey(std::uint16_t vk) {
    return (vk >= 0x21 && vk <= 0x2E) || (vk >= 0x5B && vk <= 0x5D) || vk == 0x6C || vk == 0x6F ||
           vk == 0x90 || vk == 0xA3 || vk == 0xA5;
}

std::int32_t KeyNameParameter(std::uint16_t vk, std::uint32_t scanCode) {
    std::uint32_t parameter = (scanCode & 0xFF) << 16;
    if (IsExtendedKey(vk)) parameter |= 1u << 24;
    return static_cast<std::int32_t>(parameter);
}

bool ShowKeyRefused(std::uint16_t vk, std::optional<ChoiceKeys> savedChoice,
                    std::span<const std::uint16_t> savedKeys) {
    if (savedChoice && savedChoice->Holds(vk)) return true;
    return std::find(savedKeys.begin(), savedKeys.end(), vk) != savedKeys.end();
}

ShortCutKeyRefusal CheckShortCutKey(std::uint16_t vk, std::optional<ChoiceKeys> savedChoice,
                                    std::uint16_t mainKey, std::span<const std::uint16_t> rowKeys,
                                    bool changing, std::int32_t target) {
    const auto rows = static_cast<std::int32_t>(rowKeys.size());
    if (rows >= 2 && savedChoice && savedChoice->Holds(vk)) return ShortCutKeyRefusal::ModifierKey;
    if (vk == mainKey) return ShortCutKeyRefusal::ShowKey;
    // A new row is the last one; a changed row may keep its own key.
    const std::int32_t others = changing ? rows : rows - 1;
    for (std::int32_t i = 0; i < others; ++i) {
        if (changing && i == target) continue;
        if (rowKeys[static_cast<std::size_t>(i)] == vk) return ShortCutKeyRefusal::AlreadyUsed;
    }
    return ShortCutKeyRefusal::None;
}

} // namespace orvane
