#pragma once
#include "platform/ui/Bitmap.h"
#include "platform/ui/Control.h"

namespace orvane::ui {

// A picture box with a drawable 24-bit picture. Mouse events arrive in this order: a press
// gives OnMouseDown; its release OnClick (when it ends over the image) and then OnMouseUp; a
// second press within the double-click time gives OnDblClick and then OnMouseDown, and its
// release only OnMouseUp. `keys` carries the MK_ flags of the message.
class Image : public Control {
public:
    explicit Image(Control& parent);

    // The picture; made at the image's size when there is none. What is drawn on it shows
    // once Changed says where.
    Bitmap& Picture();
    Canvas& GetCanvas() { return Picture().GetCanvas(); }
    bool HasPicture() const { return !picture_.Empty(); }
    void ClearPicture();
    // Repaints the part of the picture drawn anew (all of it without an area).
    void Changed(const RECT* area = nullptr);

    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;
    std::function<void(UINT keys, int x, int y)> OnMouseMove;
    std::function<void(MouseButton button, UINT keys, int x, int y)> OnMouseDown;
    std::function<void(MouseButton button, UINT keys, int x, int y)> OnMouseUp;
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    void Down(MouseButton button, WPARAM keys, LPARAM position);
    void Up(MouseButton button, WPARAM keys, LPARAM position);

    Bitmap picture_;
    bool inside_ = false;
    bool clicked_ = false;
};

} // namespace orvane::ui
