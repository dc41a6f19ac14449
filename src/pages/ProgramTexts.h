#pragma once
// The program's fixed texts about its maker, shared by the about box, the
// start screen and the footer of the result pages: one copy only.
#include "data/Session.h"

#include <QString>

namespace ProgramTexts {

// The (fictitious) maker, as the address block and the copyright name it.
inline QString maker(short sprache)
{
    return Session::tr(sprache, QStringLiteral("Hydrogeotechnische Prüfanstalt Steinfeld"),
                       QStringLiteral("Steinfeld Hydrogeotechnical Testing Institute"));
}

inline QString developers()
{
    return QStringLiteral("Martina Aigner, Klaus Hofbauer, Stefan Lindner, Theresa Brunnthaler, Erich Wieser");
}

inline QString copyright(short sprache)
{
    return QStringLiteral("© 2002 ") + maker(sprache) +
           Session::tr(sprache, QStringLiteral(". Alle Rechte vorbehalten."), QStringLiteral(". All rights reserved."));
}

} // namespace ProgramTexts
