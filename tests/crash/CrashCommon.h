#pragma once
// What the crash harness and its driver share: where things lie in a frame
// installation, how a child joins the installation the harness built, and a
// view of database files that does not go through the program's own code.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <iterator>

namespace crash {

struct Paths {
    QString root;
    QString programFolder() const { return root + QStringLiteral("/TALPEX"); }
    QString userFolder() const { return root + QStringLiteral("/BENUTZER/TESTER"); }
    QString projectFolder() const { return root + QStringLiteral("/PROJEKTE/DEMO"); }
    QString workingCopy() const { return userFolder() + QStringLiteral("/TALPEX.mdb"); }
    QString projectDb() const { return projectFolder() + QStringLiteral("/TALPEX.mdb"); }
    QString presetsDb() const { return root + QStringLiteral("/DATEN/VORGABE.mdb"); }
    // The second user of the shared project and the project it exports from.
    QString secondUserFolder() const { return root + QStringLiteral("/BENUTZER/ZWEITER"); }
    QString sourceDb() const { return root + QStringLiteral("/PROJEKTE/QUELLE/TALPEX.mdb"); }
};

// The records the operations work on: statements run in one transaction, and
// those of a record with its E1, E2 and `readings` E3 rows.
void execAll(const QString& db, const QStringList& sql);
QStringList record(long id, const QString& ken, bool akt, int readings);
// The shared project's records and their reading counts: R in the project,
// X exported from the source project (or written straight into the project
// by another process), A and B added by the two users, Y written by another
// process while a question is open.
constexpr int kSharedReadings[] = {200, 100, 40, 40, 30};
inline const char* const kSharedRecords[] = {"R", "X", "A", "B", "Y"};
inline QStringList sharedRecord(long id, int k) { return record(id, QString::fromLatin1(kSharedRecords[k]), false, kSharedReadings[k]); }
// The readings a whole shared record has; -1 for a record that is none of them.
inline int sharedReadings(const QString& ken)
{
    for (int k = 0; k < int(std::size(kSharedRecords)); ++k)
        if (ken == QLatin1String(kSharedRecords[k])) return kSharedReadings[k];
    return -1;
}

// The frame installation's per-user setting lives below its root.
void useSettingsOf(const QString& root);

// All rows of all tables, independent of row order and rowids, hashed; an
// "error: ..." text when the file cannot be read as a database.
QString digest(const QString& db);
// "ok" or what PRAGMA integrity_check (or opening) reports.
QString integrity(const QString& db);

// Texts for the random inputs.
class Random {
public:
    explicit Random(quint64 seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 1) {}
    quint64 next();
    int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<quint64>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    QByteArray bytes(int n);
    // A number as a user might paste it: either decimal separator, exponents, huge, signs.
    QString number();
    // A spreadsheet-like block with tabs and line breaks in odd places, text and numbers.
    QString pasteBlock();
    // Markup: braces, codes with and without counts, counts beyond the text.
    QString markup();

private:
    quint64 m_state;
};

} // namespace crash
