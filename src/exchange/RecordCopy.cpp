#include "exchange/RecordCopy.h"

#include "data/Ado.h"
#include "data/DataText.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "platform/MsgBox.h"
#include "platform/OnError.h"
#include "platform/VBError.h"

#include <QHash>

#include <algorithm>
#include <limits>
#include <sqlite3.h>

namespace {
QString selectRecord(const QString& table, qint32 id)
{
    return QStringLiteral("SELECT * FROM [%1] WHERE [ID]=%2").arg(table).arg(id);
}

ado::ColType declType(sqlite3_stmt* st, int i)
{
    const char* decl = sqlite3_column_decltype(st, i);
    return ado::colTypeFromDecl(decl ? QString::fromUtf8(decl) : QString());
}

// Leaves a cached statement ready for its next use, also when a step raises.
struct StatementReset {
    sqlite3_stmt* st;
    ~StatementReset()
    {
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
    }
};
} // namespace

qint32 nextFreeId(ado::Connection& cnn, const QStringList& tables)
{
    qint64 largest = 0;
    for (const QString& t : tables) {
        const QString sql = QStringLiteral("SELECT MAX([ID]) FROM [%1]").arg(t);
        sqlite3_stmt* st = cnn.prepareCached(sql);
        const int rc = sqlite3_step(st);
        if (rc == SQLITE_ROW && sqlite3_column_type(st, 0) != SQLITE_NULL)
            largest = std::max<qint64>(largest, sqlite3_column_int64(st, 0));
        sqlite3_reset(st);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) cnn.raise(rc, sql);
    }
    if (largest >= std::numeric_limits<qint32>::max()) vb::Raise(vb::errOverflow, QStringLiteral("Overflow"));
    return static_cast<qint32>(largest + 1);
}

RecordCopy::RecordCopy(const Session& s, ado::Connection& source, ado::Connection& target)
    : m_s(s), m_source(source), m_target(target)
{
}

QVector<ProjectRecord> projectRecords(ado::Connection& cnn, RecordOrder order)
{
    QVector<ProjectRecord> records;
    ado::Recordset rs(order == RecordOrder::ById ? QStringLiteral("SELECT [ID],[KEN],[KOM] FROM [E1] WHERE [ID]>0 ORDER BY [ID]")
                                                 : QStringLiteral("SELECT [ID],[KEN],[KOM] FROM [E1] WHERE [ID]>0 ORDER BY [KEN]"),
                      cnn);
    for (; !rs.Eof(); rs.MoveNext())
        records.append({datatext::toInt32(rs.Value(0)), datatext::toText(rs.Value(1)), datatext::toText(rs.Value(2))});
    return records;
}

QVector<RecordLine> RecordCopy::recordLines(ado::Connection& cnn)
{
    QVector<RecordLine> lines;
    for (const ProjectRecord& r : projectRecords(cnn, RecordOrder::ByDesignation))
        lines.append({r.id, r.ken + QStringLiteral(" (") + r.kom + QLatin1Char(')')});
    return lines;
}

bool RecordCopy::hasRecord(ado::Connection& cnn, const QString& ken)
{
    // KEN compares without case (its column collation), as every lookup by designation does.
    ado::Recordset rs(QStringLiteral("SELECT * FROM [E1] WHERE [KEN]='") + sqlText(ken) + QLatin1Char('\''), cnn);
    return !rs.Eof();
}

QString RecordCopy::designation(qint32 id)
{
    ado::Recordset rs(selectRecord(QStringLiteral("E1"), id), m_source);
    if (rs.Eof()) vb::Raise(vb::errNoCurrentRecord, m_s.tr(QStringLiteral("Datensatz %1 nicht gefunden."),
                                                           QStringLiteral("File %1 not found.")).arg(id));
    return datatext::toText(rs.Value(QStringLiteral("KEN")));
}

