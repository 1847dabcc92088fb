#pragma once
// The block that one batch of toolbar reads uses in the shell's process: the 64-bit
// TBBUTTONINFOW records of the batch, then a text buffer for each of them. Built and read
// back as bytes, so that what the other process left in it is decoded here and nowhere else.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

inline constexpr std::size_t InfoRecordSize = 48;
inline constexpr std::size_t TipUnits = 1024;
inline constexpr std::size_t TipBytes = TipUnits * 2;
inline constexpr std::size_t ButtonsPerBlock = 64;

inline constexpr std::size_t BlockSize(std::size_t buttons) {
    return buttons * (InfoRecordSize + TipBytes);
}
inline constexpr std::size_t InfoOffset(std::size_t slot) {
    return slot * InfoRecordSize;
}

// The block as it is written: for each slot a record asking by index for the command,
// the data pointer and the text into the slot's text buffer, which starts empty. `base` is
// the block's address in the other process.
std::vector<std::uint8_t> NewButtonBlock(std::uint64_t base, std::size_t buttons);

struct ButtonRead {
    std::uint64_t data = 0; // the button's data pointer; 0 when the toolbar gave none
    std::wstring tip;       // up to the first NUL, at most TipUnits - 1 units
};

// Slot `slot` of a block read back; slots outside the bytes decode as empty.
ButtonRead DecodeButton(const std::vector<std::uint8_t>& block, std::size_t buttons,
                        std::size_t slot);

} // namespace orvane
