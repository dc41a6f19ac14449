#include "CrashCommon.h"

#include "data/Ado.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSettings>
#include <algorithm>
#include <sqlite3.h>
#include <vector>

namespace crash {

void useSettingsOf(const QString& root)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, root + QStringLiteral("/config"));
}

namespace {
// Read-only and without the program's connection code; a hot journal is still
// rolled back by SQLite when the file is writable, as any later open would.
sqlite3* openDb(const QString& db, QString& error)
{
    sqlite3* h = nullptr;
    if (!QFile::exists(db)) {
        error = QStringLiteral("error: missing");
        return nullptr;
    }
    if (sqlite3_open_v2(QFile::encodeName(db).constData(), &h, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        error = QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(h));
        sqlite3_close(h);
        return nullptr;
    }
    sqlite3_busy_timeout(h, 10000);
    return h;
}

bool query(sqlite3* h, const QString& sql, std::vector<QByteArray>& rows, QString& error)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(h, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
        error = QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(h));
        return false;
    }
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        QByteArray row;
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            // Numbers by their bits: exact, and far cheaper than as text.
            const int type = sqlite3_column_type(st, c);
            row += static_cast<char>('0' + type);
            if (type == SQLITE_INTEGER) {
                const sqlite3_int64 v = sqlite3_column_int64(st, c);
                row.append(reinterpret_cast<const char*>(&v), sizeof v);
            } else if (type == SQLITE_FLOAT) {
                const double v = sqlite3_column_double(st, c);
                row.append(reinterpret_cast<const char*>(&v), sizeof v);
            } else if (type != SQLITE_NULL) {
                const int n = sqlite3_column_bytes(st, c);
                row.append(QByteArray::number(n)).append(':');
                row.append(reinterpret_cast<const char*>(sqlite3_column_blob(st, c)), n);
            }
        }
        rows.push_back(row);
    }
    if (rc != SQLITE_DONE) error = QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(h));
    sqlite3_finalize(st);
    return rc == SQLITE_DONE;
}
} // namespace

QString digest(const QString& db)
{
    QString error;
    sqlite3* h = openDb(db, error);
    if (!h) return error;
    std::vector<QByteArray> tables;
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (query(h, QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"), tables, error)) {
        for (const QByteArray& t : tables) {
            const QByteArray name = t.mid(t.indexOf(':') + 1);
            std::vector<QByteArray> rows;
            if (!query(h, QStringLiteral("SELECT * FROM [%1]").arg(QString::fromUtf8(name)), rows, error)) break;
            std::sort(rows.begin(), rows.end());
            hash.addData(name + "\n");
            for (const QByteArray& r : rows) hash.addData(r + "\n");
        }
    }
    sqlite3_close(h);
    return error.isEmpty() ? QString::fromLatin1(hash.result().toHex()) : error;
}

void execAll(const QString& db, const QStringList& sql)
{
    ado::Connection cnn;
    cnn.OpenFile(db);
    ado::Transaction tx(cnn);
    for (const QString& s : sql) cnn.Execute(s);
    tx.commit();
}

QStringList record(long id, const QString& ken, bool akt, int readings)
{
    QStringList sql{QStringLiteral("INSERT INTO [E1] ([ID],[KEN],[KOM],[AKT]) VALUES (%1,'%2','Versuch %1',%3)").arg(id).arg(ken).arg(akt ? 1 : 0),
                    QStringLiteral("INSERT INTO [E2] ([ID],[H],[STRO],[N]) VALUES (%1,50,'Typ A',1)").arg(id)};
    for (int i = 0; i < readings; ++i) {
        // One reading a minute from 13.03.2003 on, the head falling slowly.
        const int day = 37693 + i / 1440;
        const double time = (i % 1440) / 1440.0;
        sql << QStringLiteral("INSERT INTO [E3] ([ID],[I1],[DATUM],[UHRZEIT],[DET],[TEMP],[HST]) VALUES (%1,%2,%3,%4,%5,%6,%7)")
                   .arg(id).arg(i).arg(day).arg(time, 0, 'g', 17).arg(i * 60).arg(10 + (i % 7) * 0.5).arg(200.0 - i * 0.01 - id, 0, 'f', 2);
    }
    return sql;
}

QString integrity(const QString& db)
{
    QString error;
    sqlite3* h = openDb(db, error);
    if (!h) return error;
    std::vector<QByteArray> rows;
    QString result;
    if (query(h, QStringLiteral("PRAGMA integrity_check"), rows, error) && !rows.empty())
        result = QString::fromUtf8(rows.front().mid(rows.front().indexOf(':') + 1));
    sqlite3_close(h);
    return error.isEmpty() ? result : error;
}

quint64 Random::next()
{
    // xorshift64*: fast, and the same sequence on every machine for a seed.
    m_state ^= m_state >> 12;
    m_state ^= m_state << 25;
    m_state ^= m_state >> 27;
    return m_state * 2685821657736338717ull;
}

QByteArray Random::bytes(int n)
{
    QByteArray b(n, Qt::Uninitialized);
    for (char& c : b) c = static_cast<char>(next() & 0xff);
    return b;
}

QString Random::number()
{
    static const char* const kOdd[] = {"1e308", "-1e308", "1e39", "3.4e38", "9999999999999999999999", "-0", "0,0,0",
                                       "1.2.3", "NaN", "inf", "-", ",", ".", "1E", "E5", "+-1", "0x1F", "12:30", "31.02.03",
                                       "29.02.2000", "24:00", "  7  ", "1 000", "\xc2\xb5", "\xe2\x88\x9e"};
    if (chance(25)) return QString::fromUtf8(kOdd[below(std::size(kOdd))]);
    QString s = chance(20) ? QStringLiteral("-") : QString();
    s += QString::number(below(100000));
    if (chance(60)) s += (chance(50) ? QStringLiteral(",") : QStringLiteral(".")) + QString::number(below(1000));
    if (chance(10)) s += QStringLiteral("E") + QString::number(below(80) - 40);
    return s;
}

QString Random::pasteBlock()
{
    static const char* const kText[] = {"abc", "Rohr X", "", " ", "\"", "'", "[E3]", "'; DROP TABLE E3; --", "{", "ä\xc3\xb6"};
    static const char* const kBreaks[] = {"\t", "\r\n", "\n", "\r", "\t\t", "\r\r", "\n\t"};
    QString s;
    const int cells = 1 + below(chance(10) ? 200 : 12);
    for (int i = 0; i < cells; ++i) {
        s += chance(70) ? number() : QString::fromUtf8(kText[below(std::size(kText))]);
        s += QString::fromUtf8(kBreaks[below(std::size(kBreaks))]);
    }
    if (chance(20)) s.chop(1);
    if (chance(5)) s = QString(1 + below(5000), QLatin1Char('9'));
    return s;
}

QString Random::markup()
{
    static const char* const kParts[] = {"{", "}", "{t", "{t,", "{t,0}", "{t,99}", "{t,-1}", "{h,2}", "{i,1}", "{g,3}",
                                         "{s,2}", "{x", ",", "{gt,2}", "{gh,", "{c,65}", "{c,999999}", "{c,", "{c,-5}", "{{", "}}", "{,}", "{t,2147483648}", "{h,1e9}", "\\", "a",
                                         "Text", "k10", "m/s", " ", "\xce\xb1"};
    QString s;
    const int n = below(15);
    for (int i = 0; i < n; ++i) s += QString::fromUtf8(kParts[below(std::size(kParts))]);
    if (chance(10)) s += QString::fromUtf8(bytes(below(20)));
    return s;
}

} // namespace crash
