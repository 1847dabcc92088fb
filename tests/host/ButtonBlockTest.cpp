#include "tray/ButtonBlock.h"

#include <gtest/gtest.h>

#include <cstring>

namespace orvane {
namespace {

template <class T> T At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// What the toolbar does with a record: the data pointer into it, the text where it points.
void Answer(std::vector<std::uint8_t>& block, std::uint64_t base, std::size_t slot,
            std::uint64_t data, const std::u16string& text) {
    std::memcpy(block.data() + InfoOffset(slot) + 24, &data, sizeof data);
    const auto textAddress = At<std::uint64_t>(block, InfoOffset(slot) + 32);
    std::memcpy(block.data() + (textAddress - base), text.data(), text.size() * 2);
}

TEST(ButtonBlockTest, EveryRecordAsksByIndexIntoItsOwnTextBuffer) {
    const std::uint64_t base = 0x7ff000010000;
    const std::vector<std::uint8_t> block = NewButtonBlock(base, 3);
    ASSERT_EQ(block.size(), 3 * (48 + 2048u));
    std::uint64_t previousText = 0;
    for (std::size_t slot = 0; slot < 3; ++slot) {
        const std::size_t record = slot * 48;
        EXPECT_EQ(At<std::uint32_t>(block, record), 48u);
        EXPECT_EQ(At<std::uint32_t>(block, record + 4), 0x80000032u);
        EXPECT_EQ(At<std::uint64_t>(block, record + 24), 0u);
        EXPECT_EQ(At<std::int32_t>(block, record + 40), 1024);
        const auto text = At<std::uint64_t>(block, record + 32);
        EXPECT_GE(text, base + 3 * 48);
        EXPECT_LE(text + 2048, base + block.size());
        if (slot > 0) {
            EXPECT_EQ(text, previousText + 2048);
        }
        previousText = text;
    }
}

struct TipCase {
    const char* name;
    std::u16string written;
    std::wstring read;
};

class ButtonTipTest : public testing::TestWithParam<TipCase> {};

TEST_P(ButtonTipTest, ReadsUpToTheFirstNulAndAtMost1023Units) {
    const std::uint64_t base = 0x10000;
    std::vector<std::uint8_t> block = NewButtonBlock(base, 2);
    Answer(block, base, 1, 0xABCDEF, GetParam().written);
    const ButtonRead read = DecodeButton(block, 2, 1);
    EXPECT_EQ(read.data, 0xABCDEFu);
    EXPECT_EQ(read.tip, GetParam().read);
    EXPECT_EQ(DecodeButton(block, 2, 0).tip, L"");
}

INSTANTIATE_TEST_SUITE_P(Tips, ButtonTipTest,
                         testing::Values(TipCase{"Plain", u"Network", L"Network"},
                                         TipCase{"Lines", u"\u97f3\u91cf: 50%\n\u6b8b\u91cf",
                                                 L"\u97f3\u91cf: 50%\n\u6b8b\u91cf"},
                                         TipCase{"CutAtNul", std::u16string(u"ab\0cd", 5), L"ab"},
                                         TipCase{"Full", std::u16string(1024, u'x'),
                                                 std::wstring(1023, L'x')},
                                         TipCase{"Surrogates", u"\U0001F600", L"\xD83D\xDE00"}),
                         [](const auto& info) { return info.param.name; });

TEST(ButtonBlockTest, SlotsOutsideTheBlockOrAShortBlockDecodeEmpty) {
    std::vector<std::uint8_t> block = NewButtonBlock(0x10000, 2);
    Answer(block, 0x10000, 0, 5, u"tip");
    EXPECT_EQ(DecodeButton(block, 2, 2).data, 0u);
    block.pop_back();
    EXPECT_EQ(DecodeButton(block, 2, 0).data, 0u);
    EXPECT_EQ(DecodeButton(block, 2, 0).tip, L"");
}

} // namespace
} // namespace orvane
