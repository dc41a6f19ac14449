// The batch command: arguments, output and exit codes, on real database files.
#include "evaluation/EvaluationDb.h"
#include "data/Ado.h"
#include "data/Schema.h"
#include "batch/BatchEvaluate.h"
#include "batch/BatchSummary.h"
#include "evaluation/StepRange.h"
#include "platform/System.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>
#include <gtest/gtest.h>
#include <cmath>
#include <tuple>
#include <sqlite3.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

using evaltest::EvaluationDb;

namespace {

using testsupport::fileHash;

class Batch : public ::testing::Test {
protected:
    void SetUp() override
    {
        sys->language = QStringLiteral("de");
        db.addPreset(QStringLiteral("Typ A"), 100, 50, 4, 1, 0.1f, 0.01f);
        db.addRecord(1, QStringLiteral("B'1"), false, 1000, QStringLiteral("Typ A"), 1);
        db.addReadings(1, {{0, 10, 200, 50.0f}, {10, 10, 300, 50.0f}, {20, 10, 350, 50.0f}});
        db.addRecord(2, QStringLiteral("B2"), true, 1000, QStringLiteral("Typ A"), QVariant());
        db.addReadings(2, {{0, 10, 200, 50.0f}, {10, 10, 300, 50.0f}});
    }

    int run(const QStringList& args, int (*tool)(const QStringList&, QTextStream&, QTextStream&) = BatchEvaluate::run)
    {
        out.clear();
        err.clear();
        QTextStream o(&out), e(&err);
        return tool(args, o, e);
    }
    QStringList evaluate(const QString& ken) { return {QStringLiteral("evaluate"), db.db().path(), QStringLiteral("--record"), ken}; }
    static void writePresets(const QString& file, const char* type)
    {
        schema::createPresetsDatabase(file);
        ado::Connection cnn;
        cnn.OpenFile(file);
        cnn.Execute(QStringLiteral("INSERT INTO [TALPEX_V1] ([I1],[STRO],[D1],[D2],[F],[A],[B],[C]) VALUES (0,'%1',100,50,4,1,0.1,0.01)")
                        .arg(QLatin1String(type)));
    }

    vb::ScopedScriptedSystem sys;
    EvaluationDb db;
    QString out, err;
};

} // namespace

TEST_F(Batch, PrintsTheResultRowsOfTheRecordAndLeavesTheProjectAlone)
{
    const QByteArray before = fileHash(db.db().path());
    ASSERT_EQ(run({QStringLiteral("evaluate"), db.db().path(), QStringLiteral("--record"), QStringLiteral("B'1")}), 0)
        << err.toStdString();
    EXPECT_TRUE(err.isEmpty());

    const QStringList lines = out.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 5) << out.toStdString(); // header, three rows, the final line break
    EXPECT_EQ(lines[0], QStringLiteral("I1,PHI,DETN,K10,DEHKO"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("0,800,0,"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(",0")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("1,700,10,")));
    EXPECT_EQ(lines[3], QStringLiteral("2,650,20,,")); // no K10 and DEHKO in the last row
    EXPECT_EQ(lines[4], QString());
    // K10 by hand: (0.025 m)^2 / (0.05 m * 4 * 600 s) * ln(800/700); printed so that it reads back exactly
    const QString k10 = lines[1].split(QLatin1Char(','))[3];
    EXPECT_NEAR(k10.toDouble(), 6.95476e-7, 1e-12);
    EXPECT_EQ(BatchEvaluate::number(k10.toFloat()), k10);

    EXPECT_EQ(fileHash(db.db().path()), before);
    EXPECT_TRUE(db.results(1).isEmpty());
}

TEST_F(Batch, PresetsFromAnotherDatabase)
{
    // The project's own presets table lacks the standpipe of record 1.
    db.db().cnn().Execute(QStringLiteral("DELETE FROM [TALPEX_V1]"));
    const QStringList args = evaluate(QStringLiteral("B'1"));
    // refused by the type's name before anything is evaluated
    EXPECT_EQ(run(args), 2);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(err.contains(QStringLiteral("'Typ A'"))) << err.toStdString();

    const QString presets = db.db().dir().file(QStringLiteral("VORGABE.mdb"));
    writePresets(presets, "Typ A");
    const QByteArray before = fileHash(presets);
    ASSERT_EQ(run(args + QStringList{QStringLiteral("--presets"), presets}), 0) << err.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("\n2,650,20,,\n")));
    EXPECT_EQ(fileHash(presets), before);
}

