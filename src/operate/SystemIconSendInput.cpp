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
// shell shows them. A window of the snapshot that has gone since gives the operation up.
void TDozedeR64Form::SystemIconSendInput(std::int32_t Action, std::int32_t IconID) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const TraySystem system = IsWin8    ? TraySystem::Win8
                              : IsWin7  ? TraySystem::Win7
                              : IsVista ? TraySystem::Vista
                                        : TraySystem::Older;
    const bool hidden = IconID >= IconCountOnTaskTray;

    APPBARDATA bar{};
    bar.cbSize = sizeof bar;
    SHAppBarMessage(ABM_GETTASKBARPOS, &bar);
    const TaskbarEdge edge =
        EdgeOf({bar.rc.left, bar.rc.top, bar.rc.right, bar.rc.bottom}, width, height);
    // A taskbar that hides itself comes out when the pointer touches its edge.
    Send(std::vector{MoveTo(EdgePoint(edge, width, height), width, height)});
    ui::App().ProcessMessagesFor(500);

    if (!MeasureTrayNotifyWindow()) return;
    const auto corner = [](POINT p) { return Point{p.x, p.y}; };
    if (ShowButtonExists && (!Win7OrLater(system) || hidden)) {
        const Point button = ShowButtonPoint(edge, system, corner(TrayNotifyWindowTopLeft),
                                             corner(TrayNotifyWindowBottomRight));
        Send(ShowButtonRecords(system, MoveTo(button, width, height)));
        ui::App().ProcessMessagesFor(1000);
        if (Win7OrLater(system)) {
            ui::App().ProcessMessagesUntil(platform::Now(), 500, [this] {
                return IsWindowVisible(HOverflowWindow) || WaitEnded();
            });
        } else if (!MeasureTrayNotifyWindow()) {
            return;
        }
    }

    std::optional<Point> target;
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
        target = VisibleIconPoint(area, IconID);
    } else if (Win7OrLater(system)) {
        if (const std::optional<ScreenRect> area = ClientRect(HOverflowWindow))
            target = OverflowIconPoint({area->Left, area->Top}, {area->Right, area->Bottom},
                                       IconID - IconCountOnTaskTray);
    } else if (system == TraySystem::Vista) {
        if (const std::optional<ScreenRect> area = WindowRect(HVistaSystemIconTray))
            target = SystemIconTrayPoint(*area, IconID - IconCountOnTaskTray);
    }
    if (!target) return;

    const std::vector<MouseRecord> records =
        OperationRecords(Action, MoveTo(*target, width, height));
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
