#pragma once
// The frame of a diagram's G0 row before anyone has set it: upright axes,
// the margins of the pages' diagrams and no scale factors.
#include "data/clsDATEN.h"

namespace G0Frame {

// Writes OX, OY, RL, RR, RO, RU, MYMX, MX and MY of the row; false as soon as
// one cannot be stored (the data layer has said why). Inside the caller's
// transaction, so that a failed row is not left half written.
bool writeDefaults(clsDATEN& g0, const Keys& row);

} // namespace G0Frame