TEST_F(Batch, BadArgumentsAndUnknownRecordsExitWithTwo)
{
    const QString p = db.db().path();
    const QString missing = db.db().dir().file(QStringLiteral("fehlt.mdb"));
    const QList<QStringList> bad{
        {},
        {QStringLiteral("auswerten"), p, QStringLiteral("--record"), QStringLiteral("B2")},
        {QStringLiteral("evaluate"), p},
        {QStringLiteral("evaluate"), QStringLiteral("--record"), QStringLiteral("B2")},
        {QStringLiteral("evaluate"), p, QStringLiteral("--record")},
        {QStringLiteral("evaluate"), p, QStringLiteral("--record"), QStringLiteral("B2"), QStringLiteral("--fast")},
        {QStringLiteral("evaluate"), p, p, QStringLiteral("--record"), QStringLiteral("B2")},
        {QStringLiteral("evaluate"), missing, QStringLiteral("--record"), QStringLiteral("B2")},
        {QStringLiteral("evaluate"), p, QStringLiteral("--record"), QStringLiteral("B2"), QStringLiteral("--presets"), missing},
        {QStringLiteral("evaluate"), p, QStringLiteral("--record"), QStringLiteral("B3")},
        {QStringLiteral("evaluate"), p, QStringLiteral("--record"), QStringLiteral("B'")},
    };
    for (const QStringList& args : bad) {
        EXPECT_EQ(run(args), 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(err.startsWith(QStringLiteral("talpex-batch: "))) << err.toStdString();
        EXPECT_TRUE(out.isEmpty());
    }
    EXPECT_TRUE(err.contains(QStringLiteral("B'")));

    // A file that is no project database.
    QFile junk(db.db().dir().file(QStringLiteral("junk.mdb")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("this is not a database at all, just some text");
    junk.close();
    EXPECT_EQ(run({QStringLiteral("evaluate"), junk.fileName(), QStringLiteral("--record"), QStringLiteral("B2")}), 2);
}

TEST_F(Batch, FailedEvaluationExitsWithThree)
{
    // record B2 has no step width
    EXPECT_EQ(run({QStringLiteral("evaluate"), db.db().path(), QStringLiteral("--record"), QStringLiteral("b2")}), 3);
    EXPECT_EQ(out, QStringLiteral("I1,PHI,DETN,K10,DEHKO\n"));
    EXPECT_TRUE(err.contains(QStringLiteral("failed")));
}

TEST_F(Batch, AWriterInProgressIsWaitedForAndKeepsItsJournal)
{
    const QStringList args{QStringLiteral("evaluate"), db.db().path(), QStringLiteral("--record"), QStringLiteral("B'1")};
    ASSERT_EQ(run(args), 0) << err.toStdString();
    const QString committed = out;
    // Another process changes readings, first in its small cache, then spilled into the file, and dies uncommitted.
    int go[2], done[2];
    ASSERT_TRUE(pipe(go) == 0 && pipe(done) == 0);
    const pid_t writer = fork();
    if (writer == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        sqlite3* h = nullptr;
        sqlite3_open(QFile::encodeName(args[1]).constData(), &h);
        for (const char* sql : {"PRAGMA cache_size=10; BEGIN IMMEDIATE; UPDATE E3 SET HST=HST+40 WHERE ID=1",
                                "WITH RECURSIVE n(i) AS (SELECT 9 UNION ALL SELECT i+1 FROM n WHERE i<3000) INSERT INTO E3 (ID,I1) SELECT 7,i FROM n"})
            if (char c = 0; read(go[0], &c, 1) != 1 || sqlite3_exec(h, sql, nullptr, nullptr, nullptr) != SQLITE_OK || write(done[1], &c, 1) != 1) _exit(1);
        for (;;) pause();
    }
    const auto step = [&] { char c = 'x'; return write(go[1], &c, 1) == 1 && read(done[0], &c, 1) == 1; };
    ASSERT_TRUE(step());
    ASSERT_EQ(run(args), 0) << err.toStdString();
    EXPECT_EQ(out, committed);
    ASSERT_TRUE(step());
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    EXPECT_TRUE(QFile::exists(args[1] + QStringLiteral("-journal"))); // its journal survived: the file rolls back
    ASSERT_EQ(run(args), 0) << err.toStdString();
    EXPECT_EQ(out, committed);
    EXPECT_EQ(ado::Recordset(QStringLiteral("PRAGMA integrity_check"), db.db().cnn()).Value(0).toString(), QStringLiteral("ok"));
}

TEST_F(Batch, TheInstalledProgram)
{
    const QString exe = QStringLiteral(TALPEX_PROGDIR "/talpex-batch");
    if (!QFile::exists(exe)) GTEST_SKIP() << "talpex-batch is not built";
    QProcess p;
    p.start(exe, {QStringLiteral("evaluate"), db.db().path(), QStringLiteral("--record"), QStringLiteral("B'1")});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_TRUE(p.readAllStandardOutput().startsWith("I1,PHI,DETN,K10,DEHKO\n0,800,0,"));

    p.start(exe, {QStringLiteral("evaluate"), db.db().path(), QStringLiteral("--record"), QStringLiteral("B2")});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 3);
    EXPECT_TRUE(p.readAllStandardError().contains("[Auswerten]")); // the box, echoed

    p.start(exe, {QStringLiteral("evaluate")});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 2);
}

TEST_F(Batch, ThePrintCommandNeedsNoDisplayAndNoWidgetsLibrary)
{
    const QString exe = QStringLiteral(TALPEX_PROGDIR "/talpex-batch");
    ASSERT_TRUE(QFile::exists(exe));
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {exe});
    ASSERT_TRUE(ldd.waitForFinished(60000));
    const QByteArray libraries = ldd.readAllStandardOutput();
    EXPECT_TRUE(libraries.contains("libQt6Gui")) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains("libQt6Widgets")) << libraries.toStdString();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(display));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), db.db().dir().path()); // no frame installation of the user's
    QProcess p;
    p.setProcessEnvironment(env);
    const QString pdf = db.db().dir().file(QStringLiteral("B1.pdf"));
    p.start(exe, {QStringLiteral("print"), db.db().path(), QStringLiteral("--record"), QStringLiteral("B'1"),
                  QStringLiteral("--pdf"), pdf});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_GT(QFileInfo(pdf).size(), 0);
}

