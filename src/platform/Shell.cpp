#include "platform/Shell.h"

namespace orvane::platform {
namespace {

class WindowsShell final : public Shell {
public:
    HWND FindTaskbar() override { return FindShellTaskbar(); }
    INT_PTR Execute(HWND owner, const std::wstring& verb, const std::wstring& file,
                    int show) override {
        return reinterpret_cast<INT_PTR>(
            ShellExecuteW(owner, verb.c_str(), file.c_str(), nullptr, nullptr, show));
    }
    Started Start(HWND owner, const std::wstring& file) override {
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT | SEE_MASK_DOENVSUBST |
                     SEE_MASK_FLAG_NO_UI;
        info.hwnd = owner;
        info.lpVerb = L"open";
        info.lpFile = file.c_str();
        info.nShow = SW_SHOWNORMAL;
        ShellExecuteExW(&info);
        return {reinterpret_cast<INT_PTR>(info.hInstApp), UniqueHandle(info.hProcess)};
    }
};

} // namespace

HWND FindShellTaskbar() {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"Shell_TrayWnd", nullptr))) {
        if (!GetPropW(window, CollectorMark)) return window;
    }
    return nullptr;
}

template <> Shell& Real<Shell>() {
    static WindowsShell shell;
    return shell;
}

} // namespace orvane::platform
