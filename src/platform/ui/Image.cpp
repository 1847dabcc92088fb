#include "platform/ui/Image.h"

#include <windowsx.h>

namespace orvane::ui {

Image::Image(Control& parent) {
    Params params;
    params.ClassName = OwnClass(L"OrvaneImage", CS_DBLCLKS);
    params.Style = WS_VISIBLE;
    params.Parent = &parent;
    Create(params);
}

Bitmap& Image::Picture() {
    if (picture_.Empty()) picture_.SetSize(ClientWidth(), ClientHeight());
    return picture_;
}

void Image::Changed(const RECT* area) {
    InvalidateRect(Handle(), area, FALSE);
}

void Image::ClearPicture() {
    picture_ = Bitmap();
    Invalidate();
}

void Image::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    const RECT& area = paint.rcPaint;
    if (!picture_.Empty()) {
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
               picture_.Dc(), area.left, area.top, SRCCOPY);
        ExcludeClipRect(dc, 0, 0, picture_.Width(), picture_.Height());
    }
    FillRect(dc, &area, BackgroundBrush());
    EndPaint(Handle(), &paint);
}

void Image::Down(MouseButton button, WPARAM keys, LPARAM position) {
    if (button == MouseButton::Left) {
        clicked_ = true;
        SetCapture(Handle());
    }
    if (OnMouseDown)
        OnMouseDown(button, static_cast<UINT>(keys), GET_X_LPARAM(position),
                    GET_Y_LPARAM(position));
}

void Image::Up(MouseButton button, WPARAM keys, LPARAM position) {
    const int x = GET_X_LPARAM(position), y = GET_Y_LPARAM(position);
    if (button == MouseButton::Left) {
        if (GetCapture() == Handle()) ReleaseCapture();
        if (std::exchange(clicked_, false) && x >= 0 && y >= 0 && x < ClientWidth() &&
            y < ClientHeight() && OnClick) {
            OnClick();
        }
    }
    if (OnMouseUp) OnMouseUp(button, static_cast<UINT>(keys), x, y);
}

LRESULT Image::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        if (!inside_) {
            inside_ = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
            TrackMouseEvent(&track);
            if (OnMouseEnter) OnMouseEnter();
        }
        if (OnMouseMove)
            OnMouseMove(static_cast<UINT>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSELEAVE:
        inside_ = false;
        if (OnMouseLeave) OnMouseLeave();
        return 0;
    case WM_LBUTTONDOWN:
        Down(MouseButton::Left, wParam, lParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        // Captured first: the handler may process messages, the release among them.
        SetCapture(Handle());
        if (OnDblClick) OnDblClick();
        if (OnMouseDown)
            OnMouseDown(MouseButton::Left, static_cast<UINT>(wParam), GET_X_LPARAM(lParam),
                        GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        Up(MouseButton::Left, wParam, lParam);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        Down(MouseButton::Right, wParam, lParam);
        return 0;
    case WM_RBUTTONUP:
        Up(MouseButton::Right, wParam, lParam);
        return 0;
    case WM_MBUTTONDOWN:
        Down(MouseButton::Middle, wParam, lParam);
        return 0;
    case WM_MBUTTONUP:
        Up(MouseButton::Middle, wParam, lParam);
        return 0;
    default:
        break;
    }
    return Control::WndProc(message, wParam, lParam);
}

} // namespace orvane::ui
