#include "platform/ui/Timer.h"

#include "platform/ui/Application.h"

namespace orvane::ui {

Timer::Timer(UINT interval, bool enabled) : interval_(interval), enabled_(enabled) {
    Params params;
    params.ClassName = OwnClass(L"OrvaneTimer");
    params.Owner = HWND_MESSAGE;
    Create(params);
    Update();
}

Timer::~Timer() {
    if (Handle()) KillTimer(Handle(), 1);
}

void Timer::SetInterval(UINT interval) {
    interval_ = interval;
    Update();
}

void Timer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Update();
}

void Timer::Update() {
    KillTimer(Handle(), 1);
    if (enabled_ && interval_ > 0) SetTimer(Handle(), 1, interval_, nullptr);
}

LRESULT Timer::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == 1) {
        if (enabled_ && OnTimer) OnTimer();
        return 0;
    }
    return Control::WndProc(message, wParam, lParam);
}

ApplicationEvents::ApplicationEvents()
    : filter_(App().AddMessageFilter([this](MSG& msg) {
          bool handled = false;
          if (OnMessage) OnMessage(msg, handled);
          return handled;
      })) {}

ApplicationEvents::~ApplicationEvents() {
    App().RemoveMessageFilter(filter_);
}

} // namespace orvane::ui
