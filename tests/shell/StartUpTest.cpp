// Start-up and closing against real files in a temporary frame installation.
#include "FrameInstallation.h"

#include "data/Ado.h"
#include "data/Schema.h"
#include "platform/Convert.h"
#include "shell/StartUp.h"
#include "shell/StatusPanels.h"

#include <QCoreApplication>
#include <QDir>
#include <QSysInfo>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

const QString kRefusalDe = QStringLiteral("Programm TALPEX kann nur über das Rahmenprogramm ausgeführt werden!");
const QString kInterruptedDe = QStringLiteral("Programm wurde während der Ausführung unterbrochen!\n"
                                              "Soll die bis zum Abbruch vorhandenen Daten gepeichert werden?");

class StartUpTest : public ::testing::Test {
protected:
    FrameInstallation fi;
    StatusPanels panels;
    StartUp startUp{fi.session, panels};
    const QList<vb::ScriptedUi::Box>& boxes() { return fi.ui->boxes(); }
};

TEST_F(StartUpTest, NormalStartRegistersProgramAndCreatesWorkingCopy)
{
    FrameInstallation::addRecord(fi.projectDb(), 1, QStringLiteral("B1"), true, QStringLiteral("Schurf 1"));
    ASSERT_TRUE(startUp.load());
    EXPECT_TRUE(boxes().isEmpty());
    Session& s = fi.session;
    EXPECT_EQ(s.BENUTZER, QStringLiteral("TESTER"));
    EXPECT_EQ(s.SPRACHE, 3);
    EXPECT_EQ(s.PROJEKTSPFAD, fi.projectsFolder());
    EXPECT_EQ(s.PROJEKT, QStringLiteral("DEMO"));
    EXPECT_EQ(s.BEARBEITER, QStringLiteral("Ing. Berta Test"));
    EXPECT_FALSE(s.developmentMode);
    EXPECT_FALSE(s.GEAENDERT);
    EXPECT_EQ(fi.adminValue(QStringLiteral("TESTER"), QStringLiteral("PROG")).toString(), QStringLiteral("TALPEX"));
    EXPECT_TRUE(QFileInfo::exists(fi.workingCopy()));
    EXPECT_EQ(s.XMDBPFAD(), fi.workingCopy());
    EXPECT_TRUE(s.cnnX.isOpen());
    EXPECT_TRUE(s.cnnX_V.isOpen());
    EXPECT_TRUE(FrameInstallation::hasRecord(fi.workingCopy(), QStringLiteral("B1")));
    EXPECT_EQ(panels.text(2), QStringLiteral("DEMO"));
    EXPECT_EQ(panels.toolTip(2), QStringLiteral("Ing. Berta Test"));
    EXPECT_EQ(panels.text(4), QStringLiteral("TALPEX"));
    EXPECT_EQ(panels.toolTip(4), QStringLiteral("Pervatum"));
    EXPECT_EQ(panels.toolTip(1), fi.projectsFolder());
    EXPECT_TRUE(panels.text(1).endsWith(QLatin1Char('/')));
    EXPECT_EQ(panels.text(6), QStringLiteral("B1"));
    EXPECT_EQ(panels.toolTip(6), QStringLiteral("Schurf 1"));
}

TEST_F(StartUpTest, OtherUsersOfTheProjectAreNamedOnce)
{
    fi.addAdminRow(QStringLiteral("MAIER"), fi.projectsFolder() + QLatin1Char('/'), QStringLiteral("DEMO"), QString());
    fi.addAdminRow(QStringLiteral("SCHULZ"), fi.projectsFolder(), QStringLiteral("ANDERS"), QString());
    ado::Connection frame;
    frame.OpenFile(fi.dataFolder() + QStringLiteral("/ARCHIV.mdb"));
    // TESTER's own row still says TALPEX from a run that was killed.
    frame.Execute(QStringLiteral("UPDATE [ADMIN] SET [PROG]='TALPEX'"));
    ASSERT_TRUE(startUp.load());
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].icon(), vb::vbInformation);
    EXPECT_TRUE(boxes()[0].text.startsWith(QStringLiteral("Projekt DEMO ist auch bei Benutzer MAIER geöffnet.\n"))) << boxes()[0].text.toStdString();
}

