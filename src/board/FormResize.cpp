#include "board/Placement.h"
#include "core/DozedeR64Form.h"
#include "core/WindowHelpers.h"
#include "platform/Clock.h"
#include "platform/Monitor.h"
#include "platform/ScopedFlag.h"
#include "platform/ui/Application.h"
#include "settings/Form3.h"

namespace orvane {
namespace {

Area WorkArea(const MONITORINFO& monitor) {
    const RECT& work = monitor.rcWork;
    return {work.left, work.top, work.right, work.bottom};
}

} // namespace

void TDozedeR64Form::FormResize() {
    // Until the settings window exists the start-up is not complete.
    if (StartSelfMinimized || MyAppEnd || !Form3) return;
    const ui::WindowState state = GetWindowState();
    if (state == ui::WindowState::Minimized) {
        FormMinimized = true;
        PublishCollectedCells(false);
        LblHint.Hide();
        Form3->EndEditWriting();
        FormShowTime = 0;
    } else if (state == ui::WindowState::Normal && FormMinimized) {
        FormMinimized = false; // the layout's own resizes are no restores
        FormShowTime = platform::Now();
        const MONITORINFO monitor = platform::PointerMonitor();
        if (Form3->RadioGroupIconSize.ItemIndex() == 0) {
            IconSize = (monitor.rcMonitor.right - monitor.rcMonitor.left) / 10;
            // A refused write costs the stored size, not the board.
            ui::Guarded([this] { ConfigFile().WriteInteger(L"IconSize", L"Value", IconSize); });
        }
        {
            const platform::ScopedValue<const MONITORINFO*> restoring(RestoreMonitor, &monitor);
            Button1Click();
        }
        ui::App().ProcessMessages();
        // The messages may have minimised the window again or begun the close.
        if (MyAppEnd || GetWindowState() != ui::WindowState::Normal) return;
        const Point place = RestorePlace(Width(), Height(), monitor);
        SetBounds(place.X, place.Y, Width(), Height());
        PublishCollectedCells(true);
        Button1.SetFocus();
    }
    if (Form3->CheckBoxHideTaskButton.Checked()) DeleteTaskButton(Handle());
}

Point TDozedeR64Form::RestorePlace(int width, int height, const MONITORINFO& monitor) const {
    if (Form3->CheckBoxHideTaskButton.Checked()) return PointerPlace(width, height);
    return FormPositionCentred(width, height, WorkArea(monitor));
}

Point TDozedeR64Form::PointerPlace(int width, int height) const {
    POINT pointer{};
    GetCursorPos(&pointer);
    return FormPositionBesidePointer(width, height, {pointer.x, pointer.y},
                                     WorkArea(platform::PointerMonitor()));
}

void TDozedeR64Form::SetFormPosition() {
    const Point place = PointerPlace(Width(), Height());
    SetBounds(place.X, place.Y, Width(), Height());
}

} // namespace orvane
