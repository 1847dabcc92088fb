#include "platform/ui/Menu.h"

#include "platform/ui/Application.h"

namespace orvane::ui {

MenuItem::MenuItem(std::wstring caption) : caption_(std::move(caption)) {
    if (caption_ != L"-") id_ = App().RegisterMenuItem(this);
}

MenuItem::~MenuItem() {
    if (id_) App().UnregisterMenuItem(id_);
}

void MenuItem::Add(MenuItem& item) {
    if (!submenu_) submenu_ = CreatePopupMenu();
    items_.push_back(&item);
    item.AppendTo(submenu_);
}

void MenuItem::Click() {
    if (OnClick) OnClick();
}

void MenuItem::AppendTo(HMENU menu) {
    if (caption_ == L"-") {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else if (submenu_) {
        AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu_),
                    caption_.c_str());
    } else {
        AppendMenuW(menu, MF_STRING, id_, caption_.c_str());
    }
}

void Menu::Add(MenuItem& item) {
    items_.push_back(&item);
    item.AppendTo(menu_.Get());
}

MainMenu::~MainMenu() {
    Detach();
}

void MainMenu::Detach() {
    if (window_ && IsWindow(window_) && GetMenu(window_) == Handle()) ::SetMenu(window_, nullptr);
    window_ = nullptr;
}

void PopupMenu::Popup(HWND owner, int x, int y) {
    SetForegroundWindow(owner);
    TrackPopupMenu(Handle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, owner,
                   nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
}

} // namespace orvane::ui
