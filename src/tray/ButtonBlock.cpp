#include "tray/ButtonBlock.h"

#include <cstring>

namespace orvane {
namespace {

constexpr std::uint32_t ByIndexTextDataCommand = 0x80000000u | 0x2 | 0x10 | 0x20;

template <class T> void Put(std::vector<std::uint8_t>& bytes, std::size_t at, T value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

std::size_t TextOffset(std::size_t buttons, std::size_t slot) {
    return buttons * InfoRecordSize + slot * TipBytes;
}

} // namespace

std::vector<std::uint8_t> NewButtonBlock(std::uint64_t base, std::size_t buttons) {
    std::vector<std::uint8_t> block(BlockSize(buttons), 0);
    for (std::size_t slot = 0; slot < buttons; ++slot) {
        const std::size_t record = InfoOffset(slot);
        Put<std::uint32_t>(block, record, InfoRecordSize);
        Put<std::uint32_t>(block, record + 4, ByIndexTextDataCommand);
        Put<std::uint64_t>(block, record + 32, base + TextOffset(buttons, slot));
        Put<std::int32_t>(block, record + 40, static_cast<std::int32_t>(TipUnits));
    }
    return block;
}

ButtonRead DecodeButton(const std::vector<std::uint8_t>& block, std::size_t buttons,
                        std::size_t slot) {
    ButtonRead read;
    if (slot >= buttons || block.size() < BlockSize(buttons)) return read;
    std::memcpy(&read.data, block.data() + InfoOffset(slot) + 24, sizeof read.data);
    const std::uint8_t* text = block.data() + TextOffset(buttons, slot);
    for (std::size_t unit = 0; unit + 1 < TipUnits; ++unit) {
        const auto c = static_cast<wchar_t>(text[2 * unit] | text[2 * unit + 1] << 8);
        if (c == L'\0') break;
        read.tip += c;
    }
    return read;
}

} // namespace orvane
