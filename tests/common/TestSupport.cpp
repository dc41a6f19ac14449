#include "common/TestSupport.h"

#include "data/Schema.h"

namespace testsupport {

TempDir::TempDir() { m_dir.setAutoRemove(true); }

ProjectDb::ProjectDb() : m_path(m_dir.file(QStringLiteral("TALPEX.mdb"))), m_cnn(std::make_unique<ado::Connection>())
{
    schema::createProjectDatabase(m_path);
    m_cnn->OpenFile(m_path);
}

void addRecord(ado::Connection& cnn, long id, const QString& ken, bool akt, const QString& kom)
{
    ado::Recordset rs(QStringLiteral("SELECT * FROM [E1]"), cnn);
    rs.AddNew();
    rs.setValue(QStringLiteral("ID"), static_cast<int>(id));
    rs.setValue(QStringLiteral("KEN"), ken);
    if (!kom.isNull()) rs.setValue(QStringLiteral("KOM"), kom);
    rs.setValue(QStringLiteral("AKT"), akt);
    rs.Update();
}

void ProjectDb::addRecord(long id, const QString& ken, bool akt, const QString& kom)
{
    testsupport::addRecord(*m_cnn, id, ken, akt, kom);
}

} // namespace testsupport
