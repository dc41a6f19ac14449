#include "shell/WorkingCopy.h"

#include "data/DatabaseFile.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "platform/FileSystem.h"
#include "platform/System.h"
#include "platform/VBError.h"
#include "shell/Compaction.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

WorkingCopy::WorkingCopy(Session& s) : m_s(s) {}
WorkingCopy::~WorkingCopy() = default;

WorkingCopy::Lock WorkingCopy::lock()
{
    if (m_lock) return Lock::Taken;
    auto lock = std::make_unique<QLockFile>(m_s.XMDBPFAD() + QStringLiteral(".lock"));
    // A run may last for hours: only a lock whose process is gone counts as stale.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        if (lock->error() != QLockFile::LockFailedError) return Lock::NotWritable;
        // A lock file without an owner was left by a run killed while taking
        // it; QLockFile would wait for it forever. An instance starting at
        // this moment writes its owner within milliseconds.
        qint64 pid = 0;
        QString host, app;
        if (lock->getLockInfo(&pid, &host, &app)) return Lock::HeldByOther;
        vb::Sleep(500);
        if (lock->getLockInfo(&pid, &host, &app) || !lock->removeStaleLockFile() || !lock->tryLock(0))
            return Lock::HeldByOther;
    }
    m_lock = std::move(lock);
    return Lock::Taken;
}

void WorkingCopy::unlock() { m_lock.reset(); }

bool WorkingCopy::exists() const { return m_s.fso.FileExists(m_s.XMDBPFAD()); }

void WorkingCopy::createFromProject() { m_origin = dbfile::copy(m_s.projectDatabasePath(), m_s.XMDBPFAD()); }

void WorkingCopy::keepInterrupted() { m_origin = dbfile::state(m_s.projectDatabasePath()); }

bool WorkingCopy::projectChanged() const { return dbfile::state(m_s.projectDatabasePath()) != m_origin; }

void WorkingCopy::saveToProject()
{
    m_s.requireWorkingCopyIdle();
    // In place: a connection another process holds to the project reads the new content.
    m_origin = dbfile::writeInto(m_s.XMDBPFAD(), m_s.projectDatabasePath());
}

QString WorkingCopy::saveBeside()
{
    m_s.requireWorkingCopyIdle();
    const QString name = QStringLiteral("%1-%2-%3.mdb").arg(schema::kProgramTitle, m_s.BENUTZER,
                                                           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    const QString path = QFileInfo(m_s.projectDatabasePath()).absolutePath() + QLatin1Char('/') + name;
    dbfile::copy(m_s.XMDBPFAD(), path);
    return path;
}

void WorkingCopy::remove()
{
    const QString path = m_s.XMDBPFAD();
    // The file first: a journal without its file is harmless, the reverse is not.
    if (m_s.fso.FileExists(path)) m_s.fso.DeleteFile(path);
    dbfile::settle(path);
}

void WorkingCopy::removeLeftovers()
{
    const QString t = Compaction::temporaryPath(m_s.XMDBPFAD());
    for (const QString& f : QStringList{t} + dbfile::companions(t))
        if (QFileInfo::exists(f)) QFile::remove(f);
    m_s.fso.RemoveStaleCopy(m_s.XMDBPFAD());
    m_s.fso.RemoveStaleCopy(m_s.projectDatabasePath());
    // A Save killed while it wrote the project left its journal: roll it back
    // now, unless another user holds the project (then whoever opens it next does).
    try {
        dbfile::settle(m_s.projectDatabasePath(), 0);
    } catch (const vb::VBError&) {
    }
}
