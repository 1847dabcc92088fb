#include "about/Form2.h"
#include "core/DozedeR64Form.h"
#include "core/WindowHelpers.h"
#include "platform/Shell.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"
#include "settings/Form3.h"
#include "settings/Placement.h"

namespace orvane {
namespace {

WindowBox BoxOf(const ui::Control& window) {
    return {window.Left(), window.Top(), window.Width(), window.Height()};
}

void MoveTo(ui::Control& window, const WindowBox& box) {
    if (BoxOf(window) != box) window.SetBounds(box.Left, box.Top, box.Width, box.Height);
}

} // namespace

void TDozedeR64Form::MenuConfig1Click() {
    Form3->Show();
    SetForegroundWindow(Form3->Handle());
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint({Left(), Top()}, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const SideBySide placed =
        PlaceBeside(BoxOf(*this), BoxOf(*Form3), {work.left, work.top, work.right, work.bottom});
    MoveTo(*this, placed.Main);
    MoveTo(*Form3, placed.Settings);
    Form3->PageControl1.SetActivePageIndex(0);
}

void TDozedeR64Form::MenuHelp2Click() {
    if (platform::Use<platform::Shell>().Execute(Handle(), L"open", Folda + L"Readme.txt",
                                                 SW_SHOWNORMAL) <= 32)
        ui::ShowMessage(texts::HelpFailed);
}

void TDozedeR64Form::MenuAboutClick() {
    Form2->ShowModal();
}

void TDozedeR64Form::MenuCloseWindowClick() {
    if (!ItemAt(SelectedItemNo)) return;
    const HWND window = ItemAt(SelectedItemNo)->WndHandle;
    ForceForeground(window);
    // The program may ask whether to save and be told to stay: the item ends with its
    // window, when the watch sees it go.
    PostMessageW(window, WM_CLOSE, 0, 0);
}

} // namespace orvane