TEST_F(StartUpTest, LanguageAndDecimalSeparatorComeFromTheLocale)
{
    fi.sys->language = QStringLiteral("fr");
    fi.sys->decimal = QStringLiteral(".");
    ASSERT_TRUE(startUp.load());
    EXPECT_EQ(fi.session.SPRACHE, 3);
    EXPECT_EQ(fi.session.DEZIMALPUNKT, QStringLiteral("."));
    EXPECT_EQ(vb::DecimalSeparator(), QStringLiteral("."));
    vb::SetDecimalSeparator(QStringLiteral(","));
    EXPECT_EQ(StartUp::languageOf(QStringLiteral("en")), 1);
    EXPECT_EQ(StartUp::languageOf(QStringLiteral("de")), 3);
}

TEST_F(StartUpTest, RefusalWithoutAdminRowChangesNothing)
{
    fi.sys->login = QStringLiteral("somebody");
    const QByteArray projectBefore = [&] { QFile f(fi.projectDb()); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    EXPECT_FALSE(startUp.load());
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].text, kRefusalDe);
    EXPECT_EQ(boxes()[0].title, QStringLiteral("TALPEX"));
    EXPECT_EQ(boxes()[0].buttons(), vb::vbOKOnly);
    EXPECT_EQ(boxes()[0].icon(), vb::vbExclamation);
    EXPECT_EQ(fi.adminRows(), 1);
    EXPECT_EQ(fi.adminValue(QStringLiteral("TESTER"), QStringLiteral("PROG")).toString(), QStringLiteral("MORVANT"));
    EXPECT_FALSE(QFileInfo::exists(fi.root() + QStringLiteral("/BENUTZER/SOMEBODY/TALPEX.mdb")));
    EXPECT_FALSE(QFileInfo::exists(fi.root() + QStringLiteral("/BENUTZER/SOMEBODY/TALPEX.mdb.lock")));
    QFile f(fi.projectDb());
    f.open(QIODevice::ReadOnly);
    EXPECT_EQ(f.readAll(), projectBefore);
    EXPECT_FALSE(fi.session.cnnFrame.isOpen());
}

TEST_F(StartUpTest, RefusalInEnglish)
{
    fi.sys->login = QStringLiteral("somebody");
    fi.sys->language = QStringLiteral("en");
    EXPECT_FALSE(startUp.load());
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].text, QStringLiteral("Program TALPEX can used only via the frame program!"));
}

TEST_F(StartUpTest, QuoteInUserNameIsLookedUpSafely)
{
    fi.sys->login = QStringLiteral("o'brien");
    fi.addAdminRow(QStringLiteral("O'BRIEN"), fi.projectsFolder(), QStringLiteral("DEMO"), QStringLiteral("O'Brien"));
    ASSERT_TRUE(startUp.load());
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_EQ(fi.adminValue(QStringLiteral("O'BRIEN"), QStringLiteral("PROG")).toString(), QStringLiteral("TALPEX"));
    EXPECT_EQ(fi.adminValue(QStringLiteral("TESTER"), QStringLiteral("PROG")).toString(), QStringLiteral("MORVANT"));
}

TEST_F(StartUpTest, MissingProjectFolderEndsAndResetsAdmin)
{
    QDir(fi.projectsFolder() + QStringLiteral("/DEMO")).removeRecursively();
    EXPECT_FALSE(startUp.load());
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].text, QStringLiteral("Projektsverzeichnis DEMO existiert nicht!"));
    EXPECT_EQ(fi.adminValue(QStringLiteral("TESTER"), QStringLiteral("PROG")).toString(), QStringLiteral("MORVANT"));
    EXPECT_FALSE(QFileInfo::exists(fi.workingCopy()));
}

TEST_F(StartUpTest, MissingEmptyDatabaseEndsAndResetsAdmin)
{
    fi.sys->language = QStringLiteral("en");
    QFile::remove(fi.programFolder() + QStringLiteral("/TALPEX.mdb"));
    EXPECT_FALSE(startUp.load());
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].text,
              QStringLiteral("The empty database TALPEX.mdb dosn't exist!\nOrvalis has to be installed again!"));
    EXPECT_EQ(fi.adminValue(QStringLiteral("TESTER"), QStringLiteral("PROG")).toString(), QStringLiteral("MORVANT"));
    EXPECT_FALSE(QFileInfo::exists(fi.workingCopy()));
}

