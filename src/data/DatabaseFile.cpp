#include "data/DatabaseFile.h"

#include "platform/FileSystem.h"
#include "platform/VBError.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <sqlite3.h>

namespace dbfile {

QStringList companions(const QString& path)
{
    return {path + QStringLiteral("-journal"), path + QStringLiteral("-wal"), path + QStringLiteral("-shm")};
}

void settle(const QString& path)
{
    const QStringList files = companions(path);
    if (std::none_of(files.begin(), files.end(), [](const QString& f) { return QFileInfo::exists(f); })) return;
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
    for (const QString& f : files)
        if (QFileInfo::exists(f) && !QFile::remove(f))
            vb::Raise(vb::errPathFileAccess, QStringLiteral("Path/File access error: ") + f);
}

void copy(const QString& source, const QString& target)
{
    vb::FileSystemObject fso;
    if (!fso.FileExists(source)) vb::Raise(vb::errFileNotFound, QStringLiteral("File not found: ") + source);
    settle(source);
    settle(target);
    fso.CopyFile(source, target, true);
}

} // namespace dbfile
