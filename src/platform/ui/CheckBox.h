#pragma once
#include "platform/ui/Control.h"

namespace orvane::ui {

class CheckBox : public Control {
public:
    explicit CheckBox(Control& parent);
    bool Checked() const;
    // Runs OnClick when the state changes, as the user's click does.
    void SetChecked(bool checked);
    // Shows a state without running OnClick.
    void SetCheckedSilently(bool checked);

    std::function<void()> OnClick;

protected:
    void Command(WORD code) override;
};

} // namespace orvane::ui
