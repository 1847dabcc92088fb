#include "IconSamples.h"
#include "core/Profile.h"
#include "platform/Handles.h"
#include "support/Board.h"
#include "support/Files.h"
#include "support/Simulator.h"
#include "support/TrayReader.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace orvane {
namespace {

const std::wstring Notepad = L"C:\\windows\\system32\\notepad.exe";
const std::wstring NotRunning = L"notepad.exe-起動していません";

// Messages for up to `timeout` ms of real time until the condition holds.
bool Within(DWORD timeout, const std::function<bool()>& condition) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeout) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    return true;
}

// One listed application with its placeholder picture, as the companion leaves them.
void GivenListed(const std::wstring& path, int bit) {
    test::ClearDataFolder();
    CreateDirectoryW((test::DataFolder() + L"Icon").c_str(), nullptr);
    const std::vector<std::uint8_t> picture = test::MakeIcon(test::SampleEntry{16, 16, 4});
    test::WriteBytes(test::DataFolder() + L"Icon\\BlueIcon0.ico",
                     std::string(picture.begin(), picture.end()));
    test::WriteUtf16File(test::DataFolder() + L"Kestrin.ini",
                         L"[ItemCount]\r\nValue=1\r\n[KestrinBeforeStart]\r\nValue=1\r\n"
                         L"[ItemFileName]\r\n0=" +
                             path + L"\r\n[ItemBit]\r\n0=" + std::to_wstring(bit) + L"\r\n");
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

// The simulator, the program with its companion, and the program's main window.
class CompanionEndToEnd : public testing::Test {
protected:
    void StartProgram() {
        program = std::make_unique<test::ChildProcess>(test::Quoted(test::ProgramPath()));
        main = test::ShownBoard(*program);
        ASSERT_NE(main, nullptr) << "the companion did not bring the program up";
        companion = FindWindowW(L"TKestrinForm", nullptr);
        ASSERT_NE(companion, nullptr);
    }
    void TearDown() override {
        // A notepad left by a failed step would keep the test run's output open.
        for (HWND left; (left = FindWindowW(L"Notepad", nullptr));) {
            if (const platform::UniqueHandle process{
                    OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, ProcessOf(left))}) {
                TerminateProcess(process.Get(), 1);
                WaitForSingleObject(process.Get(), 5000);
            } else {
                break;
            }
        }
        if (program) program->End(main);
        if (companion && IsWindow(companion)) PostMessageW(companion, WM_CLOSE, 0, 0);
        test::ClearDataFolder();
    }
    std::wstring Tip() const { return test::TrayTip(tray.Taskbar(), main, 0); }

    test::SimulatorProcess tray{"layout win7\nicon tray id=1 tip=Dropbox\n"};
    std::unique_ptr<test::ChildProcess> program;
    HWND main = nullptr;
    HWND companion = nullptr;
};

