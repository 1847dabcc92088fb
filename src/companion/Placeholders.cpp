#include "companion/ItemMatch.h"
#include "companion/Timer2Rest.h"
#include "core/DozedeR64Form.h"
#include "core/WindowHelpers.h"
#include "platform/Clock.h"
#include "platform/Shell.h"
#include "platform/Text.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"

#include <tlhelp32.h>

namespace orvane {
namespace {

constexpr int StartTries = 51;
constexpr std::uint32_t StartTryPause = 100;
constexpr std::uint32_t ForegroundWatch = 15000;
// A started program that never gets ready for input is not waited for beyond this.
constexpr std::uint32_t InputIdleLimit = 30000;

// The process that started this one; 0 when unknown.
DWORD ParentProcess(DWORD processId) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    const platform::UniqueHandle owned(snapshot);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry))
        if (entry.th32ProcessID == processId) return entry.th32ParentProcessID;
    return 0;
}

struct Enumeration {
    TDozedeR64Form* form;
    std::int32_t item;
    DWORD processId;
};

} // namespace

void TDozedeR64Form::AddTaskTrayIcon(std::int32_t ItemNo) {
    const Timer2Rest rest(*this);
    if (!ItemAt(ItemNo)) return;
    const bool inUse = NID[static_cast<size_t>(ItemNo)].cbSize != 0;
    const std::wstring tip = PlaceholderTip(ItemNo);
    const HICON icon = PlaceholderIconCopy(ItemNo);
    PrepareItemRecord(ItemNo, icon, tip);
    SetRecordIcon(ItemNo, icon);
    ShowItemRecord(ItemNo, inUse ? NIM_MODIFY : NIM_ADD);
    ItemAt(ItemNo)->WndText = tip;
    Enumeration enumeration{this, ItemNo, 0};
    EnumWindows(
        [](HWND window, LPARAM data) {
            auto* e = reinterpret_cast<Enumeration*>(data);
            return e->form->AdoptRunningWindow(window, e->item);
        },
        reinterpret_cast<LPARAM>(&enumeration));
}

void TDozedeR64Form::ShowItemIcon(std::int32_t i) {
    // One item's missing picture must not keep the other items' icons out of the tray.
    ui::Guarded([&] { AddTaskTrayIcon(i); });
}

BOOL TDozedeR64Form::AdoptRunningWindow(HWND hWnd, std::int32_t ItemNo) {
    const std::wstring title = WindowTitle(hWnd);
    if (title.empty() || !IsWindowVisible(hWnd) || !ItemAt(ItemNo)) return TRUE;
    DWORD processId = 0;
    GetWindowThreadProcessId(hWnd, &processId);
    // A path that cannot be read matches nothing, not even an item without a path. Paths
    // compare as Windows compares them, without letter case.
    const std::wstring path = ProcessImagePath(processId);
    if (path.empty() || platform::Lowered(path) != platform::Lowered(ItemAt(ItemNo)->FileName))
        return TRUE;
    AdoptWindow(ItemNo, hWnd, processId, title);
    return FALSE;
}

