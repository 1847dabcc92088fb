// The simulator's pure parts: scenario lines, the copy-data record and the owner log.
#include "traysim/CopyDataLog.h"
#include "traysim/OwnerLog.h"
#include "traysim/Scenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace traysim {
namespace {

using Kind = Command::Kind;

auto Fields(const IconSpec& i) {
    return std::tie(i.area, i.id, i.message, i.color, i.data, i.noIcon, i.ownerGone, i.tip,
                    i.command, i.info, i.version);
}

TEST(ScenarioLine, IconLinesGiveTheIcon) {
    const DataFault none = DataFault::None;
    const struct {
        const wchar_t* line;
        IconSpec icon;
    } cases[] = {
        {L"icon tray id=1",
         {Area::Tray, 1, 0x8000, 0x808080, none, false, false, L"", {}, InfoFault::None}},
        {L"  icon\toverflow  id=0x10 msg=1024 color=#ABCDEF data=junk tip=a  b  ",
         {Area::Overflow,
          16,
          0x400,
          0xABCDEF,
          DataFault::Junk,
          false,
          false,
          L"a  b  ",
          {},
          InfoFault::None}},
        {L"icon system id=4294967295 msg=0xFFFF data=zero hicon=none owner=gone",
         {Area::System,
          0xFFFFFFFF,
          0xFFFF,
          0x808080,
          DataFault::Zero,
          true,
          true,
          L"",
          {},
          InfoFault::None}},
        {L"icon tray id=3 tip=電源: 80%\\nC:\\\\x id=9",
         {Area::Tray,
          3,
          0x8000,
          0x808080,
          none,
          false,
          false,
          L"電源: 80%\nC:\\x id=9",
          {},
          InfoFault::None}},
        {L"icon tray id=5 tipfill=5 tip=ab",
         {Area::Tray, 5, 0x8000, 0x808080, none, false, false, L"ababa", {}, InfoFault::None}},
        {L"icon overflow id=6 cmd=7 info=stall",
         {Area::Overflow, 6, 0x8000, 0x808080, none, false, false, L"", 7, InfoFault::Stall}},
        {L"icon tray id=8 info=fail cmd=0x7FFF tip=x",
         {Area::Tray, 8, 0x8000, 0x808080, none, false, false, L"x", 0x7FFF, InfoFault::Fail}},
        {L"icon tray id=5 tipfill=3",
         {Area::Tray, 5, 0x8000, 0x808080, none, false, false, L"xxx", {}, InfoFault::None}},
        {L"icon tray id=9 version=4 owner=gone tip=C:\\\\\\n",
         {Area::Tray, 9, 0x8000, 0x808080, none, false, true, L"C:\\\n", {}, InfoFault::None, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.line)));
        const LineResult result = ParseLine(c.line);
        ASSERT_EQ(result.error, L"");
        EXPECT_EQ(result.command.kind, Kind::Icon);
        EXPECT_EQ(Fields(result.command.icon), Fields(c.icon));
        // As the simulator hands an icon to its owner process.
        const std::wstring again = FormatIconLine(result.command.icon);
        EXPECT_EQ(Fields(ParseLine(again).command.icon), Fields(c.icon)) << again;
    }
}

TEST(ScenarioLine, TipsStopAtTheBound) {
    const std::wstring longest = L"icon tray id=1 tip=" + std::wstring(kMaxTip, L'a');
    EXPECT_EQ(ParseLine(longest).error, L"");
    EXPECT_EQ(ParseLine(longest + L"a").error, L"tip longer than 8192 units");
    EXPECT_EQ(ParseLine(L"icon tray id=1 tipfill=8192 tip=あい").command.icon.tip.size(), kMaxTip);
}