qint32 RecordCopy::copyRecord(qint32 id)
{
    designation(id); // the record must exist
    ado::Transaction tx(m_target);
    const qint32 newId = nextFreeId(m_target, schema::kRecordTables);
    for (const QString& table : schema::kRecordTables) {
        // Straight from statement to statement: the copy of a long record is bound by the engine, not by recordsets.
        const QString selectSql = selectRecord(table, id);
        sqlite3_stmt* src = m_source.prepareCached(selectSql);
        StatementReset srcReset{src};
        int rc = sqlite3_step(src);
        if (rc == SQLITE_DONE) continue;
        if (rc != SQLITE_ROW) m_source.raise(rc, selectSql);
        // Columns go by name: the two files may list them in another order.
        const QString probeSql = QStringLiteral("SELECT * FROM [%1] WHERE 0").arg(table);
        sqlite3_stmt* probe = m_target.prepareCached(probeSql);
        StatementReset probeReset{probe};
        QHash<QString, ado::ColType> targetTypes;
        for (int i = 0; i < sqlite3_column_count(probe); ++i)
            targetTypes.insert(QString::fromUtf8(sqlite3_column_name(probe, i)).toUpper(), declType(probe, i));
        const int n = sqlite3_column_count(src);
        QStringList columns;
        QVector<ado::ColType> fromTypes(n), toTypes(n);
        int idColumn = -1;
        for (int i = 0; i < n; ++i) {
            const QString name = QString::fromUtf8(sqlite3_column_name(src, i));
            const auto target = targetTypes.constFind(name.toUpper());
            if (target == targetTypes.cend())
                vb::Raise(vb::errItemNotFound,
                          m_s.tr(QStringLiteral("Die Spalte %1 der Tabelle %2 fehlt im Zielprojekt."),
                                 QStringLiteral("The target project lacks column %1 of table %2."))
                              .arg(name, table));
            if (name.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0) idColumn = i;
            fromTypes[i] = declType(src, i);
            toTypes[i] = *target;
            columns << QLatin1Char('[') + name + QLatin1Char(']');
        }
        const QString insertSql = QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
                                      .arg(table, columns.join(QLatin1Char(',')),
                                           QStringList(n, QStringLiteral("?")).join(QLatin1Char(',')));
        sqlite3_stmt* ins = m_target.prepareCached(insertSql);
        StatementReset insReset{ins};
        for (; rc == SQLITE_ROW; rc = sqlite3_step(src)) {
            for (int i = 0; i < n; ++i) {
                if (i == idColumn) sqlite3_bind_int(ins, i + 1, newId);
                else ado::copyColumnValue(src, i, fromTypes[i], ins, i + 1, toTypes[i]);
            }
            const int irc = sqlite3_step(ins);
            sqlite3_reset(ins);
            if (irc != SQLITE_DONE) m_target.raise(irc, insertSql);
        }
        if (rc != SQLITE_DONE) m_source.raise(rc, selectSql);
    }
    tx.commit();
    return newId;
}

int RecordCopy::copy(const QVector<qint32>& ids)
{
    int copied = 0;
    for (qint32 id : ids) {
        if (id <= 0) continue;
        QString ken = QString::number(id);
        vb::OnError onError(QStringLiteral("Export/Import"));
        onError.setText([&](const vb::VBError& e) {
            return QStringLiteral("Datensatz ") + ken + QLatin1Char('\n')
                + vb::OnError::text(QStringLiteral("VB-Error: "), e.Number(), e.Description());
        });
        bool duplicate = false;
        if (!onError([&] {
                ken = designation(id);
                duplicate = hasRecord(m_target, ken);
            }))
            break;
        if (onError.failed()) continue;
        if (duplicate) {
            if (vb::MsgBox(QStringLiteral("Datensatz ") + ken + QStringLiteral(" ist bereits vorhanden!"),
                           vb::vbOKCancel | vb::vbExclamation) == vb::vbCancel)
                break;
            continue;
        }
        if (!onError([&] {
                copyRecord(id);
                ++copied;
            }))
            break;
    }
    return copied;
}
