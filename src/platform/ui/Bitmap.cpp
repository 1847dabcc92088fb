#include "platform/ui/Bitmap.h"

#include "platform/Dib.h"

#include <stdexcept>
#include <utility>

namespace orvane::ui {

void Canvas::FillRect(const RECT& area, COLORREF color) {
    platform::UniqueBrush brush(CreateSolidBrush(color));
    ::FillRect(dc_, &area, brush.Get());
}

void Canvas::Rectangle(const RECT& area, COLORREF pen, COLORREF fill) {
    platform::UniquePen framePen(CreatePen(PS_SOLID, 1, pen));
    platform::UniqueBrush fillBrush(CreateSolidBrush(fill));
    platform::Selected selectedPen(dc_, framePen.Get());
    platform::Selected selectedBrush(dc_, fillBrush.Get());
    ::Rectangle(dc_, area.left, area.top, area.right, area.bottom);
}

void Canvas::Draw(int x, int y, const Bitmap& bitmap) {
    if (bitmap.Empty()) return;
    BitBlt(dc_, x, y, bitmap.Width(), bitmap.Height(), bitmap.Dc(), 0, 0, SRCCOPY);
}

Bitmap::Bitmap(Bitmap&& other) noexcept {
    *this = std::move(other);
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this != &other) {
        Free();
        dc_ = std::move(other.dc_);
        bitmap_ = std::move(other.bitmap_);
        original_ = std::exchange(other.original_, nullptr);
        bits_ = std::exchange(other.bits_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        stride_ = std::exchange(other.stride_, 0);
        canvas_ = std::exchange(other.canvas_, Canvas());
    }
    return *this;
}

Bitmap::~Bitmap() {
    Free();
}

void Bitmap::Free() {
    if (dc_ && original_) SelectObject(dc_.Get(), original_);
    original_ = nullptr;
    bitmap_.Reset();
    dc_.Reset();
    bits_ = nullptr;
    width_ = height_ = stride_ = 0;
    canvas_ = Canvas();
}

void Bitmap::SetSize(int width, int height) {
    Free();
    if (width <= 0 || height <= 0) return;
    void* bits = nullptr;
    bitmap_ = platform::TopDownDib(width, height, 24, &bits);
    dc_.Reset(CreateCompatibleDC(nullptr));
    if (!bitmap_ || !dc_) {
        Free();
        throw std::runtime_error("out of GDI resources");
    }
    original_ = SelectObject(dc_.Get(), bitmap_.Get());
    bits_ = static_cast<std::uint8_t*>(bits);
    width_ = width;
    height_ = height;
    stride_ = (width * 3 + 3) & ~3;
    canvas_ = Canvas(dc_.Get());
}

COLORREF Bitmap::Pixel(int x, int y) const {
    GdiFlush();
    const std::uint8_t* pixel = ScanLine(y) + x * 3;
    return RGB(pixel[2], pixel[1], pixel[0]);
}

} // namespace orvane::ui
