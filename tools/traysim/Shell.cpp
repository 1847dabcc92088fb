#include "traysim/Shell.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace traysim {
namespace {

constexpr int kBarHeight = 40;
constexpr int kGap = 10;
constexpr int kIndicatorWidth = 28;
constexpr int kClockWidth = 80;
constexpr int kOverflowColumns = 4;
constexpr const wchar_t* kUserToolbarTitle = L"ユーザー昇格通知領域";
constexpr const wchar_t* kOverflowToolbarTitle = L"オーバーフロー通知領域";
constexpr const wchar_t* kSystemToolbarTitle = L"システム コントロール領域";
constexpr const wchar_t* kSimulatorProperty = L"TraySim";

// The cells match the grids in which a reader of the shell expects the icons: 24 pixels on
// Windows 7 and later, 18 on Vista, 16 in Vista's system area, 32 in the overflow window.
constexpr Cell kWin7Cell{24, kBarHeight, 20};
constexpr Cell kVistaCell{18, kBarHeight, 16};
constexpr Cell kSystemCell{16, kBarHeight, 16};
constexpr Cell kOverflowCell{32, 32, 24};

HWND Child(const wchar_t* className, const wchar_t* title, HWND parent, WindowHandler* handler,
           DWORD style = WS_VISIBLE) {
    WindowSpec wanted;
    wanted.className = className;
    wanted.title = title;
    wanted.style = WS_CHILD | WS_CLIPSIBLINGS | style;
    wanted.parent = parent;
    return CreateSimWindow(wanted, handler);
}

// A click on the show button must not activate the taskbar, which the button's own
// handling does by taking the focus; so the button only reports the click.
LRESULT CALLBACK ShowButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return 0;
    case WM_LBUTTONUP:
        SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(button, ShowButtonProc, 0);
        break;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

} // namespace

RECT MonitorRect(TaskbarMonitor monitor) {
    struct Search {
        TaskbarMonitor wanted;
        std::optional<RECT> found;
    } search{monitor, std::nullopt};
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR handle, HDC, LPRECT, LPARAM data) {
            auto* s = reinterpret_cast<Search*>(data);
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (!GetMonitorInfoW(handle, &info)) return TRUE;
            const bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
            if (primary != (s->wanted == TaskbarMonitor::Primary)) return TRUE;
            s->found = info.rcMonitor;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found) return *search.found;
    if (monitor == TaskbarMonitor::Other) throw std::runtime_error("there is no other monitor");
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

