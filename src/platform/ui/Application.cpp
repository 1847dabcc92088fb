#include "platform/ui/Application.h"

#include "core/Elapsed.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/TaskbarList.h"
#include "platform/ui/Form.h"
#include "platform/ui/Menu.h"

#include <objbase.h>

#include <stdexcept>
#include <vector>

namespace orvane::ui {
namespace {

Application* instance = nullptr;

std::wstring Widen(const char* text) {
    std::wstring wide;
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (length > 1) {
        wide.resize(static_cast<size_t>(length - 1));
        MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
    }
    return wide;
}

} // namespace

Application::Application() {
    if (instance) throw std::logic_error("one application object per process");
    instance = this;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES |
                                                       ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    comInitialized_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

Application::~Application() {
    platform::ReleaseTaskbarList();
    if (comInitialized_) CoUninitialize();
    instance = nullptr;
}

Application& Application::Instance() {
    if (!instance) throw std::logic_error("no application object");
    return *instance;
}

void Application::Run() {
    if (mainForm_ && !terminated_) mainForm_->Show();
    while (HandleMessage()) {
    }
}

bool Application::HandleMessage() {
    if (terminated_) return false;
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
        terminated_ = true;
        return false;
    }
    Dispatch(msg);
    return !terminated_;
}

void Application::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            break;
        }
        Dispatch(msg);
    }
    platform::Use<platform::Clock>().MessagesProcessed();
}

void Application::ProcessMessagesUntil(std::uint32_t start, std::uint32_t milliseconds,
                                       const std::function<bool()>& done) {
    constexpr std::uint32_t lookInterval = 50;
    platform::Clock& clock = platform::Use<platform::Clock>();
    for (;;) {
        if (done && done()) return;
        ProcessMessages();
        if (terminated_ || (done && done())) return;
        const std::uint32_t elapsed = Elapsed(clock.Now(), start);
        if (elapsed >= milliseconds) return;
        std::uint32_t wait = milliseconds - elapsed;
        if (done && wait > lookInterval) wait = lookInterval;
        clock.WaitForMessages(wait);
    }
}

void Application::ProcessMessagesFor(std::uint32_t milliseconds) {
    ProcessMessagesUntil(platform::Now(), milliseconds);
}

void Application::Dispatch(MSG& msg) {
    // A filter may remove itself or another while it runs.
    std::vector<MessageFilter> filters;
    filters.reserve(filters_.size());
    for (auto& [id, filter] : filters_) filters.push_back(filter);
    for (auto& filter : filters) {
        bool handled = false;
        Guarded([&] { handled = filter(msg); });
        if (handled) return;
    }
    if (Form::PreTranslate(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void Application::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

int Application::AddMessageFilter(MessageFilter filter) {
    const int id = nextFilter_++;
    filters_.emplace(id, std::move(filter));
    return id;
}

void Application::RemoveMessageFilter(int id) {
    filters_.erase(id);
}

void Application::HandleException(std::exception_ptr error) noexcept {
    try {
        if (OnException) {
            OnException(error);
            return;
        }
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            ShowMessage(Widen(e.what()));
        } catch (...) {
            ShowMessage(L"Unknown error");
        }
    } catch (...) {
        // Nothing may leave the handler of last resort.
    }
}

UINT Application::RegisterMenuItem(MenuItem* item) {
    while (menuItems_.count(nextMenuId_)) ++nextMenuId_;
    const UINT id = nextMenuId_++;
    if (nextMenuId_ > 0xEFFF) nextMenuId_ = 0x1000;
    menuItems_[id] = item;
    return id;
}

void Application::UnregisterMenuItem(UINT id) {
    menuItems_.erase(id);
}

bool Application::DispatchMenuCommand(UINT id) {
    auto found = menuItems_.find(id);
    if (found == menuItems_.end()) return false;
    found->second->Click();
    return true;
}

void ShowMessage(const std::wstring& text) {
    HWND owner = GetActiveWindow();
    platform::Use<platform::Dialogs>().ShowMessageBox(owner, text, App().Title(), MB_OK);
}

bool AskYesNo(const std::wstring& text) {
    HWND owner = GetActiveWindow();
    return platform::Use<platform::Dialogs>().ShowMessageBox(owner, text, App().Title(),
                                                             MB_YESNO | MB_ICONQUESTION) == IDYES;
}

} // namespace orvane::ui
