#include "platform/ui/Controls.h"

#include <algorithm>
#include <windowsx.h>

namespace orvane::ui {

Button::Button(Control& parent) {
    Create(ChildOf(parent, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, false));
}

void Button::Click() {
    if (OnClick) OnClick();
}

void Button::Command(WORD code) {
    if (code == BN_CLICKED) Click();
}

Label::Label(Control& parent) {
    Create(ChildOf(parent, WC_STATICW, SS_LEFT | SS_NOPREFIX, true));
}

void Label::SetWordWrap(bool wrap) {
    wordWrap_ = wrap;
    LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE) & ~static_cast<LONG_PTR>(SS_TYPEMASK);
    SetWindowLongPtrW(Handle(), GWL_STYLE, style | (wrap ? SS_LEFT : SS_LEFTNOWORDWRAP));
    FitToText(FontHandle());
    Invalidate();
}

void Label::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    FitToText(FontHandle());
}

void Label::SetTakesPointer(bool takes) {
    LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE) & ~static_cast<LONG_PTR>(SS_NOTIFY);
    SetWindowLongPtrW(Handle(), GWL_STYLE, style | (takes ? SS_NOTIFY : 0));
}

void Label::FitToText(HFONT font) {
    if (!autoSize_) return;
    platform::WindowDc dc(Handle());
    platform::Selected selected(dc.Get(), font);
    const std::wstring text = Text();
    RECT area{0, 0, wordWrap_ ? Width() : 0, 0};
    DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &area,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0));
    const int width = wordWrap_ ? Width() : area.right;
    if (width != Width() || area.bottom != Height()) SetBounds(Left(), Top(), width, area.bottom);
}

LRESULT Label::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT: {
        const LRESULT result = Control::WndProc(message, wParam, lParam);
        FitToText(FontHandle());
        return result;
    }
    case WM_SETFONT: {
        const LRESULT result = Control::WndProc(message, wParam, lParam);
        FitToText(reinterpret_cast<HFONT>(wParam));
        return result;
    }
    case WM_SIZE:
        // A wrapping label's height follows its width.
        if (wordWrap_) FitToText(FontHandle());
        break;
    case WM_MOUSEMOVE:
        if (OnMouseMove) OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    default:
        break;
    }
    return Control::WndProc(message, wParam, lParam);
}

void Label::Command(WORD code) {
    if (code == STN_CLICKED && OnClick) OnClick();
}

Edit::Edit(Control& parent) {
    Create(ChildOf(parent, WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, false));
}

void Edit::Command(WORD code) {
    if (code == EN_CHANGE && OnChange) OnChange();
}

LRESULT Edit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        if (OnMouseUp)
            OnMouseUp(message == WM_LBUTTONUP ? MouseButton::Left : MouseButton::Right,
                      static_cast<UINT>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_CONTEXTMENU:
        if (ContextMenu) {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            // From the keyboard: below the edit's left corner.
            if (lParam == -1) {
                at = {0, Height()};
                ClientToScreen(Handle(), &at);
            }
            ContextMenu->Popup(GetAncestor(Handle(), GA_ROOT), at.x, at.y);
            return 0;
        }
        break;
    default:
        break;
    }
    return Control::WndProc(message, wParam, lParam);
}

ScrollBox::ScrollBox(Control& parent) {
    Params params = ChildOf(parent, OwnClass(L"OrvaneScrollBox"), WS_CLIPCHILDREN, true);
    params.PaintBackground = true;
    Create(params);
    content_ = CreateWindowExW(0, OwnClass(L"OrvaneScrollContent"), L"",
                               WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, Handle(),
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowSubclass(content_, ContentProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

// The content pane hands its children's notifications to the scroll box's handling.
LRESULT CALLBACK ScrollBox::ContentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR self) {
    auto* box = reinterpret_cast<ScrollBox*>(self);
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        return SendMessageW(box->Handle(), message, wParam, lParam);
    case WM_ERASEBKGND: {
        RECT area;
        GetClientRect(window, &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area, box->BackgroundBrush());
        return 1;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, ContentProc, 0);
        box->content_ = nullptr;
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

ScrollBox::~ScrollBox() {
    // Children first, while this object can still answer their notifications.
    if (content_ && IsWindow(content_)) DestroyWindow(content_);
}

LRESULT ScrollBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        UpdateScrollBars();
        break;
    case WM_VSCROLL:
        Scroll(SB_VERT, LOWORD(wParam));
        return 0;
    case WM_HSCROLL:
        Scroll(SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        ScrollTo(scrollX_, scrollY_ - GET_WHEEL_DELTA_WPARAM(wParam) * 40 / WHEEL_DELTA);
        return 0;
    default:
        break;
    }
    return Control::WndProc(message, wParam, lParam);
}

void ScrollBox::ChildBoundsChanged() {
    UpdateScrollBars();
}

void ScrollBox::UpdateScrollBars() {
    if (updating_ || !content_) return;
    updating_ = true;
    extentX_ = extentY_ = 0;
    for (Control* child : Children()) {
        if (!child->Visible()) continue;
        extentX_ = std::max(extentX_, child->Left() + child->Width());
        extentY_ = std::max(extentY_, child->Top() + child->Height());
    }
    // Showing one bar narrows the other side, so settle both twice.
    for (int pass = 0; pass < 2; ++pass) {
        RECT area;
        GetClientRect(Handle(), &area);
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
        info.nMax = extentY_ - 1;
        info.nPage = static_cast<UINT>(area.bottom);
        SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
        info.nMax = extentX_ - 1;
        info.nPage = static_cast<UINT>(area.right);
        SetScrollInfo(Handle(), SB_HORZ, &info, TRUE);
    }
    RECT area;
    GetClientRect(Handle(), &area);
    ScrollTo(std::min(scrollX_, std::max(0, extentX_ - static_cast<int>(area.right))),
             std::min(scrollY_, std::max(0, extentY_ - static_cast<int>(area.bottom))));
    SetWindowPos(content_, nullptr, -scrollX_, -scrollY_, std::max<int>(extentX_, area.right),
                 std::max<int>(extentY_, area.bottom), SWP_NOZORDER | SWP_NOACTIVATE);
    updating_ = false;
}

void ScrollBox::ScrollTo(int x, int y) {
    RECT area;
    GetClientRect(Handle(), &area);
    x = std::clamp(x, 0, std::max(0, extentX_ - static_cast<int>(area.right)));
    y = std::clamp(y, 0, std::max(0, extentY_ - static_cast<int>(area.bottom)));
    if (x == scrollX_ && y == scrollY_) return;
    scrollX_ = x;
    scrollY_ = y;
    SetScrollPos(Handle(), SB_HORZ, x, TRUE);
    SetScrollPos(Handle(), SB_VERT, y, TRUE);
    SetWindowPos(content_, nullptr, -x, -y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ScrollBox::Scroll(int bar, int request) {
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(Handle(), bar, &info);
    int position = info.nPos;
    const int line = 20, page = static_cast<int>(info.nPage);
    switch (request) {
    case SB_LINEUP:
        position -= line;
        break;
    case SB_LINEDOWN:
        position += line;
        break;
    case SB_PAGEUP:
        position -= page;
        break;
    case SB_PAGEDOWN:
        position += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
    case SB_TOP:
        position = 0;
        break;
    case SB_BOTTOM:
        position = info.nMax;
        break;
    default:
        return;
    }
    if (bar == SB_VERT)
        ScrollTo(scrollX_, position);
    else
        ScrollTo(position, scrollY_);
}

} // namespace orvane::ui
