#pragma once
// The record that Wine's Shell_NotifyIconW sends to the taskbar in WM_COPYDATA, as the
// simulator's buttons take it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace traysim {

inline constexpr std::uint32_t kFlagMessage = 0x01;
inline constexpr std::uint32_t kFlagIcon = 0x02;
inline constexpr std::uint32_t kFlagTip = 0x04;

// An icon as device-dependent bits: the AND mask, then the colour (XOR) bits, each with
// rows padded to 16 bits, as CreateIcon takes them.
struct IconBits {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bitsPerPixel = 0;
    std::vector<std::uint8_t> mask;
    std::vector<std::uint8_t> colour;
};

struct NotifyData {
    std::int32_t window = 0; // the caller's window handle, cut to 32 bits by Wine
    std::uint32_t id = 0;
    std::uint32_t flags = 0;
    std::uint32_t callbackMessage = 0;
    std::wstring tip;
    std::uint32_t state = 0;
    std::uint32_t stateMask = 0;
    std::uint32_t version = 0;
    std::optional<IconBits> icon; // present when the icon flag came with a picture
};

// Nothing unless the bytes are Wine's record for NIM code `code` that holds together.
std::optional<NotifyData> DecodeNotifyData(std::uint64_t code, const void* bytes, std::size_t size);

} // namespace traysim
