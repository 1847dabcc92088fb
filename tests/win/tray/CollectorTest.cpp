// A tray without a toolbar: the program collects the icons that programs give the taskbar.
#include "tray/Collector.h"
#include "board/Geometry.h"
#include "operate/ClickForms.h"
#include "support/Board.h"
#include "support/Files.h"
#include "support/Process.h"
#include "support/ProgramWindows.h"
#include "support/StandIns.h"
#include "tray/NotifyMessage.h"
#include "traysim/CopyDataLog.h"
#include "traysim/Helpers.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <thread>

namespace orvane {
namespace {

bool PumpUntil(const std::function<bool()>& done, int milliseconds = 10000) {
    for (int waited = 0; !done() && waited < milliseconds; waited += 10) simtest::PumpMessages(10);
    return done();
}

// A Shell_NotifyIconW block as Windows sends it: signature, code, the 32-bit structure.
std::vector<std::uint8_t> WindowsBlock(HWND owner, UINT id, const std::wstring& tip) {
    std::vector<std::uint8_t> block(WindowsNotifySize);
    const auto put = [&](size_t at, std::uint32_t value) { std::memcpy(&block[at], &value, 4); };
    put(0, NotifySignature);
    put(4, NimAdd);
    put(8, 956);
    put(12, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(owner)));
    put(16, id);
    put(20, NifMessage | NifTip);
    put(24, 0x8007);
    std::memcpy(&block[32], tip.c_str(), tip.size() * 2);
    return block;
}

class CollectorTest : public testing::Test {
protected:
    void SetUp() override {
        program.emplace();
        ASSERT_NE(form().IconCollector, nullptr);
        // The collector's broadcast makes the owners add their icons again, through it.
        ASSERT_TRUE(PumpUntil([&] {
            form().Button1Click();
            return form().TotalBtnCount == 4;
        })) << form().TotalBtnCount
            << " front " << FindWindowW(L"Shell_TrayWnd", nullptr) << " collector "
            << form().IconCollector->Window() << " tray " << tray.Taskbar() << " records "
            << Record().size();
    }
    TDozedeR64Form& form() { return program->main; }
    std::vector<std::wstring> Tips() {
        return {form().ToolTip.begin(), form().ToolTip.begin() + form().TotalBtnCount};
    }
    std::vector<traysim::CopyDataEntry> Record() const {
        return traysim::ParseCopyDataLog(test::ReadBytes(record))
            .value_or(std::vector<traysim::CopyDataEntry>{});
    }
    std::vector<traysim::OwnerMessage> Operations() const { return test::LoggedOperations(log); }
    void Click(int entry) {
        const Point corner = CellOrigin(entry, form().IconSize);
        const HWND image = form().Image1.Handle();
        const LPARAM at = MAKELPARAM(corner.X + 10, corner.Y + 10);
        SendMessageW(image, WM_MOUSEMOVE, 0, at);
        SendMessageW(image, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(image, WM_LBUTTONUP, 0, at);
    }

    test::CleanDataFolder clean;
    test::DialogRecorder dialogs;
    test::VirtualClock clock;
    test::InputRecorder input;
    const std::wstring log = test::ScratchFile(L"collector-owners.log");
    const std::wstring record = test::ScratchFile(L"collector-copydata.log");
    traysim::Tray tray{L"layout win11\n"
                       L"icon tray id=1 msg=0x8001 color=#2F80ED tip=音量\n"
                       L"icon tray id=2 msg=0x8002 color=#27AE60 version=4 tip=ネットワーク\n",
                       traysim::TrayOptions{log, record, test::TraySimPath()}};
    std::optional<test::ProgramWindows> program;
};

TEST_F(CollectorTest, TheIconsOfOtherProgramsComeWithTheirPicturesAndStillReachTheShell) {
    EXPECT_EQ(Tips(), (std::vector<std::wstring>{L"音量", L"ネットワーク",
                                                 L"クイック設定 (音量・ネットワーク・バッテリー)",
                                                 L"通知センター"}));
    EXPECT_EQ(simtest::IconPixel(form().TrayNotify[0].hIcon, 32, 16, 2), RGB(0x2F, 0x80, 0xED));
    EXPECT_EQ(simtest::IconPixel(form().TrayNotify[1].hIcon, 32, 16, 2), RGB(0x27, 0xAE, 0x60));
    EXPECT_EQ(form().IconVersion(1), 4u);
    EXPECT_TRUE(dialogs.shown.empty());
    // The shell got every add twice: first from the owners, then passed on by the collector.
    int adds = 0;
    for (const auto& entry : Record()) adds += entry.code == NimAdd;
    EXPECT_EQ(adds, 4);
    EXPECT_EQ(tray.Icons().size(), 2u);
}

TEST_F(CollectorTest, AClickReachesEachOwnerInTheFormItChose) {
    Click(0);
    Click(1);
    const RECT cell = form().CellScreenRect(1);
    const std::uint64_t anchor = static_cast<std::uint16_t>((cell.left + cell.right) / 2) |
                                 static_cast<std::uint64_t>((cell.top + cell.bottom) / 2) << 16;
    ASSERT_TRUE(PumpUntil([&] { return Operations().size() == 5; })) << Operations().size();
    const auto seen = Operations();
    const std::vector<std::pair<std::uint64_t, std::uint64_t>> expected{
        {1, WM_LBUTTONDOWN},
        {1, WM_LBUTTONUP},
        {anchor, MAKELPARAM(WM_LBUTTONDOWN, 2)},
        {anchor, MAKELPARAM(WM_LBUTTONUP, 2)},
        {anchor, MAKELPARAM(NinSelect, 2)}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(seen[i].wParam, expected[i].first) << i;
        EXPECT_EQ(seen[i].lParam, expected[i].second) << i;
    }
}

TEST_F(CollectorTest, AWindowsBlockIsShownPassedOnByteForByteAndGoesWithItsWindow) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                                 nullptr);
    const std::vector<std::uint8_t> block = WindowsBlock(owner, 7, L"手作り");
    COPYDATASTRUCT data{NotifyCopyData, static_cast<DWORD>(block.size()),
                        const_cast<std::uint8_t*>(block.data())};
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutW(
        FindWindowW(L"Shell_TrayWnd", nullptr), WM_COPYDATA, reinterpret_cast<WPARAM>(owner),
        reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000, &answer));
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
    ASSERT_TRUE(PumpUntil([&] {
        const auto entries = Record();
        return !entries.empty() && entries.back().code == NotifyCopyData &&
               entries.back().bytes == block;
    }));
    form().Button1Click();
    ASSERT_EQ(form().TotalBtnCount, 5);
    EXPECT_EQ(form().ToolTip[2], L"手作り");
    EXPECT_EQ(form().TrayNotify[2].hWnd, owner);
    EXPECT_EQ(form().TrayNotify[2].uCallbackMessage, 0x8007u);

    DestroyWindow(owner);
    form().Button1Click();
    EXPECT_EQ(form().TotalBtnCount, 4);
}

