#pragma once
// Database files handled as files: copied, replaced, removed. A hot rollback
// journal beside a database file is played back by SQLite into whatever file
// stands under that name when it is next opened; so before a database file is
// replaced, SQLite finishes (rolls back) an interrupted transaction of it, and
// then its journal and any WAL files are removed. Another process may be
// writing a database at any time: nothing of a live transaction is touched,
// and copies are read under SQLite's lock.
#include <QString>
#include <QStringList>

namespace dbfile {

// How long a lock held by another process is waited for (the connections' timeout).
constexpr int kBusyTimeoutMs = 30000;

// The journal and WAL companions of a database file.
QStringList companions(const QString& path);
// Rolls back what a killed writer left unfinished in path, then removes the
// companions (also when path is missing or no database), all under an
// exclusive lock of the file. A file another process keeps locked for longer
// than busyTimeoutMs is left alone and raises errFileLocked; other failures
// raise VBError too.
void settle(const QString& path, int busyTimeoutMs = kBusyTimeoutMs);
// Copies the committed state of source over target through a temporary file
// and a rename (FileSystemObject::ReplaceFile), target settled first. The
// source is read with SQLite's online backup under a read lock, so a writer in
// progress is waited for and none of its pages are taken. Failures raise VBError.
void copy(const QString& source, const QString& target, int busyTimeoutMs = kBusyTimeoutMs);

} // namespace dbfile
