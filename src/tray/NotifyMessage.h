#pragma once
// What programs send to the taskbar window in WM_COPYDATA: Shell_NotifyIconW in the form of
// Windows or of Wine, Shell_NotifyIconGetRect and SHAppBarMessage. Every byte comes from some
// other program, so each parser reads only inside the given size and refuses what does not fit.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

inline constexpr std::uint32_t NotifySignature = 0x34753423;

inline constexpr std::uint32_t NimAdd = 0, NimModify = 1, NimDelete = 2, NimSetFocus = 3,
                               NimSetVersion = 4;
inline constexpr std::uint32_t NifMessage = 0x01, NifIcon = 0x02, NifTip = 0x04, NifState = 0x08,
                               NifGuid = 0x20;
inline constexpr std::uint32_t NisHidden = 0x01;

// dwData of the other taskbar messages.
inline constexpr std::uint64_t AppBarCopyData = 0, NotifyCopyData = 1, IconRectCopyData = 3;

inline constexpr std::size_t WindowsNotifySize = 964; // signature, code, the 32-bit structure
inline constexpr std::size_t WineNotifySize = 960;    // Wine's record before the icon's bits
inline constexpr std::uint32_t MaxIconSide = 256;

using Guid = std::array<std::uint8_t, 16>;

// An icon as Wine sends it: GetBitmapBits of the mask, then of the colour bitmap, each cut to
// its whole picture's bits rounded up to 16 bits (see PaddedRows).
struct IconBits {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t planes = 0;
    std::uint32_t bitsPerPixel = 0;
    std::vector<std::uint8_t> mask;
    std::vector<std::uint8_t> colour;
    bool operator==(const IconBits&) const = default;
};

// The flagged fields of a NOTIFYICONDATAW; the others stay empty.
struct NotifyRecord {
    std::uint64_t window = 0; // the 32-bit handle sign-extended, as Windows widens it
    std::uint32_t id = 0;
    std::uint32_t flags = 0;
    std::uint32_t callbackMessage = 0;
    std::uint64_t icon = 0;           // Windows form: the caller's HICON
    std::optional<IconBits> iconBits; // Wine form: the picture itself
    std::wstring tip;                 // up to the first NUL within its field
    std::uint32_t state = 0;
    std::uint32_t stateMask = 0;
    std::uint32_t version = 0; // NimSetVersion only
    std::optional<Guid> guid;
};

enum class NotifyForm { Windows, Wine };

struct NotifyMessage {
    NotifyForm form = NotifyForm::Windows;
    std::uint32_t code = NimAdd;
    NotifyRecord record;
};

// Nothing when the bytes are not a Shell_NotifyIconW record that holds together.
std::optional<NotifyMessage> ParseNotifyCopyData(std::uint64_t dwData, const void* bytes,
                                                 std::size_t size);

// One part of IconBits as CreateIcon takes it: every row padded to 16 bits. Wine rounds the
// whole part once, not each row, so for odd widths the bits arrive short; the rest is zero.
std::vector<std::uint8_t> PaddedRows(const std::vector<std::uint8_t>& sent, std::uint32_t width,
                                     std::uint32_t height, std::uint32_t bitsPerPixel);

inline constexpr std::uint32_t IconRectLeftTop = 1, IconRectSize = 2;

struct IconRectRequest {
    std::uint32_t request = 0; // IconRectLeftTop or IconRectSize
    std::uint64_t window = 0;
    std::uint32_t id = 0;
    std::optional<Guid> guid; // when not GUID_NULL it names the icon and window and id do not
};

std::optional<IconRectRequest> ParseIconRectRequest(std::uint64_t dwData, const void* bytes,
                                                    std::size_t size);

// What the shell answers: MAKELONG(left, top) or MAKELONG(width, height); 0 for other requests.
std::uint32_t IconRectAnswer(std::uint32_t request, int left, int top, int right, int bottom);

inline constexpr std::size_t AppBarSize = 64;

struct AppBarMessage {
    std::uint32_t cbSize = 0;
    std::uint64_t window = 0;
    std::uint32_t callbackMessage = 0;
    std::uint32_t edge = 0;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    std::int64_t lParam = 0;
    std::uint32_t message = 0;
    std::uint64_t sharedMemory = 0;
    std::uint32_t processId = 0;
};

std::optional<AppBarMessage> ParseAppBarMessage(std::uint64_t dwData, const void* bytes,
                                                std::size_t size);

// The block as it is passed on, with the shared memory handle and the process that owns it
// replaced; nothing when the bytes are not an app bar message.
std::optional<std::vector<std::uint8_t>> RehomedAppBarMessage(const void* bytes, std::size_t size,
                                                              std::uint64_t sharedMemory,
                                                              std::uint32_t processId);

} // namespace orvane
