#include "platform/ui/RadioGroup.h"

#include <algorithm>

namespace orvane::ui {

class RadioGroup::Button : public Control {
public:
    Button(RadioGroup& group, int index, const std::wstring& caption)
        : group_(group), index_(index) {
        Create(ChildOf(group, WC_BUTTONW, BS_RADIOBUTTON | (index == 0 ? WS_GROUP : 0), true));
        SetText(caption);
    }

protected:
    void Command(WORD code) override {
        if (code == BN_CLICKED) group_.SetItemIndex(index_);
    }

private:
    RadioGroup& group_;
    int index_;
};

RadioGroup::RadioGroup(Control& parent) {
    Params params = ChildOf(parent, OwnClass(L"OrvaneRadioGroup"), WS_CLIPCHILDREN, true);
    params.ExStyle = WS_EX_CONTROLPARENT;
    Create(params);
}

RadioGroup::~RadioGroup() = default;

void RadioGroup::SetCaption(const std::wstring& caption) {
    SetText(caption);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void RadioGroup::SetItems(const std::vector<std::wstring>& items) {
    items_ = items;
    buttons_.clear();
    for (size_t i = 0; i < items.size(); ++i)
        buttons_.push_back(std::make_unique<Button>(*this, static_cast<int>(i), items[i]));
    if (index_ >= static_cast<int>(items.size())) index_ = -1;
    ArrangeButtons(FontHandle());
    ShowIndex();
}

void RadioGroup::SetColumns(int columns) {
    columns_ = std::max(1, columns);
    ArrangeButtons(FontHandle());
}

void RadioGroup::SetItemIndex(int index) {
    if (index == index_) return;
    SetItemIndexSilently(index);
    if (OnClick) OnClick();
}

void RadioGroup::SetItemIndexSilently(int index) {
    index_ = index >= 0 && index < static_cast<int>(items_.size()) ? index : -1;
    ShowIndex();
}

HWND RadioGroup::ItemHandle(int index) const {
    return buttons_.at(static_cast<size_t>(index))->Handle();
}

void RadioGroup::ShowIndex() {
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const bool selected = static_cast<int>(i) == index_;
        HWND button = buttons_[i]->Handle();
        SendMessageW(button, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
        // Tab reaches the group at its selected item (the first when none is).
        const bool stop = selected || (index_ < 0 && i == 0);
        LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_TABSTOP);
        SetWindowLongPtrW(button, GWL_STYLE, style | (stop ? WS_TABSTOP : 0));
    }
}

// Below the caption's line the buttons share the height evenly, each column the width.
void RadioGroup::ArrangeButtons(HFONT font) {
    if (buttons_.empty()) return;
    TEXTMETRICW metrics{};
    {
        platform::WindowDc dc(Handle());
        platform::Selected selected(dc.Get(), font);
        GetTextMetricsW(dc.Get(), &metrics);
    }
    const int count = static_cast<int>(buttons_.size());
    const int perColumn = (count + columns_ - 1) / columns_;
    const int width = (ClientWidth() - 10) / columns_;
    const int space = ClientHeight() - metrics.tmHeight - 5;
    const int height = std::max(1, space / perColumn);
    const int top = metrics.tmHeight + 1 + (space % perColumn) / 2;
    for (int i = 0; i < count; ++i) {
        buttons_[static_cast<size_t>(i)]->SetBounds((i / perColumn) * width + 8,
                                                    (i % perColumn) * height + top, width, height);
    }
}

void RadioGroup::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    RECT area;
    GetClientRect(Handle(), &area);
    FillRect(dc, &area, BackgroundBrush());
    platform::Selected font(dc, FontHandle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT frame = area;
    frame.top = metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    const std::wstring caption = Text();
    if (!caption.empty()) {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, Color().value_or(GetSysColor(COLOR_BTNFACE)));
        SetTextColor(dc, GetFont().Color);
        RECT text{8, 0, area.right, metrics.tmHeight};
        DrawTextW(dc, (L" " + caption + L" ").c_str(), -1, &text,
                  DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    }
    EndPaint(Handle(), &paint);
}

LRESULT RadioGroup::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        ArrangeButtons(FontHandle());
        break;
    case WM_SETFONT: {
        const LRESULT result = Control::WndProc(message, wParam, lParam);
        ArrangeButtons(reinterpret_cast<HFONT>(wParam));
        InvalidateRect(Handle(), nullptr, TRUE);
        return result;
    }
    default:
        break;
    }
    return Control::WndProc(message, wParam, lParam);
}

} // namespace orvane::ui