void TDozedeR64Form::StartApp(std::int32_t ItemNo) {
    const HWND previous = GetForegroundWindow();
    const std::wstring fileName = ItemAt(ItemNo)->FileName;
    platform::Shell::Started started = platform::Use<platform::Shell>().Start(Handle(), fileName);
    if (started.Instance <= 32) {
        ui::ShowMessage(fileName + texts::AppStartFailedSuffix);
        return;
    }
    const DWORD startedId = started.Process ? GetProcessId(started.Process.Get()) : 0;
    if (started.Process) {
        const HANDLE process = started.Process.Get();
        ui::App().ProcessMessagesUntil(platform::Now(), InputIdleLimit, [this, process] {
            return MyAppEnd || WaitForInputIdle(process, 0) != WAIT_TIMEOUT;
        });
    }

    // Messages are handled between the looks, and may start another program: each look
    // takes its result at once.
    HWND found = nullptr;
    DWORD foundProcess = 0;
    for (int t = 0; t < StartTries && !found && !MyAppEnd; ++t) {
        ui::App().ProcessMessagesFor(StartTryPause);
        TempAppHandle = nullptr;
        TempProcessID = 0;
        ModuleFile = fileName;
        Enumeration enumeration{this, ItemNo, startedId};
        EnumWindows(
            [](HWND window, LPARAM data) {
                auto* e = reinterpret_cast<Enumeration*>(data);
                return e->form->FindStartedAppWindow(window, &e->processId);
            },
            reinterpret_cast<LPARAM>(&enumeration));
        found = TempAppHandle;
        foundProcess = TempProcessID;
    }
    started.Process.Reset();
    if (found) {
        TakeStartedWindow(ItemNo, found, foundProcess);
        return;
    }
    // Handed over to another copy of the program or to a process that it started: their
    // window is the next one to come to the front. Another program's window, which the user
    // may bring up meanwhile, is not it.
    HWND foreground = nullptr;
    DWORD processId = 0;
    const auto handedOver = [&] {
        foreground = GetForegroundWindow();
        processId = 0;
        if (foreground) GetWindowThreadProcessId(foreground, &processId);
        if (!foreground || foreground == previous || !processId ||
            processId == GetCurrentProcessId())
            return false;
        return (startedId && ParentProcess(processId) == startedId) ||
               platform::Lowered(ProcessImagePath(processId)) == platform::Lowered(fileName);
    };
    ui::App().ProcessMessagesUntil(platform::Now(), ForegroundWatch,
                                   [&] { return MyAppEnd || handedOver(); });
    if (!MyAppEnd && handedOver()) TakeStartedWindow(ItemNo, foreground, processId);
}

void TDozedeR64Form::TakeStartedWindow(std::int32_t ItemNo, HWND window, DWORD processId) {
    if (!ItemAt(ItemNo) || (ItemAt(ItemNo)->IsRunning && ItemAt(ItemNo)->WndHandle == window))
        return;
    const std::wstring title = WindowTitle(window);
    if (IsAdoptableTitle(title)) {
        AdoptWindow(ItemNo, window, processId, title);
        return;
    }
    // Adopted when the hook library reports it with a title.
    ItemAt(ItemNo)->WndHandle = window;
    ItemAt(ItemNo)->PID = static_cast<std::int32_t>(processId);
}

BOOL TDozedeR64Form::FindStartedAppWindow(HWND hWnd, DWORD* ProcessID) {
    if (GetWindow(hWnd, GW_OWNER) || !IsWindowVisible(hWnd)) return TRUE;
    DWORD processId = 0;
    GetWindowThreadProcessId(hWnd, &processId);
    if (processId != *ProcessID) {
        const std::wstring path = ProcessImagePath(processId);
        if (path.empty() || platform::Lowered(path) != platform::Lowered(ModuleFile)) return TRUE;
    }
    TempAppHandle = hWnd;
    TempProcessID = processId;
    return FALSE;
}

std::int32_t TDozedeR64Form::OwnIconItem(std::int32_t IconID) const {
    if (IconID < 0 || IconID >= std::ssize(TrayNotify)) return -1;
    const UINT item = TrayNotify[static_cast<size_t>(IconID)].uID;
    return item < KestrinItem.size() && item < NID.size() ? static_cast<std::int32_t>(item) : -1;
}

void TDozedeR64Form::SetSelfCreateIcon(std::int32_t Action, std::int32_t IconID) {
    if (Action == 0 && OperateQuickCell(IconID)) return;
    const std::int32_t i = OwnIconItem(IconID);
    if (i < 0) return;
    if (Action == 0)
        OperateOwnIcon(i, false);
    else if (Action == 1)
        ShowItemMenu(i);
}

} // namespace orvane
