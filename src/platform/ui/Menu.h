#pragma once
#include "platform/Handles.h"

#include <functional>
#include <string>
#include <vector>

namespace orvane::ui {

// One menu entry; the caption "-" makes a separator. An entry with entries of its own
// opens a submenu; add them before the entry itself goes into a menu.
class MenuItem {
public:
    explicit MenuItem(std::wstring caption);
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;
    ~MenuItem();

    void Add(MenuItem& item);
    const std::wstring& Caption() const { return caption_; }
    const std::vector<MenuItem*>& Items() const { return items_; }
    UINT Id() const { return id_; }
    void Click();

    std::function<void()> OnClick;

private:
    friend class Menu;
    void AppendTo(HMENU menu);

    std::wstring caption_;
    UINT id_ = 0;
    HMENU submenu_ = nullptr; // destroyed with the menu that holds it
    std::vector<MenuItem*> items_;
};

// A menu bar or a pop-up menu with its entries.
class Menu {
public:
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;
    void Add(MenuItem& item);
    HMENU Handle() const { return menu_.Get(); }
    const std::vector<MenuItem*>& Items() const { return items_; }

protected:
    explicit Menu(HMENU menu) : menu_(menu) {}
    platform::UniqueMenu menu_;

private:
    std::vector<MenuItem*> items_;
};

class MainMenu : public Menu {
public:
    MainMenu() : Menu(CreateMenu()) {}
    ~MainMenu();

private:
    friend class Form;
    void Attach(HWND window) {
        window_ = window;
        ::SetMenu(window, Handle());
    }
    void Detach();
    HWND window_ = nullptr;
};

class PopupMenu : public Menu {
public:
    PopupMenu() : Menu(CreatePopupMenu()) {}
    // Opens at a screen position; the chosen entry's OnClick runs through the owner window.
    void Popup(HWND owner, int x, int y);
};

} // namespace orvane::ui
