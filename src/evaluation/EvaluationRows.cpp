#include "evaluation/EvaluationRows.h"

#include "data/Ado.h"

#include <QStringList>

namespace EvaluationRows {

namespace {

ado::Recordset resultRow(ado::Connection& cnn, qint32 id)
{
    return ado::Recordset(QStringLiteral("SELECT [ID],[BONEU] FROM [A1] WHERE [ID]=") + QString::number(id), cnn);
}

void setBONEU(ado::Connection& cnn, qint32 id, bool outOfDate)
{
    ado::Recordset rs = resultRow(cnn, id);
    if (rs.Eof()) {
        rs.AddNew();
        rs.setValue(QStringLiteral("ID"), id);
    }
    rs.setValue(QStringLiteral("BONEU"), outOfDate);
    rs.Update();
}

} // namespace

QVector<qint32> activeRecords(ado::Connection& cnn, bool byDesignation)
{
    QVector<qint32> ids;
    ado::Recordset rs(byDesignation ? QStringLiteral("SELECT [ID],[KEN] FROM [E1] WHERE [AKT]=true ORDER BY [KEN]")
                                    : QStringLiteral("SELECT [ID],[KEN] FROM [E1] WHERE [AKT]=true"),
                      cnn);
    for (; !rs.Eof(); rs.MoveNext()) ids.append(rs.Value(0).toInt());
    return ids;
}

void makeActive(ado::Connection& cnn, const QVector<qint32>& ids)
{
    QStringList list;
    for (qint32 id : ids) list << QString::number(id);
    ado::Transaction tx(cnn);
    cnn.Execute(QStringLiteral("UPDATE [E1] SET [AKT]=0"));
    if (!list.isEmpty())
        cnn.Execute(QStringLiteral("UPDATE [E1] SET [AKT]=1 WHERE [ID] IN (%1)").arg(list.join(QLatin1Char(','))));
    tx.commit();
}

bool hasValidResults(ado::Connection& cnn, qint32 id)
{
    ado::Recordset rs = resultRow(cnn, id);
    return !rs.Eof() && !rs.Value(1).isNull() && !rs.Value(1).toBool();
}

bool ensureResultRow(ado::Connection& cnn, qint32 id)
{
    ado::Recordset rs = resultRow(cnn, id);
    if (rs.Eof()) {
        rs.AddNew();
        rs.setValue(QStringLiteral("ID"), id);
        rs.setValue(QStringLiteral("BONEU"), true);
        rs.Update();
    }
    return rs.Value(QStringLiteral("BONEU")).toBool();
}

void markNotEvaluated(ado::Connection& cnn, qint32 id) { setBONEU(cnn, id, true); }

void markEvaluated(ado::Connection& cnn, qint32 id) { setBONEU(cnn, id, false); }

void ensureMultipleRecord(ado::Connection& cnn)
{
    ado::Recordset e1(QStringLiteral("SELECT * FROM [E1] WHERE [ID]=0"), cnn);
    if (e1.Eof()) {
        e1.AddNew();
        e1.setValue(QStringLiteral("ID"), 0);
        e1.setValue(QStringLiteral("KEN"), QStringLiteral("M"));
        e1.setValue(QStringLiteral("KOM"), QStringLiteral("Mehrfachauswertung"));
        e1.Update();
    }
    ado::Recordset a1(QStringLiteral("SELECT * FROM [A1] WHERE [ID]=0"), cnn);
    if (a1.Eof()) {
        a1.AddNew();
        a1.setValue(QStringLiteral("ID"), 0);
        a1.setValue(QStringLiteral("BONEU"), true);
        a1.Update();
    }
}

void ensureMultipleHeader(ado::Connection& cnn, const std::function<QString()>& comment)
{
    ado::Recordset rs(QStringLiteral("SELECT * FROM [M1] WHERE [IDM]=1"), cnn);
    if (!rs.Eof()) return;
    rs.AddNew();
    rs.setValue(QStringLiteral("IDM"), 1);
    rs.setValue(QStringLiteral("KOM"), comment ? comment() : QString());
    // without labels nothing on the page tells the curves apart
    rs.setValue(QStringLiteral("BESCHR11"), 1);
    rs.Update();
}

int readingsWithoutTemperature(ado::Connection& cnn, qint32 id)
{
    ado::Recordset rs(QStringLiteral("SELECT COUNT(*) FROM [E3] WHERE [ID]=%1 AND ([TEMP] IS NULL OR TRIM([TEMP])='')").arg(id), cnn);
    return rs.Eof() ? 0 : rs.Value(0).toInt();
}

} // namespace EvaluationRows
