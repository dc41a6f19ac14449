#pragma once
// The program's fixed texts about its maker, shared by the about box, the
// start screen and the footer of the result pages: one copy only.
#include <QString>

namespace ProgramTexts {

// The (fictitious) maker, as the address block and the copyright name it.
inline QString maker(short sprache)
{
    return sprache == 1 ? QStringLiteral("Steinfeld Hydrogeotechnical Testing Institute")
                        : QStringLiteral("Hydrogeotechnische Prüfanstalt Steinfeld");
}

inline QString developers()
{
    return QStringLiteral("Martina Aigner, Klaus Hofbauer, Stefan Lindner, Theresa Brunnthaler, Erich Wieser");
}

inline QString copyright(short sprache)
{
    return QStringLiteral("© 2002 ") + maker(sprache) +
           (sprache == 1 ? QStringLiteral(". All rights reserved.") : QStringLiteral(". Alle Rechte vorbehalten."));
}

} // namespace ProgramTexts
