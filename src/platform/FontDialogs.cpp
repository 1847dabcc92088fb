#include "platform/FontDialogs.h"

#include <commdlg.h>

namespace orvane::platform {
namespace {

class WindowsFontDialogs final : public FontDialogs {
public:
    bool Choose(HWND owner, LOGFONTW& font, COLORREF& color, DWORD flags) override {
        CHOOSEFONTW choice{};
        choice.lStructSize = sizeof choice;
        choice.hwndOwner = owner;
        choice.lpLogFont = &font;
        choice.rgbColors = color;
        choice.Flags = flags | CF_INITTOLOGFONTSTRUCT;
        if (!ChooseFontW(&choice)) return false;
        color = choice.rgbColors;
        return true;
    }
};

} // namespace

template <> FontDialogs& Real<FontDialogs>() {
    static WindowsFontDialogs dialogs;
    return dialogs;
}

} // namespace orvane::platform