// The reported value over a range that leaves out the first steps and holds
// a step that could not be evaluated: 2E-7, 4E-7 and 3E-7 remain.
TEST(StepSummaryTest, StatisticsOverTheRangeLeaveOutUnevaluableStepsAndCountThem)
{
    const StepSummary sum = StepSummary::of({9e-7f, 5e-7f, 0, 2e-7f, 4e-7f, 3e-7f}, StepRange{3, 6});
    EXPECT_EQ(sum.steps, 3);
    EXPECT_EQ(sum.unevaluable, 1);
    EXPECT_NEAR(sum.mean, 3e-7, 1e-13);
    EXPECT_NEAR(sum.sd, 1e-7, 1e-13); // sqrt((1E-14 + 1E-14 + 0) / 2)
    EXPECT_NEAR(sum.cv, 1.0 / 3, 1e-6);
    // a stored range these steps no longer hold gives way to all of them
    struct Case {
        QVariant von, bis;
        int first, last;
    };
    for (const Case& c : {Case{{}, {}, 1, 6}, Case{3, {}, 3, 6}, Case{{}, 4, 1, 4}, Case{3, 9, 1, 6}, Case{5, 2, 1, 6}}) {
        const StepRange r = StepRange::resolve(c.von, c.bis, 6);
        EXPECT_EQ(r.first, c.first) << c.von.toInt() << "-" << c.bis.toInt();
        EXPECT_EQ(r.last, c.last) << c.von.toInt() << "-" << c.bis.toInt();
    }
}

// The summary line gives what the step rows above it give over the range.
TEST_F(Batch, SummaryGivesTheStatisticsOfTheStepRowsOverTheRange)
{
    std::vector<evaltest::Reading> readings;
    for (int i = 0; i < 9; ++i) readings.push_back({i ? 10.0f + i : 0.0f, 10, 200.0f + 40 * i + (i % 3) * 7, 50.0f});
    db.addRecord(3, QStringLiteral("S3"), false, 1000, QStringLiteral("Typ A"), 1);
    db.addReadings(3, readings);
    db.db().cnn().Execute(QStringLiteral("INSERT INTO [A1] ([ID],[BONEU],[VON]) VALUES (3,0,2)"));
    const QStringList args{QStringLiteral("evaluate"), db.db().path(), QStringLiteral("--record"), QStringLiteral("S3"),
                           QStringLiteral("--summary")};
    for (const auto& [extra, first, last] : {std::tuple{QStringList{}, 2, 8}, std::tuple{QStringList{QStringLiteral("--steps"), QStringLiteral("3-6")}, 3, 6}}) {
        ASSERT_EQ(run(args + extra), 0) << err.toStdString();
        const QStringList lines = out.trimmed().split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 1 + 9 + 2) << out.toStdString();
        double sum = 0, sum2 = 0;
        for (int step = first; step <= last; ++step) {
            const double k = lines[step].split(QLatin1Char(','))[3].toDouble(); // row I1 = step - 1
            sum += k;
            sum2 += k * k;
        }
        const int n = last - first + 1;
        const double mean = sum / n, sd = std::sqrt((sum2 - n * mean * mean) / (n - 1));
        EXPECT_EQ(lines[10], QStringLiteral("KEN,FROM,TO,STEPS,MEAN,SD,CV,FIT,FIT_LOW,FIT_HIGH,R2,POINTS"));
        const QStringList f = lines[11].split(QLatin1Char(','));
        ASSERT_EQ(f.size(), 12) << lines[11].toStdString();
        EXPECT_EQ(f.mid(0, 4), (QStringList{QStringLiteral("S3"), QString::number(first), QString::number(last), QString::number(n)}));
        EXPECT_NEAR(f[4].toDouble(), mean, 1e-6 * mean);
        EXPECT_NEAR(f[5].toDouble(), sd, 1e-4 * sd);
        EXPECT_NEAR(f[6].toDouble(), sd / mean, 1e-4 * sd / mean);
    }
    EXPECT_EQ(run(args + QStringList{QStringLiteral("--steps"), QStringLiteral("3-20")}), 2);
}

