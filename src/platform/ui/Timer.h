#pragma once
#include "platform/ui/Control.h"

namespace orvane::ui {

// A window timer on a message-only window of its own; OnTimer runs from the message loop.
class Timer : private Control {
public:
    explicit Timer(UINT interval = 1000, bool enabled = true);
    ~Timer() override;

    UINT Interval() const { return interval_; }
    void SetInterval(UINT interval);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    std::function<void()> OnTimer;

private:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Update();

    UINT interval_;
    bool enabled_;
};

// Sees every message the application takes from its queue before it is dispatched.
class ApplicationEvents {
public:
    ApplicationEvents();
    ApplicationEvents(const ApplicationEvents&) = delete;
    ApplicationEvents& operator=(const ApplicationEvents&) = delete;
    ~ApplicationEvents();

    std::function<void(MSG& msg, bool& handled)> OnMessage;

private:
    int filter_;
};

} // namespace orvane::ui
