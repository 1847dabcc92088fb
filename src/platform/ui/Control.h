#pragma once
#include "platform/Handles.h"
#include "platform/ui/Font.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvane::ui {

class Hint;

enum class MouseButton { Left, Right, Middle };

// Base of every window of the toolkit: an owned window handle whose messages arrive in
// WndProc. A control is bound to its window for life, so it can be neither copied nor
// moved. Notifications that Windows sends to a parent (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*)
// are handed back to the control they concern when it is a child of that parent.
class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    HWND Handle() const { return window_; }
    // The control of a window of this thread, or null.
    static Control* FromHandle(HWND window);
    Control* Parent() const { return parent_; }
    // The window that holds this control's children (a scroll box answers its content pane).
    virtual HWND ClientWindow() const { return window_; }

    // Position relative to the parent's client area (to the screen for top-level windows)
    // and outer size.
    int Left() const { return Bounds().left; }
    int Top() const { return Bounds().top; }
    int Width() const;
    int Height() const;
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int value) { SetBounds(value, Top(), Width(), Height()); }
    void SetTop(int value) { SetBounds(Left(), value, Width(), Height()); }
    void SetWidth(int value) { SetBounds(Left(), Top(), value, Height()); }
    void SetHeight(int value) { SetBounds(Left(), Top(), Width(), value); }
    int ClientWidth() const;
    int ClientHeight() const;
    virtual void SetClientSize(int width, int height);

    bool Visible() const;
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const;
    void SetEnabled(bool enabled);
    std::wstring Text() const;
    void SetText(const std::wstring& text);
    const Font& GetFont() const { return font_; }
    void SetFont(const Font& font);
    // Background colour; without one of its own a control takes its parent's (or the system's).
    void SetColor(COLORREF color);
    // Back to the background the control was made with: a label looks transparent again.
    void ResetColor();
    std::optional<COLORREF> Color() const;
    bool Focused() const { return GetFocus() == window_ && window_; }
    void SetFocus();
    void Invalidate();
    void SetControlId(int id);
    // A tip shown while the pointer rests on the control; empty for none.
    void SetHint(const std::wstring& text);
    std::wstring HintText() const;
    // The controls inside this one, in the order they were made.
    const std::vector<Control*>& Children() const { return children_; }

    std::function<void(WORD& key)> OnKeyDown;
    // Free for the program's use, such as the row a control belongs to.
    std::intptr_t Tag = 0;

    // How a control's window is made.
    struct Params {
        const wchar_t* ClassName = nullptr;
        DWORD Style = 0;
        DWORD ExStyle = 0;
        Control* Parent = nullptr; // child control
        HWND Owner = nullptr;      // top-level window
        RECT Bounds{0, 0, 0, 0};
        bool ParentColor = true;      // take the parent's background colour
        bool PaintBackground = false; // the toolkit erases the background (own classes)
    };

protected:
    Control();

    // A visible child window of a system class.
    static Params ChildOf(Control& parent, const wchar_t* className, DWORD style, bool parentColor);
    void Create(const Params& params);
    // Registers (once) a window class of the toolkit's own and returns its name.
    static const wchar_t* OwnClass(const wchar_t* name, UINT style = 0);

    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Sent on behalf of this control to its parent.
    virtual void Command(WORD /*code*/) {}
    virtual std::optional<LRESULT> Notify(const NMHDR& /*header*/) { return std::nullopt; }
    virtual HBRUSH CtlColor(HDC dc);
    // A child moved or was resized.
    virtual void ChildBoundsChanged() {}

    HBRUSH BackgroundBrush();
    // The control of a window below this one that may notify it, or null for any other.
    Control* NotifyingChild(HWND window) const;
    HFONT FontHandle() const { return fontHandle_.Get(); }

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    RECT Bounds() const;
    void ApplyFont();
    void InheritFont(const Font& font);

    // The first control notifying about a message it is handling.
    static bool NotifiesWhileBusy(UINT message, LPARAM lParam);

    HWND window_ = nullptr;
    Control* parent_ = nullptr;
    std::vector<Control*> children_;
    Font font_;
    bool parentFont_ = true;
    platform::UniqueFont fontHandle_;
    std::optional<COLORREF> color_;
    bool parentColor_ = true;
    bool createdParentColor_ = true;
    bool paintBackground_ = false;
    platform::UniqueBrush brush_;
    COLORREF brushColor_ = 0;
    std::unique_ptr<Hint> hint_;
};

} // namespace orvane::ui
