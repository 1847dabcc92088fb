#include "companion/Protocol.h"
#include "core/DozedeR64Form.h"
#include "core/WindowHelpers.h"
#include "platform/ui/Application.h"

namespace orvane {

void TDozedeR64Form::FormCloseQuery(bool&) {
    MyAppEnd = true;
    Timer1.SetEnabled(false);
    for (std::int32_t i = 0; i < KestrinItemCount && i < std::ssize(KestrinItem); ++i) {
        const TKestrinItem& item = KestrinItem[static_cast<size_t>(i)];
        const bool adopted = item.IsRunning && IsWindow(item.WndHandle);
        // A button that cannot be given back must not keep the other items or the
        // companion from being tidied up, nor the program from closing.
        if (adopted) ui::Guarded([&] { AddTaskButton(item.WndHandle); });
        if (adopted || (KestrinBeforeStart && item.Bit == 64)) RemoveItemIcon(i);
    }
    KestrinWnd = FindWindowW(protocol::CompanionClass, nullptr);
    if (KestrinWnd) SendBounded(KestrinWnd, WM_CLOSE, 0, 0);
}

void TDozedeR64Form::FormDestroy() {
    StopKeyHook();
    StopHotKey();
    ReleaseHookLibrary();
    StopCollector();
    Listener.reset();
}

void TDozedeR64Form::RemoveItemIcon(std::int32_t i) {
    if (static_cast<size_t>(i) >= NID.size() || NID[static_cast<size_t>(i)].cbSize == 0) return;
    Timer2.SetEnabled(false);
    DeleteItemRecord(i);
}

} // namespace orvane
