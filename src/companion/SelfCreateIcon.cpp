#include "core/DozedeR64Form.h"

namespace orvane {

// Operates one of this program's own icons; comes with the placeholder icons.
void TDozedeR64Form::SetSelfCreateIcon(std::int32_t, std::int32_t) {}

} // namespace orvane
