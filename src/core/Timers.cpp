#include "about/Form2.h"
#include "core/DozedeR64Form.h"
#include "core/Elapsed.h"
#include "core/WindowHelpers.h"
#include "platform/Clock.h"
#include "platform/Shell.h"
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
    if (KeyCaptureOn()) return;
    const std::uint32_t now = platform::Now();
    const bool timeOutOff = (Form3 && Form3->CheckBoxTimeOutNoMinimize.Checked()) || MyAppEnd;
    if (!timeOutOff && !PointerNearActiveWindow() && !TimeOutBlocked() && FormShowTime != 0 &&
        Elapsed(now, FormShowTime) > TimeOut)
        SetWindowState(ui::WindowState::Minimized);
    if (IconSettingStartTime != 0 && Elapsed(now, IconSettingStartTime) > KeyboardLock)
        IconSettingStartTime = 0;
}

// Keeps the adopted windows off the taskbar and their titles in their icons' tips.
void TDozedeR64Form::Timer2Timer() {
    if (!platform::Use<platform::Shell>().FindTaskbar() || KestrinItemCount <= 0) return;
    const std::int32_t count = KestrinItemCount;
    // The shell's calls may run handlers that change the items: look them up each time.
    const auto item = [this](std::int32_t i) -> TKestrinItem* {
        return i < std::ssize(KestrinItem) ? &KestrinItem[static_cast<size_t>(i)] : nullptr;
    };
    for (std::int32_t i = 0; i < count && item(i); ++i) {
        if (!item(i)->IsRunning) continue;
        if (!item(i)->IsShowOnTaskBar) DeleteTaskButton(item(i)->WndHandle);
        if (!item(i) || i >= std::ssize(NID)) break;
        wchar_t title[260] = {};
        GetWindowTextW(item(i)->WndHandle, title, 260);
        if (item(i)->WndText == title) continue;
        SetItemTip(i, title);
        Shell_NotifyIconW(NIM_MODIFY, &NID[static_cast<size_t>(i)]);
        if (item(i)) item(i)->WndText = title;
    }
}

} // namespace orvane
