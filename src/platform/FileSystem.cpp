#include "platform/FileSystem.h"

#include "platform/VBError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {
// Opens (creating) the copy's temporary file and locks it for this copy. A
// lock no process holds marks the leftover of a killed copy, which is reused;
// a held one a copy in progress. Returns -1 (errno EWOULDBLOCK) when held.
int lockTemporary(const QByteArray& temp)
{
    for (;;) {
        const int fd = ::open(temp.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) return -1;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int e = errno;
            ::close(fd);
            errno = e;
            return -1;
        }
        // The file may have been renamed into place by the copy that held it
        // while this one waited to open it: only the file still under the
        // temporary name is ours.
        struct stat opened {}, named {};
        if (::fstat(fd, &opened) == 0 && ::stat(temp.constData(), &named) == 0 && opened.st_ino == named.st_ino &&
            opened.st_dev == named.st_dev)
            return fd;
        ::close(fd);
    }
}

void syncFolderOf(const QString& path)
{
    const int dir = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    ::fsync(dir);
    ::close(dir);
}
} // namespace

QString FileSystemObject::temporaryCopyPath(const QString& target) { return target + QStringLiteral(".part"); }

void FileSystemObject::CopyFile(const QString& source, const QString& target, bool overwrite) const
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) Raise(errFileNotFound, QStringLiteral("File not found: ") + source);
    if (!overwrite && QFileInfo::exists(target)) Raise(58, QStringLiteral("File already exists: ") + target);
    ReplaceFile(target, [&](const QString& temporary) {
        QFile out(temporary);
        if (!out.open(QIODevice::WriteOnly)) Raise(errPathFileAccess, QStringLiteral("Path/File access error: ") + target);
        char buf[1 << 16];
        for (;;) {
            const qint64 n = in.read(buf, sizeof buf);
            if (n < 0) Raise(errPathFileAccess, QStringLiteral("Read error: ") + source);
            if (n == 0) break;
            if (out.write(buf, n) != n) Raise(61, QStringLiteral("Disk full: ") + target);
        }
        if (!out.flush()) Raise(61, QStringLiteral("Disk full: ") + target);
    });
}

void FileSystemObject::ReplaceFile(const QString& target, const std::function<void(const QString&)>& write) const
{
    const QString tempName = temporaryCopyPath(target);
    const QByteArray temp = QFile::encodeName(tempName);
    const int fd = lockTemporary(temp);
    if (fd < 0) {
        if (errno == EWOULDBLOCK) Raise(70, QStringLiteral("Permission denied: %1 is being written by another copy").arg(target));
        Raise(errPathFileAccess, QStringLiteral("Path/File access error: ") + target);
    }
    // Removing the temporary file needs the lock: a failed copy never removes another's.
    auto fail = [&](long number, const QString& text) {
        ::unlink(temp.constData());
        ::close(fd);
        Raise(number, text);
    };
    if (::ftruncate(fd, 0) != 0) fail(errPathFileAccess, QStringLiteral("Path/File access error: ") + target);
    try {
        write(tempName);
    } catch (const VBError& e) {
        fail(e.Number(), e.Description());
    }
    // A shared project folder lets its group write the file: a replaced file keeps that.
    struct stat old {};
    if (::stat(QFile::encodeName(target).constData(), &old) == 0) {
        if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
            // Not a member of that group: the file keeps the process's group.
        }
        if (::fchmod(fd, old.st_mode & 07777) != 0) fail(errPathFileAccess, QStringLiteral("Path/File access error: ") + target);
    }
    // On the disk before the rename, so the name never stands for a file
    // whose contents a power cut could still lose.
    if (::fsync(fd) != 0) fail(errPathFileAccess, QStringLiteral("Path/File access error: ") + target);
    if (::rename(temp.constData(), QFile::encodeName(target).constData()) != 0)
        fail(errPathFileAccess, QStringLiteral("Path/File access error: ") + target);
    ::close(fd);
    syncFolderOf(target);
}

void FileSystemObject::SyncToDisk(const QString& path) const
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) Raise(errFileNotFound, QStringLiteral("File not found: ") + path);
    const int rc = ::fsync(fd);
    ::close(fd);
    if (rc != 0) Raise(errPathFileAccess, QStringLiteral("Path/File access error: ") + path);
    syncFolderOf(path);
}

void FileSystemObject::RemoveStaleCopy(const QString& target) const
{
    const QString temp = temporaryCopyPath(target);
    if (!QFileInfo::exists(temp)) return;
    const QByteArray name = QFile::encodeName(temp);
    const int fd = lockTemporary(name);
    if (fd < 0) return; // a copy is writing it
    ::unlink(name.constData());
    ::close(fd);
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
