// One project, two processes: another process's write during a Save, an
// interrupted run kept after another user's Save, and a project another tool
// has put into WAL mode.
#include "RecordFixture.h"

#include "data/DatabaseFile.h"
#include "platform/VBError.h"
#include "shell/StartUp.h"
#include "shell/StatusPanels.h"
#include "shell/frmMAIN.h"

#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A second process on the project: body runs in a child with its own SQLite
// connection; the child tells the test with tell() and waits for it with hear().
class OtherProcess {
public:
    explicit OtherProcess(const std::function<int(OtherProcess&)>& body)
    {
        if (pipe(m_up) != 0 || pipe(m_down) != 0) return;
        m_pid = fork();
        if (m_pid == 0) {
            m_child = true;
            std::_Exit(body(*this));
        }
    }
    ~OtherProcess()
    {
        if (m_pid > 0 && !m_reaped) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        for (int fd : {m_up[0], m_up[1], m_down[0], m_down[1]}) close(fd);
    }
    void tell() { (void)!write(m_child ? m_up[1] : m_down[1], "x", 1); }
    bool hear()
    {
        char c = 0;
        return read(m_child ? m_down[0] : m_up[0], &c, 1) == 1;
    }
    // The child's exit code; -1 when it was killed.
    int wait(bool killFirst = false)
    {
        if (killFirst) kill(m_pid, SIGKILL);
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_reaped = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    int m_up[2] = {-1, -1}, m_down[2] = {-1, -1};
    pid_t m_pid = -1;
    bool m_child = false, m_reaped = false;
};

sqlite3* openDb(const QString& db)
{
    sqlite3* h = nullptr;
    sqlite3_open(QFile::encodeName(db).constData(), &h);
    sqlite3_busy_timeout(h, 10000);
    return h;
}

constexpr const char* kForeignRecord = "INSERT INTO E1 (ID,KEN,AKT) VALUES (9,'FREMD',0)";

class SharedProjectTest : public ::testing::Test {
protected:
    // Save with the given answer to the question whether to overwrite; the boxes shown.
    QList<vb::ScriptedUi::Box> save(int answer)
    {
        f.fi.session.GEAENDERT = true;
        f.fi.ui->clear();
        f.fi.ui->answer(answer);
        f.trigger(QStringLiteral("mnuSPEICHERN"));
        return f.fi.ui->boxes();
    }
    bool asked(const QList<vb::ScriptedUi::Box>& boxes)
    {
        return boxes.size() == 1 && boxes[0].text.startsWith(QStringLiteral("Das Projekt wurde seit dem Öffnen geändert"));
    }
    bool foreignRecordKept() { return FrameInstallation::hasRecord(f.fi.projectDb(), QStringLiteral("FREMD")); }

