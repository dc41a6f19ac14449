#include "common/TestSupport.h"

#include "data/Schema.h"

#include <QCryptographicHash>
#include <QFile>

namespace testsupport {

TempDir::TempDir() { m_dir.setAutoRemove(true); }

ProjectDb::ProjectDb() : m_path(m_dir.file(QStringLiteral("TALPEX.mdb"))), m_cnn(std::make_unique<ado::Connection>())
{
    schema::createProjectDatabase(m_path);
    m_cnn->OpenFile(m_path);
}

void ProjectDb::addRecord(long id, const QString& ken, bool akt, const QString& kom)
{
    testsupport::addRecord(*m_cnn, id, ken, akt, kom);
}

QByteArray fileHash(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256) : QByteArray();
}

} // namespace testsupport
