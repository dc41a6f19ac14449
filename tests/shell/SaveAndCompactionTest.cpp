// Save with its size question and the compaction of the working copy, on
// real files; compaction arithmetic and report texts.
#include "RecordFixture.h"

#include "data/Schema.h"
#include "platform/Convert.h"
#include "shell/Compaction.h"
#include "shell/frmMAIN.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(CompactionArithmetic, SizesAreRoundedBeforeTheGain)
{
    EXPECT_DOUBLE_EQ(Compaction::megabytes(12340000), 12.3);
    EXPECT_DOUBLE_EQ(Compaction::megabytes(6170000), 6.2);
    EXPECT_DOUBLE_EQ(Compaction::megabytes(10049999), 10.0);
    EXPECT_DOUBLE_EQ(Compaction::megabytes(10050000), 10.1);
    EXPECT_DOUBLE_EQ(Compaction::gain(12.3, 6.2), 49.6);
    EXPECT_DOUBLE_EQ(Compaction::gain(0.0, 0.0), 0.0); // a tiny file gains nothing, no division by zero
    EXPECT_EQ(Compaction::temporaryPath(QStringLiteral("/u/BENUTZER/X/TALPEX.mdb")), QStringLiteral("/u/BENUTZER/X/TALPEXTEMP.mdb"));
    EXPECT_EQ(Compaction::temporaryPath(QStringLiteral("/u/talpex.MDB")), QStringLiteral("/u/talpexTEMP.mdb"));

    const Compaction::Result r{12.3, 6.2, 49.6};
    vb::SetDecimalSeparator(QStringLiteral(","));
    EXPECT_EQ(Compaction::report(r, 3), QStringLiteral("Datenbank wurde um 49,6 % auf 6,2 MB komprimiert !"));
    vb::SetDecimalSeparator(QStringLiteral("."));
    EXPECT_EQ(Compaction::report(r, 1), QStringLiteral("Database was compact about 49.6 % to 6.2 MB!"));
    vb::SetDecimalSeparator(QStringLiteral(","));
}

class SaveAndCompactionTest : public ::testing::Test {
protected:
    QList<vb::ScriptedUi::Box> boxes() { return f.fi.ui->boxes(); }
    qint64 workingCopySize() { return QFileInfo(f.fi.workingCopy()).size(); }

    // Grows the working copy until its size in MB (one decimal) is mb.
    void growTo(double mb)
    {
        f.cnn().Execute(QStringLiteral("CREATE TABLE [PAD] ([B] BLOB)"));
        f.cnn().Execute(QStringLiteral("INSERT INTO [PAD] VALUES (zeroblob(%1))").arg(static_cast<qint64>((mb - 0.3) * 1e6)));
        while (Compaction::megabytes(workingCopySize()) < mb)
            f.cnn().Execute(QStringLiteral("INSERT INTO [PAD] VALUES (zeroblob(2000))"));
        ASSERT_DOUBLE_EQ(Compaction::megabytes(workingCopySize()), mb);
    }
    // Leaves free pages behind that compaction gives back.
    void bloat()
    {
        f.cnn().Execute(QStringLiteral("CREATE TABLE [PAD] ([B] BLOB)"));
        f.cnn().Execute(QStringLiteral("INSERT INTO [PAD] VALUES (zeroblob(3000000))"));
        f.cnn().Execute(QStringLiteral("DROP TABLE [PAD]"));
    }

    RecordFixture f;
};

TEST_F(SaveAndCompactionTest, SaveAtTenMegabytesAsksNothingAndCopiesBack)
{
    f.start();
    f.addRecord(1, QStringLiteral("S1"), true);
    growTo(10.0);
    f.fi.session.GEAENDERT = true;
    // A shared project folder: the group writes too, and so it stays.
    ASSERT_EQ(chmod(QFile::encodeName(f.fi.projectDb()).constData(), 0660), 0);
    f.trigger(QStringLiteral("mnuSPEICHERN"));
    EXPECT_EQ(QFileInfo(f.fi.projectDb()).permissions() & (QFile::WriteGroup | QFile::ReadOther), QFile::WriteGroup);
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_FALSE(f.fi.session.GEAENDERT);
    EXPECT_TRUE(FrameInstallation::hasRecord(f.fi.projectDb(), QStringLiteral("S1")));
    EXPECT_EQ(QDir(f.fi.projectsFolder() + QStringLiteral("/DEMO")).entryList(QDir::Files), QStringList{QStringLiteral("TALPEX.mdb")});
}

