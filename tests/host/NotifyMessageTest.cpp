#include "tray/NotifyMessage.h"
#include "traysim/NotifyData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace orvane {
namespace {

struct Bytes {
    explicit Bytes(std::size_t size) : bytes(size, 0) {}
    Bytes& Put32(std::size_t offset, std::uint32_t value) {
        std::memcpy(bytes.data() + offset, &value, sizeof value);
        return *this;
    }
    Bytes& Fill(std::size_t offset, std::size_t length, std::uint8_t value) {
        std::fill_n(bytes.begin() + offset, length, value);
        return *this;
    }
    std::optional<NotifyMessage> Parse(std::uint64_t dwData) const {
        return ParseNotifyCopyData(dwData, bytes.data(), bytes.size());
    }
    std::vector<std::uint8_t> bytes;
};

constexpr std::uint32_t AllFlags = NifMessage | NifIcon | NifTip | NifState | NifGuid;

// A Windows block with every field set and the tip without a NUL in its 128 units.
Bytes WindowsBlock(std::uint32_t code, std::uint32_t cbSize, std::uint32_t flags,
                   std::size_t size = WindowsNotifySize) {
    Bytes block(WindowsNotifySize);
    block.Put32(0, NotifySignature).Put32(4, code).Put32(8, cbSize).Put32(12, 0xFFFF8064);
    block.Put32(16, 7).Put32(20, flags).Put32(24, 0x8123).Put32(28, 0x80001234);
    for (std::size_t i = 0; i < 128; ++i) block.Put32(32 + 2 * i, 0x0041);
    block.Put32(288, 1).Put32(292, 3).Put32(808, 4);
    block.Fill(944, 16, 0xAB).bytes.resize(size);
    return block;
}

TEST(NotifyMessage, WindowsFormReadsFlaggedFieldsWithinItsCbSize) {
    const struct {
        std::uint32_t code, cbSize, flags;
        std::size_t tip;
        std::uint32_t stateMask, version;
        bool guid;
    } cases[] = {
        {NimAdd, 956, AllFlags, 128, 3, 0, true},
        {NimSetVersion, 956, AllFlags, 128, 3, 4, true},
        {NimSetVersion, 952, AllFlags, 128, 3, 4, true},
        {NimSetVersion, 936, AllFlags, 128, 3, 4, false},
        {NimSetVersion, 152, AllFlags, 64, 0, 0, false},
        {NimModify, 956, 0, 0, 0, 0, false},
    };
    Guid marked;
    marked.fill(0xAB);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code << " cbSize " << c.cbSize);
        const auto message = WindowsBlock(c.code, c.cbSize, c.flags).Parse(1);
        ASSERT_TRUE(message && message->form == NotifyForm::Windows && message->code == c.code);
        const NotifyRecord& r = message->record;
        EXPECT_EQ(std::tie(r.window, r.id, r.stateMask, r.version),
                  std::make_tuple(std::uint64_t{0xFFFFFFFFFFFF8064}, 7u, c.stateMask, c.version));
        EXPECT_EQ(r.callbackMessage, c.flags ? 0x8123u : 0u);
        EXPECT_EQ(r.icon, c.flags ? 0xFFFFFFFF80001234u : 0u);
        EXPECT_EQ(r.tip, std::wstring(c.tip, L'A'));
        EXPECT_EQ(r.guid, c.guid ? std::optional(marked) : std::nullopt);
    }
}

TEST(NotifyMessage, WindowsFormRefusesBlocksShortOfTheirStructure) {
    const struct {
        std::uint32_t cbSize;
        std::size_t size;
    } cases[] = {{151, 964}, {0, 964},          {956, 963}, {952, 959},
                 {152, 159}, {0xFFFFFFFF, 964}, {976, 964}, {956, 11}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cbSize << " in " << c.size);
        EXPECT_FALSE(WindowsBlock(0, c.cbSize, AllFlags, c.size).Parse(1));
    }
    EXPECT_TRUE(WindowsBlock(0, 152, AllFlags, 160).Parse(1));
    EXPECT_FALSE(WindowsBlock(NimSetVersion + 1, 956, AllFlags).Parse(1));
    EXPECT_FALSE(ParseNotifyCopyData(1, nullptr, 964));
}

TEST(NotifyMessage, SignatureDecidesBeforeWinesLength) {
    // 964 bytes whose guid reads, in Wine's record, as a 1 x 1 monochrome icon with its 4 bytes.
    Bytes block = WindowsBlock(0, 956, NifGuid);
    for (std::size_t at = 944; at < 960; at += 4) block.Put32(at, 1);
    const auto windows = block.Parse(1);
    ASSERT_TRUE(windows);
    EXPECT_EQ(windows->form, NotifyForm::Windows);
    EXPECT_EQ(windows->record.id, 7u);
    const auto wine = block.Parse(0); // code 0 is only ever Wine's
    ASSERT_TRUE(wine);
    EXPECT_EQ(wine->form, NotifyForm::Wine);
    EXPECT_EQ(wine->record.window, NotifySignature);
    const auto unsigned_ = block.Put32(0, 0).Parse(1);
    EXPECT_TRUE(unsigned_ && unsigned_->form == NotifyForm::Wine);
    EXPECT_FALSE(Bytes(WineNotifySize).Parse(5));
}

