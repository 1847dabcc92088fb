#include "platform/ui/CheckBox.h"

namespace orvane::ui {

CheckBox::CheckBox(Control& parent) {
    Create(ChildOf(parent, WC_BUTTONW, BS_CHECKBOX | WS_TABSTOP, true));
}

bool CheckBox::Checked() const {
    return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked) {
    if (checked == Checked()) return;
    SetCheckedSilently(checked);
    if (OnClick) OnClick();
}

void CheckBox::SetCheckedSilently(bool checked) {
    SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::Command(WORD code) {
    if (code == BN_CLICKED) SetChecked(!Checked());
}

} // namespace orvane::ui