// Every record in designation order; one that cannot be evaluated keeps its
// line, says why on stderr and makes the run end with 1 after the others.
TEST_F(Batch, ProjectSummaryGoesOnPastARecordThatCannotBeEvaluated)
{
    db.addRecord(3, QStringLiteral("A0"), false, 1000, QStringLiteral("Typ A"), 1);
    db.addReadings(3, {{0, 10, 200, 50.0f}, {10, 10, 300, 50.0f}, {10, 10, 380, 50.0f}, {10, 10, 440, 50.0f}});
    db.db().cnn().Execute(QStringLiteral("INSERT INTO [A1] ([ID],[BONEU],[VON]) VALUES (3,0,2)"));
    const QByteArray before = fileHash(db.db().path());
    EXPECT_EQ(run({QStringLiteral("summary"), db.db().path()}, BatchSummary::run), 1);
    const QStringList lines = out.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4) << out.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("KEN,FROM,TO,STEPS,MEAN,SD,CV,FIT,FIT_LOW,FIT_HIGH,R2,POINTS"));
    EXPECT_EQ(lines[3], QStringLiteral("B2,,,,,,,,,,,")); // no step width
    EXPECT_TRUE(err.contains(QStringLiteral("'B2'"))) << err.toStdString();
    EXPECT_FALSE(err.contains(QStringLiteral("'A0'")));
    EXPECT_EQ(fileHash(db.db().path()), before);

    // A0 over its stored steps 2-3, readings 1 ... 3 at 10 °C: the line worked out by hand through
    // ln 700, ln 620, ln 560 at 0, 600, 1200 s (G = 0.025^2 / 0.2 m), its upper bound by t(0.975, 1)
    const QStringList a0 = lines[1].split(QLatin1Char(','));
    ASSERT_EQ(a0.size(), 12);
    EXPECT_EQ(a0.mid(0, 4), (QStringList{QStringLiteral("A0"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("2")}));
    const double k = 5.81102998214e-7;
    EXPECT_NEAR(a0[7].toDouble(), k, 1e-6 * k);
    EXPECT_NEAR(a0[9].toDouble() - a0[7].toDouble(), 3.74020950093e-7, 1e-4 * k);
    EXPECT_EQ(a0[11], QStringLiteral("3"));
    // B'1 as evaluate --summary gives it
    ASSERT_EQ(run(evaluate(QStringLiteral("B'1")) << QStringLiteral("--summary")), 0);
    EXPECT_TRUE(out.endsWith(lines[2] + QLatin1Char('\n'))) << out.toStdString();
}

// Without --presets the frame installation's presets, without one the project's.
TEST_F(Batch, WithoutPresetsTheFrameInstallationsPresetsAreUsed)
{
    testsupport::TempDir frame;
    writePresets(frame.file(QStringLiteral("VORGABE.mdb")), "Typ F");
    db.addRecord(3, QStringLiteral("F3"), false, 1000, QStringLiteral("Typ F"), 1);
    db.addReadings(3, {{0, 10, 200, 50.0f}, {10, 10, 300, 50.0f}});
    for (const auto& [folder, known, unknown] : {std::tuple{frame.path(), "F3", "Typ A"}, std::tuple{QString(), "B'1", "Typ F"}}) {
        vb::SaveSetting(QStringLiteral("MORVANT"), QStringLiteral("Extras"), QStringLiteral("Datenbankpfad"), folder);
        EXPECT_EQ(run(evaluate(QLatin1String(known))), 0) << err.toStdString();
        EXPECT_EQ(run(evaluate(QLatin1String(known[0] == 'F' ? "B'1" : "F3"))), 2);
        EXPECT_TRUE(err.contains(QLatin1String(unknown)) && out.isEmpty()) << err.toStdString();
    }
}
