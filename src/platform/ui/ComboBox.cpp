#include "platform/ui/ComboBox.h"

namespace orvane::ui {

ComboBox::ComboBox(Control& parent) {
    Create(ChildOf(parent, WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, false));
}

void ComboBox::SetItems(const std::vector<std::wstring>& items) {
    SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : items)
        SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int ComboBox::ItemCount() const {
    return static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0));
}

std::wstring ComboBox::Item(int index) const {
    const LRESULT length = SendMessageW(Handle(), CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

int ComboBox::ItemIndex() const {
    return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
}

void ComboBox::SetItemIndex(int index) {
    const int before = ItemIndex();
    SetItemIndexSilently(index);
    if (ItemIndex() != before && OnChange) OnChange();
}

void ComboBox::SetItemIndexSilently(int index) {
    SendMessageW(Handle(), CB_SETCURSEL, index, 0);
}

void ComboBox::Command(WORD code) {
    if (code == CBN_SELCHANGE && OnChange) OnChange();
}

} // namespace orvane::ui
