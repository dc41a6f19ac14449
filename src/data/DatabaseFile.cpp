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

// The header's read and write versions say WAL mode; a WAL beside the file
// puts SQLite into it too. Read before this process opens a connection to the
// file: closing any other descriptor of a file drops the process's locks on it.
bool inWalMode(const QString& path)
{
    if (QFileInfo::exists(path + QStringLiteral("-wal"))) return true;
    QFile f(path);
    char v[2] = {};
    return f.open(QIODevice::ReadOnly) && f.seek(18) && f.read(v, 2) == 2 && (v[0] == 2 || v[1] == 2);
}

// Reads the schema, which also lets the pager see whether the file is in WAL
// mode and rolls back what a killed writer left; SQLite's result code.
int readSchema(Handle& h) { return h.exec("SELECT count(*) FROM sqlite_master"); }

// What a journal_mode pragma answers ("delete", "wal", ...); rc its result code.
QString journalMode(Handle& h, const char* sql, int& rc)
{
    sqlite3_stmt* st = nullptr;
    QString mode;
    rc = sqlite3_prepare_v2(h.db(), sql, -1, &st, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(st);
        if (rc == SQLITE_ROW) mode = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))).toLower();
        if (rc == SQLITE_ROW || rc == SQLITE_DONE) rc = SQLITE_OK;
    }
    sqlite3_finalize(st);
    return mode;
}

// In WAL mode a commit leaves the file's header as it was, and an exclusive
// lock does not keep other connections out: both are what this program relies
// on. Leaving WAL mode needs every other connection gone; SQLite then folds
// the WAL into the file and removes the WAL files itself.
void toRollbackJournal(Handle& h, bool walMode, int busyTimeoutMs)
{
    if (!walMode) return;
    int rc = readSchema(h);
    if (rc != SQLITE_OK) h.fail(rc);
    const QString mode = journalMode(h, "PRAGMA journal_mode", rc);
    if (rc != SQLITE_OK) h.fail(rc);
    if (mode != QLatin1String("wal")) return;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (journalMode(h, "PRAGMA journal_mode=DELETE", rc) == QLatin1String("delete") && rc == SQLITE_OK) return;
        const int code = rc & 0xff;
        if (code != SQLITE_OK && code != SQLITE_BUSY && code != SQLITE_LOCKED) h.fail(rc);
        if (waited.elapsed() >= busyTimeoutMs) h.fail(SQLITE_BUSY);
        sqlite3_sleep(20);
    }
}

quint32 changeCounter(const unsigned char* b)
{
    return (quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | quint32(b[3]);
}

// Size and modification time, without opening the file.
FileState fileTimes(const QString& path)
{
    FileState st;
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return st;
    st.size = info.st_size;
    st.modifiedNs = static_cast<qint64>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return st;
}

// The state of a file that h holds a lock on, read through h's own descriptor:
// opening and closing another one would drop the lock.
FileState stateThrough(Handle& h, const QString& path)
{
    FileState st = fileTimes(path);
    sqlite3_file* file = nullptr;
    unsigned char b[4] = {};
    if (sqlite3_file_control(h.db(), "main", SQLITE_FCNTL_FILE_POINTER, &file) == SQLITE_OK && file && file->pMethods &&
        file->pMethods->xRead(file, b, 4, 24) == SQLITE_OK)
        st.changeCounter = changeCounter(b);
    return st;
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
        // Without its file no transaction can be going on, and a WAL would be
        // played into the next file of that name.
        removeCompanions(files);
        return;
    }
    const bool walMode = inWalMode(path);
    Handle h(path, SQLITE_OPEN_READWRITE, busyTimeoutMs);
    if (walMode) {
        if ((readSchema(h) & 0xff) == SQLITE_NOTADB) {
            removeCompanions(files);
            return;
        }
        toRollbackJournal(h, true, busyTimeoutMs);
    }
    // The exclusive lock first rolls a hot journal back; while it is held, no
    // other process is inside a transaction of the file, so a journal left
    // beside it belongs to none.
    const int rc = h.exec("BEGIN EXCLUSIVE");
    if (rc == SQLITE_OK) {
        removeCompanions({files.first()});
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

void useRollbackJournal(const QString& path, int busyTimeoutMs)
{
    if (!inWalMode(path)) return;
    Handle h(path, SQLITE_OPEN_READWRITE, busyTimeoutMs);
    toRollbackJournal(h, true, busyTimeoutMs);
}

FileState state(const QString& path)
{
    FileState st = fileTimes(path);
    QFile f(path);
    unsigned char b[4] = {};
    if (st.size >= 0 && f.open(QIODevice::ReadOnly) && f.seek(24) && f.read(reinterpret_cast<char*>(b), 4) == 4)
        st.changeCounter = changeCounter(b);
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
        copied = stateThrough(from, source);
        sqlite3_backup* b = sqlite3_backup_init(into.db(), "main", from.db(), "main");
        if (!b) into.fail(sqlite3_errcode(into.db()));
        const int rc = sqlite3_backup_step(b, -1);
        sqlite3_backup_finish(b);
        from.exec("COMMIT");
        if (rc != SQLITE_DONE) (rc == SQLITE_BUSY || rc == SQLITE_LOCKED ? from : into).fail(rc);
    });
    return copied;
}

std::optional<FileState> writeInto(const QString& source, const QString& target, int busyTimeoutMs,
                                   const std::function<bool(const FileState&)>& mayWrite)
{
    if (!QFileInfo(source).isFile()) vb::Raise(vb::errFileNotFound, QStringLiteral("File not found: ") + source);
    if (!QFileInfo(target).isFile()) {
        if (mayWrite && !mayWrite(state(target))) return std::nullopt;
        copy(source, target, busyTimeoutMs);
        return state(target);
    }
    const bool walMode = inWalMode(target);
    Handle from(source, SQLITE_OPEN_READWRITE, busyTimeoutMs);
    Handle into(target, SQLITE_OPEN_READWRITE, busyTimeoutMs);
    toRollbackJournal(into, walMode, busyTimeoutMs);
    beginRead(from);
    sqlite3_backup* b = sqlite3_backup_init(into.db(), "main", from.db(), "main");
    if (!b) into.fail(sqlite3_errcode(into.db()));
    // The target's lock is waited for here, as a busy timeout would.
    QElapsedTimer waited;
    waited.start();
    const auto step = [&](int pages) {
        int rc = SQLITE_OK;
        while (((rc = sqlite3_backup_step(b, pages)) == SQLITE_BUSY || rc == SQLITE_LOCKED) && waited.elapsed() < busyTimeoutMs)
            sqlite3_sleep(20);
        return rc;
    };
    // No page yet: this only takes the target's write lock, which is held
    // until the backup is finished, so the state looked at is the one overwritten.
    int rc = step(0);
    if (rc == SQLITE_OK && mayWrite && !mayWrite(stateThrough(into, target))) {
        sqlite3_backup_finish(b); // rolls back the empty write and lets the lock go
        from.exec("COMMIT");
        return std::nullopt;
    }
    if (rc == SQLITE_OK) rc = step(-1);
    const int finished = sqlite3_backup_finish(b);
    from.exec("COMMIT");
    if (rc != SQLITE_DONE) into.fail(rc);
    if (finished != SQLITE_OK) into.fail(finished);
    // Read under a read lock, so another's write right after ours is not taken for ours.
    beginRead(into);
    const FileState written = stateThrough(into, target);
    into.exec("COMMIT");
    return written;
}

} // namespace dbfile