TEST(Scenario, Win11TakesItsOwnersOptions) {
    const ScenarioResult result =
        ParseScenario(L"layout win11\nicon tray id=1 version=3 owner=gone msg=0x8001 tip=a\n");
    ASSERT_EQ(result.error, L"");
    EXPECT_EQ(result.scenario.layout, Layout::Win11);
    ASSERT_EQ(result.scenario.icons.size(), 1u);
    EXPECT_EQ(result.scenario.icons[0].version, 3u);
    EXPECT_EQ(IconRefused(Layout::Win11, result.scenario.icons[0]), L"");
}

TEST(Scenario, ReadsLayoutAndIconsInOrder) {
    const ScenarioResult result = ParseScenario(L"\xFEFF# demo\r\nlayout vista\r\n\r\n"
                                                L"icon tray id=1 tip=one\r\n"
                                                L"icon system id=2 tip=two\n"
                                                L"icon overflow id=3 tip=three");
    ASSERT_EQ(result.error, L"");
    EXPECT_EQ(result.scenario.layout, Layout::Vista);
    ASSERT_EQ(result.scenario.icons.size(), 3u);
    const IconSpec two{Area::System, 2,     0x8000, 0x808080, DataFault::None,
                       false,        false, L"two", {},       InfoFault::None};
    EXPECT_EQ(Fields(result.scenario.icons[1]), Fields(two));
    EXPECT_EQ(result.scenario.icons[2].tip, L"three");
    EXPECT_EQ(ParseScenario(L"icon tray id=7\n").scenario.layout, Layout::Win7);
    EXPECT_EQ(ParseScenario(L"").error, L"");
}

// Each row breaks a different rule; the error names the line of the text.
TEST(Scenario, RejectsJunkWithAReasonAndItsLine) {
    const struct {
        const wchar_t* text;
        const wchar_t* error;
    } cases[] = {
        {L"icons tray id=1", L"unknown command 'icons'"},
        {L"icon taskbar id=1", L"icon needs tray, overflow or system, not 'taskbar'"},
        {L"icon tray msg=0x8001", L"icon needs id="},
        {L"icon tray id=1 id=2", L"id given twice"},
        {L"icon tray id=0x100000000", L"bad value '0x100000000' for id"},
        {L"icon tray id=-1", L"bad value '-1' for id"},
        {L"icon tray id=1 msg=0x3ff", L"msg must lie between 0x400 and 0xFFFF"},
        {L"icon tray id=1 color=#3080f", L"bad value '#3080f' for color"},
        {L"icon tray id=1 size=3", L"unknown option 'size'"},
        {L"icon tray id=1 loose", L"expected key=value, not 'loose'"},
        {L"icon tray id=1 tipfill=8193", L"tipfill must lie between 1 and 8192"},
        {L"icon tray id=1 tip=a\\tb", L"unknown escape \\t in tip"},
        {L"icon tray id=1 tip=a\\", L"tip ends with a lone backslash"},
        {L"layout win10", L"unknown layout 'win10'"},
        {L"layout win7 vista", L"unexpected 'vista'"},
        {L"remove", L"remove needs id="},
        {L"icon tray id=1 cmd=0", L"cmd must lie between 1 and 0x7FFF"},
        {L"icon tray id=1 info=slow", L"bad value 'slow' for info"},
        {L"poke id=5", L"poke needs hwnd="},
        {L"poke hwnd=5", L"remove, clear and restart are commands, not scenario lines"},
        {L"restart", L"remove, clear and restart are commands, not scenario lines"},
        {L"layout win7\r\n\r\nicon tray id=1\r\nicon overflow id=1", L"id 1 used twice"},
        {L"icon tray id=1\nlayout vista", L"layout must come once, before the icons"},
        {L"layout nooverflow\nicon overflow id=2", L"this layout has no place for such an icon"},
        {L"layout win11\nicon overflow id=2", L"this layout has no place for such an icon"},
        {L"layout win11\nicon tray id=1 data=zero",
         L"data= shapes a toolbar button, which layout win11 has not"},
        {L"layout win11\nicon tray id=1 hicon=none",
         L"hicon= shapes a toolbar button, which layout win11 has not"},
        {L"layout win11\nicon tray id=1 cmd=4",
         L"cmd= shapes a toolbar button, which layout win11 has not"},
        {L"layout win11\nicon tray id=1 info=fail",
         L"info= shapes a toolbar button, which layout win11 has not"},
        {L"icon tray id=1 version=4", L"version= needs layout win11"},
        {L"layout win11\nicon tray id=1 version=2", L"version must be 0, 3 or 4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        const std::wstring_view text = c.text;
        const auto lines = std::count(text.begin(), text.end(), L'\n') + 1;
        const ScenarioResult result = ParseScenario(text);
        EXPECT_EQ(result.error, L"line " + std::to_wstring(lines) + L": " + c.error);
        EXPECT_TRUE(result.scenario.icons.empty());
    }
}

TEST(CopyDataLog, BlocksComeBackByteForByte) {
    std::vector<std::uint8_t> block(256);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(i);
    const std::string text =
        FormatCopyData(0x5453494D, block.data(), block.size()) + FormatCopyData(2, nullptr, 0);
    EXPECT_EQ(FormatCopyData(1, "\x0F\xA0", 2), "dwData=0x1 size=2 bytes=0fa0\n");
    const auto entries = ParseCopyDataLog(text);
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 2u);
    EXPECT_EQ((*entries)[0].code, 0x5453494Du);
    EXPECT_EQ((*entries)[0].bytes, block);
    EXPECT_EQ((*entries)[1].code, 2u);
    EXPECT_TRUE((*entries)[1].bytes.empty());
    for (const char* line : {"dwData=0x1 size=2 bytes=0fa", "dwData=0x1 size=2 bytes=0fa0",
                             "dwData=0x1 size=2 bytes=0fa0ff\n", "dwData=0x1 size=2 bytes=0fg0\n",
                             "size=2 dwData=0x1 bytes=0fa0\n", "dwData=0x1 size=-2 bytes=\n"}) {
        EXPECT_FALSE(ParseCopyDataLog(line)) << line;
    }
}

