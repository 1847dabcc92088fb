// traysim.exe as the shell of other processes.
#include "Helpers.h"
#include "support/Files.h"
#include "support/Simulator.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

namespace {

using orvane::test::ChildProcess;
using orvane::test::Quoted;
using orvane::test::TraySimPath;

TEST(Process, ServesEveryButtonOnceFoundThenTheOwnersShellNotifyIconAndCommands) {
    const std::wstring log = orvane::test::TestFolder() + L"traysim-process.log";
    std::string scenario = "icon tray id=1 msg=0x8004 tip=音量: 50%\n"
                           "icon overflow id=2 tip=バッテリー残量: 80%\\n電源に接続: 充電中\n";
    for (int i = 3; i <= 500; ++i)
        scenario += (i <= 301 ? "icon tray id=" : "icon overflow id=") + std::to_string(i) + "\n";
    const orvane::test::SimulatorProcess simulator(scenario, log);
    // At first sight, before any message, which would wait for the simulator to be idle.
    const HWND main = simtest::MainToolbarOf(simulator.Taskbar());
    RECT icons;
    GetWindowRect(GetParent(main), &icons);
    EXPECT_EQ(icons.right - icons.left, 300 * 24) << "laid out for every icon";
    EXPECT_EQ(FindWindowW(L"Shell_TrayWnd", nullptr), simulator.Taskbar()) << "found first";
    const auto hidden = simtest::ReadToolbar(FindWindowExW(
        FindWindowW(L"NotifyIconOverflowWindow", nullptr), nullptr, L"ToolbarWindow32", nullptr));
    ASSERT_EQ(hidden.size(), 200u);
    EXPECT_EQ(hidden[0].text, L"バッテリー残量: 80%\n電源に接続: 充電中");

    const HWND caller = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                        nullptr, nullptr);
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = caller;
    data.uID = 9;
    data.uFlags = NIF_TIP | NIF_MESSAGE;
    data.uCallbackMessage = 0x52C;
    wcscpy(data.szTip, L"別のプロセスから");
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &data));
    ASSERT_TRUE(traysim::SendCommand(L"icon tray id=501 tip=by command", simulator.Taskbar()));
    const auto read = simtest::ReadToolbar(main);
    ASSERT_EQ(read.size(), 302u);
    EXPECT_EQ(read[0].text, L"音量: 50%");
    EXPECT_EQ(read[300].text, L"別のプロセスから");
    EXPECT_EQ(simtest::AsWindow(read[300].record.owner), caller);
    EXPECT_EQ(read[300].record.callbackMessage, 0x52Cu);
    EXPECT_EQ(read[301].text, L"by command");
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
    EXPECT_EQ(SendMessageW(main, TB_BUTTONCOUNT, 0, 0), 301);
    DestroyWindow(caller);

    const std::uint64_t owner = read[0].record.owner;
    DWORD ownerProcess = 0;
    GetWindowThreadProcessId(simtest::AsWindow(owner), &ownerProcess);
    EXPECT_EQ(ownerProcess, simulator.Pid());
    ASSERT_TRUE(PostMessageW(simtest::AsWindow(owner), 0x8004, 1, WM_LBUTTONUP));
    std::string written;
    for (int i = 0; i < 500 && written.empty(); ++i, Sleep(10))
        written = orvane::test::ReadBytes(log);
    EXPECT_EQ(written, traysim::FormatOwnerMessage({0x8004, 1, WM_LBUTTONUP, owner}));
}

TEST(Process, EndsWhenItsTaskbarIsClosedAndRefusesBadArguments) {
    const std::wstring folder = orvane::test::TestFolder();
    const std::wstring good = folder + L"traysim-empty.txt";
    const std::wstring bad = folder + L"traysim-bad.txt";
    const std::wstring notUtf8 = folder + L"traysim-latin1.txt";
    orvane::test::WriteBytes(good, "");
    orvane::test::WriteBytes(bad, "icon tray id=1 colour=#ffffff\n");
    orvane::test::WriteBytes(notUtf8, "icon tray id=1 tip=caf\xE9\n");
    {
        const ChildProcess process(Quoted(TraySimPath()) + L" --scenario " + Quoted(good));
        const HWND taskbar = process.WaitForWindow(L"Shell_TrayWnd", 20000);
        ASSERT_NE(taskbar, nullptr);
        PostMessageW(taskbar, WM_CLOSE, 0, 0);
        DWORD code = 99;
        ASSERT_TRUE(process.WaitExit(5000, &code));
        EXPECT_EQ(code, 0u);
    }
    const std::wstring lines[] = {L"",
                                  L" --scenario",
                                  L" --scenario " + Quoted(bad),
                                  L" --scenario " + Quoted(notUtf8),
                                  L" --scenario Z:\\no\\such\\file.txt",
                                  L" --scenario " + Quoted(good) + L" --bogus",
                                  L" --owners 0",
                                  L" --owners 12x",
                                  L" --scenario " + Quoted(good) + L" --owners 8"};
    for (const std::wstring& arguments : lines) {
        SCOPED_TRACE(testing::PrintToString(arguments));
        const ChildProcess process(Quoted(TraySimPath()) + arguments);
        DWORD code = 99;
        ASSERT_TRUE(process.WaitExit(10000, &code));
        EXPECT_EQ(code, 2u);
    }
    for (const std::wstring& file : {good, bad, notUtf8}) DeleteFileW(file.c_str());
}

} // namespace
