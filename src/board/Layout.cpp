#include "board/Geometry.h"
#include "core/DozedeR64Form.h"
#include "platform/Monitor.h"

namespace orvane {

void TDozedeR64Form::LayOutBoard() {
    const BoardLayout layout = LayoutFor(IconSize, TotalBtnCount);
    Image1.SetBounds(0, 0, layout.ImageWidth, layout.ImageHeight);
    SetClientSize(layout.ClientWidth, layout.ClientHeight);
    const RECT work = platform::PointerMonitor().rcWork;
    if (work.bottom - work.top < Height())
        SetBounds(Left(), work.top, Width(), work.bottom - work.top);
    DrawIcon();
}

} // namespace orvane
