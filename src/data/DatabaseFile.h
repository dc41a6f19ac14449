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
// Rolls back what a killed writer left unfinished in path and removes its
// journal under an exclusive lock of the file, after switching a database in
// WAL mode back to the rollback journal. The companions of a missing file or
// of a file that is no database are removed. A file another process keeps
// locked (or open in WAL mode) for longer than busyTimeoutMs is left alone and
// raises errFileLocked; other failures raise VBError too.
void settle(const QString& path, int busyTimeoutMs = kBusyTimeoutMs);
// Switches a database in WAL mode back to the rollback journal; nothing
// happens to one that is not in WAL mode. Needs every other connection to it
// closed: waited for up to busyTimeoutMs, then errFileLocked, the file unchanged.
void useRollbackJournal(const QString& path, int busyTimeoutMs = kBusyTimeoutMs);
// Which state of a database file one has seen: SQLite's file change counter
// (header bytes 24-27, counted up by every committed write in rollback-journal
// mode), the size and the modification time. A missing file has size -1.
// Not while this process holds a lock on the file through SQLite: the file is
// opened and closed here, which would drop that lock.
struct FileState {
    quint32 changeCounter = 0;
    qint64 size = -1;
    qint64 modifiedNs = 0;
    bool operator==(const FileState&) const = default;
};
FileState state(const QString& path);

// Copies the committed state of source over target through a temporary file
// and a rename (FileSystemObject::ReplaceFile), target settled first. The
// source is read with SQLite's online backup under a read lock, so a writer in
// progress is waited for and none of its pages are taken. Returns the state
// of source that was copied. Failures raise VBError.
FileState copy(const QString& source, const QString& target, int busyTimeoutMs = kBusyTimeoutMs);
// Writes the committed state of source into the database target in place,
// with the online backup under target's write lock: other connections to
// target stay valid and read the new content, a writer in progress is waited
// for, and a kill in the middle leaves target's journal, which rolls it back.
// A target in WAL mode is switched back to the rollback journal first.
// mayWrite is shown target's state once that lock is held, so nobody can
// commit between its look and the write; when it says no, nothing is written
// and nothing is returned. A missing target is created by copy. Returns
// target's state afterwards.
std::optional<FileState> writeInto(const QString& source, const QString& target, int busyTimeoutMs = kBusyTimeoutMs,
                                   const std::function<bool(const FileState&)>& mayWrite = {});

} // namespace dbfile
