#include "CompanionFixture.h"
#include "companion/Protocol.h"
#include "core/WindowHelpers.h"
#include "platform/Text.h"
#include "support/Process.h"
#include "support/StalledWindow.h"

#include <commctrl.h>

#include <thread>

namespace orvane {
namespace {

using test::ListedItem;
using test::OwnWindow;

const std::wstring Notepad = L"C:\\windows\\system32\\notepad.exe";

class AdoptionTest : public test::CompanionTest {};

TEST_F(AdoptionTest, AReportedWindowIsAdoptedAndWatchedUntilItsProgramEnds) {
    TDozedeR64Form& form = StartWithItems({{L"C:\\Tools\\memo.exe"}, {Notepad, 0}});
    ASSERT_NE(form.HookMessageId, 0);
    test::ChildProcess notepad(test::Quoted(Notepad));
    const HWND window = notepad.WaitForWindow(L"Notepad", 10000);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(window) != FALSE; }));
    ASSERT_EQ(form.ProcessImagePath(notepad.Pid()), Notepad);
    const std::wstring title = test::WindowText(window);

    Report(window);
    const TKestrinItem& item = form.KestrinItem[1];
    EXPECT_TRUE(item.IsRunning);
    EXPECT_EQ(item.WndHandle, window);
    EXPECT_EQ(item.PID, static_cast<std::int32_t>(notepad.Pid()));
    EXPECT_EQ(item.WndText, title);
    EXPECT_EQ(TipOf(1), title);
    EXPECT_FALSE(ShowsPlaceholder(1));
    EXPECT_EQ(taskbar.calls, (std::vector<test::TaskbarRecorder::Call>{{L"delete", window}}));
    EXPECT_EQ(item.Bit, 64);
    EXPECT_EQ(IniFile(KestrinPath()).ReadInteger(L"ItemBit", L"1", 0), 64);
    EXPECT_TRUE(PumpUntil([] { return !test::CompanionWindow::texts.empty(); }, 2000));
    EXPECT_EQ(test::CompanionWindow::texts, std::vector<std::wstring>{L"Changed"});

    // Reported again: the same icon, no second write.
    Report(window);
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(OwnIcons(), 2);
    EXPECT_EQ(test::CompanionWindow::texts.size(), 1u);

    SetWindowTextW(window, L"メモ - 買い物");
    form.Timer2Timer();
    EXPECT_EQ(TipOf(1), L"メモ - 買い物");
    const std::wstring long259(259, L'長');
    SetWindowTextW(window, long259.c_str());
    form.Timer2Timer();
    EXPECT_EQ(TipOf(1), long259.substr(0, 127));
    EXPECT_EQ(item.WndText, long259);
    EXPECT_TRUE(item.IsRunning);

    notepad.End(window);
    form.Timer2Timer();
    EXPECT_FALSE(form.KestrinItem[1].IsRunning);
    EXPECT_EQ(form.KestrinItem[1].WndHandle, nullptr);
    EXPECT_EQ(form.KestrinItem[1].PID, 0);
    EXPECT_EQ(TipOf(1), L"notepad.exe-起動していません");
    EXPECT_TRUE(ShowsPlaceholder(1));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(AdoptionTest, WithoutPlaceholdersAnEndedProgramsIconGoes) {
    TDozedeR64Form& form = StartWithItems({{L""}}, false);
    OwnWindow app(L"アプリ");
    form.KestrinItem[0].FileName = OwnPath();
    Report(app.Handle());
    ASSERT_EQ(TipOf(0), L"アプリ");
    DestroyWindow(app.Handle());
    form.Timer2Timer();
    EXPECT_EQ(OwnIcons(), 0);
    EXPECT_EQ(form.NID[0].cbSize, 0u);
    EXPECT_FALSE(form.KestrinItem[0].IsRunning);
    EXPECT_EQ(form.KestrinItem[0].WndText, L"");
}