TEST_F(SaveAndCompactionTest, AProjectChangedBehindTheWorkingCopyIsOverwrittenOnlyWhenTheUserSaysSo)
{
    f.start();
    f.addRecord(1, QStringLiteral("S1"), true);
    ado::Connection reader; // another process's connection, idle across the Save
    reader.OpenFile(f.fi.projectDb());
    FrameInstallation::addRecord(f.fi.projectDb(), 9, QStringLiteral("EXPORT"), false);
    const QString folder = QFileInfo(f.fi.projectDb()).path();
    for (const int answer : {vb::vbCancel, vb::vbNo, vb::vbYes}) {
        f.fi.session.GEAENDERT = true;
        f.fi.ui->clear();
        f.fi.ui->answer(answer);
        f.trigger(QStringLiteral("mnuSPEICHERN"));
        ASSERT_FALSE(boxes().isEmpty());
        EXPECT_TRUE(boxes()[0].text.startsWith(QStringLiteral("Das Projekt wurde seit dem Öffnen geändert")));
        EXPECT_EQ(f.fi.session.GEAENDERT, answer == vb::vbCancel);
        EXPECT_EQ(FrameInstallation::hasRecord(f.fi.projectDb(), QStringLiteral("EXPORT")), answer != vb::vbYes);
        const QStringList beside = QDir(folder).entryList({QStringLiteral("TALPEX-TESTER-*.mdb")});
        ASSERT_EQ(beside.size(), answer == vb::vbCancel ? 0 : 1);
        EXPECT_TRUE(answer != vb::vbNo || FrameInstallation::hasRecord(folder + QLatin1Char('/') + beside[0], QStringLiteral("S1")));
    }
    EXPECT_EQ(ado::Recordset(QStringLiteral("SELECT * FROM [E1] WHERE [KEN]='S1'"), reader).RecordCount(), 1);
    // What Save wrote itself is no change behind the copy.
    f.fi.ui->clear();
    f.trigger(QStringLiteral("mnuSPEICHERN"));
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(SaveAndCompactionTest, SaveAboveTenMegabytesOffersCompactionWithHelp)
{
    f.start(QStringLiteral("en"));
    f.addRecord(1, QStringLiteral("S1"), true);
    growTo(10.1);
    f.fi.ui->answer(vb::vbNo);
    f.trigger(QStringLiteral("mnuSPEICHERN"));
    ASSERT_EQ(boxes().size(), 1);
    const vb::ScriptedUi::Box q = boxes()[0];
    EXPECT_EQ(q.text, QStringLiteral("Database reaches 10,1 MB! \nDo you want to compact the file?"));
    EXPECT_EQ(q.title, QStringLiteral("Save"));
    EXPECT_EQ(q.buttons(), vb::vbYesNo);
    EXPECT_EQ(q.icon(), vb::vbQuestion);
    EXPECT_TRUE(q.style & vb::vbMsgBoxHelpButton);
    EXPECT_EQ(q.helpContext, 34);
    EXPECT_EQ(q.helpFile, f.fi.programFolder() + QStringLiteral("/TALPEX.hlp"));
    EXPECT_TRUE(FrameInstallation::hasRecord(f.fi.projectDb(), QStringLiteral("S1")));

    // Yes compacts first: the pad table's space is given back before the copy.
    f.cnn().Execute(QStringLiteral("DROP TABLE [PAD]"));
    f.fi.ui->clear();
    f.fi.ui->answer(vb::vbYes);
    f.trigger(QStringLiteral("mnuSPEICHERN"));
    ASSERT_EQ(boxes().size(), 2);
    EXPECT_EQ(boxes()[1].title, QStringLiteral("Compact Database"));
    EXPECT_LT(QFileInfo(f.fi.projectDb()).size(), 1000000);
    EXPECT_TRUE(FrameInstallation::hasRecord(f.fi.projectDb(), QStringLiteral("S1")));
}

TEST_F(SaveAndCompactionTest, CompactionReportsTheGainAndCnnXWorksAfterwards)
{
    f.start();
    f.addRecord(1, QStringLiteral("K1"), true);
    bloat();
    const qint64 before = workingCopySize();
    const QString t = f.fi.programFolder() + QStringLiteral("/../BENUTZER/TESTER/TALPEXTEMP.mdb");
    QFile leftover(t);
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.write("left from an interrupted run");
    leftover.close();

    f.trigger(QStringLiteral("mnuKOMPRIMIEREN"));
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].title, QStringLiteral("Komprimieren"));
    EXPECT_EQ(boxes()[0].icon(), vb::vbInformation);
    const double gain = Compaction::gain(Compaction::megabytes(before), Compaction::megabytes(workingCopySize()));
    EXPECT_EQ(boxes()[0].text, QStringLiteral("Datenbank wurde um %1 % auf %2 MB komprimiert !")
                                   .arg(vb::CStr(gain), vb::CStr(Compaction::megabytes(workingCopySize()))));
    EXPECT_LT(workingCopySize(), before - 2000000);
    EXPECT_FALSE(QFileInfo::exists(t));
    EXPECT_FALSE(f.fi.session.GEAENDERT);
    // The connection works on the compacted file.
    ASSERT_TRUE(f.cnn().isOpen());
    EXPECT_EQ(f.cnn().path(), f.fi.workingCopy());
    f.addRecord(2, QStringLiteral("K2"), false);
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM [E1]")), 2);
    f.main().DATENSATZANZEIGE();
    EXPECT_EQ(f.main().panels().text(6), QStringLiteral("K1"));
}

