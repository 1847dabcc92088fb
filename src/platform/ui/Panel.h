#pragma once
#include "platform/ui/Control.h"

namespace orvane::ui {

// A container with a single-line border.
class Panel : public Control {
public:
    explicit Panel(Control& parent);
};

} // namespace orvane::ui
