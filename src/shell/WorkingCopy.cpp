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
#include <QHash>
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

QString WorkingCopy::runFile() const { return m_s.XMDBPFAD() + QStringLiteral(".run"); }

// The run file holds one "key=value" a line and is written whole or not at all.
void WorkingCopy::setOrigin(const std::optional<dbfile::FileState>& origin)
{
    m_origin = origin;
    QByteArray text;
    if (origin)
        text += QStringLiteral("origin=%1 %2 %3\n").arg(origin->changeCounter).arg(origin->size).arg(origin->modifiedNs).toUtf8();
    text += (QStringLiteral("PROJEKTSPFAD=") + m_s.PROJEKTSPFAD + QStringLiteral("\nPROJEKT=") + m_s.PROJEKT +
             QStringLiteral("\nBEARBEITER=") + m_s.BEARBEITER + QLatin1Char('\n'))
                .toUtf8();
    m_s.fso.ReplaceFile(runFile(), [&](const QString& temporary) {
        QFile f(temporary);
        if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size() || !f.flush())
            vb::Raise(vb::errPathFileAccess, QStringLiteral("Path/File access error: ") + runFile());
    });
}

namespace {
QHash<QString, QString> readRunFile(const QString& path)
{
    QHash<QString, QString> values;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return values;
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QString l = QString::fromUtf8(line);
        if (const qsizetype eq = l.indexOf(QLatin1Char('=')); eq > 0) values.insert(l.left(eq), l.mid(eq + 1));
    }
    return values;
}
} // namespace

void WorkingCopy::createFromProject()
{
    const QString project = m_s.projectDatabasePath();
    // The run file of a run before names another copy's origin: gone before the copy changes.
    if (QFileInfo::exists(runFile()) && !QFile::remove(runFile()))
        vb::Raise(vb::errPathFileAccess, QStringLiteral("Path/File access error: ") + runFile());
    dbfile::useRollbackJournal(project);
    setOrigin(dbfile::copy(project, m_s.XMDBPFAD()));
}

void WorkingCopy::keepInterrupted()
{
    const QStringList n = readRunFile(runFile()).value(QStringLiteral("origin")).split(QLatin1Char(' '));
    std::optional<dbfile::FileState> origin;
    if (n.size() == 3) origin = dbfile::FileState{n[0].toUInt(), n[1].toLongLong(), n[2].toLongLong()};
    setOrigin(origin);
}

bool WorkingCopy::saveToProject(const std::optional<dbfile::FileState>& accepted, dbfile::FileState& found)
{
    m_s.requireWorkingCopyIdle();
    // In place: a connection another process holds to the project reads the new content.
    const auto written = dbfile::writeInto(m_s.XMDBPFAD(), m_s.projectDatabasePath(), dbfile::kBusyTimeoutMs,
                                           [&](const dbfile::FileState& now) {
                                               found = now;
                                               return accepted && now == *accepted;
                                           });
    if (written) setOrigin(written);
    return written.has_value();
}

void WorkingCopy::saveToProject()
{
    m_s.requireWorkingCopyIdle();
    setOrigin(dbfile::writeInto(m_s.XMDBPFAD(), m_s.projectDatabasePath()));
}

QStringList WorkingCopy::runningLaunchRow() const
{
    const QHash<QString, QString> values = readRunFile(runFile());
    if (values.value(QStringLiteral("PROJEKT")).isEmpty()) return {};
    return {values.value(QStringLiteral("PROJEKTSPFAD")), values.value(QStringLiteral("PROJEKT")), values.value(QStringLiteral("BEARBEITER"))};
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
    if (m_s.fso.FileExists(runFile())) m_s.fso.DeleteFile(runFile());
}

void WorkingCopy::removeLeftovers()
{
    const QString t = Compaction::temporaryPath(m_s.XMDBPFAD());
    for (const QString& f : QStringList{t} + dbfile::companions(t))
        if (QFileInfo::exists(f)) QFile::remove(f);
    m_s.fso.RemoveStaleCopy(m_s.XMDBPFAD());
    m_s.fso.RemoveStaleCopy(runFile());
    m_s.fso.RemoveStaleCopy(m_s.projectDatabasePath());
    // A Save killed while it wrote the project left its journal: roll it back
    // now, unless another user holds the project (then whoever opens it next does).
    try {
        dbfile::settle(m_s.projectDatabasePath(), 0);
    } catch (const vb::VBError&) {
    }
}