    RecordFixture f;
};

TEST_F(SharedProjectTest, AWriterThatCommitsWhileSaveWaitsForTheLockIsNotOverwrittenUnasked)
{
    f.start();
    f.addRecord(1, QStringLiteral("S1"), true);
    OtherProcess writer([&](OtherProcess& me) {
        sqlite3* h = openDb(f.fi.projectDb());
        if (sqlite3_exec(h, (QByteArray("BEGIN IMMEDIATE;") + kForeignRecord).constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            return 1;
        me.tell();
        usleep(400000); // Save has looked at the project and waits for the lock
        return sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK ? 0 : 2;
    });
    ASSERT_TRUE(writer.hear());
    EXPECT_TRUE(asked(save(vb::vbCancel)));
    EXPECT_EQ(writer.wait(), 0);
    EXPECT_TRUE(foreignRecordKept());
    EXPECT_TRUE(f.fi.session.GEAENDERT);
    // Yes then overwrites exactly what was asked about.
    EXPECT_TRUE(asked(save(vb::vbYes)));
    EXPECT_FALSE(foreignRecordKept());
    EXPECT_TRUE(FrameInstallation::hasRecord(f.fi.projectDb(), QStringLiteral("S1")));
}

TEST_F(SharedProjectTest, AKeptWorkingCopyRemembersWhereItCameFrom)
{
    for (const bool olderVersion : {false, true}) {
        {
            // A run that is killed: its working copy (and run file) stay.
            StatusPanels panels;
            StartUp killed(f.fi.session, panels);
            ASSERT_TRUE(killed.load());
            f.fi.session.cnnX.Close();
            f.fi.session.cnnX_V.Close();
            f.fi.session.cnnFrame.Close();
        }
        // A copy left by an older version comes without a run file.
        if (olderVersion) ASSERT_TRUE(QFile::remove(f.fi.workingCopy() + QStringLiteral(".run")));
        FrameInstallation::addRecord(f.fi.projectDb(), 9, QStringLiteral("FREMD"), false); // another user's Save
        f.fi.ui->clear();
        f.fi.ui->answer(vb::vbYes); // keep the interrupted run's edits
        f.start();
        EXPECT_TRUE(asked(save(vb::vbCancel))) << olderVersion;
        EXPECT_TRUE(foreignRecordKept());
        // A normal end, and the next round without the other user's record.
        f.fi.session.GEAENDERT = false;
        f.main().closeAs(vbFormCode);
        ado::Connection cnn;
        cnn.OpenFile(f.fi.projectDb());
        cnn.Execute(QStringLiteral("DELETE FROM [E1] WHERE [ID]=9"));
    }
}

TEST_F(SharedProjectTest, AProjectInWalModeKeepsItsLiveWalAndItsCommits)
{
    const QString project = f.fi.projectDb();
    {
        // Another tool holds the project open in WAL mode.
        OtherProcess tool([&](OtherProcess& me) {
            sqlite3* h = openDb(project);
            sqlite3_exec(h, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
            if (sqlite3_exec(h, kForeignRecord, nullptr, nullptr, nullptr) != SQLITE_OK) return 1;
            me.tell();
            me.hear();
            return sqlite3_exec(h, "SELECT count(*) FROM E1; SELECT count(*) FROM E3", nullptr, nullptr, nullptr) == SQLITE_OK ? 0 : 2;
        });
        ASSERT_TRUE(tool.hear());
        // The clean-up at start and the switch before the copy: in use, nothing changed.
        for (const auto& call : {std::function<void()>([&] { dbfile::settle(project, 0); }),
                                 std::function<void()>([&] { dbfile::useRollbackJournal(project, 100); })}) {
            try {
                call();
                ADD_FAILURE() << "went on while the project is in use";
            } catch (const vb::VBError& e) {
                EXPECT_EQ(e.Number(), vb::errFileLocked);
            }
        }
        EXPECT_TRUE(QFileInfo::exists(project + QStringLiteral("-wal")));
        tool.tell();
        EXPECT_EQ(tool.wait(), 0);
    }
    f.start();
    EXPECT_TRUE(FrameInstallation::hasRecord(f.fi.workingCopy(), QStringLiteral("FREMD")));
    f.addRecord(1, QStringLiteral("S1"), true);
    // A commit that only reached the WAL: the tool is killed before it checkpoints.
    OtherProcess killed([&](OtherProcess& me) {
        sqlite3* h = openDb(project);
        sqlite3_exec(h, "PRAGMA journal_mode=WAL; UPDATE E1 SET KEN='FREMD2' WHERE ID=9", nullptr, nullptr, nullptr);
        me.tell();
        pause();
        return 0;
    });
    ASSERT_TRUE(killed.hear());
    killed.wait(true);
    EXPECT_TRUE(asked(save(vb::vbCancel)));
    EXPECT_TRUE(FrameInstallation::hasRecord(project, QStringLiteral("FREMD2")));
    EXPECT_FALSE(QFileInfo::exists(project + QStringLiteral("-wal")));
}

} // namespace
