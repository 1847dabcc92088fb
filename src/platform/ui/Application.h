#pragma once
#include "platform/Win.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <string>

namespace orvane::ui {

class Form;
class MenuItem;

// The application object: the message loop, the application-wide message filters, the
// handler of exceptions that escape event handlers, and the registry of menu commands.
class Application {
public:
    Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    ~Application();

    static Application& Instance();

    const std::wstring& Title() const { return title_; }
    void SetTitle(std::wstring title) { title_ = std::move(title); }

    Form* MainForm() const { return mainForm_; }
    void SetMainForm(Form* form) { mainForm_ = form; }

    // Shows the main form and dispatches messages until Terminate.
    void Run();
    // Dispatches every message already queued, then returns.
    void ProcessMessages();
    // Dispatches messages as they arrive, sleeping in between, until `milliseconds` have
    // passed since `start`, `done` holds or the application terminates. A condition that
    // no message announces (another program's window going) is looked at every 50 ms.
    // `done` is also looked at before each dispatch, so that it can stop the wait before a
    // message that it sees waiting is handled.
    void ProcessMessagesUntil(std::uint32_t start, std::uint32_t milliseconds,
                              const std::function<bool()>& done = {});
    // The pause of a step: messages are handled as they arrive for `milliseconds`.
    void ProcessMessagesFor(std::uint32_t milliseconds);
    // Waits for one message and dispatches it; false once the application terminates.
    bool HandleMessage();
    void Terminate();
    bool Terminated() const { return terminated_; }

    // Every message taken from the queue passes each filter before it is dispatched; a
    // filter that returns true has handled it.
    using MessageFilter = std::function<bool(MSG&)>;
    int AddMessageFilter(MessageFilter filter);
    void RemoveMessageFilter(int id);

    // The handler of exceptions that escape an event, timer or message handler. Without
    // one, the exception's message is shown.
    std::function<void(std::exception_ptr)> OnException;
    void HandleException(std::exception_ptr error) noexcept;

    UINT RegisterMenuItem(MenuItem* item);
    void UnregisterMenuItem(UINT id);
    bool DispatchMenuCommand(UINT id);

private:
    void Dispatch(MSG& msg);

    std::wstring title_;
    Form* mainForm_ = nullptr;
    bool terminated_ = false;
    std::map<int, MessageFilter> filters_;
    int nextFilter_ = 1;
    std::map<UINT, MenuItem*> menuItems_;
    UINT nextMenuId_ = 0x1000;
    bool comInitialized_ = false;
};

inline Application& App() {
    return Application::Instance();
}

// Runs an event handler with the exception policy of the application.
template <class F> void Guarded(F&& handler) noexcept {
    try {
        handler();
    } catch (...) {
        App().HandleException(std::current_exception());
    }
}

// The toolkit's plain message box: the text, an OK button, the application title.
void ShowMessage(const std::wstring& text);
// The question with the buttons Yes and No; true for Yes.
bool AskYesNo(const std::wstring& text);

} // namespace orvane::ui
