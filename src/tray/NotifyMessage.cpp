#include "tray/NotifyMessage.h"

#include <algorithm>
#include <cstring>

namespace orvane {
namespace {

// A view that refuses every read outside its bytes.
class Bytes {
public:
    Bytes(const void* data, std::size_t size)
        : data_(static_cast<const std::uint8_t*>(data)), size_(data ? size : 0) {}

    std::size_t Size() const { return size_; }
    bool Holds(std::size_t offset, std::size_t length) const {
        return offset <= size_ && length <= size_ - offset;
    }
    std::uint32_t U32(std::size_t offset) const {
        std::uint32_t value = 0;
        if (Holds(offset, 4)) std::memcpy(&value, data_ + offset, 4);
        return value;
    }
    std::uint64_t U64(std::size_t offset) const {
        return U32(offset) | std::uint64_t{U32(offset + 4)} << 32;
    }
    // A 32-bit handle widened as Windows does for a 64-bit process.
    std::uint64_t Handle(std::size_t offset) const {
        return static_cast<std::uint64_t>(std::int64_t{static_cast<std::int32_t>(U32(offset))});
    }
    std::wstring Text(std::size_t offset, std::size_t units) const {
        std::wstring text;
        for (std::size_t i = 0; i < units && Holds(offset + 2 * i, 2); ++i) {
            const std::uint8_t* at = data_ + offset + 2 * i;
            const auto unit = static_cast<wchar_t>(at[0] | at[1] << 8);
            if (unit == 0) break;
            text += unit;
        }
        return text;
    }
    Guid GuidAt(std::size_t offset) const {
        Guid guid{};
        if (Holds(offset, guid.size())) std::memcpy(guid.data(), data_ + offset, guid.size());
        return guid;
    }
    std::vector<std::uint8_t> Copy(std::size_t offset, std::size_t length) const {
        if (!Holds(offset, length)) return {};
        return {data_ + offset, data_ + offset + length};
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

bool IsNull(const Guid& guid) {
    return std::all_of(guid.begin(), guid.end(), [](std::uint8_t b) { return b == 0; });
}

// Offsets of the fields both forms share, from the start of each form's structure.
struct Layout {
    std::size_t window, id, flags, callback, tip, state, version, guid;
};
constexpr std::size_t WindowsBase = 8; // NOTIFYICONDATAW after signature and code
constexpr Layout WindowsLayout{12, 16, 20, 24, 32, 288, 808, 944};
constexpr Layout WineLayout{0, 4, 8, 12, 16, 272, 792, 928};
constexpr std::size_t WindowsIcon = 28;
constexpr std::size_t OldTipUnits = 64, TipUnits = 128;
constexpr std::uint32_t OldestCbSize = 152;
constexpr std::size_t WineIconSize = 944;

// `end` is how far the caller's structure reaches (exclusive, from the block's start); flagged
// fields beyond it are absent, as in an older NOTIFYICONDATAW.
NotifyRecord ReadRecord(const Bytes& bytes, const Layout& at, std::size_t end, std::uint32_t code,
                        std::size_t tipUnits) {
    NotifyRecord record;
    const auto within = [end](std::size_t offset, std::size_t length) {
        return offset + length <= end;
    };
    record.window = bytes.Handle(at.window);
    record.id = bytes.U32(at.id);
    record.flags = bytes.U32(at.flags);
    if (record.flags & NifMessage) record.callbackMessage = bytes.U32(at.callback);
    if (record.flags & NifTip) record.tip = bytes.Text(at.tip, tipUnits);
    if ((record.flags & NifState) && within(at.state, 8)) {
        record.state = bytes.U32(at.state);
        record.stateMask = bytes.U32(at.state + 4);
    }
    if (code == NimSetVersion && within(at.version, 4)) record.version = bytes.U32(at.version);
    if ((record.flags & NifGuid) && within(at.guid, 16)) record.guid = bytes.GuidAt(at.guid);
    return record;
}

std::optional<NotifyMessage> ParseWindows(const Bytes& bytes) {
    if (!bytes.Holds(WindowsBase, 4)) return std::nullopt;
    const std::uint32_t cbSize = bytes.U32(WindowsBase);
    // A block cut short of the structure it announces is not a caller's.
    if (cbSize < OldestCbSize || !bytes.Holds(WindowsBase, cbSize)) return std::nullopt;
    const std::size_t end = WindowsBase + std::min<std::size_t>(cbSize, WindowsNotifySize - 8);
    const std::uint32_t code = bytes.U32(4);
    if (code > NimSetVersion) return std::nullopt;
    const std::size_t tipUnits = end >= WindowsLayout.tip + 2 * TipUnits ? TipUnits : OldTipUnits;
    NotifyMessage message{NotifyForm::Windows, code,
                          ReadRecord(bytes, WindowsLayout, end, code, tipUnits)};
    if (message.record.flags & NifIcon) message.record.icon = bytes.Handle(WindowsIcon);
    return message;
}

bool KnownDepth(std::uint32_t bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        return true;
    default:
        return false;
    }
}

std::uint64_t SentBytes(std::uint64_t bits) {
    return (bits + 15) / 16 * 2;
}

std::optional<NotifyMessage> ParseWine(std::uint32_t code, const Bytes& bytes) {
    if (bytes.Size() < WineNotifySize) return std::nullopt;
    const std::uint32_t width = bytes.U32(WineIconSize);
    const std::uint32_t height = bytes.U32(WineIconSize + 4);
    const std::uint32_t planes = bytes.U32(WineIconSize + 8);
    const std::uint32_t bitsPerPixel = bytes.U32(WineIconSize + 12);
    NotifyMessage message{NotifyForm::Wine, code,
                          ReadRecord(bytes, WineLayout, WineNotifySize, code, TipUnits)};
    if (width == 0 && height == 0) {
        if (bytes.Size() != WineNotifySize) return std::nullopt;
        return message;
    }
    if (width == 0 || height == 0 || width > MaxIconSide || height > MaxIconSide || planes != 1 ||
        !KnownDepth(bitsPerPixel)) {
        return std::nullopt;
    }
    const std::uint64_t pixels = std::uint64_t{width} * height;
    const std::uint64_t mask = SentBytes(pixels);
    const std::uint64_t colour = SentBytes(pixels * planes * bitsPerPixel);
    if (bytes.Size() - WineNotifySize != mask + colour) return std::nullopt;
    // Wine sends the picture only for a flagged icon; unflagged bits are not looked at.
    if (message.record.flags & NifIcon) {
        message.record.iconBits =
            IconBits{width,
                     height,
                     planes,
                     bitsPerPixel,
                     bytes.Copy(WineNotifySize, static_cast<std::size_t>(mask)),
                     bytes.Copy(WineNotifySize + static_cast<std::size_t>(mask),
                                static_cast<std::size_t>(colour))};
    }
    return message;
}

} // namespace

std::optional<NotifyMessage> ParseNotifyCopyData(std::uint64_t dwData, const void* data,
                                                 std::size_t size) {
    const Bytes bytes(data, size);
    // Wine's record starts with the window, which may read as the signature; Windows sends
    // code 1 with the signature first, so that decides.
    if (dwData == NotifyCopyData && bytes.U32(0) == NotifySignature) return ParseWindows(bytes);
    if (dwData > NimSetVersion) return std::nullopt;
    return ParseWine(static_cast<std::uint32_t>(dwData), bytes);
}

std::vector<std::uint8_t> PaddedRows(const std::vector<std::uint8_t>& sent, std::uint32_t width,
                                     std::uint32_t height, std::uint32_t bitsPerPixel) {
    if (width > MaxIconSide || height > MaxIconSide || bitsPerPixel > 32) return {};
    const std::size_t row = (std::size_t{width} * bitsPerPixel + 15) / 16 * 2;
    std::vector<std::uint8_t> rows(row * height, 0);
    std::copy_n(sent.begin(), std::min(sent.size(), rows.size()), rows.begin());
    return rows;
}

std::optional<IconRectRequest> ParseIconRectRequest(std::uint64_t dwData, const void* data,
                                                    std::size_t size) {
    const Bytes bytes(data, size);
    if (dwData != IconRectCopyData || bytes.Size() != 40 || bytes.U32(0) != NotifySignature ||
        bytes.U32(8) != 0x20) {
        return std::nullopt;
    }
    IconRectRequest request;
    request.request = bytes.U32(4);
    if (request.request != IconRectLeftTop && request.request != IconRectSize) return std::nullopt;
    request.window = bytes.Handle(16);
    request.id = bytes.U32(20);
    const Guid guid = bytes.GuidAt(24);
    if (!IsNull(guid)) request.guid = guid;
    return request;
}

std::uint32_t IconRectAnswer(std::uint32_t request, int left, int top, int right, int bottom) {
    const auto makeLong = [](std::int64_t low, std::int64_t high) {
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(low) & 0xFFFF) |
                                          (static_cast<std::uint64_t>(high) & 0xFFFF) << 16);
    };
    if (request == IconRectLeftTop) return makeLong(left, top);
    if (request == IconRectSize)
        return makeLong(std::int64_t{right} - left, std::int64_t{bottom} - top);
    return 0;
}

