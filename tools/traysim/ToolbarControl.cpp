#include "traysim/ToolbarControl.h"

#include <stdexcept>

namespace traysim {

ToolbarControl::ToolbarControl(HWND parent, const wchar_t* title, Cell cell, bool wrap)
    : cell_(cell) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT |
                        TBSTYLE_TRANSPARENT | CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN |
                        (wrap ? TBSTYLE_WRAPABLE : 0);
    window_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, title, style, 0, 0, 0, cell.height, parent,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    images_ = ImageList_Create(cell.image, cell.image, ILC_COLOR32 | ILC_MASK, 8, 8);
    if (!window_ || !images_) {
        if (images_) ImageList_Destroy(images_);
        throw std::runtime_error("cannot make a toolbar");
    }
    SendMessageW(window_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(window_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
    SendMessageW(window_, TB_SETPADDING, 0, MAKELPARAM(0, 0));
    // The texts are the tips: kept, never drawn nor measured.
    SendMessageW(window_, TB_SETMAXTEXTROWS, 0, 0);
    Refit();
}

ToolbarControl::~ToolbarControl() {
    if (IsWindow(window_)) SendMessageW(window_, TB_SETIMAGELIST, 0, 0);
    ImageList_Destroy(images_);
}

void ToolbarControl::Add(int command, DWORD_PTR data, const std::wstring& tip, HICON icon,
                         bool hidden) {
    TBBUTTON button{};
    button.iBitmap = icon ? TakeImage(icon) : I_IMAGENONE;
    button.idCommand = command;
    button.fsState = static_cast<BYTE>(TBSTATE_ENABLED | (hidden ? TBSTATE_HIDDEN : 0));
    button.fsStyle = BTNS_BUTTON | BTNS_NOPREFIX;
    button.dwData = data;
    button.iString = reinterpret_cast<INT_PTR>(tip.c_str());
    SendMessageW(window_, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    Refit();
}

void ToolbarControl::Remove(int command) {
    const int image = ImageOf(command);
    const LRESULT index = SendMessageW(window_, TB_COMMANDTOINDEX, static_cast<WPARAM>(command), 0);
    if (index < 0) return;
    SendMessageW(window_, TB_DELETEBUTTON, static_cast<WPARAM>(index), 0);
    if (image >= 0) freeImages_.push_back(image);
    Refit();
}

void ToolbarControl::SetTip(int command, const std::wstring& tip) {
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT;
    info.pszText = const_cast<wchar_t*>(tip.c_str());
    SendMessageW(window_, TB_SETBUTTONINFOW, static_cast<WPARAM>(command),
                 reinterpret_cast<LPARAM>(&info));
}

void ToolbarControl::SetIcon(int command, HICON icon) {
    int image = ImageOf(command);
    if (image >= 0 && icon) {
        ImageList_ReplaceIcon(images_, image, icon);
    } else {
        if (image >= 0) freeImages_.push_back(image);
        image = icon ? TakeImage(icon) : I_IMAGENONE;
        TBBUTTONINFOW info{};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_IMAGE;
        info.iImage = image;
        SendMessageW(window_, TB_SETBUTTONINFOW, static_cast<WPARAM>(command),
                     reinterpret_cast<LPARAM>(&info));
    }
    InvalidateRect(window_, nullptr, TRUE);
}

void ToolbarControl::SetHidden(int command, bool hidden) {
    SendMessageW(window_, TB_HIDEBUTTON, static_cast<WPARAM>(command), hidden);
    Refit();
}

std::vector<int> ToolbarControl::Commands() const {
    std::vector<int> commands;
    const auto count = static_cast<int>(SendMessageW(window_, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        SendMessageW(window_, TB_GETBUTTON, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&button));
        commands.push_back(button.idCommand);
    }
    return commands;
}

int ToolbarControl::VisibleCount() const {
    int visible = 0;
    for (const int command : Commands()) {
        const LRESULT state = SendMessageW(window_, TB_GETSTATE, static_cast<WPARAM>(command), 0);
        if (state >= 0 && !(state & TBSTATE_HIDDEN)) ++visible;
    }
    return visible;
}

int ToolbarControl::CommandAt(POINT point) const {
    const LRESULT index = SendMessageW(window_, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point));
    if (index < 0) return 0;
    TBBUTTON button{};
    if (!SendMessageW(window_, TB_GETBUTTON, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&button))) {
        return 0;
    }
    return button.idCommand;
}

// The toolbar would draw the pictures at the top of the cell; the shell centres them.
LRESULT ToolbarControl::CustomDraw(const NMTBCUSTOMDRAW& draw) const {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    const int image = ImageOf(static_cast<int>(draw.nmcd.dwItemSpec));
    const RECT& cell = draw.nmcd.rc;
    if (image >= 0) {
        ImageList_Draw(images_, image, draw.nmcd.hdc, (cell.left + cell.right - cell_.image) / 2,
                       (cell.top + cell.bottom - cell_.image) / 2, ILD_TRANSPARENT);
    }
    return CDRF_SKIPDEFAULT;
}

void ToolbarControl::Place(int x, int y, int width, int height) {
    MoveWindow(window_, x, y, width, height, TRUE);
    Refit();
}

int ToolbarControl::ImageOf(int command) const {
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_IMAGE;
    if (SendMessageW(window_, TB_GETBUTTONINFOW, static_cast<WPARAM>(command),
                     reinterpret_cast<LPARAM>(&info)) < 0) {
        return -1;
    }
    return info.iImage;
}

int ToolbarControl::TakeImage(HICON icon) {
    if (freeImages_.empty()) return ImageList_ReplaceIcon(images_, -1, icon);
    const int image = freeImages_.back();
    freeImages_.pop_back();
    ImageList_ReplaceIcon(images_, image, icon);
    return image;
}

// The toolbar recomputes its button size whenever buttons change; the cell is fixed.
void ToolbarControl::Refit() {
    SendMessageW(window_, TB_SETBUTTONSIZE, 0, MAKELPARAM(cell_.width, cell_.height));
    SendMessageW(window_, TB_AUTOSIZE, 0, 0);
}

} // namespace traysim
