// Taskbar messages as any program may send them: every parser reads only inside the bytes
// and refuses what does not hold together, and the icon table stays within its bounds.
#include "tray/IconTable.h"
#include "tray/NotifyMessage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using namespace orvane;

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    if (offset + 4 <= bytes.size()) std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

// The size the bytes announce, so that the fuzzer reaches the parsers' inner checks.
std::size_t Announced(const std::vector<std::uint8_t>& bytes, std::uint64_t dwData) {
    if (dwData == 1 && Read32(bytes, 0) == NotifySignature) return WindowsNotifySize;
    const std::uint64_t width = Read32(bytes, 944), height = Read32(bytes, 948);
    const std::uint64_t bitsPerPixel = Read32(bytes, 956);
    if (width > MaxIconSide || height > MaxIconSide || bitsPerPixel > 32) return WineNotifySize;
    return WineNotifySize + (width * height + 15) / 16 * 2 +
           (width * height * bitsPerPixel + 15) / 16 * 2;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

void One(IconTable& table, std::uint64_t dwData, const std::vector<std::uint8_t>& bytes) {
    if (const auto message = ParseNotifyCopyData(dwData, bytes.data(), bytes.size())) {
        const NotifyRecord& record = message->record;
        Check(record.tip.size() <= 128 && record.tip.find(L'\0') == std::wstring::npos);
        Check(message->form == NotifyForm::Windows || record.icon == 0);
        if (record.iconBits) {
            const IconBits& bits = *record.iconBits;
            Check(bits.width <= MaxIconSide && bits.height <= MaxIconSide);
            Check(WineNotifySize + bits.mask.size() + bits.colour.size() == bytes.size());
            Check(PaddedRows(bits.colour, bits.width, bits.height, bits.bitsPerPixel).size() >=
                  bits.colour.size());
        }
        (void)table.Apply(*message);
        Check(table.Size() <= IconTable::MaxEntries);
    }
    if (const auto request = ParseIconRectRequest(dwData, bytes.data(), bytes.size())) {
        Check(bytes.size() == 40 && (request->request == 1 || request->request == 2));
        (void)IconRectAnswer(request->request, static_cast<std::int32_t>(Read32(bytes, 16)),
                             static_cast<std::int32_t>(Read32(bytes, 20)),
                             static_cast<std::int32_t>(Read32(bytes, 24)),
                             static_cast<std::int32_t>(Read32(bytes, 28)));
    }
    if (ParseAppBarMessage(dwData, bytes.data(), bytes.size())) {
        const auto rehomed =
            RehomedAppBarMessage(bytes.data(), bytes.size(), 0x1122334455667788, 0xCAFE);
        Check(rehomed &&
              ParseAppBarMessage(0, rehomed->data(), rehomed->size())->processId == 0xCAFE);
        Check(std::memcmp(rehomed->data(), bytes.data(), 48) == 0);
    }
}

} // namespace

// Messages one after another: a byte of dwData (its top bit: cut or pad to the announced
// size), two bytes of length, then the bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    IconTable table;
    std::size_t at = 0;
    while (at + 3 <= size) {
        const std::uint64_t dwData = data[at] & 0x07;
        const bool announced = data[at] & 0x80;
        const std::size_t length =
            std::min<std::size_t>(data[at + 1] | data[at + 2] << 8, size - at - 3);
        std::vector<std::uint8_t> bytes(data + at + 3, data + at + 3 + length);
        at += 3 + length;
        if (announced) bytes.resize(Announced(bytes, dwData));
        One(table, dwData, bytes);
    }
    table.Prune([](std::uint64_t window) { return window & 1; });
    for (const IconEntry& entry : table.Visible()) Check(!entry.hidden && (entry.window & 1));
    return 0;
}
