#include "platform/Input.h"

namespace orvane::platform {
namespace {

class WindowsInput final : public Input {
public:
    UINT Send(const std::vector<INPUT>& records) override {
        return SendInput(static_cast<UINT>(records.size()), const_cast<INPUT*>(records.data()),
                         sizeof(INPUT));
    }
    SHORT AsyncKeyState(int virtualKey) override { return GetAsyncKeyState(virtualKey); }
    DWORD LastInputTime() override {
        LASTINPUTINFO info{sizeof info, 0};
        return GetLastInputInfo(&info) ? info.dwTime : 0;
    }
};

} // namespace

template <> Input& Real<Input>() {
    static WindowsInput input;
    return input;
}

} // namespace orvane::platform