Bytes WineRecord(std::uint32_t width, std::uint32_t height, std::uint32_t planes,
                 std::uint32_t bitsPerPixel, std::size_t bits) {
    Bytes record(WineNotifySize + bits);
    record.Put32(0, 0xFFFF8064).Put32(4, 9).Put32(8, AllFlags).Put32(12, 0x8001);
    for (std::size_t i = 0; i < 128; ++i) record.Put32(16 + 2 * i, 0x540D);
    record.Put32(272, 1).Put32(276, 1).Put32(792, 4).Put32(944, width).Put32(948, height);
    return record.Put32(952, planes).Put32(956, bitsPerPixel);
}

TEST(NotifyMessage, WineFormTakesExactlyTheBitsItsIconAnnounces) {
    const struct {
        std::uint32_t side, bitsPerPixel;
        std::size_t mask, colour;
    } cases[] = {{32, 32, 128, 4096}, {24, 32, 72, 2304}, {20, 24, 50, 1200},
                 {32, 1, 128, 128},   {1, 1, 2, 2},       {256, 32, 8192, 262144}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.side << " x " << c.bitsPerPixel);
        Bytes record = WineRecord(c.side, c.side, 1, c.bitsPerPixel, c.mask + c.colour);
        record.Fill(WineNotifySize, c.mask, 0xA0).Fill(WineNotifySize + c.mask, c.colour, 0x5B);
        const auto message = record.Parse(NimModify);
        ASSERT_TRUE(message && message->record.iconBits);
        EXPECT_EQ(message->form, NotifyForm::Wine);
        EXPECT_EQ(*message->record.iconBits, (IconBits{c.side, c.side, 1, c.bitsPerPixel,
                                                       std::vector<std::uint8_t>(c.mask, 0xA0),
                                                       std::vector<std::uint8_t>(c.colour, 0x5B)}));
        record.bytes.push_back(0);
        EXPECT_FALSE(record.Parse(NimModify)) << "one byte over";
        record.bytes.resize(record.bytes.size() - 2);
        EXPECT_FALSE(record.Parse(NimModify)) << "one byte short";
    }
}

TEST(NotifyMessage, WineFormFieldsAndRefusals) {
    const auto message = WineRecord(0, 0, 0, 0, 0).Parse(NimSetVersion);
    ASSERT_TRUE(message);
    const NotifyRecord& r = message->record;
    EXPECT_EQ(r.window, 0xFFFFFFFFFFFF8064u);
    EXPECT_EQ(r.tip, std::wstring(128, L'\x540D'));
    EXPECT_EQ(std::tie(r.id, r.callbackMessage, r.state, r.stateMask, r.version, r.icon),
              std::make_tuple(9u, 0x8001u, 1u, 1u, 4u, std::uint64_t{0}));
    EXPECT_FALSE(r.iconBits) << "the icon flag without a picture, as for a bad handle";
    EXPECT_EQ(WineRecord(0, 0, 0, 0, 0).Parse(NimAdd)->record.version, 0u);
    EXPECT_FALSE(WineRecord(16, 16, 1, 32, 1056).Put32(8, NifTip).Parse(0)->record.iconBits);

    const struct {
        std::uint32_t width, height, planes, bitsPerPixel;
        std::size_t bits;
    } refused[] = {{0, 0, 0, 0, 1},
                   {0, 0, 0, 0, 4},
                   {257, 16, 1, 32, 16962},
                   {16, 257, 1, 32, 16962},
                   {16, 0, 1, 32, 0},
                   {16, 16, 2, 32, 1056},
                   {16, 16, 1, 7, 256},
                   {16, 16, 1, 0, 32},
                   {0xFFFFFFFF, 0xFFFFFFFF, 1, 32, 70000},
                   {0x10000, 0x10000, 1, 32, 0}};
    for (const auto& c : refused) {
        SCOPED_TRACE(testing::Message() << c.width << " " << c.height << " " << c.bits);
        EXPECT_FALSE(WineRecord(c.width, c.height, c.planes, c.bitsPerPixel, c.bits).Parse(0));
    }
    EXPECT_FALSE(Bytes(WineNotifySize - 1).Parse(0));
}

