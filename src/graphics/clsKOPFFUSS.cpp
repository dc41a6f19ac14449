#include "graphics/clsKOPFFUSS.h"

#include "data/Session.h"

#include "platform/Convert.h"
#include "platform/Format.h"
#include "platform/OnError.h"

#include <algorithm>

namespace {
const QString kTitle = QStringLiteral("Kopffuß-Zeile");
} // namespace

clsKOPFFUSS::clsKOPFFUSS() = default;

void clsKOPFFUSS::setAUSGABEOBJEKT(gfx::Surface* RAHMENOBJEKT, gfx::Surface* EOBJEKT)
{
    // the surfaces draw in millimetres already, so no scale has to be worked out
    m_frame = RAHMENOBJEKT;
    m_surface = EOBJEKT;
    m_text.setSurface(EOBJEKT);
    m_top = m_bottom = m_left = m_right = 15;
    SCHRIFTEINSTELLUNGEN(QString(), 0, 0, 0, 0, 0);
}

void clsKOPFFUSS::setRANDABSTAND(const QString& LAGE, float mm)
{
    if (LAGE == QLatin1String("oben")) m_top = mm;
    else if (LAGE == QLatin1String("unten")) m_bottom = mm;
    else if (LAGE == QLatin1String("links")) m_left = mm;
    else if (LAGE == QLatin1String("rechts")) m_right = mm;
    else m_top = m_bottom = m_left = m_right = mm;
}

QString clsKOPFFUSS::tr(const QString& german, const QString& english) const
{
    return Session::tr(m_SPRACHE, german, english);
}

// Markup is measured by its drawn runs, never by its raw text.
double clsKOPFFUSS::widthOf(const QString& text) const { return m_text.layout(text).width; }

void clsKOPFFUSS::SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, short SCHRIFTGROESSE, short FETT,
                                       short UNTERSTRICHEN, short KURSIV, qint32 FARBE)
{
    vb::OnError onError(QStringLiteral("Schrifteinstellungen"));
    onError([&] {
        if (!m_surface) vb::Raise(91, QStringLiteral("Objektvariable oder With-Blockvariable nicht festgelegt"));
        m_text.setFont(SCHRIFTART, SCHRIFTGROESSE <= 0 ? 8 : SCHRIFTGROESSE, FETT, UNTERSTRICHEN, KURSIV,
                       FARBE <= 0 ? 0 : FARBE);
    });
}

void clsKOPFFUSS::TEXT(float x, float y, const QString& text, short horizontal, short vertical)
{
    if (!m_surface || text.isEmpty()) return;
    QString copy = text;
    gfx::TextMarkup::convertNumber(copy);
    m_text.draw(QPointF(x, y), copy, 0, horizontal, vertical);
}

QString clsKOPFFUSS::designationLine() const
{
    QStringList names = m_KENNZEICHNUNG;
    if (names.isEmpty()) names.append(QString());
    const double W = m_frame ? m_frame->sizeMm().width() : 0;
    const QString label = names.size() == 1 ? tr(QStringLiteral("Datensatz"), QStringLiteral("File"))
                                            : tr(QStringLiteral("Datensätze"), QStringLiteral("Files"));
    const double available = W - m_left - m_right - widthOf(label + QLatin1Char(' '));
    const QString more = QStringLiteral(", ...");
    QString list = names.first();
    for (int i = 1; i < names.size(); ++i) {
        // a designation goes in only when the line, with the ", ..." still to
        // follow, stays inside the margins
        const QString longer = list + QStringLiteral(", ") + names[i];
        if (widthOf(i + 1 < names.size() ? longer + more : longer) > available) {
            list += more;
            break;
        }
        list = longer;
    }
    if (list.isEmpty()) return QString();
    return label + QLatin1Char(' ') + list;
}

void clsKOPFFUSS::KOPFFUSSZEILE()
{
    vb::OnError onError(kTitle);
    if (!m_frame || !m_surface) {
        onError([] { vb::Raise(91, QStringLiteral("Objektvariable oder With-Blockvariable nicht festgelegt")); });
        return;
    }
    const double W = m_frame->sizeMm().width();
    const double H = m_frame->sizeMm().height();
    const float T = m_top, B = m_bottom, L = m_left, R = m_right;
    double titleHeight = 0, lineHeight = 0;
    QString line;
    const bool ok =
        onError([&] {
            SCHRIFTEINSTELLUNGEN(QString(), 10, 0, 0, 0, 0);
            line = designationLine();
        }) &&
        onError([&] {
            SCHRIFTEINSTELLUNGEN(QString(), 16, 1, 0, 0, 0);
            TEXT(L, T, m_UEBERSCHRIFT, 0, 0);
            titleHeight = m_surface->TextHeight();
        }) &&
        onError([&] {
            SCHRIFTEINSTELLUNGEN(QString(), 10, 0, 0, 0, 0);
            lineHeight = m_surface->TextHeight();
            if (!line.isEmpty()) TEXT(L, T + 9, line, 0, 0);
        }) &&
        onError([&] {
            if (!m_KOMMENTAR.isEmpty()) TEXT(L, static_cast<float>(T + 9 + 1.5 * lineHeight), m_KOMMENTAR, 0, 0);
        });
    if (!ok) return;

    // the 10-pt line on the right ends level with the title line
    const auto y = static_cast<float>(T + titleHeight - lineHeight);
    const QString project = tr(QStringLiteral("Projekt "), QStringLiteral("Project ")) + m_PROJEKT;
    if (!onError([&] { TEXT(static_cast<float>(W - R), y, project, 2, 0); })) return;
    if (m_EBOKFS && !onError([&] {
            const QString numbers = QString::number(m_SEITE) + QLatin1Char('/') + QString::number(m_SEITENANZAHL);
            // measured with the German word so the number stays put in both languages
            const double gap = widthOf(QString(15, QLatin1Char(' ')) + QStringLiteral("Seite ") + numbers);
            const double x = W - R - widthOf(project) - gap;
            TEXT(static_cast<float>(x), y, tr(QStringLiteral("Seite "), QStringLiteral("Page ")) + numbers, 0, 0);
        }))
        return;

    // footer: three columns of two lines, anchored at their bottoms
    double small = 0;
    const auto y1 = static_cast<float>(H - B);
    if (!onError([&] {
            SCHRIFTEINSTELLUNGEN(QString(), 7, 0, 0, 0, 0);
            small = m_surface->TextHeight();
            TEXT(L, y1, tr(QStringLiteral("Bearbeiter: "), QStringLiteral("Project Manager: ")) + m_BEARBEITER, 0, 2);
        }))
        return;
    const auto y2 = static_cast<float>(y1 + small);
    if (!onError([&] {
            const auto xc = static_cast<float>((W - R + L) / 2);
            if (m_DATUM.isValid()) TEXT(xc, y1, vb::Format(vb::MakeDateTime(m_DATUM), QStringLiteral("dd/mm/yyyy")), 1, 2);
            if (m_UHRZEIT.isValid())
                TEXT(xc, y2, vb::Format(vb::MakeDateTime(QDate(1899, 12, 30), m_UHRZEIT), QStringLiteral("hh:mm")), 1, 2);
        }))
        return;
    onError([&] {
        const QString developer =
            tr(QStringLiteral("Programmentwicklung: "), QStringLiteral("Program developed by ")) + m_PROGRAMMIERER;
        const double x = W - R - std::max(widthOf(developer), widthOf(m_COPYRIGHT));
        TEXT(static_cast<float>(x), y1, developer, 0, 2);
        TEXT(static_cast<float>(x), y2, m_COPYRIGHT, 0, 2);
    });
}
