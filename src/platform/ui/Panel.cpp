#include "platform/ui/Panel.h"

namespace orvane::ui {

Panel::Panel(Control& parent) {
    Params params = ChildOf(parent, OwnClass(L"OrvanePanel"), WS_BORDER | WS_CLIPCHILDREN, true);
    params.ExStyle = WS_EX_CONTROLPARENT;
    params.PaintBackground = true;
    Create(params);
}

} // namespace orvane::ui
