// One project, two processes: another process's write during a Save or while
// a run was killed, and a project another tool has put into WAL mode.
#include "RecordFixture.h"

#include "data/DatabaseFile.h"
#include "platform/VBError.h"
#include "shell/StartUp.h"
#include "shell/StatusPanels.h"
#include "shell/frmMAIN.h"

#include <QFile>
#include <QFileInfo>
#include <optional>
#include <poll.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Another process with its own connection to a database: runs the steps in
// turn, tells the test after each, and goes on when told or after a second.
// Its exit code is the number of steps that failed. It ends without closing
// its connection, as a killed process would.
class OtherProcess {
public:
    OtherProcess(const QString& db, const QList<const char*>& steps)
    {
        if (pipe(m_up) != 0 || pipe(m_down) != 0 || (m_pid = fork()) != 0) return;
        sqlite3* h = nullptr;
        sqlite3_open(QFile::encodeName(db).constData(), &h);
        sqlite3_busy_timeout(h, 10000);
        int failed = 0;
        for (const char* sql : steps) {
            failed += sqlite3_exec(h, sql, nullptr, nullptr, nullptr) != SQLITE_OK;
            (void)!write(m_up[1], "x", 1);
            pollfd told{m_down[0], POLLIN, 0};
            char c = 0;
            if (poll(&told, 1, 1000) > 0) (void)!read(m_down[0], &c, 1);
        }
        std::_Exit(failed);
    }
    ~OtherProcess() { wait(); }
    // Two steps done, as the tests wait for the second.
    bool heardTwo()
    {
        char c[2] = {};
        return read(m_up[0], c, 1) == 1 && read(m_up[0], c + 1, 1) == 1;
    }
    void tell() { (void)!write(m_down[1], "x", 1); }
    int wait()
    {
        if (m_pid > 0 && waitpid(m_pid, &m_status, 0) == m_pid) m_pid = -1;
        return WIFEXITED(m_status) ? WEXITSTATUS(m_status) : -1;
    }

private:
    int m_up[2] = {-1, -1}, m_down[2] = {-1, -1}, m_status = 0;
    pid_t m_pid = -1;
};

constexpr const char* kForeignRecord = "INSERT INTO E1 (ID,KEN,AKT) VALUES (9,'FREMD',0)";

class SharedProjectTest : public ::testing::Test {
protected:
    // Save with the given answer to the question whether to overwrite; whether that alone was asked.
    bool saveAsks(int answer)
    {
        f.fi.session.GEAENDERT = true;
        f.fi.ui->clear();
        f.fi.ui->answer(answer);
        f.trigger(QStringLiteral("mnuSPEICHERN"));
        const auto& boxes = f.fi.ui->boxes();
        return boxes.size() == 1 && boxes[0].text.startsWith(QStringLiteral("Das Projekt wurde seit dem Öffnen geändert"));
    }
    bool foreignRecordKept() { return FrameInstallation::hasRecord(f.fi.projectDb(), QStringLiteral("FREMD")); }

    RecordFixture f;
};

// What another process wrote meanwhile is not overwritten unasked, and Yes
// overwrites exactly that: a writer that commits while Save waits for the
// project, another user's Save while this user's run was killed (its kept
// working copy with its run file, or one of an older version without).
TEST_F(SharedProjectTest, AChangeMadeMeanwhileIsOverwrittenOnlyWhenTheUserSaysSo)
{
    for (const int killedRun : {0, 1, 2}) {
        SCOPED_TRACE(killedRun);
        std::optional<OtherProcess> writer;
        if (!killedRun) {
            f.start();
            f.addRecord(1, QStringLiteral("S1"), true);
            writer.emplace(f.fi.projectDb(), QList<const char*>{"BEGIN IMMEDIATE", kForeignRecord, "COMMIT"});
            ASSERT_TRUE(writer->heardTwo());
        } else {
            {
                StatusPanels panels;
                StartUp killed(f.fi.session, panels);
                ASSERT_TRUE(killed.load());
                f.fi.session.cnnX.Close();
                f.fi.session.cnnX_V.Close();
                f.fi.session.cnnFrame.Close();
            }
            if (killedRun == 2) ASSERT_TRUE(QFile::remove(f.fi.workingCopy() + QStringLiteral(".run")));
            FrameInstallation::addRecord(f.fi.projectDb(), 9, QStringLiteral("FREMD"), false);
            f.fi.ui->clear();
            f.fi.ui->answer(vb::vbYes); // keep the interrupted run's edits
            f.start();
        }
        EXPECT_TRUE(saveAsks(vb::vbCancel));
        if (writer) EXPECT_EQ(writer->wait(), 0);
        EXPECT_TRUE(foreignRecordKept());
        EXPECT_TRUE(f.fi.session.GEAENDERT);
        EXPECT_TRUE(saveAsks(vb::vbYes));
        EXPECT_FALSE(foreignRecordKept());
        EXPECT_TRUE(FrameInstallation::hasRecord(f.fi.projectDb(), QStringLiteral("S1")));
        f.fi.session.GEAENDERT = false;
        f.main().closeAs(vbFormCode);
    }
}

TEST_F(SharedProjectTest, AProjectInWalModeKeepsItsLiveWalAndItsCommits)
{
    const QString project = f.fi.projectDb();
    {
        // Another tool holds the project open in WAL mode.
        OtherProcess tool(project, {"PRAGMA journal_mode=WAL", kForeignRecord, "SELECT count(*) FROM E1; SELECT count(*) FROM E3"});
        ASSERT_TRUE(tool.heardTwo());
        // The clean-up at start and the switch before the copy: in use, nothing changed.
        for (const bool atStart : {true, false}) {
            try {
                atStart ? dbfile::settle(project, 0) : dbfile::useRollbackJournal(project, 100);
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
    OtherProcess killed(project, {"PRAGMA journal_mode=WAL", "UPDATE E1 SET KEN='FREMD2' WHERE ID=9"});
    EXPECT_EQ(killed.wait(), 0);
    EXPECT_TRUE(saveAsks(vb::vbCancel));
    EXPECT_TRUE(FrameInstallation::hasRecord(project, QStringLiteral("FREMD2")));
    EXPECT_FALSE(QFileInfo::exists(project + QStringLiteral("-wal")));
}

} // namespace
