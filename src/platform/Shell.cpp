#include "platform/Shell.h"

namespace orvane::platform {
namespace {

class WindowsShell final : public Shell {
public:
    HWND FindTaskbar() override { return FindWindowW(L"Shell_TrayWnd", nullptr); }
};

} // namespace

template <> Shell& Real<Shell>() {
    static WindowsShell shell;
    return shell;
}

} // namespace orvane::platform
