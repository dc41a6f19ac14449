// Copying a file over another: the target is the old or the complete new
// file, and two copies to one target never write into each other.
#include "common/TestSupport.h"
#include "platform/FileSystem.h"
#include "platform/VBError.h"

#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

void write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
}

QByteArray read(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

TEST(FileSystemCopy, ACopyInProgressIsNotDisturbedAndALeftoverIsReused)
{
    testsupport::TempDir dir;
    const QString source = dir.file(QStringLiteral("a.mdb")), target = dir.file(QStringLiteral("b.mdb"));
    const QString temp = vb::FileSystemObject::temporaryCopyPath(target);
    write(source, QByteArray(100000, 'n'));
    write(target, "old");
    vb::FileSystemObject fso;

    // Another copy holds the temporary file: this one is refused and touches nothing.
    write(temp, "half");
    const int held = ::open(QFile::encodeName(temp).constData(), O_RDWR);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    try {
        fso.CopyFile(source, target);
        ADD_FAILURE() << "copy into a held temporary file";
    } catch (const vb::VBError& e) {
        EXPECT_EQ(e.Number(), 70);
    }
    fso.RemoveStaleCopy(target);
    EXPECT_EQ(read(temp), "half");
    EXPECT_EQ(read(target), "old");

    // Once its writer is gone (killed), the leftover is no obstacle and is cleaned up.
    ::close(held);
    fso.CopyFile(source, target);
    EXPECT_EQ(read(target), QByteArray(100000, 'n'));
    EXPECT_FALSE(QFileInfo::exists(temp));
    write(temp, "half");
    fso.RemoveStaleCopy(target);
    EXPECT_FALSE(QFileInfo::exists(temp));
}

} // namespace
