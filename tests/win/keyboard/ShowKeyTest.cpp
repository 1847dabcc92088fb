#include "keyboard/KeyHook.h"
#include "keyboard/KeyRules.h"
#include "support/Files.h"
#include "support/Pointer.h"
#include "support/ProgramWindows.h"
#include "support/StandIns.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <set>
#include <thread>

namespace orvane {
namespace {

// Real key input, as the keyboard gives it to whichever window has the focus.
void Key(WORD vk, bool up = false) {
    test::SendRecords({test::Key(vk, up)});
}

// Handles messages as they come, in real time, until `done` or the time is up.
bool HandleUntil(const std::function<bool()>& done, DWORD milliseconds = 3000) {
    const DWORD start = GetTickCount();
    for (;;) {
        ui::App().ProcessMessages();
        if (done()) return true;
        if (GetTickCount() - start > milliseconds) return false;
        Sleep(5);
    }
}

// Another program's window with the keyboard, on a thread of its own; it notes when its
// first key arrives.
class KeyWindow {
public:
    KeyWindow() {
        thread_ = std::thread([this] {
            WNDCLASSW windowClass{};
            windowClass.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
                if (m == WM_KEYDOWN) {
                    auto* self = reinterpret_cast<KeyWindow*>(GetWindowLongPtrW(w, GWLP_USERDATA));
                    DWORD none = 0;
                    self->keyAt_.compare_exchange_strong(none, GetTickCount());
                }
                return DefWindowProcW(w, m, wp, lp);
            };
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.lpszClassName = L"OtherProgramKeys";
            RegisterClassW(&windowClass);
            window_ = CreateWindowExW(0, L"OtherProgramKeys", L"other", WS_POPUP | WS_VISIBLE, 700,
                                      500, 100, 100, nullptr, nullptr, nullptr, nullptr);
            SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
            SetForegroundWindow(window_);
            SetFocus(window_);
            threadId_ = GetCurrentThreadId();
            SetEvent(ready_);
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
            DestroyWindow(window_);
            UnregisterClassW(L"OtherProgramKeys", GetModuleHandleW(nullptr));
        });
        WaitForSingleObject(ready_, INFINITE);
    }
    ~KeyWindow() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
        CloseHandle(ready_);
    }
    HWND Window() const { return window_; }
    // The tick of the first key-down, waiting up to 5 s for it; 0 if none came.
    DWORD KeyArrival() const {
        for (int i = 0; i < 500 && !keyAt_; ++i) Sleep(10);
        return keyAt_;
    }

private:
    HANDLE ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
    std::atomic<DWORD> keyAt_{0};
    std::thread thread_;
};

class ShowKeyTest : public testing::Test {
protected:
    void SetUp() override {
        form.Show();
        form.SetWindowState(ui::WindowState::Minimized);
        ASSERT_TRUE(Minimised());
        SetCursorPos(300, 200);
    }
    bool Minimised() const { return form.GetWindowState() == ui::WindowState::Minimized; }
    void Hooked(std::uint16_t vk) { SendMessageW(form.Handle(), WM_KEYHOOK, 0x3E, vk); }
    void Hold(std::set<int> keys) {
        input.keyState = [keys](int key) -> SHORT { return keys.count(key) ? SHORT(0x8000) : 0; };
    }

    test::CleanDataFolder clean;
    test::DialogRecorder dialogs;
    test::VirtualClock clock;
    test::InputRecorder input;
    traysim::Tray tray{L"layout win7\nicon tray id=1 tip=a\nicon tray id=2 tip=b\n"};
    test::ProgramWindows program;
    TDozedeR64Form& form = program.main;
};

TEST_F(ShowKeyTest, TheHookPostsEachKeyDownToTheWindow) {
    KBDLLHOOKSTRUCT key{};
    key.vkCode = VK_F4;
    key.scanCode = 0x3E;
    ReportHookedKey(form.Handle(), key);
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, form.Handle(), WM_KEYHOOK, WM_KEYHOOK, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0x3Eu);
    EXPECT_EQ(msg.lParam, VK_F4);
}