Shell::Shell(Layout layout, RECT monitor, WindowHandler& handler, HFONT font)
    : layout(layout), monitor(monitor) {
    const bool vista = layout == Layout::Vista;
    WindowSpec bar;
    bar.className = L"Shell_TrayWnd";
    bar.style = WS_CHILD | WS_CLIPCHILDREN; // as a child it is not activated when published
    bar.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    bar.parent = HWND_MESSAGE;
    taskbar.Reset(CreateSimWindow(bar, &handler));
    notify = Child(L"TrayNotifyWnd", L"", taskbar.Get(), &handler, WS_VISIBLE | WS_CLIPCHILDREN);
    clock = Child(L"TrayClockWClass", L"", notify, &handler);
    if (!vista) indicator = Child(L"TrayInputIndicatorWClass", L"あ", notify, &handler);
    showButton = Child(L"Button", vista ? L"«" : L"▲", notify, nullptr, BS_PUSHBUTTON);
    SendMessageW(showButton, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowSubclass(showButton, ShowButtonProc, 0, 0);
    if (layout == Layout::Win11) {
        bridge = Child(L"Windows.UI.Composition.DesktopWindowContentBridge", L"", taskbar.Get(),
                       &handler);
    } else if (layout != Layout::NoPager) {
        pager = Child(L"SysPager", L"", notify, &handler);
        main = std::make_unique<ToolbarControl>(pager, kUserToolbarTitle,
                                                vista ? kVistaCell : kWin7Cell, false);
    }
    if (vista) {
        systemPager = Child(L"SysPager", L"", notify, &handler);
        system =
            std::make_unique<ToolbarControl>(systemPager, kSystemToolbarTitle, kSystemCell, false);
    }
    if (layout == Layout::Win7 || layout == Layout::NoPager) {
        WindowSpec wanted;
        wanted.className = L"NotifyIconOverflowWindow";
        wanted.style = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN;
        wanted.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
        overflow.Reset(CreateSimWindow(wanted, &handler));
        overflowBar = std::make_unique<ToolbarControl>(overflow.Get(), kOverflowToolbarTitle,
                                                       kOverflowCell, true);
    }
}

Shell::~Shell() {
    RemovePropW(taskbar.Get(), kSimulatorProperty);
}

void Shell::Publish() {
    SetParent(taskbar.Get(), nullptr);
    SetWindowLongPtrW(taskbar.Get(), GWL_STYLE, WS_POPUP | WS_CLIPCHILDREN);
    SetWindowPos(taskbar.Get(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
}

void Shell::Announce() {
    SetPropW(taskbar.Get(), kSimulatorProperty, reinterpret_cast<HANDLE>(1));
}

void Shell::Arrange(const HiddenIcons& hidden, int bridgeIcons) {
    const bool vista = layout == Layout::Vista;
    const int screenWidth = monitor.right - monitor.left;
    MoveWindow(taskbar.Get(), monitor.left, monitor.bottom - kBarHeight, screenWidth, kBarHeight,
               TRUE);
    // Vista keeps the show button's place even while the button is hidden.
    const int showWidth = vista ? kVistaCell.width : kWin7Cell.width;
    MoveWindow(showButton, 0, 0, showWidth, kBarHeight, TRUE);
    ShowWindow(showButton, hidden.count > 0 ? SW_SHOWNA : SW_HIDE);
    int x = vista || hidden.count > 0 ? showWidth : 0;
    if (main) {
        const int width = main->VisibleCount() * main->CellSize().width;
        MoveWindow(pager, x, 0, width, kBarHeight, TRUE);
        main->Place(0, 0, width, kBarHeight);
        x += width;
    }
    x += kGap;
    if (system) {
        const int width = system->VisibleCount() * system->CellSize().width;
        MoveWindow(systemPager, x, 0, width, kBarHeight, TRUE);
        system->Place(0, 0, width, kBarHeight);
        x += width;
    }
    if (indicator) {
        MoveWindow(indicator, x, 0, kIndicatorWidth, kBarHeight, TRUE);
        x += kIndicatorWidth;
    }
    MoveWindow(clock, x, 0, kClockWidth, kBarHeight, TRUE);
    x += kClockWidth;
    MoveWindow(notify, screenWidth - x, 0, x, kBarHeight, TRUE);
    if (bridge) {
        const int width = std::max(bridgeIcons, 1) * kBridgeCell;
        MoveWindow(bridge, screenWidth - x - width, 0, width, kBarHeight, TRUE);
        InvalidateRect(bridge, nullptr, TRUE);
    }
    if (overflow) PlaceOverflow(hidden.shown && hidden.count > 0);
}

// A grid of 32-pixel cells from the client area's corner, above the show button.
void Shell::PlaceOverflow(bool shown) {
    const int count = overflowBar->VisibleCount();
    const int columns = std::clamp(count, 1, kOverflowColumns);
    const int rows = std::max(1, (count + columns - 1) / columns);
    const int width = columns * kOverflowCell.width;
    const int height = rows * kOverflowCell.height;
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(overflow.Get(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(overflow.Get(), GWL_EXSTYLE)));
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;
    RECT button;
    GetWindowRect(showButton, &button);
    const int left = std::clamp(
        static_cast<int>(button.left + button.right) / 2 - frameWidth / 2,
        static_cast<int>(monitor.left),
        std::max(static_cast<int>(monitor.left), static_cast<int>(monitor.right) - frameWidth));
    RECT bar;
    GetWindowRect(taskbar.Get(), &bar);
    SetWindowPos(overflow.Get(), HWND_TOPMOST, left, bar.top - frameHeight - 4, frameWidth,
                 frameHeight, SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    overflowBar->Place(0, 0, width, height);
}

ToolbarControl* Shell::ToolbarFor(Area area) const {
    switch (area) {
    case Area::Tray:
        return main.get();
    case Area::Overflow:
        return layout == Layout::Vista ? main.get() : overflowBar.get();
    case Area::System:
        return system.get();
    }
    return nullptr;
}

std::vector<ToolbarControl*> Shell::Toolbars() const {
    std::vector<ToolbarControl*> toolbars;
    for (const auto* toolbar : {&main, &overflowBar, &system}) {
        if (*toolbar) toolbars.push_back(toolbar->get());
    }
    return toolbars;
}

const ToolbarControl* Shell::Toolbar(HWND window) const {
    for (const ToolbarControl* toolbar : Toolbars()) {
        if (toolbar->Window() == window) return toolbar;
    }
    return nullptr;
}

} // namespace traysim