TEST(NotifyMessage, SimulatorPadsEachRowAsCreateIconTakesIt) {
    const struct {
        std::uint32_t side, bitsPerPixel;
        std::size_t maskSent, colourSent, maskFull, colourFull;
    } cases[] = {{24, 32, 72, 2304, 96, 2304}, {20, 24, 50, 1200, 80, 1200}};
    for (const auto& c : cases) {
        Bytes record = WineRecord(c.side, c.side, 1, c.bitsPerPixel, c.maskSent + c.colourSent);
        record.Fill(WineNotifySize, c.maskSent + c.colourSent, 0xA0);
        const auto data = traysim::DecodeNotifyData(0, record.bytes.data(), record.bytes.size());
        ASSERT_TRUE(data && data->icon);
        std::vector<std::uint8_t> mask(c.maskFull, 0);
        std::fill_n(mask.begin(), c.maskSent, 0xA0);
        EXPECT_EQ(data->icon->mask, mask);
        EXPECT_EQ(data->icon->colour.size(), c.colourFull);
        EXPECT_EQ(data->window, -32668);
    }
    const Bytes windows = WindowsBlock(0, 956, AllFlags);
    EXPECT_FALSE(traysim::DecodeNotifyData(1, windows.bytes.data(), windows.bytes.size()));
}

TEST(IconRect, RequestAndAnswer) {
    Bytes block(40);
    block.Put32(0, NotifySignature).Put32(4, 2).Put32(8, 0x20).Put32(16, 0x80000010).Put32(20, 5);
    auto request = ParseIconRectRequest(3, block.bytes.data(), 40);
    ASSERT_TRUE(request);
    EXPECT_EQ(std::tie(request->request, request->window, request->id),
              std::make_tuple(2u, std::uint64_t{0xFFFFFFFF80000010}, 5u));
    EXPECT_FALSE(request->guid);
    block.Put32(36, 0x01000000);
    EXPECT_EQ(ParseIconRectRequest(3, block.bytes.data(), 40)->guid->at(15), 1);

    const auto refused = [&block](std::size_t at, std::uint32_t value) {
        Bytes changed = block;
        return !ParseIconRectRequest(3, changed.Put32(at, value).bytes.data(), 40);
    };
    EXPECT_TRUE(refused(0, 0x34753424) && refused(4, 3) && refused(4, 0) && refused(8, 0x1C));
    EXPECT_FALSE(ParseIconRectRequest(1, block.bytes.data(), 40));
    EXPECT_FALSE(ParseIconRectRequest(3, block.bytes.data(), 39));
    block.bytes.push_back(0);
    EXPECT_FALSE(ParseIconRectRequest(3, block.bytes.data(), 41));

    EXPECT_EQ(IconRectAnswer(IconRectLeftTop, 100, 1040, 124, 1064), 0x04100064u);
    EXPECT_EQ(IconRectAnswer(IconRectSize, 100, 1040, 124, 1072), 0x00200018u);
    EXPECT_EQ(IconRectAnswer(IconRectLeftTop, -24, -1, 0, 0), 0xFFFFFFE8u);
    EXPECT_EQ(IconRectAnswer(3, 100, 1040, 124, 1064), 0u);
}

TEST(AppBar, ParsedAndRehomedForTheShell) {
    Bytes block(AppBarSize);
    block.Put32(0, 48).Put32(4, 0xFFFF8064).Put32(12, 3).Put32(16, 0xFFFFFFF6).Put32(28, 1080);
    block.Put32(32, 0xFFFFFFFF).Put32(36, 0xFFFFFFFF).Put32(40, 5).Put32(48, 0x1234).Put32(56, 77);
    const auto message = ParseAppBarMessage(0, block.bytes.data(), AppBarSize);
    ASSERT_TRUE(message);
    EXPECT_EQ(std::tie(message->window, message->edge, message->left, message->bottom),
              std::make_tuple(std::uint64_t{0xFFFFFFFFFFFF8064}, 3u, -10, 1080));
    EXPECT_EQ(
        std::tie(message->lParam, message->message, message->sharedMemory, message->processId),
        std::make_tuple(std::int64_t{-1}, 5u, std::uint64_t{0x1234}, 77u));
    EXPECT_FALSE(ParseAppBarMessage(1, block.bytes.data(), AppBarSize));
    EXPECT_FALSE(ParseAppBarMessage(0, block.bytes.data(), AppBarSize - 1));

    const auto rehomed =
        RehomedAppBarMessage(block.bytes.data(), AppBarSize, 0xFFFFFFFF00000ABCu, 4242);
    ASSERT_TRUE(rehomed);
    EXPECT_EQ(*rehomed, block.Put32(48, 0xABC).Put32(52, 0xFFFFFFFF).Put32(56, 4242).bytes);
    EXPECT_FALSE(RehomedAppBarMessage(block.bytes.data(), AppBarSize + 1, 0, 0));
}

} // namespace
} // namespace orvane
