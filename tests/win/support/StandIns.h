#pragma once
// Stand-ins for the system seams: a clock that runs as the program reads it, a recorder of
// message boxes, and a shell whose taskbar appears late.
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"

#include <functional>
#include <string>
#include <vector>

namespace orvane::test {

class VirtualClock final : public platform::Clock {
public:
    explicit VirtualClock(std::uint32_t start = 1000) : now_(start) {}
    std::uint32_t Now() override { return now_++; }
    void Sleep(std::uint32_t milliseconds) override {
        sleeps.push_back(milliseconds);
        if (onSleep) onSleep(milliseconds);
        now_ += milliseconds;
    }
    void MessagesProcessed() override { ++now_; }
    void Set(std::uint32_t now) { now_ = now; }
    std::uint32_t Peek() const { return now_; }

    std::vector<std::uint32_t> sleeps;
    std::function<void(std::uint32_t)> onSleep;

private:
    std::uint32_t now_;
    platform::ScopedOverride<platform::Clock> installed_{*this};
};

class DialogRecorder final : public platform::Dialogs {
public:
    struct Shown {
        HWND owner;
        std::wstring text;
        std::wstring caption;
        UINT flags;
    };
    int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                       UINT flags) override {
        shown.push_back({owner, text, caption, flags});
        if (onShow) onShow();
        return answer;
    }
    std::vector<std::wstring> Texts() const {
        std::vector<std::wstring> texts;
        for (const Shown& box : shown) texts.push_back(box.text);
        return texts;
    }

    std::vector<Shown> shown;
    int answer = IDOK;
    std::function<void()> onShow;

private:
    platform::ScopedOverride<platform::Dialogs> installed_{*this};
};

// Answers "no taskbar" for the first `missing` lookups, then the real one.
class LateShell final : public platform::Shell {
public:
    explicit LateShell(int missing) : missing_(missing) {}
    HWND FindTaskbar() override {
        ++lookups;
        if (missing_ > 0) {
            --missing_;
            return nullptr;
        }
        return platform::Real<platform::Shell>().FindTaskbar();
    }
    int lookups = 0;

private:
    int missing_;
    platform::ScopedOverride<platform::Shell> installed_{*this};
};

} // namespace orvane::test
