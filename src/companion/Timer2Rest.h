#pragma once
#include "core/DozedeR64Form.h"

namespace orvane {

// The watch over adopted windows rests while an item's record changes and runs again
// however the change ends, unless the program is closing.
class Timer2Rest {
public:
    explicit Timer2Rest(TDozedeR64Form& form) : form_(form) { form_.Timer2.SetEnabled(false); }
    Timer2Rest(const Timer2Rest&) = delete;
    Timer2Rest& operator=(const Timer2Rest&) = delete;
    ~Timer2Rest() {
        if (!form_.MyAppEnd) form_.Timer2.SetEnabled(true);
    }

private:
    TDozedeR64Form& form_;
};

} // namespace orvane
