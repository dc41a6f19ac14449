#include "platform/FileSystem.h"

#include "platform/VBError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace vb {

bool FileSystemObject::FileExists(const QString& path) const
{
    const QFileInfo fi(path);
    return fi.exists() && fi.isFile();
}

bool FileSystemObject::FolderExists(const QString& path) const
{
    const QFileInfo fi(path);
    return !path.isEmpty() && fi.exists() && fi.isDir();
}

void FileSystemObject::CreateFolder(const QString& path) const
{
    if (FolderExists(path)) return;
    if (!QDir().mkdir(path)) Raise(errPathNotFound, QStringLiteral("Path not found: ") + path);
}

void FileSystemObject::CopyFile(const QString& source, const QString& target, bool overwrite) const
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) Raise(errFileNotFound, QStringLiteral("File not found: ") + source);
    if (!overwrite && QFileInfo::exists(target)) Raise(58, QStringLiteral("File already exists: ") + target);
    QSaveFile out(target); // writes "<target>.XXXXXX" beside it, renames on commit
    if (!out.open(QIODevice::WriteOnly)) Raise(errPathFileAccess, QStringLiteral("Path/File access error: ") + target);
    char buf[1 << 16];
    for (;;) {
        const qint64 n = in.read(buf, sizeof buf);
        if (n < 0) { out.cancelWriting(); Raise(errPathFileAccess, QStringLiteral("Read error: ") + source); }
        if (n == 0) break;
        if (out.write(buf, n) != n) { out.cancelWriting(); Raise(61, QStringLiteral("Disk full: ") + target); }
    }
    if (!out.commit()) Raise(errPathFileAccess, QStringLiteral("Path/File access error: ") + target);
}

void FileSystemObject::DeleteFile(const QString& path) const
{
    if (!QFileInfo::exists(path)) Raise(errFileNotFound, QStringLiteral("File not found: ") + path);
    if (!QFile::remove(path)) Raise(errPathFileAccess, QStringLiteral("Permission denied: ") + path);
}

void FileSystemObject::MoveFile(const QString& source, const QString& target) const
{
    if (!QFileInfo::exists(source)) Raise(errFileNotFound, QStringLiteral("File not found: ") + source);
    if (QFileInfo::exists(target)) Raise(58, QStringLiteral("File already exists: ") + target);
    if (!QFile::rename(source, target)) Raise(errPathFileAccess, QStringLiteral("Path/File access error: ") + target);
}

qint64 FileSystemObject::FileSize(const QString& path) const
{
    const QFileInfo fi(path);
    if (!fi.exists()) Raise(errFileNotFound, QStringLiteral("File not found: ") + path);
    return fi.size();
}

QString FileSystemObject::GetParentFolderName(const QString& path) const
{
    QString p = QDir::cleanPath(path);
    const int i = p.lastIndexOf(QLatin1Char('/'));
    if (i < 0) return QString();
    if (i == 0) return QStringLiteral("/");
    return p.left(i);
}

QString FileSystemObject::GetFileName(const QString& path) const { return QFileInfo(path).fileName(); }

} // namespace vb
