#include "core/DozedeR64Form.h"

#include "platform/ui/Application.h"
#include "resources/Texts.h"
#include "tray/Collector.h"

namespace orvane {

TDozedeR64Form::TDozedeR64Form()
    : Button1(*this), MenuConfig(texts::MenuConfig), MenuConfig1(texts::MenuConfig), N1(L"-"),
      MenuAddTaskTrayIcon(texts::MenuAddTaskTrayIcon), MenuHelp1(texts::MenuHelp),
      MenuHelp2(texts::MenuHelp), MenuN1(L"-"), MenuAbout(texts::MenuAbout), Timer1(100, false),
      ScrollBox1(*this), Image1(ScrollBox1), LblHint(ScrollBox1), EditReceveMsg(*this),
      MenuCloseWindow(texts::MenuCloseWindow), Timer2(500, true) {
    SetCaption(texts::AppTitle);
    SetFixedBorder(true, false);
    SetColor(RGB(255, 255, 255));
    SetFont(ui::Font{L"Tahoma", -11});
    KeyPreview = true;

    MenuConfig.Add(MenuConfig1);
    MenuConfig.Add(N1);
    MenuConfig.Add(MenuAddTaskTrayIcon);
    MenuHelp1.Add(MenuHelp2);
    MenuHelp1.Add(MenuN1);
    MenuHelp1.Add(MenuAbout);
    MainMenu1.Add(MenuConfig);
    MainMenu1.Add(MenuHelp1);
    SetMenu(MainMenu1);
    PopupMenu1.Add(MenuCloseWindow);
    MenuConfig1.OnClick = [this] { MenuConfig1Click(); };
    MenuHelp2.OnClick = [this] { MenuHelp2Click(); };
    MenuAbout.OnClick = [this] { MenuAboutClick(); };
    MenuAddTaskTrayIcon.OnClick = [this] { MenuAddTaskTrayIconClick(); };
    MenuCloseWindow.OnClick = [this] { MenuCloseWindowClick(); };

    SetClientSize(231, 337);
    CenterOnScreen();

    Button1.SetText(texts::RefreshButton);
    Button1.SetFont(ui::Font{L"Tahoma", -13, true});
    Button1.SetBounds(24, 337 - 33 - 5, 145, 33);
    Button1.OnClick = [this] { Button1Click(); };

    ScrollBox1.SetBounds(0, 0, 231, 337 - 33 - 5);
    Image1.SetBounds(0, 0, 231, 337 - 33 - 5);
    LblHint.SetColor(RGB(255, 255, 0));
    LblHint.SetWordWrap(true);
    LblHint.SetFont(ui::Font{L"Tahoma", -13});
    LblHint.Hide();
    EditReceveMsg.Hide();
    EditReceveMsg.OnChange = [this] { EditReceveMsgChange(); };

    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
    Timer1.OnTimer = [this] { Timer1Timer(); };
    Timer2.OnTimer = [this] { Timer2Timer(); };
    CompanionWait.OnTimer = [this] { CompanionWaitTimer(); };
    OnResize = [this] { FormResize(); };
    Image1.OnMouseEnter = [this] { Image1MouseEnter(); };
    Image1.OnMouseMove = [this](UINT, int x, int y) { Image1MouseMove(x, y); };
    Image1.OnMouseLeave = [this] { Image1MouseLeave(); };
    Image1.OnMouseUp = [this](ui::MouseButton button, UINT, int, int) { Image1MouseUp(button); };
    Image1.OnDblClick = [this] { Image1DblClick(); };
    Image1.OnClick = [this] { Image1Click(); };
    ApplicationEvents1.OnMessage = [this](MSG& msg, bool&) { ApplicationEvents1Message(msg); };

    // As in every handler, a failure ends the creation quietly and start-up goes on.
    ui::Guarded([this] { FormCreate(); });
}

TDozedeR64Form::~TDozedeR64Form() {
    FormDestroy();
    // The exception handler that FormCreate installed speaks of this window.
    ui::App().OnException = nullptr;
}

void TDozedeR64Form::FormShow() {}

LRESULT TDozedeR64Form::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    if (HookMessageId != 0 && message == HookMessageId &&
        WMHookReport(reinterpret_cast<HWND>(wParam), lParam))
        return 0;
    // The collector's own broadcast asks other programs for their icons; this one has them.
    if (message == taskbarCreated && !Collector::IsOwnBroadcast(wParam)) {
        ApplyTrayRoad();
        if (KestrinItemCount > 0) WMTaskbarCreated();
    }
    switch (message) {
    case OwnTrayIconCallback:
        OwnTrayIconMessage(wParam, lParam);
        return 0;
    case CompanionTextWaiting:
        EditReceveMsgChange();
        return 0;
    case ReloadWaiting:
        ReloadPosted = false;
        ReloadKestrinItems();
        return 0;
    case WM_KEYHOOK:
        WMKeyHook(lParam);
        return 0;
    case WM_HOTKEY:
        WMHotKey(wParam);
        return 0;
    default:
        return Form::WndProc(message, wParam, lParam);
    }
}

} // namespace orvane
