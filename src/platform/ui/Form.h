#pragma once
#include "platform/ui/Control.h"

namespace orvane::ui {

class MainMenu;

enum class WindowState { Normal, Minimized, Maximized };

// A top-level window. Created hidden; a form with an owner has no taskbar button. Another
// program may look a form up by its window class.
class Form : public Control {
public:
    explicit Form(Form* owner = nullptr, const wchar_t* className = L"OrvaneForm");
    ~Form() override;

    void SetCaption(const std::wstring& caption) { SetText(caption); }
    // Fixed single border: the user cannot resize; only the given title-bar boxes.
    void SetFixedBorder(bool minimizeBox, bool maximizeBox);
    void SetClientSize(int width, int height) override;
    void SetMenu(MainMenu& menu);
    void CenterOnScreen();

    WindowState GetWindowState() const;
    void SetWindowState(WindowState state);
    void SetVisible(bool visible) override;
    int ShowModal();
    void SetModalResult(int result) { modalResult_ = result; }
    int ModalResult() const { return modalResult_; }
    // As the close box: asks OnCloseQuery, then closes (the main form ends the application,
    // any other form hides).
    void Close();

    // The form sees key presses before the focused control does.
    bool KeyPreview = false;
    // Tab and the arrow keys move the focus between the form's controls, as in a dialog.
    bool TabNavigation = false;

    std::function<void()> OnResize;
    std::function<void()> OnShow;
    std::function<void()> OnActivate;
    std::function<void()> OnDeactivate;
    std::function<void(bool& canClose)> OnCloseQuery;
    std::function<void()> OnClose;
    // The pointer moves over the form's own background.
    std::function<void(UINT keys, int x, int y)> OnMouseMove;

    // Key preview and dialog navigation for the application's message loop; true when the
    // message was consumed.
    static bool PreTranslate(MSG& msg);

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool shownOnce_ = false;
    unsigned resizeCount_ = 0;
    WindowState hiddenState_ = WindowState::Normal;
    bool inModal_ = false;
    int modalResult_ = 0;
};

} // namespace orvane::ui