TEST_F(AdoptionTest, TheCloseEntryEndsTheItemOnlyWithItsWindow) {
    TDozedeR64Form& form = StartWithItems({{L""}}, false);
    OwnWindow app(L"アプリ");
    form.KestrinItem[0].FileName = OwnPath();
    Report(app.Handle());
    ASSERT_TRUE(form.KestrinItem[0].IsRunning);
    // The program asks whether to save its changes, and the user says Cancel.
    const SUBCLASSPROC staying = [](HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR,
                                    DWORD_PTR) -> LRESULT {
        return m == WM_CLOSE ? 0 : DefSubclassProc(w, m, wp, lp);
    };
    SetWindowSubclass(app.Handle(), staying, 1, 0);
    form.SelectedItemNo = 0;
    form.MenuCloseWindowClick();
    ui::App().ProcessMessages();
    form.Timer2Timer();
    ASSERT_TRUE(IsWindow(app.Handle()));
    EXPECT_TRUE(form.KestrinItem[0].IsRunning);
    EXPECT_EQ(TipOf(0), L"アプリ");

    RemoveWindowSubclass(app.Handle(), staying, 1);
    form.MenuCloseWindowClick();
    ui::App().ProcessMessages();
    form.Timer2Timer();
    EXPECT_FALSE(IsWindow(app.Handle()));
    EXPECT_FALSE(form.KestrinItem[0].IsRunning);
}

struct ReportCase {
    const char* name;
    const wchar_t* title;
    bool visible;
    LPARAM lParam;
    bool adopted;
};

class ReportTest : public test::CompanionTest, public testing::WithParamInterface<ReportCase> {};

TEST_P(ReportTest, OnlyAVisibleTitledWindowOfAListedProgramIsAdopted) {
    TDozedeR64Form& form = StartWithItems({{L""}}, false);
    // Path letters compared without case.
    form.KestrinItem[0].FileName = platform::Lowered(OwnPath());
    OwnWindow app(GetParam().title, GetParam().visible);
    Report(app.Handle(), GetParam().lParam);
    EXPECT_EQ(form.KestrinItem[0].IsRunning, GetParam().adopted);
    EXPECT_EQ(OwnIcons(), GetParam().adopted ? 1 : 0);
    EXPECT_EQ(form.KestrinItem[0].WndHandle, GetParam().adopted ? app.Handle() : nullptr);
    EXPECT_TRUE(test::CompanionWindow::texts.empty()); // Bit was 64 already
}

INSTANTIATE_TEST_SUITE_P(Reports, ReportTest,
                         testing::Values(ReportCase{"Adopted", L"アプリ", true, 0, true},
                                         ReportCase{"Untitled", L"", true, 0, false},
                                         ReportCase{"OwnTitle", L"Dozeder64 設定", true, 0, false},
                                         ReportCase{"Invisible", L"アプリ", false, 0, false},
                                         ReportCase{"NotForAdoption", L"アプリ", true, 1, false}),
                         [](const testing::TestParamInfo<ReportCase>& info) {
                             return info.param.name;
                         });

