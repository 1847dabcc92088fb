#include "platform/Dialogs.h"

namespace orvane::platform {
namespace {

class WindowsDialogs final : public Dialogs {
public:
    int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                       UINT flags) override {
        return ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
    }
};

} // namespace

template <> Dialogs& Real<Dialogs>() {
    static WindowsDialogs dialogs;
    return dialogs;
}

} // namespace orvane::platform
