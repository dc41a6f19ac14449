// The installed program's first start: the frame stand-in run as the package's
// `talpex` does (--user), in a separate process with its own XDG folders.
#include "common/TestSupport.h"
#include "data/Session.h"

#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

using S = QString;

class FirstStart : public ::testing::Test {
protected:
    S root() const { return m_dir.file(S("data/talpex")); }
    // a file below the installation, or a project's database
    S db(const S& name) const { return root() + (name.contains('/') ? S("/") + name : S("/PROJEKTE/%1/TALPEX.mdb").arg(name)); }

    // Runs the stand-in without starting the program; returns its exit code.
    int run(const QStringList& args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(S("XDG_DATA_HOME"), m_dir.file(S("data")));
        env.insert(S("XDG_CONFIG_HOME"), m_dir.file(S("config")));
        p.setProcessEnvironment(env);
        p.start(S(TALPEX_FRAME_PROGRAM), QStringList{S("--user"), S("--no-start")} + args);
        EXPECT_TRUE(p.waitForFinished(60000));
        m_stderr = S::fromLocal8Bit(p.readAllStandardError());
        return p.exitCode();
    }
    void start(const QStringList& args = {}) { ASSERT_EQ(run(args), 0) << m_stderr.toStdString(); }

    std::unique_ptr<ado::Connection> open(const S& name) const { auto c = std::make_unique<ado::Connection>(); c->OpenFile(db(name)); return c; }
    long rows(const S& name, const S& table = S("E1")) const { return ado::Recordset(S("SELECT * FROM ") + table, *open(name)).RecordCount(); }
    S admin(const S& column) const { return ado::Recordset(S("SELECT * FROM [ADMIN]"), *open(S("DATEN/ARCHIV.mdb"))).Value(column).toString(); }
    void addRecord(const S& project) const { testsupport::addRecord(*open(project), 77, S("MINE"), true); }

    testsupport::TempDir m_dir;
    S m_stderr;
};

TEST_F(FirstStart, EmptyDataFolderGetsAFrameInstallationWithAnEmptyProject)
{
    start();
    EXPECT_EQ(rows(S("PROJEKT1")), 0);
    EXPECT_TRUE(QFileInfo::exists(db(S("DATEN/VORGABE.mdb"))) && QFileInfo::exists(db(S("DATEN/DOLMIR.mdb"))));
    EXPECT_EQ(admin(S("PROJEKT")), S("PROJEKT1"));
    EXPECT_EQ(admin(S("PROJEKTSPFAD")), root() + S("/PROJEKTE"));
    QSettings setting(m_dir.file(S("config/MORVANT/MORVANT.conf")), QSettings::IniFormat);
    EXPECT_EQ(setting.value(S("Extras/Datenbankpfad")).toString(), root() + S("/DATEN"));
}

TEST_F(FirstStart, LaterStartsKeepTheProjectsAndOpenTheLastOne)
{
    start();
    addRecord(S("PROJEKT1"));
    start({S("--project"), S("NORD")});
    EXPECT_EQ(rows(S("NORD")), 0);
    start();
    EXPECT_EQ(admin(S("PROJEKT")), S("NORD"));
    EXPECT_EQ(rows(S("PROJEKT1")), 1);
    EXPECT_EQ(run({S("--project"), S("../../outside")}), 2);
    EXPECT_FALSE(QFileInfo::exists(m_dir.file(S("data/outside"))));
}

TEST_F(FirstStart, DemoAddsTheDemoProjectsOnceAndLeavesOthersAlone)
{
    start();
    addRecord(S("PROJEKT1"));
    start({S("--demo")});
    EXPECT_EQ(admin(S("PROJEKT")), S("DEMO"));
    const long demo = rows(S("DEMO")), second = rows(S("DEMO2")), presets = rows(S("DATEN/VORGABE.mdb"), S("TALPEX_V1"));
    EXPECT_GT(demo * second * presets, 0);
    EXPECT_EQ(rows(S("PROJEKT1")), 1);

    // Again, after the user worked in the demo: nothing doubled, nothing lost.
    addRecord(S("DEMO"));
    start({S("--demo")});
    EXPECT_EQ(rows(S("DEMO")), demo + 1);
    EXPECT_EQ(rows(S("DEMO2")) + rows(S("DATEN/VORGABE.mdb"), S("TALPEX_V1")), second + presets);
}

// The program's side: the working copy follows the frame folder handed over.
TEST(FrameRoot, HandedOverFolderHoldsTheWorkingCopies)
{
    testsupport::TempDir dir;
    Session s;
    s.programFolder = S("/usr/lib/talpex/TALPEX");
    s.BENUTZER = S("ANNA");
    EXPECT_EQ(s.frameRoot(), S("/usr/lib/talpex"));
    qputenv("TALPEX_FRAME_ROOT", dir.path().toLocal8Bit());
    EXPECT_EQ(s.XMDBPFAD(), dir.file(S("BENUTZER/ANNA/TALPEX.mdb")));
    qunsetenv("TALPEX_FRAME_ROOT");
}

} // namespace
