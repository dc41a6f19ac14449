// A falling head logged every second, imported by the batch command with
// logarithmic thinning from the start of the fall and evaluated, gives back
// the permeability it was generated from; a failed import changes nothing.
#include "evaluation/EvaluationDb.h"
#include "common/LoggerFiles.h"
#include "batch/BatchImport.h"
#include "evaluation/clsBERECHNEN.h"
#include "data/Schema.h"
#include "platform/MsgBox.h"
#include "platform/System.h"

#include <QFile>
#include <QTextStream>
#include <gtest/gtest.h>

using evaltest::EvaluationDb;
using S = QString;

namespace {

class LoggerImportFixture : public ::testing::Test {
protected:
    LoggerImportFixture()
    {
        db.addPreset(QStringLiteral("Typ K"), 100, 50, 4, 1, 0.1f, 0.01f);
        db.addRecord(1, QStringLiteral("K1"), true, static_cast<float>(log.h), QStringLiteral("Typ K"), 1);
        db.addReadings(1, {{0, 10, 100, {}}, {5, 10, 110, {}}});
        db.addResultRow(1, 0, 1000);
    }
    QString file(const QString& name, const QByteArray& content) { return testsupport::writeFile(db.db().dir().file(name), content); }
    int import(const QStringList& options)
    {
        out.clear();
        err.clear();
        QTextStream o(&out), e(&err);
        return BatchImport::run(QStringList{QStringLiteral("import"), db.db().path(), QStringLiteral("--record"),
                                            QStringLiteral("K1")} + options,
                                o, e);
    }
    QVariant value(const QString& sql)
    {
        ado::Recordset rs(sql, db.db().cnn());
        return rs.Eof() ? QVariant() : rs.Value(0);
    }
    int rowsOf(const char* table) { return value(S("SELECT COUNT(*) FROM [%1] WHERE [ID]=1").arg(QLatin1String(table))).toInt(); }
    // Evaluates the project: every step but the last gives k10 within 1 %; returns the number of steps.
    qsizetype expectK10(double k10)
    {
        clsBERECHNEN calc(db.session());
        EXPECT_TRUE(calc.BERECHNUNG());
        const auto rows = db.results(1);
        for (const auto& row : rows)
            EXPECT_TRUE(row.i1 >= rows.size() - 1 || std::abs(row.k10.toDouble() - k10) <= 0.01 * k10) << "step " << row.i1 << ": " << row.k10.toDouble();
        EXPECT_TRUE(ui->boxes().isEmpty());
        return rows.size();
    }
    // the falling head thinned from its start, as the engineer imports it
    const QStringList m_thinned{S("--per-decade"), S("10"), S("--sensor-depth"), S("2500"), S("--start"), S("2025-06-28 10:00:00")};

    vb::ScopedScriptedSystem sys;
    vb::ScopedScriptedUi ui;
    testsupport::FallingHeadLog log;
    EvaluationDb db;
    QString out, err;
};

TEST_F(LoggerImportFixture, ThinnedFallingHeadEvaluatesToItsPermeability)
{
    ASSERT_EQ(import(QStringList{S("--file"), file(S("B7.csv"), log.levelLogger())} + m_thinned), 0) << err.toStdString();
    const int stored = rowsOf("E3");
    EXPECT_TRUE(out.startsWith(S("stored %1 readings").arg(stored))) << out.toStdString();
    EXPECT_TRUE(stored > 30 && stored < 40) << stored;
    // the old results are gone and marked out of date
    EXPECT_EQ(rowsOf("A2"), 0);
    EXPECT_EQ(value(S("SELECT [BONEU] FROM [A1] WHERE [ID]=1")).toInt(), 1);
    EXPECT_EQ(expectK10(log.k()), stored);
}

TEST_F(LoggerImportFixture, AFailedImportLeavesTheRecordAsItWas)
{
    const QString good = file(QStringLiteral("B7.csv"), log.levelLogger());
    const QString broken = file(QStringLiteral("B8.csv"), log.levelLogger().replace("2025/06/28,10:00:05", "2025/06/31,10:00:05"));
    const struct {
        QStringList options;
        const char* says;
    } cases[] = {
        {{QStringLiteral("--file"), broken, QStringLiteral("--sensor-depth"), QStringLiteral("2500")}, "Line 78: Expected a date"},
        {{QStringLiteral("--file"), good}, "needs the sensor depth"},
        {{QStringLiteral("--file"), good, QStringLiteral("--every"), QStringLiteral("2"), QStringLiteral("--per-decade"),
          QStringLiteral("5")},
         "only one of"},
        {{QStringLiteral("--file"), good, QStringLiteral("--level-column"), QStringLiteral("DEPTH")}, "no column 'DEPTH'"},
        {{QStringLiteral("--file"), good, QStringLiteral("--sensor-depth"), QStringLiteral("2500"), QStringLiteral("--start"),
          QStringLiteral("2025-06-29 10:00:00")},
         "No readings remain"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(import(c.options), 2) << c.says;
        EXPECT_TRUE(err.contains(QString::fromUtf8(c.says))) << err.toStdString();
        EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM [E3] WHERE [ID]=1")).toInt(), 2);
        EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM [A2] WHERE [ID]=1")).toInt(), 1);
    }
}

TEST_F(LoggerImportFixture, AProjectOfANewerVersionIsRefusedAndAnOlderOneUpgraded)
{
    const QStringList options{S("--file"), file(S("B7.csv"), log.levelLogger()), S("--sensor-depth"), S("2500")};
    db.db().cnn().Execute(S("PRAGMA user_version=%1").arg(schema::kProjectVersion + 1));
    const QByteArray before = testsupport::fileHash(db.db().path());
    EXPECT_EQ(import(options), 2);
    for (const char* says : {"cannot open project database", "newer version"})
        EXPECT_TRUE(err.contains(QLatin1String(says))) << err.toStdString();
    EXPECT_EQ(testsupport::fileHash(db.db().path()), before);

    db.db().cnn().Execute(S("PRAGMA user_version=0"));
    ASSERT_EQ(import(options), 0) << err.toStdString();
    EXPECT_EQ(value(S("PRAGMA user_version")).toInt(), schema::kProjectVersion);
}

// Water at 20 °C flows faster than at 10 °C by the ratio of its viscosities
// (1.3059 and 1.0016 mPa s): the log falls faster, k10 stays what it was.
TEST_F(LoggerImportFixture, AFileWithoutTemperaturesNeedsTheWaterTemperature)
{
    const double k10 = log.k();
    log.rate *= 1.3059 / 1.0016;
    QStringList options = QStringList{S("--file"), file(S("B7.csv"), log.withoutTemperatures())} + m_thinned;
    EXPECT_EQ(import(options), 2);
    EXPECT_TRUE(err.contains(S("no temperatures"))) << err.toStdString();
    EXPECT_EQ(rowsOf("E3"), 2);

    ASSERT_EQ(import(options << S("--temperature") << S("20")), 0) << err.toStdString();
    expectK10(k10);
}

} // namespace
