#pragma once
#include "platform/Seam.h"
#include "platform/Win.h"

#include <vector>

namespace orvane::platform {

// Synthetic input and the state of the keys and buttons.
class Input {
public:
    virtual ~Input() = default;
    // SendInput with every record at once; the number of records the system took.
    virtual UINT Send(const std::vector<INPUT>& records) = 0;
    // GetAsyncKeyState.
    virtual SHORT AsyncKeyState(int virtualKey) = 0;
    // The tick count of the session's last keyboard or mouse input (GetLastInputInfo).
    virtual DWORD LastInputTime() = 0;
};

template <> Input& Real<Input>();

} // namespace orvane::platform