TEST_F(StartUpTest, MissingSettingOrBrokenFrameDatabaseEndsWithAClearMessage)
{
    fi.setDatabasePath(QString());
    EXPECT_FALSE(startUp.load());
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes()[0].text.startsWith(QStringLiteral("Der Datenbankpfad des Rahmenprogramms")));

    // A file that is no database where the frame database is expected.
    fi.ui->clear();
    fi.setDatabasePath(fi.dataFolder());
    QFile f(fi.dataFolder() + QStringLiteral("/ARCHIV.mdb"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QByteArray(4096, 'x'));
    f.close();
    StatusPanels p2;
    StartUp second(fi.session, p2);
    EXPECT_FALSE(second.load());
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes()[0].text.startsWith(QStringLiteral("Die Datenbank ") + fi.dataFolder() + QStringLiteral("/ARCHIV.mdb")));
    EXPECT_FALSE(QFileInfo::exists(fi.workingCopy()));
}

TEST_F(StartUpTest, CorruptProjectDatabaseEndsWithoutLeavingAWorkingCopy)
{
    QFile f(fi.projectDb());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QByteArray(4096, 'x'));
    f.close();
    EXPECT_FALSE(startUp.load());
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes()[0].text.startsWith(QStringLiteral("Die Datenbank ") + fi.projectDb()));
    EXPECT_FALSE(QFileInfo::exists(fi.workingCopy()));
    EXPECT_EQ(fi.adminValue(QStringLiteral("TESTER"), QStringLiteral("PROG")).toString(), QStringLiteral("MORVANT"));
}

class InterruptedRunTest : public StartUpTest {
protected:
    void SetUp() override
    {
        FrameInstallation::addRecord(fi.projectDb(), 1, QStringLiteral("B1"), true);
        // The leftover working copy holds an edit that never reached the project.
        QDir().mkpath(QFileInfo(fi.workingCopy()).path());
        QFile::copy(fi.projectDb(), fi.workingCopy());
        FrameInstallation::addRecord(fi.workingCopy(), 2, QStringLiteral("B2"), false);
    }
};

TEST_F(InterruptedRunTest, YesKeepsTheEditsAndMarksThemUnsaved)
{
    fi.ui->answer(vb::vbYes);
    ASSERT_TRUE(startUp.load());
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].text, kInterruptedDe);
    EXPECT_EQ(boxes()[0].buttons(), vb::vbYesNo);
    EXPECT_EQ(boxes()[0].icon(), vb::vbQuestion);
    EXPECT_TRUE(FrameInstallation::hasRecord(fi.workingCopy(), QStringLiteral("B2")));
    EXPECT_TRUE(fi.session.GEAENDERT);
}

TEST_F(InterruptedRunTest, NoRestoresTheProjectState)
{
    fi.ui->answer(vb::vbNo);
    ASSERT_TRUE(startUp.load());
    EXPECT_FALSE(FrameInstallation::hasRecord(fi.workingCopy(), QStringLiteral("B2")));
    EXPECT_TRUE(FrameInstallation::hasRecord(fi.workingCopy(), QStringLiteral("B1")));
    EXPECT_FALSE(fi.session.GEAENDERT);
}

TEST_F(InterruptedRunTest, KeptEditsAreOfferedForSavingAtTheEnd)
{
    fi.ui->answer(vb::vbYes);
    ASSERT_TRUE(startUp.load());
    fi.ui->clear();
    fi.ui->answer(vb::vbYes);
    bool saved = false;
    ASSERT_TRUE(startUp.queryUnload(vbFormCode, QStringLiteral("Beenden"), [&] {
        startUp.workingCopy().saveToProject();
        fi.session.GEAENDERT = false;
        saved = true;
    }));
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].text, QStringLiteral("Sollen die Änderungen in Projekt DEMO gespeichert werden?"));
    EXPECT_EQ(boxes()[0].title, QStringLiteral("Beenden"));
    EXPECT_EQ(boxes()[0].buttons(), vb::vbYesNoCancel);
    EXPECT_TRUE(saved);
    startUp.unload();
    EXPECT_TRUE(FrameInstallation::hasRecord(fi.projectDb(), QStringLiteral("B2")));
    EXPECT_FALSE(QFileInfo::exists(fi.workingCopy()));
}

