#pragma once
#include "platform/ui/Font.h"

namespace orvane::ui {

// The font dialog as a component: the font it starts from and, once confirmed, the choice.
class FontDialog {
public:
    const Font& GetFont() const { return font_; }
    void SetFont(const Font& font) { font_ = font; }
    // Shows the dialog; true when the user confirmed.
    bool Execute(HWND owner);

    bool ShowEffects = true; // underline, strike-out and colour
    bool NoStyleSel = false; // no choice of bold or italic

private:
    Font font_;
};

} // namespace orvane::ui