TEST_F(CompanionEndToEnd, AListedProgramLivesInTheTrayUntilItEnds) {
    GivenListed(Notepad, 0);
    StartProgram();
    EXPECT_EQ(Tip(), L"<none>"); // not yet claimed: no placeholder

    test::ChildProcess notepad(test::Quoted(Notepad));
    const HWND window = notepad.WaitForWindow(L"Notepad", 10000);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(Within(5000, [&] { return Tip() == test::WindowText(window); })) << Tip();
    EXPECT_TRUE(Within(2000, [] {
        return IniFile(test::DataFolder() + L"Kestrin.ini").ReadInteger(L"ItemBit", L"0", 0) == 64;
    }));

    SetWindowTextW(window, L"買い物メモ");
    const DWORD renamed = GetTickCount();
    ASSERT_TRUE(Within(2000, [&] { return Tip() == L"買い物メモ"; }));
    EXPECT_LE(GetTickCount() - renamed, 700u);

    notepad.End(window);
    EXPECT_TRUE(Within(3000, [&] { return Tip() == NotRunning; })) << Tip();

    // Closing: every own icon goes, and the companion with the program.
    const DWORD companionProcess = ProcessOf(companion);
    PostMessageW(main, WM_CLOSE, 0, 0);
    DWORD code = 1;
    ASSERT_TRUE(program->WaitExit(5000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(test::TrayButtonsOf(tray.Taskbar(), main), 0);
    EXPECT_TRUE(Within(3000, [&] { return !IsWindow(companion); }));
    (void)companionProcess;
    program.reset();
}

TEST_F(CompanionEndToEnd, APlaceholderOnTheBoardStartsTheProgramAndItsMenuClosesIt) {
    GivenListed(Notepad, 64);
    StartProgram();
    ASSERT_TRUE(Within(3000, [&] { return Tip() == NotRunning; })) << Tip();

    // The board's second cell is the placeholder, after the simulator's own icon.
    test::ClickCell(main, 1);
    HWND window = nullptr;
    ASSERT_TRUE(Within(15000, [&] {
        window = FindWindowW(L"Notepad", nullptr);
        return window && Tip() == test::WindowText(window);
    })) << Tip();
    const DWORD notepad = ProcessOf(window);

    // The shell's right click on the icon opens its menu; its access key closes the window.
    // Under load a menu whose owner could not come to the front may close again at once.
    HWND menu = nullptr;
    for (int attempt = 0; attempt < 3 && !menu; ++attempt) {
        PostMessageW(main, 0x52C, 0, WM_RBUTTONUP);
        Within(3000, [&] {
            menu = test::FindProcessWindow(program->Pid(), L"#32768");
            return menu && IsWindowVisible(menu);
        });
    }
    ASSERT_NE(menu, nullptr);
    // The menu's own loop takes the access key, wherever the keyboard focus is.
    PostMessageW(menu, WM_CHAR, 'c', 0);
    EXPECT_TRUE(Within(5000, [&] { return !IsWindow(window); }));
    EXPECT_TRUE(Within(3000, [&] { return Tip() == NotRunning; })) << Tip();
    const platform::UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, notepad));
    EXPECT_TRUE(!process || WaitForSingleObject(process.Get(), 3000) == WAIT_OBJECT_0);
}

TEST_F(CompanionEndToEnd, AProgramThatCannotStartIsSaidAndKeepsItsPlaceholder) {
    GivenListed(L"C:\\nowhere\\lost.exe", 64);
    StartProgram();
    ASSERT_TRUE(Within(3000, [&] { return Tip() == L"lost.exe-起動していません"; })) << Tip();
    test::ClickCell(main, 1);
    HWND box = nullptr;
    ASSERT_TRUE(Within(5000, [&] {
        box = test::FindProcessWindow(program->Pid(), L"#32770");
        return box && IsWindowVisible(box);
    }));
    EXPECT_EQ(test::WindowText(GetDlgItem(box, 0xFFFF)),
              L"C:\\nowhere\\lost.exeを起動できませんでした。");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(Tip(), L"lost.exe-起動していません");
}

TEST_F(CompanionEndToEnd, StartedAfterTheCompanionItDoesNotWaitForItsStart) {
    GivenListed(L"C:\\nowhere\\lost.exe", 64);
    test::ChildProcess kestrin(test::Quoted(test::TestFolder() + L"..\\Orvane\\Data\\Kestrin.exe"));
    ASSERT_NE(kestrin.WaitForWindow(L"TKestrinForm", 10000), nullptr);
    const DWORD started = GetTickCount();
    StartProgram();
    // The second copy it starts tells it that the first runs: no waiting for the time-out.
    EXPECT_TRUE(Within(3000, [&] { return Tip() == L"lost.exe-起動していません"; })) << Tip();
    EXPECT_LT(GetTickCount() - started, 4000u);
    EXPECT_TRUE(Within(2000, [&] { return !IsIconic(main); }));
}

TEST_F(CompanionEndToEnd, ANewShellGetsTheIconsBackWithinSixSeconds) {
    GivenListed(L"C:\\nowhere\\lost.exe", 64);
    StartProgram();
    ASSERT_TRUE(Within(3000, [&] { return Tip() != L"<none>"; }));
    ASSERT_TRUE(traysim::SendCommand(L"restart", tray.Taskbar()));
    const DWORD restarted = GetTickCount();
    HWND taskbar = nullptr;
    ASSERT_TRUE(Within(2000, [&] {
        taskbar = traysim::FindTaskbar(tray.Pid());
        return taskbar && taskbar != tray.Taskbar();
    }));
    EXPECT_TRUE(Within(
        6000, [&] { return test::TrayTip(taskbar, main, 0) == L"lost.exe-起動していません"; }));
    EXPECT_LE(GetTickCount() - restarted, 6000u);
}

} // namespace
} // namespace orvane
