// The simulator's pure parts: scenario lines, Wine's notify record and the owner log.
#include "traysim/NotifyData.h"
#include "traysim/OwnerLog.h"
#include "traysim/Scenario.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace traysim {
namespace {

using Kind = Command::Kind;

struct ValidIconCase {
    const wchar_t* line;
    Area area;
    std::uint32_t id;
    std::uint32_t message;
    std::uint32_t color;
    DataFault data;
    bool noIcon;
    bool ownerGone;
    std::wstring tip;
};

class ValidIconLine : public testing::TestWithParam<ValidIconCase> {};

TEST_P(ValidIconLine, GivesTheIcon) {
    const ValidIconCase& c = GetParam();
    const LineResult result = ParseLine(c.line);
    ASSERT_EQ(result.error, L"");
    ASSERT_EQ(result.command.kind, Kind::Icon);
    const IconSpec& icon = result.command.icon;
    EXPECT_EQ(icon.area, c.area);
    EXPECT_EQ(icon.id, c.id);
    EXPECT_EQ(icon.message, c.message);
    EXPECT_EQ(icon.color, c.color);
    EXPECT_EQ(icon.data, c.data);
    EXPECT_EQ(icon.noIcon, c.noIcon);
    EXPECT_EQ(icon.ownerGone, c.ownerGone);
    EXPECT_EQ(icon.tip, c.tip);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ValidIconLine,
    testing::Values(
        ValidIconCase{L"icon tray id=1", Area::Tray, 1, 0x8000, 0x808080, DataFault::None, false,
                      false, L""},
        ValidIconCase{L"icon tray id=1 msg=0x8001 color=#3080ff tip=音量: 50%", Area::Tray, 1,
                      0x8001, 0x3080FF, DataFault::None, false, false, L"音量: 50%"},
        ValidIconCase{L"  icon\toverflow  id=0x10 msg=1024 color=#ABCDEF tip=a  b  ",
                      Area::Overflow, 16, 0x400, 0xABCDEF, DataFault::None, false, false,
                      L"a  b  "},
        ValidIconCase{L"icon system id=4294967295 msg=0xFFFF data=zero hicon=none owner=gone",
                      Area::System, 0xFFFFFFFF, 0xFFFF, 0x808080, DataFault::Zero, true, true, L""},
        ValidIconCase{L"icon tray id=2 data=junk tip=バッテリー残量: 80%\\n電源に接続: 充電中",
                      Area::Tray, 2, 0x8000, 0x808080, DataFault::Junk, false, false,
                      L"バッテリー残量: 80%\n電源に接続: 充電中"},
        ValidIconCase{L"icon tray id=3 tip=C:\\\\Temp\\\\x id=9", Area::Tray, 3, 0x8000, 0x808080,
                      DataFault::None, false, false, L"C:\\Temp\\x id=9"},
        ValidIconCase{L"icon tray id=3 tip=", Area::Tray, 3, 0x8000, 0x808080, DataFault::None,
                      false, false, L""},
        ValidIconCase{L"icon tray id=5 tipfill=5 tip=ab", Area::Tray, 5, 0x8000, 0x808080,
                      DataFault::None, false, false, L"ababa"},
        ValidIconCase{L"icon tray id=5 tipfill=3", Area::Tray, 5, 0x8000, 0x808080, DataFault::None,
                      false, false, L"xxx"}));

TEST(ScenarioLine, TipFillMakesLongTipsUpToTheBound) {
    const LineResult result = ParseLine(L"icon tray id=1 tipfill=1500 tip=あ");
    ASSERT_EQ(result.error, L"");
    EXPECT_EQ(result.command.icon.tip, std::wstring(1500, L'あ'));
    const LineResult largest = ParseLine(L"icon tray id=1 tipfill=8192");
    ASSERT_EQ(largest.error, L"");
    EXPECT_EQ(largest.command.icon.tip.size(), kMaxTip);
}

TEST(ScenarioLine, OtherCommands) {
    struct Case {
        const wchar_t* line;
        Kind kind;
        Layout layout;
        std::uint32_t id;
    };
    const Case cases[] = {
        {L"", Kind::None, Layout::Win7, 0},
        {L"   \t ", Kind::None, Layout::Win7, 0},
        {L"# icon tray id=zz", Kind::None, Layout::Win7, 0},
        {L"layout vista", Kind::Layout, Layout::Vista, 0},
        {L"layout nopager ", Kind::Layout, Layout::NoPager, 0},
        {L"layout nooverflow", Kind::Layout, Layout::NoOverflow, 0},
        {L"layout win7", Kind::Layout, Layout::Win7, 0},
        {L"remove id=0x20", Kind::Remove, Layout::Win7, 32},
        {L"clear", Kind::Clear, Layout::Win7, 0},
        {L" restart ", Kind::Restart, Layout::Win7, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "line " << testing::PrintToString(std::wstring(c.line)));
        const LineResult result = ParseLine(c.line);
        EXPECT_EQ(result.error, L"");
        EXPECT_EQ(result.command.kind, c.kind);
        EXPECT_EQ(result.command.layout, c.layout);
        EXPECT_EQ(result.command.id, c.id);
    }
}

TEST(ScenarioLine, RejectsJunkWithAReason) {
    struct Case {
        const wchar_t* line;
        const wchar_t* error;
    };
    const Case cases[] = {
        {L"icons tray id=1", L"unknown command 'icons'"},
        {L"icon", L"icon needs tray, overflow or system, not ''"},
        {L"icon taskbar id=1", L"icon needs tray, overflow or system, not 'taskbar'"},
        {L"icon tray", L"icon needs id="},
        {L"icon tray msg=0x8001", L"icon needs id="},
        {L"icon tray id=1 id=2", L"id given twice"},
        {L"icon tray id=4294967296", L"bad value '4294967296' for id"},
        {L"icon tray id=0x100000000", L"bad value '0x100000000' for id"},
        {L"icon tray id=99999999999999999999999", L"bad value '99999999999999999999999' for id"},
        {L"icon tray id=-1", L"bad value '-1' for id"},
        {L"icon tray id=+1", L"bad value '+1' for id"},
        {L"icon tray id=0x", L"bad value '0x' for id"},
        {L"icon tray id=", L"bad value '' for id"},
        {L"icon tray id=12ab", L"bad value '12ab' for id"},
        {L"icon tray id=1 msg=0x3ff", L"msg must lie between 0x400 and 0xFFFF"},
        {L"icon tray id=1 msg=0x10000", L"msg must lie between 0x400 and 0xFFFF"},
        {L"icon tray id=1 color=3080ff", L"bad value '3080ff' for color"},
        {L"icon tray id=1 color=#3080f", L"bad value '#3080f' for color"},
        {L"icon tray id=1 color=#3080fg", L"bad value '#3080fg' for color"},
        {L"icon tray id=1 data=none", L"bad value 'none' for data"},
        {L"icon tray id=1 hicon=zero", L"bad value 'zero' for hicon"},
        {L"icon tray id=1 owner=here", L"bad value 'here' for owner"},
        {L"icon tray id=1 size=3", L"unknown option 'size'"},
        {L"icon tray id=1 loose", L"expected key=value, not 'loose'"},
        {L"icon tray id=1 =5", L"expected key=value, not '=5'"},
        {L"icon tray id=1 tipfill=0", L"tipfill must lie between 1 and 8192"},
        {L"icon tray id=1 tipfill=8193", L"tipfill must lie between 1 and 8192"},
        {L"icon tray id=1 tipfill=4294967295", L"tipfill must lie between 1 and 8192"},
        {L"icon tray id=1 tip=a\\tb", L"unknown escape \\t in tip"},
        {L"icon tray id=1 tip=a\\", L"tip ends with a lone backslash"},
        {L"layout", L"unknown layout ''"},
        {L"layout win10", L"unknown layout 'win10'"},
        {L"layout win7 vista", L"unexpected 'vista'"},
        {L"remove", L"remove needs id="},
        {L"remove id=x", L"bad value 'x' for id"},
        {L"remove id=1 id=2", L"unexpected 'id=2'"},
        {L"clear all", L"unexpected 'all'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "line " << testing::PrintToString(std::wstring(c.line)));
        const LineResult result = ParseLine(c.line);
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(result.command.kind, Kind::None);
    }
}

TEST(ScenarioLine, RejectsTipsBeyondTheBound) {
    const std::wstring longest = L"icon tray id=1 tip=" + std::wstring(kMaxTip, L'a');
    EXPECT_EQ(ParseLine(longest).error, L"");
    EXPECT_EQ(ParseLine(longest + L"a").error, L"tip longer than 8192 units");
}

TEST(Scenario, ReadsLayoutAndIconsInOrder) {
    const ScenarioResult result = ParseScenario(L"\xFEFF# demo\r\n"
                                                L"layout vista\r\n"
                                                L"\r\n"
                                                L"icon tray id=1 tip=one\r\n"
                                                L"icon system id=2 tip=two\n"
                                                L"icon overflow id=3 tip=three");
    ASSERT_EQ(result.error, L"");
    EXPECT_EQ(result.scenario.layout, Layout::Vista);
    ASSERT_EQ(result.scenario.icons.size(), 3u);
    EXPECT_EQ(result.scenario.icons[0].tip, L"one");
    EXPECT_EQ(result.scenario.icons[1].area, Area::System);
    EXPECT_EQ(result.scenario.icons[1].tip, L"two");
    EXPECT_EQ(result.scenario.icons[2].id, 3u);
    EXPECT_EQ(result.scenario.icons[2].tip, L"three");
}

TEST(Scenario, DefaultsToWin7AndAcceptsAnEmptyText) {
    for (const wchar_t* text : {L"", L"\n\n# nothing\n", L"icon tray id=7\n"}) {
        const ScenarioResult result = ParseScenario(text);
        EXPECT_EQ(result.error, L"");
        EXPECT_EQ(result.scenario.layout, Layout::Win7);
    }
}

TEST(Scenario, ErrorsNameTheLine) {
    struct Case {
        const wchar_t* text;
        const wchar_t* error;
    };
    const Case cases[] = {
        {L"layout win7\nicon tray id=1\nicon tray id=zz\n", L"line 3: bad value 'zz' for id"},
        {L"icon tray id=1\r\n\r\nicon overflow id=1\r\n", L"line 3: id 1 used twice"},
        {L"icon tray id=1\nlayout vista\n", L"line 2: layout must come once, before the icons"},
        {L"layout vista\nlayout vista\n", L"line 2: layout must come once, before the icons"},
        {L"layout win7\nicon system id=1\n", L"line 2: this layout has no place for such an icon"},
        {L"layout nooverflow\nicon tray id=1\nicon overflow id=2\n",
         L"line 3: this layout has no place for such an icon"},
        {L"layout nopager\nicon tray id=1\n", L"line 2: this layout has no place for such an icon"},
        {L"icon tray id=1\nremove id=1\n",
         L"line 2: remove, clear and restart are commands, not scenario lines"},
        {L"\n\n\n\nrestart\n",
         L"line 5: remove, clear and restart are commands, not scenario lines"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(std::wstring(c.text)));
        const ScenarioResult result = ParseScenario(c.text);
        EXPECT_EQ(result.error, c.error);
        EXPECT_TRUE(result.scenario.icons.empty());
    }
}

TEST(Scenario, AreasOfEachLayout) {
    struct Case {
        Layout layout;
        bool tray, overflow, system;
    };
    const Case cases[] = {{Layout::Win7, true, true, false},
                          {Layout::Vista, true, true, true},
                          {Layout::NoOverflow, true, false, false},
                          {Layout::NoPager, false, false, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(AreaAllowed(c.layout, Area::Tray), c.tray);
        EXPECT_EQ(AreaAllowed(c.layout, Area::Overflow), c.overflow);
        EXPECT_EQ(AreaAllowed(c.layout, Area::System), c.system);
    }
}

// Builds the bytes as Wine sends them: a 960-byte head, then the icon's bits.
class Record {
public:
    explicit Record(std::size_t size = kNotifyHeaderSize) : bytes_(size, 0) {}
    Record& Put32(std::size_t offset, std::uint32_t value) {
        std::memcpy(bytes_.data() + offset, &value, sizeof value);
        return *this;
    }
    Record& Tip(const std::u16string& tip) {
        std::memcpy(bytes_.data() + 16, tip.data(), tip.size() * 2);
        return *this;
    }
    Record& Icon(std::uint32_t width, std::uint32_t height, std::uint32_t planes,
                 std::uint32_t bitsPerPixel) {
        return Put32(944, width).Put32(948, height).Put32(952, planes).Put32(956, bitsPerPixel);
    }
    std::vector<std::uint8_t>& Bytes() { return bytes_; }
    std::optional<NotifyData> Decode() const {
        return DecodeNotifyData(bytes_.data(), bytes_.size());
    }

private:
    std::vector<std::uint8_t> bytes_;
};

TEST(NotifyRecord, ReadsTheFlaggedFields) {
    Record record;
    record.Put32(0, 0xFFFF8064).Put32(4, 7).Put32(8, 0x0F).Put32(12, 0x8123);
    record.Tip(u"Dropbox 同期完了").Put32(272, 1).Put32(276, 3).Put32(792, 4);
    const auto data = record.Decode();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->window, -32668); // sign-extends back to the 64-bit handle
    EXPECT_EQ(data->id, 7u);
    EXPECT_EQ(data->flags, 0x0Fu);
    EXPECT_EQ(data->callbackMessage, 0x8123u);
    EXPECT_EQ(data->tip, L"Dropbox 同期完了");
    EXPECT_EQ(data->state, 1u);
    EXPECT_EQ(data->stateMask, 3u);
    EXPECT_EQ(data->version, 4u);
    EXPECT_FALSE(data->icon);
}

TEST(NotifyRecord, TipStopsAtItsField) {
    Record record;
    record.Tip(std::u16string(128, u'x')).Put32(272, 0x00410041);
    const auto data = record.Decode();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->tip, std::wstring(128, L'x'));
}

TEST(NotifyRecord, IconBitsAsWineSendsThem) {
    struct Case {
        std::uint32_t side, bitsPerPixel;
        std::size_t maskSent, colourSent, maskFull, colourFull;
    };
    const Case cases[] = {
        {32, 32, 128, 4096, 128, 4096},
        {16, 32, 32, 1024, 32, 1024},
        {24, 32, 72, 2304, 96, 2304}, // the mask arrives cut at 18 of 24 rows
        {20, 24, 50, 1200, 80, 1200},
        {32, 1, 128, 128, 128, 128}, // a monochrome icon: AND half, then XOR half
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.side << "x" << c.side << "x" << c.bitsPerPixel);
        Record record(kNotifyHeaderSize + c.maskSent + c.colourSent);
        record.Put32(8, kFlagIcon).Icon(c.side, c.side, 1, c.bitsPerPixel);
        auto& bytes = record.Bytes();
        for (std::size_t i = 0; i < c.maskSent; ++i) bytes[kNotifyHeaderSize + i] = 0xA0;
        for (std::size_t i = 0; i < c.colourSent; ++i)
            bytes[kNotifyHeaderSize + c.maskSent + i] = 0x5B;
        const auto data = record.Decode();
        ASSERT_TRUE(data);
        ASSERT_TRUE(data->icon);
        EXPECT_EQ(data->icon->width, c.side);
        EXPECT_EQ(data->icon->height, c.side);
        EXPECT_EQ(data->icon->bitsPerPixel, c.bitsPerPixel);
        std::vector<std::uint8_t> mask(c.maskFull, 0);
        std::fill_n(mask.begin(), c.maskSent, 0xA0);
        EXPECT_EQ(data->icon->mask, mask);
        EXPECT_EQ(data->icon->colour, std::vector<std::uint8_t>(c.colourFull, 0x5B));

        // One byte short of what the head announces: refused, never read past the end.
        Record cut(kNotifyHeaderSize + c.maskSent + c.colourSent - 1);
        cut.Put32(8, kFlagIcon).Icon(c.side, c.side, 1, c.bitsPerPixel);
        EXPECT_FALSE(cut.Decode());
    }
}

