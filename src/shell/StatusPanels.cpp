#include "shell/StatusPanels.h"

#include "data/Ado.h"
#include "data/Session.h"

#include <QStringList>

namespace {
struct CommandTexts {
    const char* german;
    const char* english;
    const char* tipGerman;
    const char* tipEnglish;
};

// Panels 8 ... 15.
const CommandTexts kCommands[] = {
    {"OK", "OK", "Eingabedaten speichern", "Save input-data"},
    {"Abbrechen", "Cancel", "Eingabedaten verwerfen", "Discard input-data"},
    {"Anzeigen", "Show", "Ausgabeseite anzeigen", "Show another page"},
    {"Drucken", "Print", "Ausgabeseite drucken", "Print loaded pages"},
    {"Kopie", "Copy", "Bildschirmkopie speichern", "Save Screenshot"},
    {"Word", "Word", "Ausgabeseite in ein Word-Dokument übertragen", "Send current page to word"},
    {"AutoCAD", "AutoCAD", "Ausgabeseite in eine AutoCAD-Zeichnung übertragen", "Send current page to AutoCAD"},
    {"Schließen", "Close", "Zurück zum Startbildschirm", "Back to the front window"},
};

constexpr int kMaxPathLength = 20;
} // namespace

StatusPanels::StatusPanels()
{
    at(1).text = QStringLiteral("Projektspfad/");
    at(2).text = QStringLiteral("Projekt");
    at(3).text = QStringLiteral("/");
    at(4).text = QStringLiteral("Programm");
    at(5).text = QStringLiteral("/");
    at(6).text = QStringLiteral("Datensatz");
    applyLanguage(3);
    for (int n = kFirstCommand; n <= kCount; ++n) at(n).visible = false;
}

const PanelState& StatusPanels::panel(int n) const
{
    Q_ASSERT(n >= 1 && n <= kCount);
    return m_panels[static_cast<size_t>(n - 1)];
}

PanelState& StatusPanels::at(int n)
{
    Q_ASSERT(n >= 1 && n <= kCount);
    return m_panels[static_cast<size_t>(n - 1)];
}

void StatusPanels::setText(int n, const QString& text)
{
    at(n).text = text;
    emit changed(n);
}

void StatusPanels::setToolTip(int n, const QString& tip)
{
    at(n).toolTip = tip;
    emit changed(n);
}

void StatusPanels::setVisible(int n, bool visible)
{
    at(n).visible = visible;
    emit changed(n);
}

void StatusPanels::setVisible(int from, int to, bool visible)
{
    for (int n = from; n <= to; ++n) setVisible(n, visible);
}

void StatusPanels::setPressed(int n, bool pressed)
{
    if (at(n).pressed == pressed) return;
    at(n).pressed = pressed;
    emit changed(n);
}

void StatusPanels::applyLanguage(short sprache)
{
    for (int n = kFirstCommand; n <= kCount; ++n) {
        const CommandTexts& c = kCommands[n - kFirstCommand];
        at(n).text = Session::tr(sprache, QString::fromUtf8(c.german), QString::fromUtf8(c.english));
        at(n).toolTip = Session::tr(sprache, QString::fromUtf8(c.tipGerman), QString::fromUtf8(c.tipEnglish));
        emit changed(n);
    }
}

QString StatusPanels::shortenPath(const QString& path)
{
    QString s = path;
    if (s.size() <= kMaxPathLength) return s;
    // Drop the first character, then whole leading folders, until the rest fits.
    qsizetype position = 2;
    while (s.size() > kMaxPathLength) {
        if (position < 1) {
            // No further folder separator: keep the most specific end of the path.
            s = s.right(kMaxPathLength);
            break;
        }
        s = s.mid(position - 1);
        position = s.indexOf(QLatin1Char('/'), 2) + 1; // searching from character 3; 0 = none
    }
    return QStringLiteral(" ... ") + s;
}

void StatusPanels::setProjectPath(const QString& projektspfad)
{
    setText(1, shortenPath(projektspfad) + QLatin1Char('/'));
    setToolTip(1, projektspfad);
}

void StatusPanels::DATENSATZANZEIGE(ado::Connection& cnnX)
{
    ado::Recordset rs(QStringLiteral("SELECT [KEN],[KOM] FROM [E1] WHERE [AKT]=true ORDER BY [KEN]"), cnnX);
    QStringList keys;
    QString comment;
    for (; !rs.Eof(); rs.MoveNext()) {
        if (keys.isEmpty()) comment = rs.Value(QStringLiteral("KOM")).toString(); // null reads as empty
        keys.append(rs.Value(QStringLiteral("KEN")).toString());
    }
    rs.Close();
    if (keys.isEmpty()) {
        setText(6, QStringLiteral("-"));
        setToolTip(6, QString());
    } else if (keys.size() == 1) {
        setText(6, keys.first());
        setToolTip(6, comment);
    } else {
        setText(6, keys.first() + QStringLiteral(",..."));
        setToolTip(6, keys.join(QStringLiteral(", ")));
    }
}
