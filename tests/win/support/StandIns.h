#pragma once
// Stand-ins for the system seams: a clock that runs as the program reads it, a recorder of
// message boxes, and a shell whose taskbar appears late.
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FontDialogs.h"
#include "platform/Input.h"
#include "platform/Shell.h"
#include "platform/ui/Font.h"

#include <functional>
#include <string>
#include <vector>

namespace orvane::test {

class VirtualClock final : public platform::Clock {
public:
    explicit VirtualClock(std::uint32_t start = 1000) : now_(start) {}
    std::uint32_t Now() override { return now_++; }
    void MessagesProcessed() override { ++now_; }
    // Time runs out at once unless a message is already waiting.
    void WaitForMessages(std::uint32_t milliseconds) override {
        ++waits;
        if (onWait) onWait();
        if (MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, MWMO_INPUTAVAILABLE) ==
            WAIT_TIMEOUT)
            now_ += milliseconds;
    }
    void Set(std::uint32_t now) { now_ = now; }
    std::uint32_t Peek() const { return now_; }

    int waits = 0;
    std::function<void()> onWait;

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
    INT_PTR Execute(HWND owner, const std::wstring& verb, const std::wstring& file,
                    int show) override {
        return platform::Real<platform::Shell>().Execute(owner, verb, file, show);
    }
    Started Start(HWND owner, const std::wstring& file) override {
        return platform::Real<platform::Shell>().Start(owner, file);
    }
    int lookups = 0;

private:
    int missing_;
    platform::ScopedOverride<platform::Shell> installed_{*this};
};

// Records what the program asks the shell to open and answers with `result` (above 32:
// opened); the taskbar is the real one.
class ShellRecorder final : public platform::Shell {
public:
    struct Executed {
        HWND owner;
        std::wstring verb;
        std::wstring file;
        int show;
    };
    HWND FindTaskbar() override { return platform::Real<platform::Shell>().FindTaskbar(); }
    INT_PTR Execute(HWND owner, const std::wstring& verb, const std::wstring& file,
                    int show) override {
        executed.push_back({owner, verb, file, show});
        return result;
    }
    // Started for real unless `result` says the start fails.
    Started Start(HWND owner, const std::wstring& file) override {
        executed.push_back({owner, L"open", file, SW_SHOWNORMAL});
        if (result <= 32) return {result, {}};
        return platform::Real<platform::Shell>().Start(owner, file);
    }
    std::vector<Executed> executed;
    INT_PTR result = 42;

private:
    platform::ScopedOverride<platform::Shell> installed_{*this};
};

// Answers the font dialog: confirmed with the size `points` (in points), or cancelled.
class FontDialogAnswer final : public platform::FontDialogs {
public:
    bool Choose(HWND owner, LOGFONTW& font, COLORREF&, DWORD flags) override {
        shown.push_back({owner, font, flags});
        if (!confirm) return false;
        ui::Font chosen;
        chosen.SetSize(points);
        font.lfHeight = chosen.Height;
        return true;
    }
    struct Shown {
        HWND owner;
        LOGFONTW font;
        DWORD flags;
    };
    std::vector<Shown> shown;
    bool confirm = true;
    int points = 0;

private:
    platform::ScopedOverride<platform::FontDialogs> installed_{*this};
};

// Records synthetic input; key states come from `keyState` (all keys up by default).
class InputRecorder final : public platform::Input {
public:
    UINT Send(const std::vector<INPUT>& records) override {
        batches.push_back(records);
        sentAt.push_back(platform::Now());
        if (onSend) onSend(records);
        return static_cast<UINT>(records.size());
    }
    SHORT AsyncKeyState(int virtualKey) override {
        ++keyStateReads;
        return keyState ? keyState(virtualKey) : 0;
    }
    DWORD LastInputTime() override { return lastInput ? lastInput() : 0; }

    std::vector<std::vector<INPUT>> batches;
    std::vector<std::uint32_t> sentAt; // the clock's reading at each batch
    std::function<void(const std::vector<INPUT>&)> onSend;
    std::function<SHORT(int)> keyState;
    std::function<DWORD()> lastInput;
    int keyStateReads = 0;

private:
    platform::ScopedOverride<platform::Input> installed_{*this};
};

} // namespace orvane::test
