#include "core/DozedeR64Form.h"
#include "core/Elapsed.h"
#include "operate/ClickForms.h"
#include "operate/IconRules.h"
#include "platform/Clock.h"
#include "platform/Input.h"
#include "platform/Text.h"
#include "platform/ui/Application.h"
#include "settings/Form3.h"

#include <cwchar>

namespace orvane {
namespace {

// The button is down again, or its press waits in the queue (a quick press may be released
// before anyone looks).
bool SecondPressComing(HWND board) {
    MSG msg;
    return (platform::Use<platform::Input>().AsyncKeyState(VK_LBUTTON) & 0x8000) ||
           PeekMessageW(&msg, board, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE) ||
           PeekMessageW(&msg, board, WM_LBUTTONDBLCLK, WM_LBUTTONDBLCLK, PM_NOREMOVE);
}

// The pop-up menu of a thread: the window of the menu class that the thread made.
HWND MenuOfThread(DWORD thread) {
    HWND menu = nullptr;
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM found) {
            wchar_t name[8] = {};
            if (!GetClassNameW(window, name, 8) || wcscmp(name, L"#32768") != 0 ||
                !IsWindowVisible(window))
                return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&menu));
    return menu;
}

} // namespace

bool TDozedeR64Form::WaitEnded() const {
    return GetWindowState() == ui::WindowState::Minimized || MyAppEnd;
}

bool TDozedeR64Form::UsableMousePos() const {
    return AMousePos >= 0 && AMousePos <= TotalBtnCount - 1 &&
           static_cast<size_t>(AMousePos) < TrayNotify.size();
}

void TDozedeR64Form::SetTrayIcon(std::int32_t Action, std::int32_t IconID) {
    const std::wstring& tip = ToolTip[static_cast<size_t>(IconID)];
    if ((IsVista || IsWin7 || IsWin8) && !IconCollector &&
        (IsSystemIconTip(tip) || (IsVista && IconID >= IconCountOnTaskTray))) {
        SystemIconSendInput(Action, IconID);
        return;
    }
    OperateTrayIcon(Action, IconID);
}

void TDozedeR64Form::OperateTrayIcon(std::int32_t Action, std::int32_t IconID) {
    // Collected icons have no place in a toolbar that the pointer could be moved to.
    if (Form3 && !IconCollector) {
        const std::wstring tip = platform::Lowered(ToolTip[static_cast<size_t>(IconID)]);
        for (const std::wstring& line : Form3->Memo1.Lines()) {
            if (InoperableLineMatches(platform::Lowered(line), tip)) {
                SystemIconSendInput(Action, IconID);
                return;
            }
        }
    }
    ClickKind kind;
    switch (Action) {
    case 0:
        kind = ClickKind::Click;
        break;
    case 1:
        kind = ClickKind::RightClick;
        break;
    case 2:
        kind = ClickKind::DoubleClick;
        break;
    default:
        return;
    }
    const TTrayNotify entry = TrayNotify[static_cast<size_t>(IconID)];
    // The owner's menu may take the foreground.
    DWORD pid = 0;
    GetWindowThreadProcessId(entry.hWnd, &pid);
    AllowSetForegroundWindow(pid);
    PostCallbackForms(IconID, kind);
}

void TDozedeR64Form::PostCallbackForms(std::int32_t IconID, ClickKind kind) {
    const TTrayNotify entry = TrayNotify[static_cast<size_t>(IconID)];
    // The shell's anchor of an icon: the middle of its cell.
    const RECT cell = CellScreenRect(IconID);
    for (const CallbackForm& form :
         CallbackForms(IconVersion(IconID), kind, entry.uID, (cell.left + cell.right) / 2,
                       (cell.top + cell.bottom) / 2)) {
        PostMessageW(entry.hWnd, entry.uCallbackMessage, static_cast<WPARAM>(form.wParam),
                     static_cast<LPARAM>(form.lParam));
    }
}

void TDozedeR64Form::Image1MouseUp(ui::MouseButton Button) {
    if (TotalBtnCount == 0 || !UsableMousePos() || (Form3 && Form3->Visible())) return;
    if (Button == ui::MouseButton::Left) {
        if (++ImageClickCount >= 2) {
            ImageClickCount = 0; // the release of a double click
            return;
        }
        const std::int32_t IconID = AMousePos;
        // A second press within the double-click time belongs to a double click; it is left
        // in the queue for the handlers of the double click.
        const HWND board = Image1.Handle();
        ui::App().ProcessMessagesUntil(platform::Now(), GetDoubleClickTime() + 100,
                                       [board] { return SecondPressComing(board); });
        if (SecondPressComing(board)) return;
        if (ImageClickCount >= 2) {
            ImageClickCount = 0;
            return;
        }
        ImageClickCount = 0;
        if (TrayNotify[static_cast<size_t>(IconID)].hWnd == Handle())
            SetSelfCreateIcon(0, IconID);
        else
            SetTrayIcon(0, IconID);
        ui::App().ProcessMessagesUntil(platform::Now(), 5000);
        if (Form3 && Form3->CheckBoxClickNoMinimize.Checked()) return;
        SetWindowState(ui::WindowState::Minimized);
    } else if (Button == ui::MouseButton::Right) {
        const std::int32_t IconID = AMousePos;
        if (TrayNotify[static_cast<size_t>(IconID)].hWnd == Handle())
            SetSelfCreateIcon(1, IconID);
        else
            SetTrayIcon(1, IconID);
        if (Form3 && Form3->CheckBoxRightClickNoMinimize.Checked()) return;
        // Only a menu of the icon's owner counts; the wait ends when it closes or its owner
        // goes.
        const HWND owner = TrayNotify[static_cast<size_t>(IconID)].hWnd;
        const DWORD ownerThread = GetWindowThreadProcessId(owner, nullptr);
        PopupMenuSearching = true;
        FindHandle = nullptr;
        ui::App().ProcessMessagesUntil(platform::Now(), 5000, [&] {
            FindHandle = ownerThread ? MenuOfThread(ownerThread) : nullptr;
            return FindHandle || !IsWindow(owner) || WaitEnded();
        });
        const std::uint32_t start = platform::Now();
        if (FindHandle) {
            ui::App().ProcessMessagesUntil(start, INFINITE, [this, owner] {
                return !IsWindow(FindHandle) || !IsWindowVisible(FindHandle) || !IsWindow(owner) ||
                       WaitEnded();
            });
        } else if (IsWindow(owner)) {
            ui::App().ProcessMessagesUntil(start, 5000, [this] { return WaitEnded(); });
        }
        FindHandle = nullptr;
        PopupMenuSearching = false;
        SetWindowState(ui::WindowState::Minimized);
    }
}

void TDozedeR64Form::Image1DblClick() {
    if (TotalBtnCount == 0 || !UsableMousePos()) return;
    if (TrayNotify[static_cast<size_t>(AMousePos)].hWnd == Handle()) return;
    SetTrayIcon(2, AMousePos);
    ui::App().ProcessMessages();
    ImageClickCount = 0;
    if (Form3 && Form3->CheckBoxClickNoMinimize.Checked()) return;
    ui::App().ProcessMessagesUntil(platform::Now(), 1000);
    SetWindowState(ui::WindowState::Minimized);
}

} // namespace orvane