TEST(OwnerLog, LinesAsWrittenAndRead) {
    const OwnerMessage entries[] = {
        {0x8001, 1, 0x201, 0x2006E},
        {0xFFFFFFFF, 0xFFFFFFFFFFFFFFFF, 0xFFFFFFFFFFFFFE00, 0xFFFFFFFFFFFF8064},
    };
    EXPECT_EQ(FormatOwnerMessage(entries[0]), "msg=0x8001 wparam=0x1 lparam=0x201 hwnd=0x2006e\n");
    EXPECT_EQ(FormatOwnerMessage({}), "msg=0x0 wparam=0x0 lparam=0x0 hwnd=0x0\n");
    const std::string text = FormatOwnerMessage(entries[0]) + FormatOwnerMessage(entries[1]);
    EXPECT_EQ(ParseOwnerLog(text),
              std::vector<OwnerMessage>(std::begin(entries), std::end(entries)));
    EXPECT_EQ(ParseOwnerLog(""), std::vector<OwnerMessage>{});
    for (const char* line : {"msg=0x8001 wparam=0x1 lparam=0x201",
                             "msg=0x8001 wparam=0x1 lparam=0x201 hwnd=0x2 extra=0x1",
                             "wparam=0x1 msg=0x8001 lparam=0x201 hwnd=0x2",
                             "msg=0x100000000 wparam=0x1 lparam=0x201 hwnd=0x2",
                             "msg=0x8001  wparam=0x1 lparam=0x201 hwnd=0x2"}) {
        EXPECT_FALSE(ParseOwnerMessage(line)) << line;
    }
    EXPECT_FALSE(ParseOwnerLog("msg=0x1 wparam=0x1 lparam=0x1 hwnd=0x1\ngarbage\n"));
}

} // namespace
} // namespace traysim
