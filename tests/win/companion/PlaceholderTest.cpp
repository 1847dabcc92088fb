#include "CompanionFixture.h"
#include "core/WindowHelpers.h"
#include "support/Process.h"

#include <tlhelp32.h>

#include <set>

namespace orvane {
namespace {

using test::ListedItem;
using test::OwnWindow;

const std::wstring Notepad = L"C:\\windows\\system32\\notepad.exe";

// Notepad processes started by a test; ended with it.
struct NotepadsStarted {
    ~NotepadsStarted() {
        for (DWORD pid : Running()) {
            if (before.count(pid)) continue;
            if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid)) {
                TerminateProcess(process, 1);
                CloseHandle(process);
            }
        }
    }
    static std::set<DWORD> Running() {
        std::set<DWORD> found;
        const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32FirstW(snapshot, &entry); more;
             more = Process32NextW(snapshot, &entry))
            if (_wcsicmp(entry.szExeFile, L"notepad.exe") == 0) found.insert(entry.th32ProcessID);
        CloseHandle(snapshot);
        return found;
    }
    std::set<DWORD> before = Running();
};

class PlaceholderTest : public test::CompanionTest {};

TEST_F(PlaceholderTest, AClickOnAPlaceholderStartsTheProgramAndTheHookHandsItsWindowOver) {
    // The real hook library reports the started window.
    platform::ScopedOverride<platform::HookLibrary> realHook(
        platform::Real<platform::HookLibrary>());
    NotepadsStarted started;
    TDozedeR64Form& form = StartWithItems({{L"C:\\Tools\\memo.exe"}, {Notepad}});
    ASSERT_TRUE(ShowsPlaceholder(1));
    SendMessageW(form.Handle(), OwnTrayIconCallback, 1, WM_LBUTTONUP);
    ASSERT_EQ(shell.executed.size(), 2u); // the companion's start, then the program's
    EXPECT_EQ(shell.executed[1].file, Notepad);
    const HWND window = form.KestrinItem[1].WndHandle;
    ASSERT_NE(window, nullptr);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    EXPECT_EQ(form.KestrinItem[1].PID, static_cast<std::int32_t>(pid));
    EXPECT_EQ(form.ProcessImagePath(pid), Notepad);

    ASSERT_TRUE(PumpUntil([&] { return form.KestrinItem[1].IsRunning; }));
    EXPECT_EQ(TipOf(1), test::WindowText(window));
    EXPECT_FALSE(ShowsPlaceholder(1));

    // Its menu's only entry closes it, and the placeholder comes back.
    form.SelectedItemNo = 1;
    form.MenuCloseWindowClick();
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }, 5000));
    EXPECT_TRUE(PumpUntil([&] { return !form.KestrinItem[1].IsRunning; }, 3000));
    // A report of the closing window may still be on its way.
    EXPECT_TRUE(PumpUntil(
        [&] { return TipOf(1) == L"notepad.exe-起動していません" && ShowsPlaceholder(1); }, 3000));
    EXPECT_TRUE(dialogs.shown.empty());
    form.FormDestroy();
}

TEST_F(PlaceholderTest, AnotherProgramComingToTheFrontDuringAStartIsNotTakenForIt) {
    NotepadsStarted started;
    test::ChildProcess notepad(test::Quoted(Notepad));
    const HWND other = notepad.WaitForWindow(L"Notepad", 10000);
    ASSERT_NE(other, nullptr);
    // A program that shows no window of its own.
    TDozedeR64Form& form = StartWithItems({{L"C:\\windows\\system32\\rundll32.exe"}});
    SetForegroundWindow(form.Handle());
    test::VirtualClock clock;
    clock.onWait = [&] {
        if (GetForegroundWindow() != other) SetForegroundWindow(other);
    };
    SendMessageW(form.Handle(), OwnTrayIconCallback, 0, WM_LBUTTONUP);
    EXPECT_EQ(form.KestrinItem[0].WndHandle, nullptr);
    EXPECT_EQ(form.KestrinItem[0].PID, 0);
    EXPECT_TRUE(ShowsPlaceholder(0));
}

TEST_F(PlaceholderTest, AProgramThatCannotStartIsSaidAndKeepsItsPlaceholder) {
    TDozedeR64Form& form = StartWithItems({{L"C:\\nowhere\\lost.exe"}});
    SendMessageW(form.Handle(), OwnTrayIconCallback, 0, WM_LBUTTONUP);
    EXPECT_EQ(dialogs.Texts(),
              std::vector<std::wstring>{L"C:\\nowhere\\lost.exeを起動できませんでした。"});
    EXPECT_EQ(form.KestrinItem[0].WndHandle, nullptr);
    EXPECT_TRUE(ShowsPlaceholder(0));
    EXPECT_EQ(TipOf(0), L"lost.exe-起動していません");
}

TEST_F(PlaceholderTest, AClickOnAnAdoptedWindowsIconBringsItBack) {
    TDozedeR64Form& form = StartWithItems({{L""}});
    OwnWindow app(L"アプリ");
    form.KestrinItem[0].FileName = OwnPath();
    Report(app.Handle());
    ShowWindow(app.Handle(), SW_MINIMIZE);
    SendMessageW(form.Handle(), OwnTrayIconCallback, 0, WM_LBUTTONUP);
    EXPECT_FALSE(IsIconic(app.Handle()));
    EXPECT_TRUE(IsWindowVisible(app.Handle()));
    EXPECT_EQ(GetForegroundWindow(), app.Handle());
    EXPECT_FALSE(ShowsPlaceholder(0));

    // From the board: a right click keeps the item for the menu.
    form.TrayNotify.assign(1, TTrayNotify{});
    form.TrayNotify[0].hWnd = form.Handle();
    form.TrayNotify[0].uID = 0;
    form.SelectedItemNo = 5;
    form.KestrinItem[0].IsRunning = false; // not running: no menu, only the choice
    form.SetSelfCreateIcon(1, 0);
    EXPECT_EQ(form.SelectedItemNo, 0);
    EXPECT_EQ(shell.executed.size(), 1u);
}

struct RunningCase {
    const char* name;
    bool sameLetters;
    bool adopted;
};

class RunningWindowTest : public test::CompanionTest,
                          public testing::WithParamInterface<RunningCase> {};

TEST_P(RunningWindowTest, APlaceholderTakesARunningWindowByItsPathInAnyLetters) {
    OwnWindow app(L"動いている");
    GivenItems({{L"x"}});
    shell.result = 2;
    Start();
    std::wstring path = OwnPath();
    if (!GetParam().sameLetters)
        for (wchar_t& c : path) c = static_cast<wchar_t>(towupper(c));
    Main().KestrinItem[0].FileName = path;
    Main().AddTaskTrayIcon(0);
    EXPECT_EQ(Main().KestrinItem[0].IsRunning, GetParam().adopted);
    EXPECT_EQ(TipOf(0), GetParam().adopted
                            ? std::wstring(L"動いている")
                            : path.substr(path.find_last_of(L'\\') + 1) + L"-起動していません");
    EXPECT_EQ(ShowsPlaceholder(0), !GetParam().adopted);
    EXPECT_TRUE(Main().Timer2.Enabled());
}

INSTANTIATE_TEST_SUITE_P(Paths, RunningWindowTest,
                         testing::Values(RunningCase{"SameLetters", true, true},
                                         RunningCase{"OtherLetters", false, true}),
                         [](const testing::TestParamInfo<RunningCase>& info) {
                             return info.param.name;
                         });

} // namespace
} // namespace orvane
