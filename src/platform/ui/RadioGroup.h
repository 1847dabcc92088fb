#pragma once
#include "platform/ui/Control.h"

namespace orvane::ui {

// A framed caption over a set of radio buttons laid out in columns, top to bottom first.
class RadioGroup : public Control {
public:
    explicit RadioGroup(Control& parent);
    ~RadioGroup() override;

    void SetCaption(const std::wstring& caption);
    void SetItems(const std::vector<std::wstring>& items);
    void SetColumns(int columns);
    // -1: no item selected.
    int ItemIndex() const { return index_; }
    // Runs OnClick when the index changes, as the user's choice does.
    void SetItemIndex(int index);
    // Shows a stored choice without running OnClick.
    void SetItemIndexSilently(int index);
    // The radio button of one item.
    HWND ItemHandle(int index) const;

    std::function<void()> OnClick;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class Button;
    void ArrangeButtons(HFONT font);
    void ShowIndex();
    void Paint();

    std::vector<std::wstring> items_;
    std::vector<std::unique_ptr<Button>> buttons_;
    int columns_ = 1;
    int index_ = -1;
};

} // namespace orvane::ui