TEST(NotifyRecord, RefusesMalformedIcons) {
    struct Case {
        std::uint32_t width, height, planes, bitsPerPixel;
    };
    const Case cases[] = {{257, 16, 1, 32}, {16, 257, 1, 32},        {16, 16, 2, 32},
                          {16, 16, 0, 32},  {16, 16, 1, 0},          {16, 16, 1, 7},
                          {16, 16, 1, 64},  {0xFFFFFFFF, 16, 1, 32}, {16, 0x80000000, 1, 32}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.width << " " << c.height << " " << c.planes << " " << c.bitsPerPixel);
        Record record(kNotifyHeaderSize + 70000);
        record.Put32(8, kFlagIcon).Icon(c.width, c.height, c.planes, c.bitsPerPixel);
        EXPECT_FALSE(record.Decode());
    }
}

TEST(NotifyRecord, IconWithoutPictureOrFlagIsNoIcon) {
    Record empty;
    empty.Put32(8, kFlagIcon); // Wine sends this when the caller's icon handle is bad
    auto data = empty.Decode();
    ASSERT_TRUE(data);
    EXPECT_FALSE(data->icon);

    Record unflagged(kNotifyHeaderSize + 32 + 1024);
    unflagged.Put32(8, kFlagTip).Icon(16, 16, 1, 32);
    data = unflagged.Decode();
    ASSERT_TRUE(data);
    EXPECT_FALSE(data->icon);
}

