#pragma once
#include "platform/Handles.h"

#include <optional>

namespace traysim {

// Receives the messages of the simulator's windows; nothing means DefWindowProcW.
class WindowHandler {
public:
    virtual std::optional<LRESULT> Handle(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) = 0;

protected:
    ~WindowHandler() = default;
};

struct WindowTraits {
    using Type = HWND;
    static Type Invalid() { return nullptr; }
    static void Close(Type window) { DestroyWindow(window); }
};
using UniqueWindow = orvane::platform::Owned<WindowTraits>;

struct WindowSpec {
    const wchar_t* className = nullptr;
    const wchar_t* title = L"";
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT place{};
    HWND parent = nullptr;
};

// Registers the simulator's window classes once per process.
void RegisterWindowClasses();

// A window of one of those classes, or of a system class when handler is null.
HWND CreateSimWindow(const WindowSpec& wanted, WindowHandler* handler);

} // namespace traysim
