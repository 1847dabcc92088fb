#pragma once
#include "platform/Handles.h"

#include <cstdint>

namespace orvane::ui {

class Bitmap;

// Drawing on a device context.
class Canvas {
public:
    explicit Canvas(HDC dc = nullptr) : dc_(dc) {}
    HDC Dc() const { return dc_; }
    void FillRect(const RECT& area, COLORREF color);
    // A one-pixel frame in `pen` around a fill of `fill`.
    void Rectangle(const RECT& area, COLORREF pen, COLORREF fill);
    void Draw(int x, int y, const Bitmap& bitmap);

private:
    HDC dc_;
};

// A top-down 24-bit device-independent bitmap with its own memory device context. Each scan
// line is width triples of bytes B, G, R, padded to 4 bytes.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height) { SetSize(width, height); }
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;
    ~Bitmap();

    // New content, all black.
    void SetSize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return !bitmap_; }
    HBITMAP Handle() const { return bitmap_.Get(); }
    HDC Dc() const { return dc_.Get(); }
    Canvas& GetCanvas() { return canvas_; }
    std::uint8_t* ScanLine(int y) { return bits_ + static_cast<std::ptrdiff_t>(y) * stride_; }
    const std::uint8_t* ScanLine(int y) const {
        return bits_ + static_cast<std::ptrdiff_t>(y) * stride_;
    }
    COLORREF Pixel(int x, int y) const;

private:
    void Free();

    platform::UniqueMemoryDc dc_;
    platform::UniqueBitmap bitmap_;
    HGDIOBJ original_ = nullptr;
    std::uint8_t* bits_ = nullptr;
    int width_ = 0, height_ = 0, stride_ = 0;
    Canvas canvas_;
};

} // namespace orvane::ui
