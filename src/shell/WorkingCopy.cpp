#include "shell/WorkingCopy.h"

#include "data/Session.h"
#include "platform/FileSystem.h"
#include "platform/VBError.h"
#include "shell/Compaction.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <algorithm>
#include <sqlite3.h>

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

QStringList WorkingCopy::companionFiles(const QString& path)
{
    return {path + QStringLiteral("-journal"), path + QStringLiteral("-wal"), path + QStringLiteral("-shm")};
}

void WorkingCopy::settleDatabaseFile(const QString& path)
{
    const QStringList companions = companionFiles(path);
    const bool any = std::any_of(companions.begin(), companions.end(), [](const QString& f) { return QFileInfo::exists(f); });
    if (!any) return;
    if (QFileInfo(path).isFile()) {
        // Reading the schema makes SQLite roll a hot journal back (or check a
        // WAL in); closing the only connection then deletes those files itself.
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
            sqlite3_busy_timeout(db, 30000);
            sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
        }
        sqlite3_close(db);
    }
    // What is left belongs to no transaction of this file (or the file is no
    // database at all): it must not be played into the next file of that name.
    for (const QString& f : companions)
        if (QFileInfo::exists(f) && !QFile::remove(f))
            vb::Raise(vb::errPathFileAccess, QStringLiteral("Path/File access error: ") + f);
}

void WorkingCopy::copyDatabaseFile(const QString& source, const QString& target)
{
    vb::FileSystemObject fso;
    if (!fso.FileExists(source)) vb::Raise(vb::errFileNotFound, QStringLiteral("File not found: ") + source);
    settleDatabaseFile(source);
    settleDatabaseFile(target);
    fso.CopyFile(source, target, true);
}

void WorkingCopy::createFromProject() { copyDatabaseFile(m_s.projectDatabasePath(), m_s.XMDBPFAD()); }

void WorkingCopy::saveToProject()
{
    // A copy taken in the middle of a transaction would not be a consistent database.
    const QString w = m_s.XMDBPFAD();
    for (const ado::Connection* cnn : {&m_s.cnnX, &m_s.cnnX_V})
        if (cnn->isOpen() && cnn->path() == w && cnn->transactionDepth() > 0)
            vb::Raise(vb::errFileLocked, QStringLiteral("The working copy is in the middle of a transaction."));
    copyDatabaseFile(m_s.XMDBPFAD(), m_s.projectDatabasePath());
}

void WorkingCopy::remove()
{
    const QString path = m_s.XMDBPFAD();
    // The file first: a journal without its file is harmless, the reverse is not.
    if (m_s.fso.FileExists(path)) m_s.fso.DeleteFile(path);
    settleDatabaseFile(path);
}

void WorkingCopy::removeLeftovers()
{
    const QString t = Compaction::temporaryPath(m_s.XMDBPFAD());
    for (const QString& f : QStringList{t} + companionFiles(t))
        if (QFileInfo::exists(f)) QFile::remove(f);
    m_s.fso.RemoveStaleCopy(m_s.XMDBPFAD());
    m_s.fso.RemoveStaleCopy(m_s.projectDatabasePath());
}
