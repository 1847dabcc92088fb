#include "board/Geometry.h"
#include "core/DozedeR64Form.h"
#include "platform/Monitor.h"

#include <algorithm>

namespace orvane {

std::int32_t TDozedeR64Form::BoardEntries() const {
    // A toolbar may report any number of buttons; the 24-bit picture stays within 64 MiB.
    constexpr std::int64_t MaxPictureBytes = 64 << 20;
    const std::int64_t pitch = Pitch(IconSize);
    const std::int64_t rowBytes = (BoardColumns * pitch * 3 + 3) / 4 * 4;
    const std::int64_t rows = std::max<std::int64_t>(3, MaxPictureBytes / (rowBytes * pitch));
    return static_cast<std::int32_t>(std::min<std::int64_t>(TotalBtnCount, rows * BoardColumns));
}

void TDozedeR64Form::LayOutBoard() {
    const BoardLayout layout = LayoutFor(IconSize, BoardEntries());
    Image1.SetBounds(0, 0, layout.ImageWidth, layout.ImageHeight);
    const RECT work = RestoreMonitor ? RestoreMonitor->rcWork : platform::PointerMonitor().rcWork;
    if (RestoreMonitor) {
        // Sized and placed in one move: each move of a shown window repaints it.
        const int width = layout.ClientWidth + Width() - ClientWidth();
        const int height =
            std::min<int>(layout.ClientHeight + Height() - ClientHeight(), work.bottom - work.top);
        const Point place = RestorePlace(width, height, *RestoreMonitor);
        SetBounds(place.X, place.Y, width, height);
        // The menu bar may wrap otherwise at the new width.
        if (height < work.bottom - work.top && ClientHeight() != layout.ClientHeight)
            SetClientSize(layout.ClientWidth, layout.ClientHeight);
    } else {
        SetClientSize(layout.ClientWidth, layout.ClientHeight);
    }
    if (work.bottom - work.top < Height())
        SetBounds(Left(), work.top, Width(), work.bottom - work.top);
    DrawIcon();
}

} // namespace orvane