TEST_F(AdoptionTest, ForgedReportsAndClicksChangeNothing) {
    TDozedeR64Form& form = StartWithItems({{L"C:\\Tools\\memo.exe"}});
    const std::vector<traysim::IconInfo> before = tray.Icons();
    Report(reinterpret_cast<HWND>(0x12345678));
    Report(form.Handle());
    Report(GetDesktopWindow());
    SendMessageW(form.Handle(), OwnTrayIconCallback, 7, WM_LBUTTONUP);
    SendMessageW(form.Handle(), OwnTrayIconCallback, static_cast<WPARAM>(-1), WM_RBUTTONUP);
    SendMessageW(form.Handle(), OwnTrayIconCallback, 0, WM_MOUSEMOVE);
    EXPECT_EQ(tray.Icons().size(), before.size());
    EXPECT_FALSE(form.KestrinItem[0].IsRunning);
    EXPECT_EQ(TipOf(0), L"memo.exe-起動していません");
    EXPECT_EQ(shell.executed.size(), 1u); // the companion's start alone
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(AdoptionTest, ABoundToStayButtonIsLeftAndARefusedRemovalIsSaid) {
    TDozedeR64Form& form = StartWithItems({{L"", 64, L"", true}, {L""}}, false);
    OwnWindow first(L"一"), second(L"二");
    form.KestrinItem[0].PID = static_cast<std::int32_t>(GetCurrentProcessId());
    Report(first.Handle());
    EXPECT_TRUE(taskbar.calls.empty());
    form.KestrinItem[0].PID = 0;
    form.KestrinItem[1].PID = static_cast<std::int32_t>(GetCurrentProcessId());
    taskbar.refused = {second.Handle()};
    Report(second.Handle());
    EXPECT_EQ(dialogs.Texts(), std::vector<std::wstring>{L"タスクバーから削除に失敗"});
    EXPECT_TRUE(form.KestrinItem[1].IsRunning);
    EXPECT_EQ(TipOf(1), L"二");
}

TEST_F(AdoptionTest, ARefusedIconLeavesTheWindowItsButton) {
    TDozedeR64Form& form = StartWithItems({{L""}}, false);
    OwnWindow app(L"アプリ");
    form.KestrinItem[0].FileName = OwnPath();
    const test::NotifyCalls refusing(tray.Taskbar(), {NIM_ADD});
    Report(app.Handle());
    EXPECT_EQ(refusing.Count(NIM_ADD), 1);
    EXPECT_TRUE(taskbar.calls.empty());
    EXPECT_FALSE(form.KestrinItem[0].IsRunning);
    EXPECT_EQ(form.KestrinItem[0].WndHandle, nullptr);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, L"タスクトレイアイコン追加失敗");
}

TEST_F(AdoptionTest, AClaimWaitsForTheCompanionsSaveAndFindsTheItemsNewNumber) {
    TDozedeR64Form& form = StartWithItems({{L"C:\\Tools\\memo.exe"}, {L"", 0}});
    OwnWindow app(L"アプリ");
    form.KestrinItem[1].FileName = OwnPath();
    GivenItems({{L"C:\\Tools\\memo.exe"}, {OwnPath(), 0}});
    // The companion saves meanwhile: it puts a new item first.
    const HANDLE taken = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread companionSave([&] {
        const HANDLE lock = CreateMutexW(nullptr, FALSE, protocol::KestrinFileLock);
        WaitForSingleObject(lock, INFINITE);
        SetEvent(taken);
        Sleep(300);
        GivenItems({{L"C:\\new.exe", 0}, {L"C:\\Tools\\memo.exe"}, {OwnPath(), 0}});
        ReleaseMutex(lock);
        CloseHandle(lock);
    });
    WaitForSingleObject(taken, INFINITE);
    Report(app.Handle());
    companionSave.join();
    CloseHandle(taken);
    const IniFile ini(KestrinPath());
    EXPECT_EQ(ini.ReadString(L"ItemFileName", L"0", L""), L"C:\\new.exe");
    EXPECT_EQ(ini.ReadInteger(L"ItemBit", L"0", -1), 0);
    EXPECT_EQ(ini.ReadInteger(L"ItemBit", L"2", -1), 64);
    EXPECT_TRUE(form.KestrinItem[1].IsRunning);
}

TEST_F(AdoptionTest, AHungCompanionDoesNotHoldTheAdoptionUp) {
    TDozedeR64Form& form = StartWithItems({{L"", 0}}, false);
    OwnWindow app(L"アプリ");
    form.KestrinItem[0].FileName = OwnPath();
    GivenItems({{OwnPath(), 0}}, false);
    const test::StalledWindow hungCompanion(L"TKestrinForm", 2000);
    ASSERT_EQ(FindWindowW(L"TKestrinForm", nullptr), hungCompanion.Window());
    const DWORD start = GetTickCount();
    Report(app.Handle());
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_TRUE(form.KestrinItem[0].IsRunning);
    EXPECT_EQ(TipOf(0), L"アプリ");
    EXPECT_EQ(IniFile(KestrinPath()).ReadInteger(L"ItemBit", L"0", 0), 64);
}

} // namespace
} // namespace orvane
