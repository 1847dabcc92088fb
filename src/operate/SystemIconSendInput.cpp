#include "core/DozedeR64Form.h"

namespace orvane {

// Operates the real icon with the real pointer; comes with synthetic input.
void TDozedeR64Form::SystemIconSendInput(std::int32_t, std::int32_t) {}

} // namespace orvane
