#include "board/Geometry.h"
#include "core/Profile.h"
#include "support/Board.h"
#include "support/Files.h"
#include "support/Pointer.h"
#include "support/Simulator.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace orvane {
namespace {

// Another program's window that has the keyboard and ignores Alt+F4.
class KeyboardOwner {
public:
    KeyboardOwner() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) -> LRESULT {
            if (message == WM_CLOSE) return 0;
            return DefWindowProcW(window, message, wParam, lParam);
        };
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"KeyboardOwner";
        RegisterClassW(&windowClass);
        window_ =
            CreateWindowExW(0, L"KeyboardOwner", L"editor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 1200,
                            100, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    KeyboardOwner(const KeyboardOwner&) = delete;
    KeyboardOwner& operator=(const KeyboardOwner&) = delete;
    ~KeyboardOwner() {
        DestroyWindow(window_);
        UnregisterClassW(L"KeyboardOwner", GetModuleHandleW(nullptr));
    }
    void TakeKeyboard() const {
        SetForegroundWindow(window_);
        Pump(200);
    }
    // Handles this thread's messages for a while, as a running program does.
    static void Pump(DWORD milliseconds) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < milliseconds) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }

private:
    HWND window_;
};

// Presses the keys in order and releases them in reverse.
void Press(std::initializer_list<WORD> keys) {
    std::vector<INPUT> records;
    for (WORD vk : keys) records.push_back(test::Key(vk));
    for (auto vk = std::rbegin(keys); vk != std::rend(keys); ++vk)
        records.push_back(test::Key(*vk, true));
    SendInput(static_cast<UINT>(records.size()), records.data(), sizeof(INPUT));
}

class ProgramKeyboard : public testing::Test {
protected:
    void Start(const std::wstring& config = L"") {
        test::ClearDataFolder();
        if (!config.empty()) test::WriteUtf16File(test::ConfigPath(), config);
        program = std::make_unique<test::ChildProcess>(test::Quoted(test::ProgramPath()));
        window = test::ShownBoard(*program);
        ASSERT_NE(window, nullptr);
        PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        for (int i = 0; i < 200 && !IsIconic(window); ++i) Sleep(10);
        ASSERT_TRUE(IsIconic(window));
        test::SendRecords({test::PointerMove({400, 300})});
        owner.TakeKeyboard();
    }
    void TearDown() override {
        if (program) program->End(window);
        test::ClearDataFolder();
    }
    // Whether the board came up within a second and a half.
    bool Shown() {
        for (int i = 0; i < 15 && IsIconic(window); ++i) KeyboardOwner::Pump(100);
        KeyboardOwner::Pump(700); // its moment on top, and the placing
        return !IsIconic(window);
    }
    static POINT Pointer() {
        POINT pointer{};
        GetCursorPos(&pointer);
        return pointer;
    }
    RECT Bounds() const {
        RECT bounds{};
        GetWindowRect(window, &bounds);
        return bounds;
    }

    std::wstring log = test::ScratchFile(L"e2e_keyboard_owners.log");
    test::SimulatorProcess tray{"layout win7\nicon tray id=1 msg=0x8001 tip=USB\n"
                                "icon tray id=2 msg=0x8002 tip=Dropbox 同期完了\n"
                                "icon tray id=3 msg=0x8003 tip=dropbox 2\n",
                                log};
    KeyboardOwner owner;
    std::unique_ptr<test::ChildProcess> program;
    HWND window = nullptr;
};

TEST_F(ProgramKeyboard, F4InAnotherProgramBringsTheBoardUpBesideThePointerAndToTheFront) {
    Start();
    Press({VK_F4});
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Bounds().left, Pointer().x + 10);
    EXPECT_EQ(Bounds().top, Pointer().y);
    EXPECT_EQ(GetForegroundWindow(), window);

    // On the open board it moves to the pointer and stays.
    test::SendRecords({test::PointerMove({600, 350})});
    owner.TakeKeyboard();
    Press({VK_F4});
    KeyboardOwner::Pump(1000);
    EXPECT_FALSE(IsIconic(window));
    EXPECT_EQ(Bounds().left, Pointer().x + 10);
    EXPECT_EQ(Bounds().top, Pointer().y);
    EXPECT_GT(Pointer().x, 550);
}

TEST_F(ProgramKeyboard, AKeyPressedWithAltNeverShowsTheBoard) {
    // F6 as the show key: Alt+F4 reaching the desktop would end the session.
    Start(L"[MainKey]\r\nIsDouble=0\r\nValue=117\r\n");
    Press({VK_MENU, VK_F6});
    EXPECT_FALSE(Shown());
    Press({VK_F6});
    EXPECT_TRUE(Shown());
}

