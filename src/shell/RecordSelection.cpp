#include "shell/RecordSelection.h"

#include "data/Ado.h"
#include "data/Session.h"
#include "platform/MsgBox.h"
#include "shell/ModalTag.h"

#include <algorithm>

RecordSelection::RecordSelection(ado::Connection& cnn, QString mode, short sprache)
    : m_cnn(cnn), m_mode(std::move(mode)), m_sprache(sprache)
{
}

QString RecordSelection::captionFor(const QString& mode, short sprache)
{
    if (mode == ModalTag::kSelect) return Session::tr(sprache, QStringLiteral("Datei/Auswahl"), QStringLiteral("File/Select"));
    if (mode == ModalTag::kOpen) return Session::tr(sprache, QStringLiteral("Datei/Öffnen"), QStringLiteral("File/Open"));
    if (mode == ModalTag::kDelete) return Session::tr(sprache, QStringLiteral("Datei/Löschen"), QStringLiteral("File/Delete"));
    return QStringLiteral("Auswahl");
}

QString RecordSelection::cancelCaption() const
{
    return Session::tr(m_sprache, QStringLiteral("Abbrechen"), QStringLiteral("Cancel"));
}

void RecordSelection::load()
{
    m_lines.clear();
    ado::Recordset rs(QStringLiteral("SELECT * FROM [E1] WHERE ID>0 ORDER BY [KEN]"), m_cnn);
    bool oneSelected = false;
    for (; !rs.Eof(); rs.MoveNext()) {
        Line line;
        line.id = rs.Value(QStringLiteral("ID")).toInt();
        line.ken = rs.Value(QStringLiteral("KEN")).toString();
        line.comment = rs.Value(QStringLiteral("KOM")).toString();
        line.selected = rs.Value(QStringLiteral("AKT")).toBool();
        // Open mode starts with at most one record selected: the first in list order.
        if (m_mode == ModalTag::kOpen && line.selected) {
            line.selected = !oneSelected;
            oneSelected = true;
        }
        m_lines.append(line);
        // A record active since an earlier choice joins by the same rule as a click.
        if (m_mode == ModalTag::kSelect && line.selected) applySelectRule(m_lines.last());
    }
}

int RecordSelection::selectedCount() const
{
    return static_cast<int>(std::count_if(m_lines.begin(), m_lines.end(), [](const Line& l) { return l.selected; }));
}

bool RecordSelection::click(int index, bool selected)
{
    if (index < 0 || index >= m_lines.size()) return false;
    Line& line = m_lines[index];
    line.selected = selected;
    if (m_mode == ModalTag::kOpen) {
        if (selectedCount() > 1) line.selected = false;
    } else if (m_mode == ModalTag::kSelect) {
        if (selected) applySelectRule(line);
    }
    m_toolTip = line.comment;
    return line.selected;
}

void RecordSelection::applySelectRule(Line& line) const
{
    // Only a record joining a selection of two or more is checked.
    if (selectedCount() >= 2 && !mayJoinMultiple(line)) line.selected = false;
}

bool RecordSelection::mayJoinMultiple(const Line& line) const
{
    ado::Recordset rs(QStringLiteral("SELECT [BONEU] FROM [A1] WHERE [ID]=%1").arg(line.id), m_cnn);
    const bool never = rs.Eof();
    const bool outOfDate = !never && rs.Value(QStringLiteral("BONEU")).toBool();
    rs.Close();
    if (!never && !outOfDate) return true;
    vb::MsgBox(Session::tr(m_sprache, QStringLiteral("Datensatz ") + line.ken + QStringLiteral(" muß zuerst einzeln ausgewertet werden!"),
                           QStringLiteral("File ") + line.ken + QStringLiteral(" has to be calculated first!")),
               vb::vbOKOnly | vb::vbExclamation, caption());
    // Out-of-date results only warn: the record stays selected and is evaluated anew.
    return !never;
}

void RecordSelection::save()
{
    ado::Transaction tx(m_cnn);
    for (const Line& line : std::as_const(m_lines))
        m_cnn.Execute(QStringLiteral("UPDATE [E1] SET [AKT]=%1 WHERE [ID]=%2").arg(line.selected ? 1 : 0).arg(line.id));
    tx.commit();
}
