// A block read back from another process holds whatever that process wrote: every slot
// decodes to a tip of at most 1023 units without a NUL, and nothing past the block is read.
#include "tray/ButtonBlock.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t buttons = data[0] % (orvane::ButtonsPerBlock + 1);
    // The bytes as read, cut or padded to the size the slots say.
    std::vector<std::uint8_t> block(data + 1, data + size);
    if (data[0] & 0x80) block.resize(orvane::BlockSize(buttons));
    for (std::size_t slot = 0; slot <= buttons; ++slot) {
        const orvane::ButtonRead read = orvane::DecodeButton(block, buttons, slot);
        if (read.tip.size() >= orvane::TipUnits || read.tip.find(L'\0') != std::wstring::npos)
            std::abort();
        if ((slot == buttons || block.size() < orvane::BlockSize(buttons)) &&
            (read.data != 0 || !read.tip.empty())) {
            std::abort();
        }
    }
    return 0;
}
