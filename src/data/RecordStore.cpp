#include "data/RecordStore.h"

#include "data/Ado.h"
#include "data/Schema.h"

namespace RecordStore {

namespace {
long idOf(const ado::Recordset& rs) { return rs.Value(QStringLiteral("ID")).toInt(); }
} // namespace

QVector<long> openableIds(ado::Connection& cnn)
{
    ado::Recordset rs(QStringLiteral("SELECT [ID],[KEN] FROM [E1] WHERE [AKT]=true and [ID]>0 ORDER BY [KEN]"), cnn);
    QVector<long> ids;
    for (; !rs.Eof(); rs.MoveNext()) ids.append(idOf(rs));
    return ids;
}

int activeCount(ado::Connection& cnn)
{
    ado::Recordset rs(QStringLiteral("SELECT [ID] FROM [E1] WHERE [AKT]=true"), cnn);
    return static_cast<int>(rs.RecordCount());
}

QVector<RecordKey> activeRecords(ado::Connection& cnn)
{
    ado::Recordset rs(QStringLiteral("SELECT * FROM [E1] WHERE [AKT]=true"), cnn);
    QVector<RecordKey> keys;
    for (; !rs.Eof(); rs.MoveNext()) keys.append({idOf(rs), rs.Value(QStringLiteral("KEN")).toString()});
    return keys;
}

void removeMultipleEvaluation(ado::Connection& cnn)
{
    ado::Transaction tx(cnn);
    bool hasRecord = false;
    {
        ado::Recordset rs(QStringLiteral("SELECT [ID] FROM [E1] WHERE [ID]=0"), cnn);
        hasRecord = !rs.Eof();
    }
    if (hasRecord) schema::deleteRecord(cnn, 0);
    ado::Recordset m1(QStringLiteral("SELECT * FROM [M1] WHERE [IDM]=1"), cnn);
    if (!m1.Eof()) m1.Delete();
    m1.Close();
    tx.commit();
}

std::optional<long> findUserRecord(ado::Connection& cnn, const QString& ken)
{
    // ID 0 belongs to the multiple evaluation: a user record never takes it over.
    ado::Recordset rs(QStringLiteral("SELECT * FROM [E1] WHERE [KEN]='") + sqlText(ken) + QStringLiteral("' AND [ID]>0"), cnn);
    if (rs.Eof()) return std::nullopt;
    return idOf(rs);
}

long nextId(ado::Connection& cnn)
{
    ado::Recordset rs(QStringLiteral("SELECT * FROM [E1] ORDER BY [ID] Desc"), cnn);
    return rs.Eof() ? 1 : idOf(rs) + 1;
}

void makeOnlyActive(ado::Connection& cnn, long id)
{
    ado::Recordset rs(QStringLiteral("SELECT * FROM [E1] WHERE [ID]<>%1 AND [AKT]=true").arg(id), cnn);
    for (; !rs.Eof(); rs.MoveNext()) {
        rs.setValue(QStringLiteral("AKT"), false);
        rs.Update();
    }
}

SaveOutcome saveInput(ado::Connection& cnn, const QString& ken, const std::function<bool()>& confirmOverwrite,
                      const std::function<bool(long id)>& store, long* savedId)
{
    ado::Transaction tx(cnn);
    long id = 0;
    if (const std::optional<long> existing = findUserRecord(cnn, ken)) {
        if (!confirmOverwrite()) return SaveOutcome::Declined;
        id = *existing;
        // Only the header row goes; the input form replaces the record's data and keeps its diagram settings.
        cnn.Execute(QStringLiteral("DELETE FROM [E1] WHERE [ID]=%1").arg(id));
    } else {
        id = nextId(cnn);
    }
    if (!store(id)) return SaveOutcome::Failed; // the transaction rolls back
    makeOnlyActive(cnn, id);
    tx.commit();
    if (savedId) *savedId = id;
    return SaveOutcome::Saved;
}

} // namespace RecordStore
