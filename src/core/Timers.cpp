#include "about/Form2.h"
#include "core/DozedeR64Form.h"
#include "core/Elapsed.h"
#include "core/WindowHelpers.h"
#include "platform/Clock.h"
#include "platform/Shell.h"
#include "platform/TaskbarList.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"
#include "settings/Form3.h"

namespace orvane {
namespace {

constexpr std::uint32_t TimeOut = 30000;
constexpr std::uint32_t KeyboardLock = 2000;
// Pointer slack beside the window within which it does not time out.
constexpr int NearPointerSlack = 200;

} // namespace

bool TDozedeR64Form::PointerNearActiveWindow() const {
    if (GetForegroundWindow() != Handle()) return false;
    POINT pointer{};
    GetCursorPos(&pointer);
    return pointer.x >= Left() - NearPointerSlack &&
           pointer.x <= Left() + Width() + NearPointerSlack && pointer.y >= Top() &&
           pointer.y <= Top() + Height();
}

bool TDozedeR64Form::TimeOutBlocked() const {
    return (Form2 && Form2->Visible()) || FindHandle || PopupMenuSearching || NewWindowShowing ||
           MsgShowing || (Form3 && (Form3->EditWriting || Form3->Visible()));
}

void TDozedeR64Form::Timer1Timer() {
    KeepKeyHook();
    if (KeyCaptureOn()) return;
    const std::uint32_t now = platform::Now();
    const bool timeOutOff = (Form3 && Form3->CheckBoxTimeOutNoMinimize.Checked()) || MyAppEnd;
    if (!timeOutOff && !PointerNearActiveWindow() && !TimeOutBlocked() && FormShowTime != 0 &&
        Elapsed(now, FormShowTime) > TimeOut)
        SetWindowState(ui::WindowState::Minimized);
    if (IconSettingStartTime != 0 && Elapsed(now, IconSettingStartTime) > KeyboardLock)
        IconSettingStartTime = 0;
}

// Keeps the adopted windows off the taskbar, their titles in their icons' tips, and lets
// go of those whose program has ended. What fails for one item leaves the others watched.
void TDozedeR64Form::Timer2Timer() {
    if (!platform::Use<platform::Shell>().FindTaskbar() || KestrinItemCount <= 0) return;
    const std::int32_t count = KestrinItemCount;
    // The shell's calls and a message box may run handlers that change the items: look them
    // up each time.
    for (std::int32_t i = 0; i < count && ItemAt(i); ++i) {
        if (!ItemAt(i)->IsRunning) continue;
        if (!ItemAt(i)->IsShowOnTaskBar) KeepOffTaskbar(i);
        if (!ItemAt(i)) break;
        if (!ItemAt(i)->IsRunning) continue;
        const std::wstring title = WindowTitle(ItemAt(i)->WndHandle);
        if (ItemAt(i)->WndText != title) {
            SetItemTip(i, title);
            ShowItemRecord(i, NIM_MODIFY);
            if (!ItemAt(i)) break;
            ItemAt(i)->WndText = title;
        }
        if (ProcessEnded(ItemAt(i)->PID) || !ItemAt(i)->WndHandle ||
            !IsWindow(ItemAt(i)->WndHandle))
            AppliEnd(i);
    }
}

void TDozedeR64Form::KeepOffTaskbar(std::int32_t i) {
    const HWND window = ItemAt(i)->WndHandle;
    try {
        DeleteTaskButton(window);
    } catch (const platform::TaskbarListError&) {
        // Tried again on every tick; said once for each window.
        if (ItemAt(i)->RefusalSaid == window) return;
        ItemAt(i)->RefusalSaid = window;
        ui::ShowMessage(texts::TaskButtonDeleteFailed);
    }
}

bool TDozedeR64Form::ProcessEnded(std::int32_t processId) const {
    // The limited right also opens programs that run elevated.
    const DWORD access =
        IsVista || IsWin7 || IsWin8 ? PROCESS_QUERY_LIMITED_INFORMATION : PROCESS_QUERY_INFORMATION;
    const platform::UniqueHandle process(
        OpenProcess(access | SYNCHRONIZE, FALSE, static_cast<DWORD>(processId)));
    // Not the exit code: a program may end with the very code that means "still active".
    return !process || WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0;
}

} // namespace orvane
