#include "support/Files.h"
#include "support/ProgramWindows.h"
#include "support/StandIns.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace orvane {
namespace {

struct Operated {
    std::uint64_t id, mouse;
    bool operator==(const Operated&) const = default;
};

std::wstring ShortCuts(int mainKeyNo, const std::wstring& rest = L"") {
    return L"[ShortCut]\r\nCount=2\r\nMainKeyNo=" + std::to_wstring(mainKeyNo) +
           L"\r\nText0=DROP\r\nSosa0=0\r\nKey0=65\r\nKeyName0=[Ctrl] + [A]\r\n"
           L"Text1=usb\r\nSosa1=1\r\nKey1=66\r\nKeyName1=[Ctrl] + [B]\r\n" +
           rest;
}

class ShortCutTest : public testing::Test {
protected:
    void Start(const std::wstring& config) {
        test::WriteUtf16File(test::ConfigPath(), config);
        program = std::make_unique<test::ProgramWindows>();
    }
    TDozedeR64Form& form() { return program->main; }
    void Hold(std::set<int> keys) {
        input.keyState = [keys](int key) -> SHORT { return keys.count(key) ? SHORT(0x8000) : 0; };
    }
    void Hooked(std::uint16_t vk) { SendMessageW(form().Handle(), 0x806E, 0, vk); }
    std::vector<Operated> Operations() {
        ui::App().ProcessMessages();
        std::vector<Operated> seen;
        for (const traysim::OwnerMessage& m : tray.Log()) {
            if (m.lParam != WM_MOUSEMOVE) seen.push_back({m.wParam, m.lParam});
        }
        return seen;
    }
    // Whether another window can take the combination, which a registered hot key holds.
    static bool Free(UINT modifiers, UINT key) {
        const HWND other = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                           nullptr, GetModuleHandleW(nullptr), nullptr);
        const bool free = RegisterHotKey(other, 1, modifiers, key);
        if (free) UnregisterHotKey(other, 1);
        DestroyWindow(other);
        return free;
    }

    test::CleanDataFolder clean;
    test::DialogRecorder dialogs;
    test::VirtualClock clock;
    test::InputRecorder input;
    traysim::Tray tray{L"layout win7\n"
                       L"icon tray id=1 msg=0x8001 tip=Dropbox 同期完了\n"
                       L"icon tray id=2 msg=0x8002 tip=USB デバイス\n"
                       L"icon tray id=3 msg=0x8003 tip=dropbox 2\n"};
    std::unique_ptr<test::ProgramWindows> program;
};

TEST_F(ShortCutTest, ARegisteredChoiceHoldsItsCombinationsUnderNamedAtomsUntilReleased) {
    Start(ShortCuts(0));
    ASSERT_EQ(form().HotKeyID.size(), 2u);
    EXPECT_EQ(form().HotKeyID[0], GlobalFindAtomW(L"OrvaneHotkey0"));
    EXPECT_EQ(form().HotKeyID[1], GlobalFindAtomW(L"OrvaneHotkey1"));
    EXPECT_FALSE(Free(MOD_CONTROL, 'A'));
    EXPECT_FALSE(Free(MOD_CONTROL, 'B'));
    form().StopHotKey();
    EXPECT_TRUE(Free(MOD_CONTROL, 'A'));
    EXPECT_EQ(GlobalFindAtomW(L"OrvaneHotkey0"), 0);
}

TEST_F(ShortCutTest, AHotKeyOperatesTheFirstMatchingIconOnceAndLocksForTwoSeconds) {
    Start(ShortCuts(0));
    SendMessageW(form().Handle(), WM_HOTKEY, static_cast<WPARAM>(form().HotKeyID[0]), 0);
    EXPECT_NE(form().IconSettingStartTime, 0u);
    // The same press through the hook, and a repeat, are absorbed.
    Hold({VK_CONTROL});
    Hooked('A');
    SendMessageW(form().Handle(), WM_HOTKEY, static_cast<WPARAM>(form().HotKeyID[0]), 0);
    EXPECT_EQ(Operations(), (std::vector<Operated>{{1, WM_LBUTTONDOWN}, {1, WM_LBUTTONUP}}));

    form().IconSettingStartTime = 0;
    SendMessageW(form().Handle(), WM_HOTKEY, static_cast<WPARAM>(form().HotKeyID[1]), 0);
    EXPECT_EQ(Operations().size(), 4u);
    EXPECT_EQ(Operations().back(), (Operated{2, WM_RBUTTONUP}));
}

