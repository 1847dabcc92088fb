// traysim.exe as the shell of other processes.
#include "Helpers.h"
#include "support/Files.h"
#include "support/Simulator.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

namespace {

using orvane::test::ChildProcess;
using orvane::test::Quoted;
using orvane::test::SimulatorProcess;
using orvane::test::TraySimPath;

std::string ManyIcons(int visible, int hidden) {
    std::string scenario = "layout win7\n";
    for (int i = 1; i <= visible + hidden; ++i) {
        scenario += std::string(i <= visible ? "icon tray" : "icon overflow") +
                    " id=" + std::to_string(i) + " msg=0x8001 tip=アイコン " + std::to_string(i) +
                    "\n";
    }
    return scenario;
}

TEST(Process, TheTaskbarAppearsOnlyWithEveryButton) {
    const SimulatorProcess simulator(ManyIcons(300, 200));
    const HWND taskbar = simulator.Taskbar();
    // At first sight, before any message (which would wait for the simulator to be idle).
    const HWND notify = FindWindowExW(taskbar, nullptr, L"TrayNotifyWnd", nullptr);
    const HWND pager = FindWindowExW(notify, nullptr, L"SysPager", nullptr);
    const HWND main = FindWindowExW(pager, nullptr, L"ToolbarWindow32", nullptr);
    const HWND overflow = FindWindowW(L"NotifyIconOverflowWindow", nullptr);
    const HWND hidden = FindWindowExW(overflow, nullptr, L"ToolbarWindow32", nullptr);
    RECT icons;
    GetWindowRect(pager, &icons);
    EXPECT_EQ(icons.right - icons.left, 300 * 24) << "the area is laid out for every icon";

    EXPECT_EQ(SendMessageW(main, TB_BUTTONCOUNT, 0, 0), 300);
    EXPECT_EQ(SendMessageW(hidden, TB_BUTTONCOUNT, 0, 0), 200);
    EXPECT_EQ(FindWindowW(L"Shell_TrayWnd", nullptr), taskbar) << "it is the first taskbar found";
    EXPECT_EQ(traysim::FindTaskbar(simulator.Pid()), taskbar);
}

TEST(Process, AnotherProcessReadsTheButtonsAndReachesTheOwners) {
    const std::wstring log = simtest::TempFile(L"owners.log");
    const SimulatorProcess simulator(
        "icon tray id=4 msg=0x8004 tip=音量: 50%\n"
        "icon overflow id=5 msg=0x8005 tip=バッテリー残量: 80%\\n電源に接続: 充電中\n",
        log);
    const HWND taskbar = simulator.Taskbar();
    const HWND notify = FindWindowExW(taskbar, nullptr, L"TrayNotifyWnd", nullptr);
    const auto main =
        simtest::ReadToolbar(FindWindowExW(FindWindowExW(notify, nullptr, L"SysPager", nullptr),
                                           nullptr, L"ToolbarWindow32", nullptr));
    const auto hidden = simtest::ReadToolbar(FindWindowExW(
        FindWindowW(L"NotifyIconOverflowWindow", nullptr), nullptr, L"ToolbarWindow32", nullptr));
    ASSERT_EQ(main.size(), 1u);
    ASSERT_EQ(hidden.size(), 1u);
    ASSERT_TRUE(main[0].recordRead);
    EXPECT_EQ(main[0].text, L"音量: 50%");
    EXPECT_EQ(hidden[0].text, L"バッテリー残量: 80%\n電源に接続: 充電中");
    EXPECT_EQ(main[0].record.id, 4u);
    EXPECT_EQ(hidden[0].record.callbackMessage, 0x8005u);
    const HWND owner = simtest::AsWindow(main[0].record.owner);
    DWORD ownerProcess = 0;
    GetWindowThreadProcessId(owner, &ownerProcess);
    EXPECT_EQ(ownerProcess, simulator.Pid());

    ASSERT_TRUE(PostMessageW(owner, 0x8004, 4, WM_LBUTTONDOWN));
    ASSERT_TRUE(PostMessageW(owner, 0x8004, 4, WM_LBUTTONUP));
    std::optional<std::vector<traysim::OwnerMessage>> entries;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(10)) {
        entries = traysim::ParseOwnerLog(orvane::test::ReadBytes(log));
        if (entries && entries->size() >= 2) break;
    }
    ASSERT_TRUE(entries);
    const std::uint64_t handle = main[0].record.owner;
    const std::vector<traysim::OwnerMessage> expected = {{0x8004, 4, WM_LBUTTONDOWN, handle},
                                                         {0x8004, 4, WM_LBUTTONUP, handle}};
    EXPECT_EQ(*entries, expected);
    DeleteFileW(log.c_str());
}

