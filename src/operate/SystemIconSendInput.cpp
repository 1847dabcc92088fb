#include "core/DozedeR64Form.h"
#include "operate/TrayGrid.h"
#include "platform/Clock.h"
#include "platform/Input.h"
#include "platform/ScopedFlag.h"
#include "platform/ui/Application.h"

#include <span>
#include <vector>

namespace orvane {
namespace {

std::optional<ScreenRect> ClientRect(HWND window) {
    WINDOWINFO info{};
    info.cbSize = sizeof info;
    if (!window || !GetWindowInfo(window, &info)) return std::nullopt;
    const RECT& client = info.rcClient;
    return ScreenRect{client.left, client.top, client.right, client.bottom};
}

std::optional<ScreenRect> WindowRect(HWND window) {
    RECT bounds{};
    if (!window || !GetWindowRect(window, &bounds)) return std::nullopt;
    return ScreenRect{bounds.left, bounds.top, bounds.right, bounds.bottom};
}

ScreenRect VirtualScreen() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

ScreenRect MonitorOf(ScreenRect area) {
    const RECT rect{area.Left, area.Top, area.Right, area.Bottom};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info);
    const RECT& monitor = info.rcMonitor;
    return {monitor.left, monitor.top, monitor.right, monitor.bottom};
}

int VisibleWidth(HWND window) {
    const std::optional<ScreenRect> bounds =
        IsWindowVisible(window) ? WindowRect(window) : std::nullopt;
    return bounds ? bounds->Right - bounds->Left : 0;
}

void Send(std::span<const MouseRecord> records) {
    std::vector<INPUT> inputs;
    for (const MouseRecord& record : records) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = record.Dx;
        input.mi.dy = record.Dy;
        input.mi.dwFlags = record.Flags;
        inputs.push_back(input);
    }
    platform::Use<platform::Input>().Send(inputs);
}

} // namespace

bool TDozedeR64Form::MeasureTrayNotifyWindow() {
    const std::optional<ScreenRect> client = ClientRect(HTrayNotifyWindow);
    if (!client) return false;
    TrayNotifyWindowTopLeft = {client->Left, client->Top};
    TrayNotifyWindowBottomRight = {client->Right, client->Bottom};
    return true;
}

// The shell's own icons take no callback messages: the real pointer operates them where the
// shell shows them, on whichever monitor the taskbar is. A window of the snapshot that has gone
// since, or a point that misses the window it was worked out from, gives the operation up.
void TDozedeR64Form::SystemIconSendInput(std::int32_t Action, std::int32_t IconID) {
    const ScreenRect desktop = VirtualScreen();
    const TraySystem system = IsWin8    ? TraySystem::Win8
                              : IsWin7  ? TraySystem::Win7
                              : IsVista ? TraySystem::Vista
                                        : TraySystem::Older;
    const bool hidden = IconID >= IconCountOnTaskTray;

    APPBARDATA bar{};
    bar.cbSize = sizeof bar;
    SHAppBarMessage(ABM_GETTASKBARPOS, &bar);
    const ScreenRect taskbar = TaskbarRect(
        {bar.rc.left, bar.rc.top, bar.rc.right, bar.rc.bottom},
        WindowRect(HTrayNotifyWindow ? GetAncestor(HTrayNotifyWindow, GA_ROOT) : nullptr));
    const ScreenRect monitor = MonitorOf(taskbar);
    const TaskbarEdge edge = EdgeOf(taskbar, monitor);
    // A taskbar that hides itself comes out when the pointer touches its edge.
    Send(std::vector{MoveTo(EdgePoint(edge, monitor), desktop)});
    ui::App().ProcessMessagesFor(500);

    if (!MeasureTrayNotifyWindow()) return;
    const auto corner = [](POINT p) { return Point{p.x, p.y}; };
    const auto notifyArea = [this] {
        return ScreenRect{TrayNotifyWindowTopLeft.x, TrayNotifyWindowTopLeft.y,
                          TrayNotifyWindowBottomRight.x, TrayNotifyWindowBottomRight.y};
    };
    if (ShowButtonExists && (!Win7OrLater(system) || hidden)) {
        const std::optional<MouseRecord> move =
            ClickMove(ShowButtonPoint(edge, system, corner(TrayNotifyWindowTopLeft),
                                      corner(TrayNotifyWindowBottomRight)),
                      notifyArea(), desktop);
        if (!move) return;
        Send(ShowButtonRecords(system, *move));
        ui::App().ProcessMessagesFor(1000);
        if (Win7OrLater(system)) {
            ui::App().ProcessMessagesUntil(platform::Now(), 500, [this] {
                return IsWindowVisible(HOverflowWindow) || WaitEnded();
            });
        } else if (!MeasureTrayNotifyWindow()) {
            return;
        }
    }

    std::optional<MouseRecord> move;
    if (!hidden) {
        const VisibleArea area{edge,
                               system,
                               corner(TrayNotifyWindowTopLeft),
                               corner(TrayNotifyWindowBottomRight),
                               ShowButtonExists,
                               IconCountOnTaskTray,
                               VisibleWidth(HTrayClockWindow),
                               VisibleWidth(HTrayInputIndicator),
                               system == TraySystem::Vista ? VisibleWidth(HVistaSystemIconTray)
                                                           : 0};
        if (const std::optional<Point> target = VisibleIconPoint(area, IconID))
            move = ClickMove(*target, notifyArea(), desktop);
    } else if (Win7OrLater(system)) {
        const std::optional<ScreenRect> area = ClientRect(HOverflowWindow);
        const std::optional<Point> target =
            area ? OverflowIconPoint({area->Left, area->Top}, {area->Right, area->Bottom},
                                     IconID - IconCountOnTaskTray)
                 : std::nullopt;
        if (target) move = ClickMove(*target, *area, desktop);
    } else if (system == TraySystem::Vista) {
        const std::optional<ScreenRect> area = WindowRect(HVistaSystemIconTray);
        const std::optional<Point> target =
            area ? SystemIconTrayPoint(*area, IconID - IconCountOnTaskTray) : std::nullopt;
        if (target) move = ClickMove(*target, *area, desktop);
    }
    if (!move) return;

    const std::vector<MouseRecord> records = OperationRecords(Action, *move);
    if (records.empty()) return;
    const HWND before = GetForegroundWindow();
    if (Win7OrLater(system)) {
        Send(records);
    } else {
        Send(std::span(records).first(1));
        if (ShowButtonExists) ui::App().ProcessMessagesFor(500);
        Send(std::span(records).subspan(1));
    }
    if (Action != 0) return;

    // Wait for what the click opened, such as a system icon's flyout, to go.
    ui::App().ProcessMessagesFor(500);
    const HWND opened = GetForegroundWindow();
    const platform::ScopedFlag showing(NewWindowShowing);
    const std::uint32_t start = platform::Now();
    if (opened == before) {
        ui::App().ProcessMessagesUntil(start, 10000, [this] { return WaitEnded(); });
    } else {
        ui::App().ProcessMessagesUntil(start, 60000,
                                       [this, opened] { return !IsWindow(opened) || WaitEnded(); });
    }
}

} // namespace orvane
