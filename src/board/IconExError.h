#pragma once
#include <stdexcept>

namespace orvane {

// Failures of the icon picture, including malformed icon images.
class EIconExError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace orvane
