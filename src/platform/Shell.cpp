#include "platform/Shell.h"

namespace orvane::platform {
namespace {

class WindowsShell final : public Shell {
public:
    HWND FindTaskbar() override { return FindWindowW(L"Shell_TrayWnd", nullptr); }
    INT_PTR Execute(HWND owner, const std::wstring& verb, const std::wstring& file) override {
        return reinterpret_cast<INT_PTR>(
            ShellExecuteW(owner, verb.c_str(), file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    }
};

} // namespace

template <> Shell& Real<Shell>() {
    static WindowsShell shell;
    return shell;
}

} // namespace orvane::platform
