#include "kestrin/KestrinForm.h"
#include "platform/Module.h"
#include "platform/ui/Application.h"
#include "settings/SettingsFixture.h"
#include "support/Board.h"
#include "support/Files.h"
#include "support/Process.h"

#include <gtest/gtest.h>

namespace orvane::test {
namespace {

TEST(OrvaneWatchTest, WhenOrvaneDiesTheListedProgramsWindowsGetTheirButtonsBack) {
    // Orvane finds no list of its own and starts no companion; this Kestrin lists this program.
    CleanDataFolder clean;
    DialogRecorder dialogs;
    TaskbarRecorder taskbar;
    const std::wstring folder = ScratchFile(L"watched\\");
    CreateDirectoryW(folder.c_str(), nullptr);
    WriteUtf16File(folder + L"Kestrin.ini", L"[ItemCount]\r\nValue=1\r\n[ItemFileName]\r\n0=" +
                                                platform::ProcessImagePath(GetCurrentProcessId()) +
                                                L"\r\n[ItemBit]\r\n0=64\r\n");
    const HWND listed = CreateWindowExW(0, L"Static", L"アプリ", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                        0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ChildProcess orvane(Quoted(ProgramPath()));
    ASSERT_NE(ShownBoard(orvane), nullptr);
    kestrin::TKestrinForm form(folder);
    form.Start(SW_HIDE);

    const HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, orvane.Pid());
    ASSERT_TRUE(TerminateProcess(process, 1));
    CloseHandle(process);
    const TaskbarRecorder::Call given{L"add", listed};
    const DWORD start = GetTickCount();
    while (std::find(taskbar.calls.begin(), taskbar.calls.end(), given) == taskbar.calls.end() &&
           GetTickCount() - start < 5000) {
        ui::App().ProcessMessages();
        Sleep(10);
    }
    EXPECT_NE(std::find(taskbar.calls.begin(), taskbar.calls.end(), given), taskbar.calls.end());
    DestroyWindow(listed);
}

} // namespace
} // namespace orvane::test