TEST_F(CollectorTest, ADeleteReachesBothAndClosingHandsTheTrayBack) {
    ASSERT_TRUE(tray.RunCommand(L"remove id=1"));
    ASSERT_TRUE(PumpUntil([&] {
        form().Button1Click();
        return form().TotalBtnCount == 3 && tray.Icons().size() == 1;
    }));
    EXPECT_EQ(form().ToolTip[0], L"ネットワーク");

    const size_t before = Record().size();
    program.reset();
    EXPECT_EQ(FindWindowW(L"Shell_TrayWnd", nullptr), tray.Taskbar());
    // The owner adds its icon to the shell itself again.
    EXPECT_TRUE(PumpUntil([&] {
        const auto entries = Record();
        return entries.size() > before && entries.back().code == NimAdd;
    }));
}

TEST_F(CollectorTest, TheQuickSettingsCellPressesWinA) {
    Click(2);
    ASSERT_EQ(input.batches.size(), 1u);
    const std::vector<INPUT>& keys = input.batches[0];
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[0].ki.wVk, VK_LWIN);
    EXPECT_EQ(keys[1].ki.wVk, 'A');
    EXPECT_EQ(keys[3].ki.dwFlags & KEYEVENTF_KEYUP, static_cast<DWORD>(KEYEVENTF_KEYUP));
}

TEST_F(CollectorTest, AProgramAskingWhereItsIconIsGetsItsCellWhileTheBoardIsShown) {
    std::vector<std::uint8_t> request(40);
    const auto put = [&](size_t at, std::uint32_t value) { std::memcpy(&request[at], &value, 4); };
    put(0, NotifySignature);
    put(4, IconRectLeftTop);
    put(8, 0x20);
    put(16,
        static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(form().TrayNotify[1].hWnd)));
    put(20, 2);
    const auto ask = [&] {
        COPYDATASTRUCT data{IconRectCopyData, static_cast<DWORD>(request.size()), request.data()};
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(form().IconCollector->Window(), WM_COPYDATA, 0,
                            reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000, &answer);
        return answer;
    };
    form().PublishCollectedCells(true);
    const RECT cell = form().CellScreenRect(1);
    EXPECT_EQ(ask(), static_cast<DWORD_PTR>(MAKELONG(cell.left, cell.top)));
    form().PublishCollectedCells(false);
    EXPECT_NE(ask(), static_cast<DWORD_PTR>(MAKELONG(cell.left, cell.top)));
}

TEST_F(CollectorTest, TheGeneralTabSwitchesTheCollectorOffAndOn) {
    program->settings.RadioGroupTrayRoad.SetItemIndex(TDozedeR64Form::TrayRoadToolbar);
    EXPECT_EQ(form().IconCollector, nullptr);
    EXPECT_EQ(FindWindowW(L"Shell_TrayWnd", nullptr), tray.Taskbar());
    EXPECT_EQ(form().ConfigFile().ReadInteger(L"TrayRoad", L"Value", -1),
              TDozedeR64Form::TrayRoadToolbar);
    program->settings.RadioGroupTrayRoad.SetItemIndex(TDozedeR64Form::TrayRoadAuto);
    ASSERT_NE(form().IconCollector, nullptr);
    EXPECT_EQ(FindWindowW(L"Shell_TrayWnd", nullptr), form().IconCollector->Window());
}

TEST_F(CollectorTest, AShellThatDoesNotAnswerHoldsNoProgramUp) {
    const HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                       nullptr, nullptr);
    const size_t before = Record().size();
    std::vector<DWORD> took;
    // This thread takes no messages meanwhile: the tray's taskbar does not answer.
    std::thread([&] {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof data;
        data.hWnd = owner;
        data.uID = 9;
        data.uFlags = NIF_TIP;
        for (int i = 0; i < 5; ++i) {
            data.szTip[0] = static_cast<wchar_t>(L'a' + i);
            const DWORD start = GetTickCount();
            Shell_NotifyIconW(i == 0 ? NIM_ADD : NIM_MODIFY, &data);
            took.push_back(GetTickCount() - start);
        }
    }).join();
    for (const DWORD milliseconds : took) EXPECT_LT(milliseconds, 300u);
    // Once it answers again, each message reaches it, in order.
    EXPECT_TRUE(PumpUntil([&] { return Record().size() == before + 5; }));
    DestroyWindow(owner);
}

} // namespace
} // namespace orvane
