#include "shell/WorkingCopy.h"

#include "data/Session.h"
#include "platform/VBError.h"

#include <QLockFile>

WorkingCopy::WorkingCopy(Session& s) : m_s(s) {}
WorkingCopy::~WorkingCopy() = default;

WorkingCopy::Lock WorkingCopy::lock()
{
    if (m_lock) return Lock::Taken;
    auto lock = std::make_unique<QLockFile>(m_s.XMDBPFAD() + QStringLiteral(".lock"));
    // A run may last for hours: only a lock whose process is gone counts as stale.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return lock->error() == QLockFile::LockFailedError ? Lock::HeldByOther : Lock::NotWritable;
    m_lock = std::move(lock);
    return Lock::Taken;
}

void WorkingCopy::unlock() { m_lock.reset(); }

bool WorkingCopy::exists() const { return m_s.fso.FileExists(m_s.XMDBPFAD()); }

void WorkingCopy::createFromProject() { m_s.fso.CopyFile(m_s.projectDatabasePath(), m_s.XMDBPFAD(), true); }

void WorkingCopy::saveToProject()
{
    // A copy taken in the middle of a transaction would not be a consistent database.
    if (m_s.cnnX.isOpen() && m_s.cnnX.transactionDepth() > 0)
        vb::Raise(vb::errFileLocked, QStringLiteral("The working copy is in the middle of a transaction."));
    m_s.fso.CopyFile(m_s.XMDBPFAD(), m_s.projectDatabasePath(), true);
}

void WorkingCopy::remove()
{
    const QString path = m_s.XMDBPFAD();
    if (m_s.fso.FileExists(path)) m_s.fso.DeleteFile(path);
}
