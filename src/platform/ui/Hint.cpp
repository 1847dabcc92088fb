#include "platform/ui/Hint.h"

namespace orvane::ui {
namespace {

TTTOOLINFOW ToolInfo(HWND tool, const std::wstring& text) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    return info;
}

} // namespace

Hint::Hint(HWND tool, const std::wstring& text)
    : tool_(tool), tip_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                        WS_POPUP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, GetAncestor(tool, GA_ROOT),
                                        nullptr, GetModuleHandleW(nullptr), nullptr)),
      text_(text) {
    // Without a maximum width a tooltip keeps everything on one line.
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 1000);
    TTTOOLINFOW info = ToolInfo(tool_, text_);
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

Hint::~Hint() {
    if (IsWindow(tip_)) DestroyWindow(tip_);
}

void Hint::SetText(const std::wstring& text) {
    text_ = text;
    TTTOOLINFOW info = ToolInfo(tool_, text_);
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

} // namespace orvane::ui
