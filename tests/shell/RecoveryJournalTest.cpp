// The start after a run that was killed inside a write transaction: the
// journal it left must be rolled back into the copy it belongs to (Yes) and
// never into the fresh copy of the project (No).
#include "FrameInstallation.h"

#include "data/Ado.h"
#include "shell/Compaction.h"
#include "shell/StartUp.h"
#include "shell/StatusPanels.h"
#include "shell/WorkingCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kReadings = 2000;

// Every reading of record 1 as "I1:DET" lines.
QStringList readings(const QString& db)
{
    ado::Connection cnn;
    cnn.OpenFile(db);
    ado::Recordset rs(QStringLiteral("SELECT [I1],[DET] FROM [E3] WHERE [ID]=1 ORDER BY [I1]"), cnn);
    QStringList rows;
    for (; !rs.Eof(); rs.MoveNext()) rows << rs.Value(0).toString() + QLatin1Char(':') + rs.Value(1).toString();
    return rows;
}

QString integrity(const QString& db)
{
    ado::Connection cnn;
    cnn.OpenFile(db);
    ado::Recordset rs(QStringLiteral("PRAGMA integrity_check"), cnn);
    return rs.Value(0).toString();
}

void setReadings(const QString& db, int det)
{
    ado::Connection cnn;
    cnn.OpenFile(db);
    cnn.Execute(QStringLiteral("UPDATE [E3] SET [DET]=%1+[I1]").arg(det));
}

// A separate process rewrites every reading of db inside one transaction,
// with a page cache so small that changed pages reach the file before the
// commit, and is killed before it commits.
void killWriterInsideTransaction(const QString& db)
{
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const QByteArray path = QFile::encodeName(db);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        sqlite3* h = nullptr;
        sqlite3_open(path.constData(), &h);
        sqlite3_exec(h, "PRAGMA cache_size=2; BEGIN; UPDATE E3 SET DET=DET+900000;", nullptr, nullptr, nullptr);
        (void)!write(ready[1], "x", 1);
        for (;;) pause();
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    close(ready[0]);
    close(ready[1]);
}

class RecoveryJournalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FrameInstallation::addRecord(fi.projectDb(), 1, QStringLiteral("B1"), true);
        {
            ado::Connection cnn;
            cnn.OpenFile(fi.projectDb());
            ado::Transaction tx(cnn);
            for (int i = 0; i < kReadings; ++i)
                cnn.Execute(QStringLiteral("INSERT INTO [E3] ([ID],[I1],[DET]) VALUES (1,%1,%1)").arg(i));
            tx.commit();
        }
        QDir().mkpath(QFileInfo(fi.workingCopy()).path());
        QFile::copy(fi.projectDb(), fi.workingCopy());
        setReadings(fi.workingCopy(), 5000); // the kept edit of the interrupted run
        projectState = readings(fi.projectDb());
        keptState = readings(fi.workingCopy());
        ASSERT_NE(projectState, keptState);
        killWriterInsideTransaction(fi.workingCopy());
        ASSERT_TRUE(QFileInfo::exists(fi.workingCopy() + QStringLiteral("-journal")));
    }

    FrameInstallation fi;
    StatusPanels panels;
    StartUp startUp{fi.session, panels};
    QStringList projectState, keptState;
};

TEST_F(RecoveryJournalTest, NoGivesExactlyTheProjectState)
{
    fi.ui->answer(vb::vbNo);
    ASSERT_TRUE(startUp.load());
    EXPECT_EQ(readings(fi.workingCopy()), projectState);
    EXPECT_FALSE(QFileInfo::exists(fi.workingCopy() + QStringLiteral("-journal")));
    fi.session.cnnX.Close();
    EXPECT_EQ(integrity(fi.workingCopy()), QStringLiteral("ok"));
}

TEST_F(RecoveryJournalTest, YesGivesTheKeptEditsWithoutTheUnfinishedTransaction)
{
    fi.ui->answer(vb::vbYes);
    ASSERT_TRUE(startUp.load());
    EXPECT_EQ(readings(fi.workingCopy()), keptState);
    EXPECT_FALSE(QFileInfo::exists(fi.workingCopy() + QStringLiteral("-journal")));
    // Saving then carries the kept edits, and only them, into the project.
    startUp.workingCopy().saveToProject();
    EXPECT_EQ(readings(fi.projectDb()), keptState);
}

TEST_F(RecoveryJournalTest, CopiesOverAFileSettleItsJournalFirst)
{
    // A stray journal beside the project (and a compaction leftover) must not
    // reach the saved file or the next compaction.
    QFile::copy(fi.workingCopy() + QStringLiteral("-journal"), fi.projectDb() + QStringLiteral("-journal"));
    const QString t = Compaction::temporaryPath(fi.workingCopy());
    QFile::copy(fi.workingCopy(), t);
    fi.ui->answer(vb::vbYes);
    ASSERT_TRUE(startUp.load());
    EXPECT_FALSE(QFileInfo::exists(t));
    startUp.workingCopy().saveToProject();
    EXPECT_FALSE(QFileInfo::exists(fi.projectDb() + QStringLiteral("-journal")));
    EXPECT_EQ(readings(fi.projectDb()), keptState);
    EXPECT_EQ(integrity(fi.projectDb()), QStringLiteral("ok"));
}

} // namespace
