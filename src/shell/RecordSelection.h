#pragma once
// What the selection dialog frmAUSWAHL does, without the window: the list of
// user records in designation order with their comments and active flags,
// the selection rules of the three modes ("O" Open: one record at most;
// "A" Select: a record joining a selection of two or more must have been
// evaluated; "L" Delete: anything goes), and writing the active flags back.
// Each line keeps its record's ID, so a line never writes another record's AKT.
#include <QString>
#include <QVector>

namespace ado { class Connection; }

class RecordSelection {
public:
    struct Line {
        long id = 0;
        QString ken;
        QString comment; // KOM, empty when null
        bool selected = false;
    };

    RecordSelection(ado::Connection& cnn, QString mode, short sprache);

    // "Datei/Öffnen" ... by mode; "Auswahl" for any other mode.
    static QString captionFor(const QString& mode, short sprache);
    QString caption() const { return captionFor(m_mode, m_sprache); }
    QString cancelCaption() const;
    const QString& mode() const { return m_mode; }

    // Reads the records; the stored AKT selects a line (Open mode: the first
    // only; Select mode: checked as a click is).
    void load();
    const QVector<Line>& lines() const { return m_lines; }
    int selectedCount() const;

    // The user set line index to selected; the mode's rule may undo it (a
    // warning says why). Returns the line's selection state afterwards.
    bool click(int index, bool selected);
    // The tooltip after a click: the clicked line's comment.
    const QString& toolTip() const { return m_toolTip; }

    // Writes every listed record's AKT from its line, in one transaction.
    void save();

private:
    // Warns when the record has no valid results; false when it has none at all
    // (it must leave the selection), true when they are only out of date.
    bool mayJoinMultiple(const Line& line) const;
    // Select mode: a selected line joining two or more is deselected when it may not.
    void applySelectRule(Line& line) const;

    ado::Connection& m_cnn;
    QString m_mode;
    short m_sprache;
    QVector<Line> m_lines;
    QString m_toolTip;
};
