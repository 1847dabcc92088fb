#pragma once
// Rules of the keyboard that need no window: which keys capture takes, how a key is named,
// and the checks of a new show key or shortcut key.
#include <bitset>
#include <cstdint>
#include <optional>
#include <span>

namespace orvane {

inline constexpr std::uint32_t WM_KEYHOOK = 0x806E;

// What the low-level hook passes on: key-downs only, never those pressed with [Alt].
constexpr bool KeyHookReports(int code, std::uintptr_t message) {
    return code == 0 && message == 0x0100;
}

// Tells the key-down that begins a press from those the keyboard repeats while the key is
// held, from the key messages that the hook sees.
class KeyPresses {
public:
    // After a release that went unseen, the next press counts as a repeat; its release sets
    // things right.
    bool Begins(std::uintptr_t message, std::uint32_t vk);

private:
    std::bitset<256> down_;
};

// The system drops a low-level hook that kept it waiting. It may have when keyboard or mouse
// input came well after the hook's last call; a key down then tells that it has.
bool KeyHookMayBeLost(std::uint32_t lastInput, std::uint32_t lastHookCall);

// Modifiers and PrintScreen (which arrives through the hook) are never taken from the queue.
bool IsIgnoredByCapture(std::uint16_t vk);
// Keys whose name the keyboard layout gives only with the extended-key flag.
bool IsExtendedKey(std::uint16_t vk);
// The key parameter of GetKeyNameTextW for a key of this scan code.
std::int32_t KeyNameParameter(std::uint16_t vk, std::uint32_t scanCode);

// The keys of the saved modifier choice; Second is 0 for a single key.
struct ChoiceKeys {
    std::uint16_t First, Second;
    constexpr bool Holds(std::uint16_t vk) const { return vk == First || (Second && vk == Second); }
};

// A new show key is refused when it is a key of the saved shortcuts: their modifier or one
// of the saved shortcuts' own keys.
bool ShowKeyRefused(std::uint16_t vk, std::optional<ChoiceKeys> savedChoice,
                    std::span<const std::uint16_t> savedKeys);

enum class ShortCutKeyRefusal { None, ModifierKey, ShowKey, AlreadyUsed };

// The checks of a shortcut key in their order. rowKeys are the keys of the rows on screen;
// the key is for row `target`, the new last row or the one being changed.
ShortCutKeyRefusal CheckShortCutKey(std::uint16_t vk, std::optional<ChoiceKeys> savedChoice,
                                    std::uint16_t mainKey, std::span<const std::uint16_t> rowKeys,
                                    bool changing, std::int32_t target);

} // namespace orvane
