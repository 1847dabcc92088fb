#pragma once
#include "platform/ui/Control.h"
#include "platform/ui/Menu.h"

namespace orvane::ui {

class Button : public Control {
public:
    explicit Button(Control& parent);
    void Click();
    std::function<void()> OnClick;

protected:
    void Command(WORD code) override;
};

// A static text. Word wrap on by default; ampersands are shown as they are.
class Label : public Control {
public:
    explicit Label(Control& parent);
    void SetWordWrap(bool wrap);
    // Keeps the label as large as its text, from now on: the height alone when words wrap.
    void SetAutoSize(bool autoSize);
    // The label takes the pointer's clicks and moves instead of passing them to what lies
    // beneath it.
    void SetTakesPointer(bool takes);

    std::function<void()> OnClick;
    std::function<void(int x, int y)> OnMouseMove;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Command(WORD code) override;

private:
    void FitToText(HFONT font);

    bool wordWrap_ = true;
    bool autoSize_ = false;
};

// A single-line edit. OnChange fires for every change of its text, including a WM_SETTEXT
// that another program sends.
class Edit : public Control {
public:
    explicit Edit(Control& parent);
    std::function<void()> OnChange;
    // A released button; the right one's comes before the context menu opens.
    std::function<void(MouseButton button, UINT keys, int x, int y)> OnMouseUp;
    // Opens instead of the system's edit menu; null keeps the system's.
    PopupMenu* ContextMenu = nullptr;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Command(WORD code) override;
};

// A borderless panel whose content scrolls when it is larger than the panel. Children are
// placed in content coordinates.
class ScrollBox : public Control {
public:
    explicit ScrollBox(Control& parent);
    ~ScrollBox() override;
    HWND ClientWindow() const override { return content_; }
    int ScrollY() const { return scrollY_; }
    int ScrollX() const { return scrollX_; }
    // Scrolls the content to that offset, kept within the scroll range.
    void ScrollTo(int x, int y);

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ChildBoundsChanged() override;

private:
    static LRESULT CALLBACK ContentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR self);
    void UpdateScrollBars();
    void Scroll(int bar, int request);

    HWND content_ = nullptr;
    int scrollX_ = 0, scrollY_ = 0;
    int extentX_ = 0, extentY_ = 0;
    bool updating_ = false;
};

} // namespace orvane::ui