TEST_F(ShortCutTest, AHookOnlyChoiceRegistersNothingAndWorksWhileItsKeyIsHeld) {
    Start(ShortCuts(4)); // [F9]
    for (std::int32_t id : form().HotKeyID) EXPECT_EQ(id, 0);
    EXPECT_TRUE(Free(0, 'A'));
    Hooked('A');
    EXPECT_TRUE(Operations().empty());
    Hold({VK_F9});
    Hooked('A');
    EXPECT_EQ(Operations(), (std::vector<Operated>{{1, WM_LBUTTONDOWN}, {1, WM_LBUTTONUP}}));
}

TEST_F(ShortCutTest, TheModifierOfARegisteredChoiceAloneIsNoShowKey) {
    Start(ShortCuts(0));
    form().Show();
    form().SetWindowState(ui::WindowState::Minimized);
    form().MainKey = VK_CONTROL; // as an old file may have it
    Hooked(VK_CONTROL);
    EXPECT_EQ(form().GetWindowState(), ui::WindowState::Minimized);
}

TEST_F(ShortCutTest, ACombinationOwnedByAnotherProgramIsLeftToTheHook) {
    const HWND other = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(RegisterHotKey(other, 7, MOD_CONTROL, 'A'));
    Start(ShortCuts(0));
    EXPECT_TRUE(dialogs.shown.empty());
    Hold({VK_CONTROL});
    Hooked('A');
    EXPECT_EQ(Operations(), (std::vector<Operated>{{1, WM_LBUTTONDOWN}, {1, WM_LBUTTONUP}}));
    UnregisterHotKey(other, 7);
    DestroyWindow(other);
}

TEST_F(ShortCutTest, ATextThatMatchesNothingDoesNothingAndShowsNothing) {
    Start(L"[ShortCut]\r\nCount=1\r\nMainKeyNo=0\r\nText0=Slack\r\nSosa0=0\r\nKey0=65\r\n");
    SendMessageW(form().Handle(), WM_HOTKEY, static_cast<WPARAM>(form().HotKeyID[0]), 0);
    EXPECT_TRUE(Operations().empty());
    EXPECT_EQ(form().IconSettingStartTime, 0u);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ShortCutTest, AMessageNamingNoRegisteredIdentifierDoesNothing) {
    Start(ShortCuts(0));
    SendMessageW(form().Handle(), WM_HOTKEY, 0, 0);
    SendMessageW(form().Handle(), WM_HOTKEY, 0x1234, 0);
    EXPECT_TRUE(Operations().empty());
}

TEST_F(ShortCutTest, ADamagedFileRegistersNothingItCannotNameAndReadsNoChoiceOutsideTheTable) {
    const std::wstring longName(10000, L'x');
    Start(L"[ShortCut]\r\nCount=3\r\nMainKeyNo=0\r\nText0=drop\r\nSosa0=junk\r\nKey0=0\r\n"
          L"Text1=usb\r\nSosa1=7\r\nKey1=300\r\nKeyName1=" +
          longName + L"\r\nText2=usb\r\nSosa2=1\r\nKey2=67\r\n");
    ASSERT_EQ(form().HotKeyID.size(), 3u);
    EXPECT_EQ(form().HotKeyID[0], 0);
    EXPECT_EQ(form().HotKeyID[1], 0);
    EXPECT_NE(form().HotKeyID[2], 0);
    SendMessageW(form().Handle(), WM_HOTKEY, static_cast<WPARAM>(form().HotKeyID[2]), 0);
    EXPECT_EQ(Operations(), (std::vector<Operated>{{2, WM_RBUTTONDOWN}, {2, WM_RBUTTONUP}}));

    program.reset();
    Start(ShortCuts(99));
    for (std::int32_t id : form().HotKeyID) EXPECT_EQ(id, 0);
    Hold({VK_CONTROL, VK_F9});
    Hooked('A');
    EXPECT_EQ(Operations().size(), 2u); // nothing more
}

} // namespace
} // namespace orvane