TEST(NotifyRecord, RefusesShortRecords) {
    EXPECT_FALSE(DecodeNotifyData(nullptr, 960));
    const std::vector<std::uint8_t> bytes(kNotifyHeaderSize - 1, 0);
    EXPECT_FALSE(DecodeNotifyData(bytes.data(), bytes.size()));
}

TEST(OwnerLog, LinesRoundTrip) {
    const OwnerMessage entries[] = {
        {0x8001, 1, 0x201, 0x2006E},
        {0, 0, 0, 0},
        {0xFFFFFFFF, 0xFFFFFFFFFFFFFFFF, 0xFFFFFFFFFFFFFE00, 0xFFFFFFFFFFFF8064},
    };
    EXPECT_EQ(FormatOwnerMessage(entries[0]), "msg=0x8001 wparam=0x1 lparam=0x201 hwnd=0x2006e\n");
    EXPECT_EQ(FormatOwnerMessage(entries[1]), "msg=0x0 wparam=0x0 lparam=0x0 hwnd=0x0\n");
    std::string text;
    for (const OwnerMessage& entry : entries) {
        EXPECT_EQ(ParseOwnerMessage(FormatOwnerMessage(entry)), entry);
        text += FormatOwnerMessage(entry);
    }
    const auto log = ParseOwnerLog(text);
    ASSERT_TRUE(log);
    EXPECT_EQ(*log, std::vector<OwnerMessage>(std::begin(entries), std::end(entries)));
    EXPECT_EQ(ParseOwnerLog(""), std::vector<OwnerMessage>{});
}

TEST(OwnerLog, RejectsMalformedLines) {
    for (const char* line : {"", "msg=0x8001 wparam=0x1 lparam=0x201",
                             "msg=0x8001 wparam=0x1 lparam=0x201 hwnd=0x2 extra=0x1",
                             "msg=8001 wparam=0x1 lparam=0x201 hwnd=0x2",
                             "wparam=0x1 msg=0x8001 lparam=0x201 hwnd=0x2",
                             "msg=0x100000000 wparam=0x1 lparam=0x201 hwnd=0x2",
                             "msg=0x8001 wparam=0x10000000000000000 lparam=0x1 hwnd=0x2",
                             "msg=0x8001 wparam=0x lparam=0x201 hwnd=0x2",
                             "msg=0x8001  wparam=0x1 lparam=0x201 hwnd=0x2"}) {
        EXPECT_FALSE(ParseOwnerMessage(line)) << line;
    }
    EXPECT_FALSE(ParseOwnerLog("msg=0x1 wparam=0x1 lparam=0x1 hwnd=0x1\ngarbage\n"));
}

} // namespace
} // namespace traysim
