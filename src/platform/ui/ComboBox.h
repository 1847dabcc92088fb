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
    // Runs OnChange when the index changes, as the user's choice does.
    void SetItemIndex(int index);
    // Shows a choice without running OnChange.
    void SetItemIndexSilently(int index);

    // The user picked an item.
    std::function<void()> OnChange;

protected:
    void Command(WORD code) override;
};

} // namespace orvane::ui
