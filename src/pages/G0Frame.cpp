#include "pages/G0Frame.h"

namespace G0Frame {

bool writeDefaults(clsDATEN& g0, const Keys& row)
{
    return g0.DVTI(QStringLiteral("OX"), 1, row) && g0.DVTI(QStringLiteral("OY"), 1, row) &&
           g0.DVTS(QStringLiteral("RL"), 11, row) && g0.DVTS(QStringLiteral("RR"), 12, row) &&
           g0.DVTS(QStringLiteral("RO"), 10, row) && g0.DVTS(QStringLiteral("RU"), 11, row) &&
           g0.DVTS(QStringLiteral("MYMX"), 0, row) && g0.DVTS(QStringLiteral("MX"), 0, row) &&
           g0.DVTS(QStringLiteral("MY"), 0, row);
}

} // namespace G0Frame