TEST_F(SaveAndCompactionTest, FailingCompactionKeepsTheWorkingCopy)
{
    f.start();
    f.addRecord(1, QStringLiteral("W1"), true);
    // The temporary file cannot be written: its name is taken by a folder.
    const QString t = QFileInfo(f.fi.workingCopy()).path() + QStringLiteral("/TALPEXTEMP.mdb");
    ASSERT_TRUE(QDir().mkpath(t + QStringLiteral("/inside")));
    const QByteArray before = [&] { QFile w(f.fi.workingCopy()); w.open(QIODevice::ReadOnly); return w.readAll(); }();

    f.trigger(QStringLiteral("mnuKOMPRIMIEREN"));
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes()[0].text.startsWith(QStringLiteral("VB-Error: ")));
    EXPECT_EQ(boxes()[0].title, QStringLiteral("Komprimieren"));
    QFile w(f.fi.workingCopy());
    ASSERT_TRUE(w.open(QIODevice::ReadOnly));
    EXPECT_EQ(w.readAll(), before);
    ASSERT_TRUE(f.cnn().isOpen());
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM [E1] WHERE [KEN]='W1'")), 1);
}

TEST(CompactionDevelopment, PresetsSharingTheWorkingCopyFollowTheCompactedFile)
{
    RecordFixture f(QStringLiteral("Source/TALPEX"));
    const QString devProject = f.fi.root() + QStringLiteral("/Source/TE0000.00");
    QDir().mkpath(devProject);
    schema::createProjectDatabase(devProject + QStringLiteral("/TALPEX.mdb"));
    f.start();
    ado::Connection& presets = f.fi.session.cnnX_V;
    ASSERT_EQ(presets.path(), f.fi.workingCopy());
    // Work in progress on the presets connection is not closed away.
    presets.BeginTrans();
    f.trigger(QStringLiteral("mnuKOMPRIMIEREN"));
    EXPECT_TRUE(f.fi.ui->boxes().value(0).text.startsWith(QStringLiteral("VB-Error: 3050")));
    presets.CommitTrans(); // raises when the transaction was closed away
    f.fi.ui->clear();
    f.trigger(QStringLiteral("mnuKOMPRIMIEREN"));
    ASSERT_EQ(f.fi.ui->boxes().size(), 1);
    EXPECT_EQ(f.fi.ui->boxes()[0].icon(), vb::vbInformation);
    // A preset written after compaction lands in the working copy, not in the replaced file.
    presets.Execute(QStringLiteral("INSERT INTO [TALPEX_V1] ([I1],[STRO]) VALUES (0, 'R1')"));
    ado::Connection check;
    check.OpenFile(f.fi.workingCopy());
    ado::Recordset rs(QStringLiteral("SELECT * FROM [TALPEX_V1]"), check);
    EXPECT_EQ(rs.RecordCount(), 1);
}

// Runs body without root's right to write anywhere, so folder permissions count.
// root and the folders from it down to folder become reachable for that user.
template <typename F>
void asUnprivileged(const QString& root, const QString& folder, F body)
{
    if (geteuid() != 0) {
        body();
        return;
    }
    // The other user must reach the working copy through the temporary folders.
    for (QString dir = folder; dir.startsWith(root); dir = QFileInfo(dir).path())
        chmod(QFile::encodeName(dir).constData(), 0755);
    ASSERT_EQ(seteuid(65534), 0);
    body();
    ASSERT_EQ(seteuid(0), 0);
}

TEST_F(SaveAndCompactionTest, SaveIntoAReadOnlyProjectFolderFailsAndKeepsTheChanges)
{
    f.start();
    f.addRecord(1, QStringLiteral("RO"), true);
    f.fi.session.GEAENDERT = true;
    const QString folder = f.fi.projectsFolder() + QStringLiteral("/DEMO");
    const QString copy = f.fi.workingCopy();
    chmod(QFile::encodeName(copy).constData(), 0644);
    chmod(QFile::encodeName(folder).constData(), 0555);
    asUnprivileged(f.fi.root(), QFileInfo(copy).path(), [&] {
        f.trigger(QStringLiteral("mnuSPEICHERN"));
        // From the closing sequence a failed Save cancels the closing.
        f.fi.ui->answer(vb::vbYes);
        f.trigger(QStringLiteral("mnuBEENDEN"));
    });
    chmod(QFile::encodeName(folder).constData(), 0755);
    ASSERT_EQ(boxes().size(), 3);
    EXPECT_TRUE(boxes()[0].text.startsWith(QStringLiteral("VB-Error: 75")));
    EXPECT_EQ(boxes()[0].title, QStringLiteral("Speichern"));
    EXPECT_TRUE(boxes()[2].text.startsWith(QStringLiteral("VB-Error: 75")));
    EXPECT_TRUE(f.fi.session.GEAENDERT);
    EXPECT_FALSE(FrameInstallation::hasRecord(f.fi.projectDb(), QStringLiteral("RO")));
    EXPECT_TRUE(f.main().isVisible());
    EXPECT_TRUE(QFileInfo::exists(copy));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("TALPEX.mdb")});
}

} // namespace
