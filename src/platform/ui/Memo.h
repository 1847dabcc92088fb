#pragma once
#include "platform/ui/Control.h"

namespace orvane::ui {

// A multi-line edit with a vertical scroll bar. OnChange runs for every change of its
// text, the user's and the program's alike.
class Memo : public Control {
public:
    explicit Memo(Control& parent);
    std::vector<std::wstring> Lines() const;
    void SetLines(const std::vector<std::wstring>& lines);

    std::function<void()> OnChange;

protected:
    void Command(WORD code) override;

private:
    bool settingText_ = false;
};

} // namespace orvane::ui
