#include "platform/ui/Font.h"

namespace orvane::ui {
namespace {

int ScreenDpi() {
    platform::WindowDc screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

} // namespace

int Font::Size() const {
    return -MulDiv(Height, 72, ScreenDpi());
}

void Font::SetSize(int points) {
    Height = -MulDiv(points, ScreenDpi(), 72);
}

platform::UniqueFont Font::Create() const {
    LOGFONTW description{};
    description.lfHeight = Height;
    description.lfWeight = Bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = DEFAULT_QUALITY;
    Name.copy(description.lfFaceName, LF_FACESIZE - 1);
    return platform::UniqueFont(CreateFontIndirectW(&description));
}

} // namespace orvane::ui
