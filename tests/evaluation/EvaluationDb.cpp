#include "EvaluationDb.h"

#include "data/Ado.h"

namespace evaltest {

EvaluationDb::EvaluationDb()
{
    m_session.developmentMode = true;
    m_session.cnnX.OpenFile(m_db.path());
}

void EvaluationDb::addRecord(long id, const QString& ken, bool akt, float h, const QString& stro, const QVariant& n)
{
    m_db.addRecord(id, ken, akt);
    ado::Recordset rs(QStringLiteral("SELECT * FROM [E2]"), m_db.cnn());
    rs.AddNew();
    rs.setValue(QStringLiteral("ID"), static_cast<int>(id));
    rs.setValue(QStringLiteral("H"), h);
    rs.setValue(QStringLiteral("STRO"), stro);
    rs.setValue(QStringLiteral("N"), n);
    rs.Update();
}

void EvaluationDb::addReadings(long id, const std::vector<Reading>& readings, int firstI1)
{
    ado::Transaction tx(m_db.cnn());
    ado::Recordset rs(QStringLiteral("SELECT * FROM [E3] WHERE [ID]=-1"), m_db.cnn());
    int i1 = firstI1;
    for (const Reading& r : readings) {
        rs.AddNew();
        rs.setValue(QStringLiteral("ID"), static_cast<int>(id));
        rs.setValue(QStringLiteral("I1"), i1++);
        rs.setValue(QStringLiteral("DET"), r.det);
        rs.setValue(QStringLiteral("TEMP"), r.temp);
        rs.setValue(QStringLiteral("HST"), r.hst);
        rs.setValue(QStringLiteral("HKO"), r.hko);
        rs.Update();
    }
    tx.commit();
}

void EvaluationDb::replaceReadings(long id, const std::vector<Reading>& readings)
{
    m_db.cnn().Execute(QStringLiteral("DELETE FROM [E3] WHERE [ID]=%1").arg(id));
    addReadings(id, readings);
}

void EvaluationDb::addPreset(const QString& stro, float d1, float d2, float f, float a, float b, float c)
{
    ado::Recordset rs(QStringLiteral("SELECT * FROM [TALPEX_V1]"), m_db.cnn());
    rs.AddNew();
    rs.setValue(QStringLiteral("I1"), static_cast<int>(rs.RecordCount()));
    rs.setValue(QStringLiteral("STRO"), stro);
    rs.setValue(QStringLiteral("D1"), d1);
    rs.setValue(QStringLiteral("D2"), d2);
    rs.setValue(QStringLiteral("F"), f);
    rs.setValue(QStringLiteral("A"), a);
    rs.setValue(QStringLiteral("B"), b);
    rs.setValue(QStringLiteral("C"), c);
    rs.Update();
}

void EvaluationDb::addResultRow(long id, int i1, float phi)
{
    ado::Recordset rs(QStringLiteral("SELECT * FROM [A2]"), m_db.cnn());
    rs.AddNew();
    rs.setValue(QStringLiteral("ID"), static_cast<int>(id));
    rs.setValue(QStringLiteral("I1"), i1);
    rs.setValue(QStringLiteral("PHI"), phi);
    rs.setValue(QStringLiteral("K10"), 1e-6f);
    rs.Update();
}

void EvaluationDb::setActive(long id)
{
    m_db.cnn().Execute(QStringLiteral("UPDATE [E1] SET [AKT]=([ID]=%1)").arg(id));
}

QVector<ResultRow> EvaluationDb::results(long id)
{
    QVector<ResultRow> rows;
    ado::Recordset rs(QStringLiteral("SELECT [I1],[PHI],[DETN],[K10],[DEHKO] FROM [A2] WHERE [ID]=%1 ORDER BY [I1]").arg(id), m_db.cnn());
    for (; !rs.Eof(); rs.MoveNext())
        rows.append({rs.Value(0).toInt(), rs.Value(1), rs.Value(2), rs.Value(3), rs.Value(4)});
    return rows;
}

} // namespace evaltest
