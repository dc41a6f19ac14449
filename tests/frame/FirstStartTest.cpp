// The installed program's first start: the frame stand-in run as the package's
// `talpex` does (--user), in a separate process with its own XDG folders.
#include "common/TestSupport.h"
#include "data/Ado.h"
#include "data/Session.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

class FirstStart : public ::testing::Test {
protected:
    QString root() const { return m_dir.file(QStringLiteral("data/talpex")); }
    QString projectDb(const QString& project) const { return root() + QStringLiteral("/PROJEKTE/") + project + QStringLiteral("/TALPEX.mdb"); }

    // Runs the stand-in without starting the program; returns its exit code.
    int run(const QStringList& args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.file(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.file(QStringLiteral("config")));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TALPEX_FRAME_PROGRAM), QStringList{QStringLiteral("--user"), QStringLiteral("--no-start")} + args);
        EXPECT_TRUE(p.waitForFinished(60000));
        m_stderr = QString::fromLocal8Bit(p.readAllStandardError());
        return p.exitCode();
    }
    void start(const QStringList& args = {}) { ASSERT_EQ(run(args), 0) << m_stderr.toStdString(); }

    static long count(const QString& db, const QString& table)
    {
        ado::Connection cnn;
        cnn.OpenFile(db);
        ado::Recordset rs(QStringLiteral("SELECT * FROM [") + table + QStringLiteral("]"), cnn);
        return rs.RecordCount();
    }
    static void addRecord(const QString& db)
    {
        ado::Connection cnn;
        cnn.OpenFile(db);
        testsupport::addRecord(cnn, 77, QStringLiteral("MINE"), true);
    }
    QString lastProject() const
    {
        ado::Connection cnn;
        cnn.OpenFile(root() + QStringLiteral("/DATEN/ARCHIV.mdb"));
        ado::Recordset rs(QStringLiteral("SELECT [PROJEKT],[PROJEKTSPFAD] FROM [ADMIN]"), cnn);
        EXPECT_EQ(rs.RecordCount(), 1);
        EXPECT_EQ(rs.Value(1).toString(), root() + QStringLiteral("/PROJEKTE"));
        return rs.Value(0).toString();
    }

    testsupport::TempDir m_dir;
    QString m_stderr;
};

TEST_F(FirstStart, EmptyDataFolderGetsAFrameInstallationWithAnEmptyProject)
{
    start();
    for (const char* f : {"ARCHIV.mdb", "VORGABE.mdb", "DOLMIR.mdb"})
        EXPECT_TRUE(QFileInfo::exists(root() + QStringLiteral("/DATEN/") + QLatin1String(f))) << f;
    EXPECT_EQ(count(projectDb(QStringLiteral("PROJEKT1")), QStringLiteral("E1")), 0);
    EXPECT_EQ(lastProject(), QStringLiteral("PROJEKT1"));
    QSettings setting(m_dir.file(QStringLiteral("config/MORVANT/MORVANT.conf")), QSettings::IniFormat);
    EXPECT_EQ(setting.value(QStringLiteral("Extras/Datenbankpfad")).toString(), root() + QStringLiteral("/DATEN"));
}

TEST_F(FirstStart, LaterStartsKeepTheProjectsAndOpenTheLastOne)
{
    start();
    addRecord(projectDb(QStringLiteral("PROJEKT1")));
    start({QStringLiteral("--project"), QStringLiteral("NORD")});
    EXPECT_EQ(count(projectDb(QStringLiteral("NORD")), QStringLiteral("E1")), 0);
    start();
    EXPECT_EQ(lastProject(), QStringLiteral("NORD"));
    EXPECT_EQ(count(projectDb(QStringLiteral("PROJEKT1")), QStringLiteral("E1")), 1);
}

TEST_F(FirstStart, DemoAddsTheDemoProjectsOnceAndLeavesOthersAlone)
{
    start();
    addRecord(projectDb(QStringLiteral("PROJEKT1")));
    start({QStringLiteral("--demo")});
    EXPECT_EQ(lastProject(), QStringLiteral("DEMO"));
    const long demo = count(projectDb(QStringLiteral("DEMO")), QStringLiteral("E1"));
    const long second = count(projectDb(QStringLiteral("DEMO2")), QStringLiteral("E1"));
    const long presets = count(root() + QStringLiteral("/DATEN/VORGABE.mdb"), QStringLiteral("TALPEX_V1"));
    EXPECT_GT(demo, 0);
    EXPECT_GT(second, 0);
    EXPECT_GT(presets, 0);
    EXPECT_EQ(count(projectDb(QStringLiteral("PROJEKT1")), QStringLiteral("E1")), 1);

    // Again, after the user worked in the demo: nothing doubled, nothing lost.
    addRecord(projectDb(QStringLiteral("DEMO")));
    start({QStringLiteral("--demo")});
    EXPECT_EQ(count(projectDb(QStringLiteral("DEMO")), QStringLiteral("E1")), demo + 1);
    EXPECT_EQ(count(projectDb(QStringLiteral("DEMO2")), QStringLiteral("E1")), second);
    EXPECT_EQ(count(root() + QStringLiteral("/DATEN/VORGABE.mdb"), QStringLiteral("TALPEX_V1")), presets);
}

TEST_F(FirstStart, ProjectNameThatLeavesTheProjectFolderIsRefused)
{
    EXPECT_EQ(run({QStringLiteral("--project"), QStringLiteral("../../outside")}), 2);
    EXPECT_FALSE(QFileInfo::exists(m_dir.file(QStringLiteral("data"))));
}

// The program's side: the working copy follows the frame folder handed over.
TEST(FrameRoot, HandedOverFolderHoldsTheWorkingCopies)
{
    testsupport::TempDir dir;
    Session s;
    s.programFolder = QStringLiteral("/usr/lib/talpex/TALPEX");
    s.BENUTZER = QStringLiteral("ANNA");
    EXPECT_EQ(s.frameRoot(), QStringLiteral("/usr/lib/talpex"));
    qputenv("TALPEX_FRAME_ROOT", dir.path().toLocal8Bit());
    EXPECT_EQ(s.XMDBPFAD(), dir.path() + QStringLiteral("/BENUTZER/ANNA/TALPEX.mdb"));
    qunsetenv("TALPEX_FRAME_ROOT");
    EXPECT_TRUE(QFileInfo(dir.path() + QStringLiteral("/BENUTZER/ANNA")).isDir());
}

} // namespace
