#include "platform/ui/FontDialog.h"

#include "platform/FontDialogs.h"

#include <commdlg.h>

namespace orvane::ui {

bool FontDialog::Execute(HWND owner) {
    LOGFONTW description{};
    description.lfHeight = font_.Height;
    description.lfWeight = font_.Bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    font_.Name.copy(description.lfFaceName, LF_FACESIZE - 1);
    COLORREF color = font_.Color;
    const DWORD flags =
        CF_SCREENFONTS | (ShowEffects ? CF_EFFECTS : 0) | (NoStyleSel ? CF_NOSTYLESEL : 0);
    if (!platform::Use<platform::FontDialogs>().Choose(owner, description, color, flags))
        return false;
    font_.Name = description.lfFaceName;
    font_.Height = description.lfHeight;
    font_.Bold = description.lfWeight >= FW_BOLD;
    font_.Color = color;
    return true;
}

} // namespace orvane::ui