TEST_F(ProgramKeyboard, InTheCtrlModeOnlyCtrlAndF4ShowTheBoard) {
    Start(L"[MainKey]\r\nIsDouble=1\r\nValue=115\r\n");
    Press({VK_F4});
    EXPECT_FALSE(Shown());
    Press({VK_CONTROL, VK_F4});
    EXPECT_TRUE(Shown());
}

// One shortcut: the fragment "DROP" with the modifier choice and the A key.
std::wstring DropShortCut(int mainKeyNo) {
    return L"[ShortCut]\r\nCount=1\r\nMainKeyNo=" + std::to_wstring(mainKeyNo) +
           L"\r\nText0=DROP\r\nSosa0=0\r\nKey0=65\r\nKeyName0=x\r\n";
}

struct ShortCutCase {
    const char* name;
    int mainKeyNo;
    WORD modifier;
};

class ProgramShortCut : public ProgramKeyboard, public testing::WithParamInterface<ShortCutCase> {};

TEST_P(ProgramShortCut, OperatesTheFirstMatchingIconOnceAndIgnoresARepeatWithinTwoSeconds) {
    const ShortCutCase& c = GetParam();
    Start(DropShortCut(c.mainKeyNo));
    Press({c.modifier, 'A'});
    std::vector<traysim::OwnerMessage> seen;
    for (int i = 0; i < 300 && seen.size() < 2; ++i) {
        KeyboardOwner::Pump(10);
        seen = test::LoggedOperations(log);
    }
    Press({c.modifier, 'A'}); // within the two seconds
    KeyboardOwner::Pump(500);
    seen = test::LoggedOperations(log);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].wParam, 2u);
    EXPECT_EQ(seen[0].lParam, static_cast<std::uint64_t>(WM_LBUTTONDOWN));
    EXPECT_EQ(seen[1].lParam, static_cast<std::uint64_t>(WM_LBUTTONUP));
    EXPECT_TRUE(IsIconic(window)); // a shortcut does not show the board
}

INSTANTIATE_TEST_SUITE_P(Choices, ProgramShortCut,
                         testing::Values(ShortCutCase{"CtrlByHotKeyAndHook", 0, VK_CONTROL},
                                         ShortCutCase{"F9ByTheHookAlone", 4, VK_F9}),
                         [](const auto& info) { return info.param.name; });

void ClickAt(POINT screen) {
    test::SendRecords({test::PointerMove(screen)});
    KeyboardOwner::Pump(200);
    test::SendRecords(
        {test::MouseButtons(MOUSEEVENTF_LEFTDOWN), test::MouseButtons(MOUSEEVENTF_LEFTUP)});
    KeyboardOwner::Pump(300);
}

TEST_F(ProgramKeyboard, AShortCutMadeInTheSettingsByClickingAnIconAndPressingAKeyWorks) {
    Start();
    ShowWindow(window, SW_RESTORE);
    KeyboardOwner::Pump(1000);
    SetForegroundWindow(window);
    KeyboardOwner::Pump(200);
    // The settings menu by its access key, then its first item.
    Press({VK_MENU, 'C'});
    KeyboardOwner::Pump(300);
    Press({VK_RETURN});
    HWND settings = nullptr;
    for (int i = 0; i < 100 && !(settings && IsWindowVisible(settings)); ++i) {
        KeyboardOwner::Pump(20);
        settings = test::FindProcessWindow(program->Pid(), L"OrvaneForm", L"オルヴァーネの設定");
    }
    ASSERT_TRUE(settings && IsWindowVisible(settings));
    // The first tab, then two to the right: the shortcut page.
    RECT tabs{};
    GetWindowRect(test::FindChildWindow(settings, L"SysTabControl32"), &tabs);
    ClickAt({tabs.left + 12, tabs.top + 10});
    Press({VK_RIGHT});
    Press({VK_RIGHT});
    KeyboardOwner::Pump(300);

    // The board's Dropbox icon gives the row; D gives its key, saved at once.
    const HWND board = test::FindChildWindow(window, L"OrvaneImage");
    POINT cell{CellOrigin(1, 64).X + 30, CellOrigin(1, 64).Y + 30};
    ClientToScreen(board, &cell);
    ClickAt(cell);
    Press({'D'});
    KeyboardOwner::Pump(500);
    EXPECT_EQ(IniFile(test::ConfigPath()).ReadString(L"ShortCut", L"Key0", L""), L"68");

    owner.TakeKeyboard();
    Press({VK_CONTROL, 'D'});
    std::vector<traysim::OwnerMessage> seen;
    for (int i = 0; i < 100 && seen.size() < 2; ++i) {
        KeyboardOwner::Pump(20);
        seen = test::LoggedOperations(log);
    }
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].wParam, 2u);
    EXPECT_EQ(seen[0].lParam, static_cast<std::uint64_t>(WM_LBUTTONDOWN));
}

} // namespace
} // namespace orvane
