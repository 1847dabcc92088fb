#include "traysim/NotifyData.h"

#include "tray/NotifyMessage.h"

namespace traysim {

std::optional<NotifyData> DecodeNotifyData(std::uint64_t code, const void* bytes,
                                           std::size_t size) {
    const auto message = orvane::ParseNotifyCopyData(code, bytes, size);
    if (!message || message->form != orvane::NotifyForm::Wine) return std::nullopt;
    const orvane::NotifyRecord& record = message->record;
    NotifyData result;
    result.window = static_cast<std::int32_t>(record.window);
    result.id = record.id;
    result.flags = record.flags;
    result.callbackMessage = record.callbackMessage;
    result.tip = record.tip;
    result.state = record.state;
    result.stateMask = record.stateMask;
    result.version = record.version;
    if (const auto& bits = record.iconBits) {
        result.icon = IconBits{
            bits->width, bits->height, bits->bitsPerPixel,
            orvane::PaddedRows(bits->mask, bits->width, bits->height, 1),
            orvane::PaddedRows(bits->colour, bits->width, bits->height, bits->bitsPerPixel)};
    }
    return result;
}

} // namespace traysim