TEST(Process, ServesShellNotifyIconAndCommandsOfOtherProcesses) {
    const SimulatorProcess simulator("icon tray id=1 tip=first\n");
    const HWND taskbar = simulator.Taskbar();
    const HWND caller = CreateWindowExW(0, L"Static", L"caller", WS_POPUP, 0, 0, 1, 1, nullptr,
                                        nullptr, nullptr, nullptr);
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = caller;
    data.uID = 9;
    data.uFlags = NIF_TIP | NIF_MESSAGE;
    data.uCallbackMessage = 0x52C;
    wcscpy(data.szTip, L"別のプロセスから");
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &data));
    ASSERT_TRUE(traysim::SendCommand(L"icon tray id=2 tip=by command", taskbar));
    EXPECT_FALSE(traysim::SendCommand(L"icon tray id=2", taskbar));

    const HWND main =
        FindWindowExW(FindWindowExW(FindWindowExW(taskbar, nullptr, L"TrayNotifyWnd", nullptr),
                                    nullptr, L"SysPager", nullptr),
                      nullptr, L"ToolbarWindow32", nullptr);
    auto read = simtest::ReadToolbar(main);
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[1].text, L"別のプロセスから");
    EXPECT_EQ(simtest::AsWindow(read[1].record.owner), caller);
    EXPECT_EQ(read[1].record.callbackMessage, 0x52Cu);
    EXPECT_EQ(read[2].text, L"by command");

    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
    EXPECT_EQ(SendMessageW(main, TB_BUTTONCOUNT, 0, 0), 2);
    DestroyWindow(caller);
}

TEST(Process, EndsWhenItsTaskbarIsClosed) {
    const std::wstring scenario = simtest::TempFile(L"empty.txt");
    orvane::test::WriteBytes(scenario, "");
    const ChildProcess process(Quoted(TraySimPath()) + L" --scenario " + Quoted(scenario));
    const HWND taskbar = process.WaitForWindow(L"Shell_TrayWnd", 20000);
    ASSERT_NE(taskbar, nullptr);
    PostMessageW(taskbar, WM_CLOSE, 0, 0);
    DWORD code = 99;
    ASSERT_TRUE(process.WaitExit(5000, &code));
    EXPECT_EQ(code, 0u);
    DeleteFileW(scenario.c_str());
}

TEST(Process, RefusesBadArgumentsAndScenarios) {
    const std::wstring scenario = simtest::TempFile(L"bad.txt");
    orvane::test::WriteBytes(scenario, "layout win7\nicon tray id=1 colour=#ffffff\n");
    const std::wstring notUtf8 = simtest::TempFile(L"latin1.txt");
    orvane::test::WriteBytes(notUtf8, "icon tray id=1 tip=caf\xE9\n");
    const std::wstring lines[] = {
        L"",
        L" --log x.log",
        L" --scenario",
        L" --scenario " + Quoted(scenario),
        L" --scenario " + Quoted(notUtf8),
        L" --scenario Z:\\no\\such\\file.txt",
        L" --scenario " + Quoted(scenario) + L" --bogus",
    };
    for (const std::wstring& arguments : lines) {
        SCOPED_TRACE(testing::PrintToString(arguments));
        const ChildProcess process(Quoted(TraySimPath()) + arguments);
        DWORD code = 99;
        ASSERT_TRUE(process.WaitExit(10000, &code));
        EXPECT_EQ(code, 2u);
    }
    DeleteFileW(scenario.c_str());
    DeleteFileW(notUtf8.c_str());
}

} // namespace