TEST_F(ShowKeyTest, TheShowKeyRestoresTheBoardBesideThePointerAndRaisesItForAMoment) {
    bool topmostMeanwhile = false;
    clock.onWait = [&] {
        topmostMeanwhile =
            topmostMeanwhile || (GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    };
    Hooked(VK_F4);
    EXPECT_FALSE(Minimised());
    EXPECT_FALSE(form.FormMinimized);
    EXPECT_EQ(form.TotalBtnCount, 2);
    EXPECT_EQ(form.Left(), 310);
    EXPECT_EQ(form.Top(), 200);
    EXPECT_TRUE(topmostMeanwhile);
    EXPECT_FALSE(GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetForegroundWindow(), form.Handle());

    // On an open board it moves to the pointer and stays open.
    SetCursorPos(500, 300);
    Hooked(VK_F4);
    EXPECT_FALSE(Minimised());
    EXPECT_EQ(form.Left(), 510);
}

struct HeldCase {
    const char* name;
    bool ctrlMode;
    std::set<int> held;
    std::uint16_t key;
    std::function<void(test::ProgramWindows&)> state;
    bool shows;
};

class ShowKeyCaseTest : public ShowKeyTest, public testing::WithParamInterface<HeldCase> {};

TEST_P(ShowKeyCaseTest, ShowsOnlyInItsMode) {
    const HeldCase& c = GetParam();
    form.MainKeyIsDouble = c.ctrlMode;
    Hold(c.held);
    if (c.state) c.state(program);
    Hooked(c.key);
    EXPECT_EQ(!Minimised(), c.shows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShowKeyCaseTest,
    testing::Values(
        HeldCase{"Alone", false, {}, VK_F4, nullptr, true},
        HeldCase{"AloneWithCtrl", false, {VK_CONTROL}, VK_F4, nullptr, true},
        HeldCase{"OtherKey", false, {}, VK_F5, nullptr, false},
        HeldCase{"CtrlModeWithoutCtrl", true, {}, VK_F4, nullptr, false},
        HeldCase{"CtrlModeWithCtrl", true, {VK_CONTROL}, VK_F4, nullptr, true},
        HeldCase{
            "KeyMessageOpen", false, {}, VK_F4, [](auto& p) { p.main.MsgShowing = true; }, false},
        HeldCase{"JustAfterAShortcut",
                 false,
                 {},
                 VK_F4,
                 [](auto& p) { p.main.IconSettingStartTime = 5; },
                 false},
        HeldCase{"ShowKeyCapture",
                 false,
                 {},
                 VK_F4,
                 [](auto& p) { p.main.MainKeyChanging = true; },
                 false},
        HeldCase{"ShortCutCapture",
                 false,
                 {},
                 VK_F4,
                 [](auto& p) { p.settings.ShortCutSetting = true; },
                 false}),
    [](const auto& info) { return info.param.name; });

TEST_F(ShowKeyTest, DuringAShowKeyCapturePrintScreenComesThroughTheHook) {
    form.MainKeyChanging = true;
    Hooked(VK_F5);
    EXPECT_EQ(form.MainKey, VK_F4);
    Hooked(VK_SNAPSHOT);
    EXPECT_EQ(form.MainKey, VK_SNAPSHOT);
    EXPECT_FALSE(form.MainKeyChanging);
    EXPECT_EQ(dialogs.Texts(),
              std::vector<std::wstring>{L"画面表示のためのキーを[PrintScreen]に変更しました。"});
    EXPECT_EQ(IniFile(test::ConfigPath()).ReadString(L"MainKey", L"Name", L""), L"PrintScreen");
    EXPECT_TRUE(Minimised());
}

TEST_F(ShowKeyTest, AKeyReachesAnotherProgramAtOnceWhileTheBoardIsBusy) {
    ASSERT_NE(InstalledKeyHook(), nullptr);
    KeyWindow other;
    ASSERT_EQ(GetForegroundWindow(), other.Window());
    const DWORD sent = GetTickCount();
    Key(VK_F13);
    Key(VK_F13, true);
    Sleep(1500); // busy: this thread takes no messages
    const DWORD arrived = other.KeyArrival();
    ASSERT_NE(arrived, 0u);
    EXPECT_LT(arrived - sent, 500u);
}

TEST_F(ShowKeyTest, AHeldShowKeyShowsTheBoardOnceAndAgainOnlyAfterItsRelease) {
    Key(VK_F4);
    ASSERT_TRUE(HandleUntil([&] { return !Minimised(); }));
    EXPECT_EQ(form.Left(), 310);
    // Ten seconds of the keyboard's repeats at 30 a second, the pointer elsewhere meanwhile.
    SetCursorPos(500, 300);
    for (int i = 0; i < 300; ++i) {
        Key(VK_F4);
        if (i % 30 == 0) HandleUntil([] { return false; }, 20);
    }
    HandleUntil([] { return false; }, 300);
    EXPECT_EQ(form.Left(), 310);
    Key(VK_F4, true);
    Key(VK_F4);
    Key(VK_F4, true);
    EXPECT_TRUE(HandleUntil([&] { return form.Left() == 510; }));
}

TEST_F(ShowKeyTest, AHookThatTheSystemDroppedIsInstalledAgain) {
    // As the system does with a hook that kept it waiting.
    ASSERT_TRUE(UnhookWindowsHookEx(InstalledKeyHook()));
    Hold({VK_F4});
    input.lastInput = [] { return GetTickCount() + 1000; };
    form.Timer1Timer();
    input.keyState = nullptr;
    input.lastInput = nullptr;
    Key(VK_F4);
    Key(VK_F4, true);
    EXPECT_TRUE(HandleUntil([&] { return !Minimised(); }));
}

} // namespace
} // namespace orvane
