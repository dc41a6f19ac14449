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
    QString file(const QString& name, const QByteArray& content)
    {
        const QString path = db.db().dir().file(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }
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

    vb::ScopedScriptedSystem sys;
    vb::ScopedScriptedUi ui;
    testsupport::FallingHeadLog log;
    EvaluationDb db;
    QString out, err;
};

TEST_F(LoggerImportFixture, ThinnedFallingHeadEvaluatesToItsPermeability)
{
    const QString path = file(QStringLiteral("B7.csv"), log.levelLogger());
    ASSERT_EQ(import({QStringLiteral("--file"), path, QStringLiteral("--per-decade"), QStringLiteral("10"),
                      QStringLiteral("--sensor-depth"), QStringLiteral("2500"), QStringLiteral("--start"),
                      QStringLiteral("2025-06-28 10:00:00")}),
              0)
        << err.toStdString();
    const int stored = value(QStringLiteral("SELECT COUNT(*) FROM [E3] WHERE [ID]=1")).toInt();
    EXPECT_TRUE(out.startsWith(QStringLiteral("stored %1 readings").arg(stored))) << out.toStdString();
    EXPECT_GT(stored, 30);
    EXPECT_LT(stored, 40);
    // the old results are gone and marked out of date
    EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM [A2] WHERE [ID]=1")).toInt(), 0);
    EXPECT_EQ(value(QStringLiteral("SELECT [BONEU] FROM [A1] WHERE [ID]=1")).toInt(), 1);

    clsBERECHNEN calc;
    ASSERT_TRUE(calc.BERECHNUNG());
    const auto rows = db.results(1);
    ASSERT_EQ(rows.size(), stored);
    for (const auto& row : rows)
        if (row.i1 < stored - 1) {
            EXPECT_NEAR(row.k10.toDouble(), log.k(), 0.01 * log.k()) << "step " << row.i1;
        }
    EXPECT_TRUE(ui->boxes().isEmpty());
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
    const QString path = file(QStringLiteral("B7.csv"), log.levelLogger());
    const QStringList options{QStringLiteral("--file"), path, QStringLiteral("--sensor-depth"), QStringLiteral("2500")};
    db.db().cnn().Execute(QStringLiteral("PRAGMA user_version=%1").arg(schema::kProjectVersion + 1));
    QFile project(db.db().path());
    ASSERT_TRUE(project.open(QIODevice::ReadOnly));
    const QByteArray before = project.readAll();
    project.close();
    EXPECT_EQ(import(options), 2);
    EXPECT_TRUE(err.contains(QStringLiteral("cannot open project database"))) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("newer version"))) << err.toStdString();
    ASSERT_TRUE(project.open(QIODevice::ReadOnly));
    EXPECT_EQ(project.readAll(), before);
    project.close();

    db.db().cnn().Execute(QStringLiteral("PRAGMA user_version=0"));
    ASSERT_EQ(import(options), 0) << err.toStdString();
    EXPECT_EQ(value(QStringLiteral("PRAGMA user_version")).toInt(), schema::kProjectVersion);
}

// Water at 20 °C flows faster than at 10 °C by the ratio of its viscosities
// (1.3059 and 1.0016 mPa s): the log falls faster, k10 stays what it was.
TEST_F(LoggerImportFixture, AFileWithoutTemperaturesNeedsTheWaterTemperature)
{
    const double k10 = log.k();
    log.rate *= 1.3059 / 1.0016;
    const QString path = file(QStringLiteral("B7.csv"), log.levelLogger().replace(",TEMPERATURE", "").replace(",10.000", ""));
    QStringList options{QStringLiteral("--file"), path, QStringLiteral("--per-decade"), QStringLiteral("10"),
                        QStringLiteral("--sensor-depth"), QStringLiteral("2500"), QStringLiteral("--start"),
                        QStringLiteral("2025-06-28 10:00:00")};
    EXPECT_EQ(import(options), 2);
    EXPECT_TRUE(err.contains(QStringLiteral("no temperatures"))) << err.toStdString();
    EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM [E3] WHERE [ID]=1")).toInt(), 2);

    ASSERT_EQ(import(options << QStringLiteral("--temperature") << QStringLiteral("20")), 0) << err.toStdString();
    clsBERECHNEN calc;
    ASSERT_TRUE(calc.BERECHNUNG());
    const auto rows = db.results(1);
    for (const auto& row : rows)
        if (row.i1 < rows.size() - 1) EXPECT_NEAR(row.k10.toDouble(), k10, 0.01 * k10) << "step " << row.i1;
    EXPECT_TRUE(ui->boxes().isEmpty());
}

} // namespace
