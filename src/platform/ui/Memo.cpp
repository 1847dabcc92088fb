#include "platform/ui/Memo.h"

#include "platform/ui/TextLines.h"

namespace orvane::ui {

Memo::Memo(Control& parent) {
    Params params =
        ChildOf(parent, WC_EDITW,
                ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, false);
    params.ExStyle = WS_EX_CLIENTEDGE;
    Create(params);
}

std::vector<std::wstring> Memo::Lines() const {
    return SplitLines(Text());
}

void Memo::SetLines(const std::vector<std::wstring>& lines) {
    const std::wstring text = JoinLines(lines);
    if (text == Text()) return;
    // A multi-line edit may or may not report text set by the program; report it once.
    settingText_ = true;
    SetText(text);
    settingText_ = false;
    if (OnChange) OnChange();
}

void Memo::Command(WORD code) {
    if (code == EN_CHANGE && !settingText_ && OnChange) OnChange();
}

} // namespace orvane::ui