TEST_F(StartUpTest, SecondInstanceIsRefusedAndLeavesTheFirstAlone)
{
    ASSERT_TRUE(startUp.load());
    FrameInstallation::addRecord(fi.workingCopy(), 5, QStringLiteral("X5"), false);
    // The frame program writes the user's row anew for the second start.
    ado::Connection frame;
    frame.OpenFile(fi.dataFolder() + QStringLiteral("/ARCHIV.mdb"));
    frame.Execute(QStringLiteral("UPDATE [ADMIN] SET [PROG]='MORVANT',[PROJEKT]='ANDERS'"));
    Session other;
    other.programFolder = fi.programFolder();
    StatusPanels p2;
    StartUp second(other, p2);
    EXPECT_FALSE(second.load());
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].text, QStringLiteral("Programm TALPEX läuft bereits für den Benutzer TESTER!"));
    EXPECT_TRUE(FrameInstallation::hasRecord(fi.workingCopy(), QStringLiteral("X5")));
    EXPECT_EQ(fi.adminValue(QStringLiteral("TESTER"), QStringLiteral("PROG")).toString(), QStringLiteral("TALPEX"));
    EXPECT_EQ(fi.adminValue(QStringLiteral("TESTER"), QStringLiteral("PROJEKT")).toString(), QStringLiteral("DEMO"));
}

TEST_F(StartUpTest, OtherUsersAreFoundByAnySpellingOfTheProjectFolder)
{
    ASSERT_TRUE(QFile::link(fi.projectsFolder(), fi.root() + QStringLiteral("/LINK")));
    const QString spellings[][2] = {
        {fi.root() + QStringLiteral("/LINK"), QStringLiteral("DEMO")},                    // a symbolic link
        {fi.projectsFolder() + QStringLiteral("/./DEMO/"), QString()},                  // the project in the path
        {fi.root() + QStringLiteral("/LINK/../PROJEKTE/"), QStringLiteral("DEMO")},
        {fi.projectsFolder(), QStringLiteral("demo")},                                  // a share that ignores case
        {QStringLiteral("/nicht/erreichbar/PROJEKTE"), QStringLiteral("DEMO")},          // elsewhere
        {fi.projectsFolder(), QStringLiteral("DEMO2")},                                 // another project
    };
    ado::Connection frame;
    frame.OpenFile(fi.dataFolder() + QStringLiteral("/ARCHIV.mdb"));
    int n = 0;
    for (const auto& [projects, project] : spellings) {
        fi.addAdminRow(QStringLiteral("U%1").arg(++n), projects, project, QString());
        frame.Execute(QStringLiteral("UPDATE [ADMIN] SET [PROG]='TALPEX' WHERE [BENUTZER]='U%1'").arg(n));
    }
    frame.Close();
    QDir().mkpath(fi.projectsFolder() + QStringLiteral("/DEMO2"));
    ASSERT_TRUE(startUp.load());
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes()[0].text.startsWith(QStringLiteral("Projekt DEMO ist auch bei den Benutzern U1, U2, U3, U4 geöffnet.")))
        << boxes()[0].text.toStdString();
}

