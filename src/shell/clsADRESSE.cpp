#include "shell/clsADRESSE.h"

#include "data/Session.h"
#include "pages/ProgramTexts.h"

// A fictitious maker: the domain is a reserved example domain on purpose.
QString clsADRESSE::FIRMA1() const { return ProgramTexts::maker(m_sprache); }

QString clsADRESSE::FIRMA2() const
{
    return tr(QStringLiteral("Ziviltechniker für Boden und Grundwasser GmbH"),
              QStringLiteral("Consulting Engineers for Soil and Groundwater"));
}

QString clsADRESSE::PLZ() const
{
    return tr(QStringLiteral("A-8941 Steinfeld"),
              QStringLiteral("A-8941 Steinfeld, Austria"));
}

QString clsADRESSE::STR() const { return QStringLiteral("Bergmannsgasse 14"); }
QString clsADRESSE::VORSITZ() const { return QStringLiteral("Dipl.-Ing. Dr. Helga Reinprecht"); }
QString clsADRESSE::TEL() const { return QStringLiteral("+43 3612 4820-0"); }
QString clsADRESSE::FAX() const { return QStringLiteral("+43 3612 4820-9"); }
QString clsADRESSE::EMAIL() const { return QStringLiteral("office@hpa-steinfeld.example"); }
QString clsADRESSE::URL() const { return QStringLiteral("www.hpa-steinfeld.example"); }
QString clsADRESSE::chairLabel() const { return tr(QStringLiteral("Vorsitzender: "), QStringLiteral("Head of Found.: ")); }
QString clsADRESSE::phoneLabel() const { return tr(QStringLiteral("Telefon: "), QStringLiteral("Phone: ")); }

QString clsADRESSE::tr(const QString& german, const QString& english) const { return Session::tr(m_sprache, german, english); }
