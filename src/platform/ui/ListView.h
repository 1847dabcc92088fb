#pragma once
#include "platform/ui/Control.h"

namespace orvane::ui {

// A list in report view: one row per item, a small icon before its first column, one
// selected row at most.
class ListView : public Control {
public:
    explicit ListView(Control& parent);
    ~ListView() override;

    void AddColumn(const std::wstring& caption, int width);
    void Clear();
    // Appends a row; the icon is copied (the caller keeps its own), null for none.
    void AddItem(const std::vector<std::wstring>& texts, HICON icon);
    int ItemCount() const;
    std::wstring ItemText(int row, int column) const;
    // -1: nothing selected.
    int ItemIndex() const;
    // Runs OnSelect when the selection changes, as the user's click does.
    void SetItemIndex(int index);

    // The selected row changed.
    std::function<void()> OnSelect;

protected:
    std::optional<LRESULT> Notify(const NMHDR& header) override;

private:
    HIMAGELIST images_ = nullptr;
    int columns_ = 0;
};

} // namespace orvane::ui