std::optional<AppBarMessage> ParseAppBarMessage(std::uint64_t dwData, const void* data,
                                                std::size_t size) {
    const Bytes bytes(data, size);
    if (dwData != AppBarCopyData || bytes.Size() != AppBarSize) return std::nullopt;
    AppBarMessage message;
    message.cbSize = bytes.U32(0);
    message.window = bytes.Handle(4);
    message.callbackMessage = bytes.U32(8);
    message.edge = bytes.U32(12);
    message.left = static_cast<std::int32_t>(bytes.U32(16));
    message.top = static_cast<std::int32_t>(bytes.U32(20));
    message.right = static_cast<std::int32_t>(bytes.U32(24));
    message.bottom = static_cast<std::int32_t>(bytes.U32(28));
    message.lParam = static_cast<std::int64_t>(bytes.U64(32));
    message.message = bytes.U32(40);
    message.sharedMemory = bytes.U64(48);
    message.processId = bytes.U32(56);
    return message;
}

std::optional<std::vector<std::uint8_t>> RehomedAppBarMessage(const void* data, std::size_t size,
                                                              std::uint64_t sharedMemory,
                                                              std::uint32_t processId) {
    const Bytes bytes(data, size);
    if (bytes.Size() != AppBarSize) return std::nullopt;
    std::vector<std::uint8_t> block = bytes.Copy(0, AppBarSize);
    std::memcpy(block.data() + 48, &sharedMemory, sizeof sharedMemory);
    std::memcpy(block.data() + 56, &processId, sizeof processId);
    return block;
}

} // namespace orvane
