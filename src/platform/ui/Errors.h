#pragma once
#include <stdexcept>

namespace orvane::ui {

// An operation called on an object whose state does not allow it.
class EInvalidOperation : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

} // namespace orvane::ui
