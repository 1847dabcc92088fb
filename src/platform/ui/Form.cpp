#include "platform/ui/Form.h"

#include "platform/ui/Application.h"
#include "platform/ui/Menu.h"

#include <vector>
#include <windowsx.h>

namespace orvane::ui {

Form::Form(Form* owner, const wchar_t* className) {
    Params params;
    params.ClassName = OwnClass(className, CS_DBLCLKS);
    params.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    params.Owner = owner ? owner->Handle() : nullptr;
    params.Bounds = {0, 0, 320, 240};
    params.ParentColor = false;
    params.PaintBackground = true;
    Create(params);
}

Form::~Form() {
    // The menu bar belongs to its MainMenu, not to the window.
    if (Handle()) ::SetMenu(Handle(), nullptr);
}

void Form::SetFixedBorder(bool minimizeBox, bool maximizeBox) {
    LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    style &= ~(WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    style |= WS_CAPTION | WS_SYSMENU | WS_BORDER;
    if (minimizeBox) style |= WS_MINIMIZEBOX;
    if (maximizeBox) style |= WS_MAXIMIZEBOX;
    const int width = ClientWidth(), height = ClientHeight();
    SetWindowLongPtrW(Handle(), GWL_STYLE, style);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetClientSize(width, height);
}

void Form::SetClientSize(int width, int height) {
    // AdjustWindowRectEx assumes a one-line menu bar; correct by what the frame really takes.
    Control::SetClientSize(width, height);
    const int dw = width - ClientWidth(), dh = height - ClientHeight();
    if (dw || dh) SetBounds(Left(), Top(), Width() + dw, Height() + dh);
}

void Form::SetMenu(MainMenu& menu) {
    const int width = ClientWidth(), height = ClientHeight();
    menu.Attach(Handle());
    SetClientSize(width, height);
}

void Form::CenterOnScreen() {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    const RECT& screen = info.rcMonitor;
    SetBounds(screen.left + (screen.right - screen.left - Width()) / 2,
              screen.top + (screen.bottom - screen.top - Height()) / 2, Width(), Height());
}

WindowState Form::GetWindowState() const {
    if (!Visible()) return hiddenState_;
    if (IsIconic(Handle())) return WindowState::Minimized;
    if (IsZoomed(Handle())) return WindowState::Maximized;
    return WindowState::Normal;
}

void Form::SetWindowState(WindowState state) {
    if (!Visible()) {
        hiddenState_ = state;
        return;
    }
    if (state == GetWindowState()) return;
    static constexpr int commands[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
    ShowWindow(Handle(), commands[static_cast<int>(state)]);
}

void Form::SetVisible(bool visible) {
    if (visible == Visible()) return;
    if (!visible) {
        hiddenState_ = GetWindowState();
        ShowWindow(Handle(), SW_HIDE);
        return;
    }
    static constexpr int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    const unsigned resizes = resizeCount_;
    ShowWindow(Handle(), commands[static_cast<int>(hiddenState_)]);
    // The first showing always counts as a resize, whether or not the system sends one.
    if (!std::exchange(shownOnce_, true) && resizes == resizeCount_ && OnResize) OnResize();
}

int Form::ShowModal() {
    std::vector<HWND> disabled;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM list) {
            if (IsWindowVisible(window) && IsWindowEnabled(window)) {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&disabled));
    for (HWND window : disabled) EnableWindow(window, FALSE);
    modalResult_ = 0;
    inModal_ = true;
    Show();
    SetForegroundWindow(Handle());
    while (modalResult_ == 0 && App().HandleMessage()) {
    }
    inModal_ = false;
    for (HWND window : disabled) EnableWindow(window, TRUE);
    Hide();
    return modalResult_;
}

void Form::Close() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(canClose);
    if (!canClose) return;
    if (inModal_) {
        modalResult_ = IDCANCEL;
        return;
    }
    if (OnClose) OnClose();
    Hide();
    if (App().MainForm() == this) App().Terminate();
}

LRESULT Form::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        ++resizeCount_;
        if (OnResize) OnResize();
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_SHOWWINDOW:
        // lParam 0: shown by the program, not again with its owner.
        if (wParam && lParam == 0 && OnShow) OnShow();
        break;
    case WM_MOUSEMOVE:
        if (OnMouseMove)
            OnMouseMove(static_cast<UINT>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (OnDeactivate) OnDeactivate();
        } else if (OnActivate) {
            OnActivate();
        }
        break;
    default:
        break;
    }
    return Control::WndProc(message, wParam, lParam);
}

bool Form::PreTranslate(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    auto* form = dynamic_cast<Form*>(FromHandle(GetAncestor(msg.hwnd, GA_ROOT)));
    if (!form) return false;
    if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && form->KeyPreview &&
        form->OnKeyDown && form->Handle() != msg.hwnd) {
        WORD key = static_cast<WORD>(msg.wParam);
        Guarded([&] { form->OnKeyDown(key); });
        if (key == 0) return true;
        msg.wParam = key;
    }
    // Characters go to the control as they are: the dialog's search for a control of that
    // access key never ends under Wine when the control lies in a nested page, and these
    // windows have no access keys in their controls.
    if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) return false;
    return form->TabNavigation && IsDialogMessageW(form->Handle(), &msg);
}

} // namespace orvane::ui
