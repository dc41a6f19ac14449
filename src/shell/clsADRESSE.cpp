#include "shell/clsADRESSE.h"

#include "pages/ProgramTexts.h"

// A fictitious maker: the domain is a reserved example domain on purpose.
QString clsADRESSE::FIRMA1() const { return ProgramTexts::maker(m_english ? 1 : 3); }

QString clsADRESSE::FIRMA2() const
{
    return m_english ? QStringLiteral("Consulting Engineers for Soil and Groundwater")
                     : QStringLiteral("Ziviltechniker für Boden und Grundwasser GmbH");
}

QString clsADRESSE::PLZ() const
{
    return m_english ? QStringLiteral("A-8941 Steinfeld, Austria") : QStringLiteral("A-8941 Steinfeld");
}

QString clsADRESSE::STR() const { return QStringLiteral("Bergmannsgasse 14"); }
QString clsADRESSE::VORSITZ() const { return QStringLiteral("Dipl.-Ing. Dr. Helga Reinprecht"); }
QString clsADRESSE::TEL() const { return QStringLiteral("+43 3612 4820-0"); }
QString clsADRESSE::FAX() const { return QStringLiteral("+43 3612 4820-9"); }
QString clsADRESSE::EMAIL() const { return QStringLiteral("office@hpa-steinfeld.example"); }
QString clsADRESSE::URL() const { return QStringLiteral("www.hpa-steinfeld.example"); }
