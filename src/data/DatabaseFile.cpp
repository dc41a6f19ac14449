#include "data/DatabaseFile.h"

#include "platform/FileSystem.h"
#include "platform/VBError.h"

#include <QFile>
#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <sqlite3.h>
#include <sys/stat.h>

namespace dbfile {

namespace {

// A connection that closes itself; failures raise VBError naming the file.
class Handle {
public:
    Handle(const QString& path, int flags, int busyTimeoutMs) : m_path(path)
    {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr) != SQLITE_OK) fail(sqlite3_errcode(m_db));
        sqlite3_busy_timeout(m_db, busyTimeoutMs);
    }
    ~Handle() { sqlite3_close_v2(m_db); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    sqlite3* db() const { return m_db; }
    int exec(const char* sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr); }
    [[noreturn]] void fail(int rc) const
    {
        const QString why = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
        switch (rc & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            vb::Raise(vb::errFileLocked, QStringLiteral("The file '%1' is already in use.").arg(m_path));
        case SQLITE_NOTADB:
            vb::Raise(vb::errCannotOpenDatabase, QStringLiteral("Unrecognized database format '%1'.").arg(m_path));
        default:
            vb::Raise(vb::errPathFileAccess, QStringLiteral("Path/File access error: %1 (%2)").arg(m_path, why));
        }
    }

private:
    QString m_path;
    sqlite3* m_db = nullptr;
};

// Opens a read transaction, which waits for a writer in progress and rolls
// back what a killed one left.
void beginRead(Handle& h)
{
    if (const int rc = h.exec("BEGIN; SELECT count(*) FROM sqlite_master"); rc != SQLITE_OK) h.fail(rc);
}

void removeCompanions(const QStringList& files)
{
    for (const QString& f : files)
        if (QFileInfo::exists(f) && !QFile::remove(f))
            vb::Raise(vb::errPathFileAccess, QStringLiteral("Path/File access error: ") + f);
}

} // namespace

QStringList companions(const QString& path)
{
    return {path + QStringLiteral("-journal"), path + QStringLiteral("-wal"), path + QStringLiteral("-shm")};
}

void settle(const QString& path, int busyTimeoutMs)
{
    const QStringList files = companions(path);
    if (std::none_of(files.begin(), files.end(), [](const QString& f) { return QFileInfo::exists(f); })) return;
    if (!QFileInfo(path).isFile()) {
        // Without its file no transaction can be going on.
        removeCompanions(files);
        return;
    }
    Handle h(path, SQLITE_OPEN_READWRITE, busyTimeoutMs);
    // The exclusive lock first rolls a hot journal back; while it is held, no
    // other process is inside a transaction of the file, so what is left
    // beside it belongs to none.
    const int rc = h.exec("BEGIN EXCLUSIVE");
    if (rc == SQLITE_OK) {
        removeCompanions(files);
        h.exec("COMMIT");
        return;
    }
    // No SQLite database: its companions cannot be anybody's transaction.
    if ((rc & 0xff) == SQLITE_NOTADB) {
        removeCompanions(files);
        return;
    }
    h.fail(rc);
}

FileState state(const QString& path)
{
    FileState st;
    struct stat info {};
    const QByteArray name = QFile::encodeName(path);
    if (::stat(name.constData(), &info) != 0) return st;
    st.size = info.st_size;
    st.modifiedNs = static_cast<qint64>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    QFile f(path);
    unsigned char b[4] = {};
    if (f.open(QIODevice::ReadOnly) && f.seek(24) && f.read(reinterpret_cast<char*>(b), 4) == 4)
        st.changeCounter = (quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | quint32(b[3]);
    return st;
}

FileState copy(const QString& source, const QString& target, int busyTimeoutMs)
{
    if (!QFileInfo(source).isFile()) vb::Raise(vb::errFileNotFound, QStringLiteral("File not found: ") + source);
    settle(target, busyTimeoutMs);
    FileState copied;
    vb::FileSystemObject().ReplaceFile(target, [&](const QString& temporary) {
        Handle from(source, SQLITE_OPEN_READWRITE, busyTimeoutMs);
        Handle into(temporary, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, busyTimeoutMs);
        // The temporary file needs no journal: it only counts once renamed.
        into.exec("PRAGMA journal_mode=OFF");
        beginRead(from);
        copied = state(source);
        sqlite3_backup* b = sqlite3_backup_init(into.db(), "main", from.db(), "main");
        if (!b) into.fail(sqlite3_errcode(into.db()));
        const int rc = sqlite3_backup_step(b, -1);
        sqlite3_backup_finish(b);
        from.exec("COMMIT");
        if (rc != SQLITE_DONE) (rc == SQLITE_BUSY || rc == SQLITE_LOCKED ? from : into).fail(rc);
    });
    return copied;
}

FileState writeInto(const QString& source, const QString& target, int busyTimeoutMs)
{
    if (!QFileInfo(source).isFile()) vb::Raise(vb::errFileNotFound, QStringLiteral("File not found: ") + source);
    if (!QFileInfo(target).isFile()) {
        copy(source, target, busyTimeoutMs);
        return state(target);
    }
    Handle from(source, SQLITE_OPEN_READWRITE, busyTimeoutMs);
    Handle into(target, SQLITE_OPEN_READWRITE, busyTimeoutMs);
    beginRead(from);
    sqlite3_backup* b = sqlite3_backup_init(into.db(), "main", from.db(), "main");
    if (!b) into.fail(sqlite3_errcode(into.db()));
    // The target's lock is waited for here, as a busy timeout would.
    QElapsedTimer waited;
    waited.start();
    int rc = SQLITE_OK;
    while (((rc = sqlite3_backup_step(b, -1)) == SQLITE_BUSY || rc == SQLITE_LOCKED) && waited.elapsed() < busyTimeoutMs)
        sqlite3_sleep(20);
    const int finished = sqlite3_backup_finish(b);
    from.exec("COMMIT");
    if (rc != SQLITE_DONE) into.fail(rc);
    if (finished != SQLITE_OK) into.fail(finished);
    // Read under a read lock, so another's write right after ours is not taken for ours.
    beginRead(into);
    const FileState written = state(target);
    into.exec("COMMIT");
    return written;
}

} // namespace dbfile