TEST_F(StartUpTest, LockOfACrashedRunDoesNotBlock)
{
    QDir().mkpath(QFileInfo(fi.workingCopy()).path());
    QFile lock(fi.workingCopy() + QStringLiteral(".lock"));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    // QLockFile's format: pid, application name, host name; no such process runs.
    lock.write(QByteArray("2147480000\n") + QCoreApplication::applicationName().toUtf8() + "\n" +
               QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    EXPECT_TRUE(startUp.load());
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(StartUpTest, EmptyLockOfARunKilledWhileTakingItDoesNotBlock)
{
    // Killed between creating the lock file and writing its contents.
    QDir().mkpath(QFileInfo(fi.workingCopy()).path());
    QFile lock(fi.workingCopy() + QStringLiteral(".lock"));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.close();
    EXPECT_TRUE(startUp.load());
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(StartUpTest, UnwritableUserFolderIsReportedAndChangesNothing)
{
    // A file where the user's folder belongs: nothing can be written there (also when run as root).
    QDir().mkpath(fi.root() + QStringLiteral("/BENUTZER"));
    QFile blocker(fi.root() + QStringLiteral("/BENUTZER/TESTER"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(startUp.load());
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes()[0].text.startsWith(QStringLiteral("Die Arbeitskopie ")));
    EXPECT_EQ(fi.adminValue(QStringLiteral("TESTER"), QStringLiteral("PROG")).toString(), QStringLiteral("MORVANT"));
}

TEST(StartUpDevelopment, TouchesNoFrameDatabase)
{
    FrameInstallation fi(QStringLiteral("Source/TALPEX"));
    const QString devProject = fi.root() + QStringLiteral("/Source/TE0000.00");
    QDir().mkpath(devProject);
    schema::createProjectDatabase(devProject + QStringLiteral("/TALPEX.mdb"));
    // The setting points at a frame database that must stay untouched, and the empty database is missing.
    QFile::remove(fi.programFolder() + QStringLiteral("/TALPEX.mdb"));
    const QDateTime before = QFileInfo(fi.dataFolder() + QStringLiteral("/ARCHIV.mdb")).lastModified();
    StatusPanels panels;
    StartUp startUp(fi.session, panels);
    ASSERT_TRUE(startUp.load());
    EXPECT_TRUE(fi.ui->boxes().isEmpty());
    EXPECT_TRUE(fi.session.developmentMode);
    EXPECT_EQ(fi.session.PROJEKT, QStringLiteral("TE0000.00"));
    EXPECT_EQ(fi.session.PROJEKTSPFAD, fi.root() + QStringLiteral("/Source"));
    EXPECT_EQ(fi.session.BEARBEITER, QStringLiteral("TESTER"));
    EXPECT_FALSE(fi.session.cnnFrame.isOpen());
    EXPECT_TRUE(fi.session.cnnX_V.isOpen()); // the presets of the working copy
    EXPECT_TRUE(QFileInfo::exists(fi.workingCopy()));
    ASSERT_TRUE(startUp.queryUnload(vbFormControlMenu, QStringLiteral("Beenden"), [] {}));
    startUp.unload();
    EXPECT_FALSE(QFileInfo::exists(fi.workingCopy()));
    EXPECT_EQ(fi.adminValue(QStringLiteral("TESTER"), QStringLiteral("PROG")).toString(), QStringLiteral("MORVANT"));
    EXPECT_EQ(QFileInfo(fi.dataFolder() + QStringLiteral("/ARCHIV.mdb")).lastModified(), before);
}

class ClosingTest : public StartUpTest {
protected:
    void SetUp() override
    {
        fi.createFrameProgram();
        ASSERT_TRUE(startUp.load());
    }
    QString frameProgram() { return fi.root() + QStringLiteral("/MORVANT"); }
};

TEST_F(ClosingTest, CloseBoxDeletesWorkingCopyResetsAdminAndStartsFrameLast)
{
    ASSERT_TRUE(startUp.queryUnload(vbFormControlMenu, QStringLiteral("Beenden"), [] { FAIL() << "no save expected"; }));
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_TRUE(fi.sys->started.isEmpty()); // not before the clean-up
    startUp.unload();
    EXPECT_FALSE(QFileInfo::exists(fi.workingCopy()));
    EXPECT_FALSE(QFileInfo::exists(fi.workingCopy() + QStringLiteral(".lock")));
    EXPECT_EQ(fi.adminValue(QStringLiteral("TESTER"), QStringLiteral("PROG")).toString(), QStringLiteral("MORVANT"));
    EXPECT_FALSE(fi.session.cnnX.isOpen());
    EXPECT_FALSE(fi.session.cnnFrame.isOpen());
    EXPECT_EQ(fi.sys->started, QStringList{frameProgram()});
}

TEST_F(ClosingTest, QuitDoesNotStartTheFrameProgramButDoneDoes)
{
    fi.session.RUECKKEHR = false;
    ASSERT_TRUE(startUp.queryUnload(vbFormCode, QStringLiteral("Beenden"), [] {}));
    EXPECT_FALSE(startUp.startsFrameProgram());
    fi.session.RUECKKEHR = true;
    ASSERT_TRUE(startUp.queryUnload(vbFormCode, QStringLiteral("Beenden"), [] {}));
    EXPECT_TRUE(startUp.startsFrameProgram());
    ASSERT_TRUE(startUp.queryUnload(vbAppWindows, QStringLiteral("Beenden"), [] {}));
    EXPECT_TRUE(startUp.startsFrameProgram());
    fi.session.RUECKKEHR = false;
    ASSERT_TRUE(startUp.queryUnload(vbAppWindows, QStringLiteral("Beenden"), [] {}));
    startUp.unload();
    EXPECT_TRUE(fi.sys->started.isEmpty());
}

TEST_F(ClosingTest, SaveQuestionAnswers)
{
    fi.session.GEAENDERT = true;
    int saves = 0;
    auto save = [&] { ++saves; fi.session.GEAENDERT = false; };
    fi.ui->answer(vb::vbCancel);
    EXPECT_FALSE(startUp.queryUnload(vbFormControlMenu, QStringLiteral("Beenden"), save));
    fi.ui->answer(vb::vbNo);
    EXPECT_TRUE(startUp.queryUnload(vbFormControlMenu, QStringLiteral("Beenden"), save));
    EXPECT_EQ(saves, 0);
    fi.ui->answer(vb::vbYes);
    EXPECT_TRUE(startUp.queryUnload(vbFormControlMenu, QStringLiteral("Beenden"), save));
    EXPECT_EQ(saves, 1);
    // Closing by the desktop session asks nothing.
    fi.session.GEAENDERT = true;
    fi.ui->clear();
    EXPECT_TRUE(startUp.queryUnload(vbAppWindows, QStringLiteral("Beenden"), save));
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(ClosingTest, SessionEndWithUnsavedEditsKeepsThemForTheNextStart)
{
    FrameInstallation::addRecord(fi.workingCopy(), 8, QStringLiteral("U8"), false);
    fi.session.GEAENDERT = true;
    ASSERT_TRUE(startUp.queryUnload(vbAppWindows, QStringLiteral("Beenden"), [] {}));
    startUp.unload();
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_TRUE(FrameInstallation::hasRecord(fi.workingCopy(), QStringLiteral("U8")));
    EXPECT_EQ(fi.adminValue(QStringLiteral("TESTER"), QStringLiteral("PROG")).toString(), QStringLiteral("MORVANT"));

    // The next run offers the kept edits.
    Session next;
    next.programFolder = fi.programFolder();
    StatusPanels p2;
    StartUp again(next, p2);
    fi.ui->answer(vb::vbYes);
    ASSERT_TRUE(again.load());
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].text, kInterruptedDe);
    EXPECT_TRUE(next.GEAENDERT);
    next.cnnX.Close();
    next.cnnX_V.Close();
    next.cnnFrame.Close();
}

TEST_F(ClosingTest, FailedSaveKeepsTheProgramOpen)
{
    fi.session.GEAENDERT = true;
    fi.ui->answer(vb::vbYes);
    EXPECT_FALSE(startUp.queryUnload(vbFormControlMenu, QStringLiteral("Beenden"), [] {}));
    EXPECT_TRUE(QFileInfo::exists(fi.workingCopy()));
}

TEST_F(ClosingTest, SaveCopiesTheWorkingCopyIntoTheProject)
{
    FrameInstallation::addRecord(fi.workingCopy(), 7, QStringLiteral("N7"), true);
    EXPECT_FALSE(FrameInstallation::hasRecord(fi.projectDb(), QStringLiteral("N7")));
    startUp.workingCopy().saveToProject();
    EXPECT_TRUE(FrameInstallation::hasRecord(fi.projectDb(), QStringLiteral("N7")));
    // The connection on the working copy still works after the copy.
    ado::Recordset rs(QStringLiteral("SELECT * FROM [E1] WHERE [KEN]='N7'"), fi.session.cnnX);
    EXPECT_FALSE(rs.Eof());
}

TEST_F(ClosingTest, MissingFrameProgramIsNotStarted)
{
    QFile::remove(frameProgram());
    ASSERT_TRUE(startUp.queryUnload(vbFormControlMenu, QStringLiteral("Beenden"), [] {}));
    startUp.unload();
    EXPECT_TRUE(fi.sys->started.isEmpty());
}

} // namespace
