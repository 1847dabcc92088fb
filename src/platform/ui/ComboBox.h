#pragma once
#include "platform/ui/Control.h"

namespace orvane::ui {

// A drop-down list. The height given to SetBounds includes the opened list.
class ComboBox : public Control {
public:
    explicit ComboBox(Control& parent);
    void SetItems(const std::vector<std::wstring>& items);
    int ItemCount() const;
    std::wstring Item(int index) const;
    // -1: nothing selected.
    int ItemIndex() const;
    void SetItemIndex(int index);
};

} // namespace orvane::ui
