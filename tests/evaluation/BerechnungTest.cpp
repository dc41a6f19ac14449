// BERECHNUNG on real project databases: what it reads, what it leaves in A2,
// the progress values and the failure boxes.
#include "EvaluationDb.h"
#include "evaluation/clsBERECHNEN.h"
#include "platform/MsgBox.h"
#include "platform/System.h"

#include <gtest/gtest.h>
#include <cmath>

using evaltest::EvaluationDb;
using evaltest::Reading;

namespace {

class Berechnung : public ::testing::Test {
protected:
    void SetUp() override
    {
        sys->language = QStringLiteral("de");
        // d1 = 100 mm, d2 = 50 mm, spherical flow; hkorr(T) = 1 - 0.1 T + 0.01 T^2 (x10 mm)
        db.addPreset(QStringLiteral("Typ 'A'"), 100, 50, 4, 1, 0.1f, 0.01f);
    }

    bool evaluate()
    {
        progress.clear();
        clsBERECHNEN calc(db.session(), [this](int v) { progress.append(v); });
        return calc.BERECHNUNG();
    }

    vb::ScopedScriptedSystem sys;
    vb::ScopedScriptedUi ui;
    EvaluationDb db;
    QList<int> progress;
};

const QList<int> kAllProgress{10, 50, 80, 100};

std::vector<Reading> falling(int count, float hko0 = 50)
{
    std::vector<Reading> r;
    for (int i = 0; i < count; ++i) r.push_back({i == 0 ? 0.0f : 5.0f + i, 8.0f + 0.5f * i, 200.0f + 40 * i - i * i, i == 0 ? QVariant(hko0) : QVariant(hko0 - 0.5f * i)});
    return r;
}

} // namespace

TEST_F(Berechnung, WorkedRecordWritesHeadsSpansAndPermeabilities)
{
    db.addRecord(1, QStringLiteral("B1"), true, 1000, QStringLiteral("Typ 'A'"), 1);
    db.addRecord(2, QStringLiteral("B2"), false, 1000, QStringLiteral("Typ 'A'"), 1);
    db.addReadings(1, {{0, 10, 200, 50.0f}, {10, 10, 300, 50.0f}, {20, 10, 350, 50.0f}});
    db.addReadings(2, falling(5));
    // a project opened later in another session, with an active record of its own
    EvaluationDb other;
    other.addPreset(QStringLiteral("Typ 'A'"), 100, 50, 4, 1, 0.1f, 0.01f);
    other.addRecord(1, QStringLiteral("B1"), true, 1000, QStringLiteral("Typ 'A'"), 1);
    other.addReadings(1, falling(5));

    ASSERT_TRUE(evaluate());
    EXPECT_EQ(progress, kAllProgress);
    EXPECT_TRUE(ui->boxes().isEmpty());
    const auto rows = db.results(1);
    ASSERT_EQ(rows.size(), 3);
    const float phi[] = {800, 700, 650}, detn[] = {0, 10, 20};
    // (0.025 m)^2 / (0.05 m * 4 * 600 s) * ln(800/700), then over 1200 s with ln(700/650)
    const double k10[] = {6.95476e-7, 1.929895e-7};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rows[i].i1, i);
        EXPECT_EQ(rows[i].phi.toFloat(), phi[i]);
        EXPECT_EQ(rows[i].detn.toFloat(), detn[i]);
    }
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(rows[i].k10.toDouble(), k10[i], 1e-12);
        EXPECT_EQ(rows[i].dehko.toFloat(), 0);
    }
    // the last row carries PHI and DETN only
    EXPECT_TRUE(rows[2].k10.isNull());
    EXPECT_TRUE(rows[2].dehko.isNull());
    // only the active record of the session's own project is evaluated
    EXPECT_TRUE(db.results(2).isEmpty());
    EXPECT_TRUE(other.results(1).isEmpty());
}

TEST_F(Berechnung, StepWidthThreeOverElevenReadings)
{
    db.addRecord(1, QStringLiteral("B1"), true, 1000, QStringLiteral("Typ 'A'"), 3);
    const auto readings = falling(11);
    db.addReadings(1, readings);

    ASSERT_TRUE(evaluate());
    const auto rows = db.results(1);
    ASSERT_EQ(rows.size(), 9); // K = m - s = 10 - 2
    int k10Rows = 0;
    for (const auto& r : rows) k10Rows += r.k10.isNull() ? 0 : 1;
    EXPECT_EQ(k10Rows, 8);
    EXPECT_FLOAT_EQ(rows[1].detn.toFloat(), readings[1].det + readings[2].det + readings[3].det);
    // phi(1) belongs to reading 3, corrected by the reference-level change from reading 0 to 3
    const double dhk = readings[0].hko.toDouble() - readings[3].hko.toDouble();
    EXPECT_NEAR(rows[0].dehko.toDouble(), dhk, 1e-5);
    EXPECT_NEAR(rows[1].phi.toDouble(), 1000 - readings[3].hst + dhk, 1e-3);
    // mean temperature of step 0: (T0 + T3) / 2 = 8.75 °C
    const double eta = 1.359 / (0.00022 * 8.75 * 8.75 + 0.0337 * 8.75 + 1);
    const double k = 0.025 * 0.025 / (0.05 * 4 * rows[1].detn.toDouble() * 60) * eta
        * std::log(rows[0].phi.toDouble() / rows[1].phi.toDouble());
    EXPECT_NEAR(rows[0].k10.toDouble(), k, 1e-5 * k);
}

TEST_F(Berechnung, ReferenceLevelFromCorrectionFunctionWhenFirstIsEmpty)
{
    db.addRecord(1, QStringLiteral("B1"), true, 1000, QStringLiteral("typ 'a'"), 1); // designations match without case
    db.addReadings(1, {{0, 20, 200, QVariant()}, {15, 5, 260, 77.0f}, {15, 12, 300, QVariant()}});
    ASSERT_TRUE(evaluate());
    auto rows = db.results(1);
    ASSERT_EQ(rows.size(), 3);
    // hk = 30, 7.5, 12.4 from T = 20, 5, 12; the stored 77 is not used
    EXPECT_NEAR(rows[0].dehko.toDouble(), 22.5, 1e-4);
    EXPECT_NEAR(rows[1].dehko.toDouble(), -4.9, 1e-4);
    EXPECT_NEAR(rows[1].phi.toDouble(), 1000 - 260 + 22.5, 1e-3);

    // With a first reference reading the stored values count; an empty later one as 0.
    db.replaceReadings(1, {{0, 20, 200, 40.0f}, {15, 5, 260, QVariant()}, {15, 12, 300, 12.0f}});
    ASSERT_TRUE(evaluate());
    rows = db.results(1);
    EXPECT_FLOAT_EQ(rows[0].dehko.toFloat(), 40);
    EXPECT_FLOAT_EQ(rows[1].dehko.toFloat(), -12);
    EXPECT_FLOAT_EQ(rows[2].phi.toFloat(), 1000 - 300 - 12);
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(Berechnung, RisingLevelAndTenDegrees)
{
    db.addRecord(1, QStringLiteral("B1"), true, 1000, QStringLiteral("Typ 'A'"), 1);
    db.addReadings(1, {{0, 10, 300, 50.0f}, {10, 10, 250, 50.0f}, {10, 10, 260, 50.0f}});
    ASSERT_TRUE(evaluate());
    const auto rows = db.results(1);
    EXPECT_EQ(rows[0].k10.toFloat(), 0); // 700 -> 750: not evaluable
    // 750 -> 740 at 10 °C: eta = 1; the head ratio is a single, hence 1e-5
    const double k = 0.025 * 0.025 / (0.05 * 4 * 600) * std::log(750.0 / 740.0);
    EXPECT_NEAR(rows[1].k10.toDouble(), k, 1e-5 * k);
}

TEST_F(Berechnung, TooFewReadingsRemoveOldResultsAndWriteNothing)
{
    db.addRecord(1, QStringLiteral("B1"), true, 1000, QStringLiteral("Typ 'A'"), 3);
    db.addReadings(1, falling(3)); // exactly n readings
    for (int i = 0; i < 4; ++i) db.addResultRow(1, i, 500);
    db.addResultRow(2, 0, 500);

    EXPECT_TRUE(evaluate());
    EXPECT_EQ(progress, kAllProgress);
    EXPECT_TRUE(db.results(1).isEmpty());
    EXPECT_EQ(db.results(2).size(), 1); // other records keep theirs
    EXPECT_TRUE(ui->boxes().isEmpty());

    // no readings at all
    db.replaceReadings(1, {});
    EXPECT_TRUE(evaluate());
    EXPECT_TRUE(db.results(1).isEmpty());
}

TEST_F(Berechnung, ShorterReEvaluationLeavesNoStaleSteps)
{
    db.addRecord(1, QStringLiteral("B1"), true, 1000, QStringLiteral("Typ 'A'"), 1);
    db.addReadings(1, falling(8));
    ASSERT_TRUE(evaluate());
    ASSERT_EQ(db.results(1).size(), 8);

    db.replaceReadings(1, falling(4));
    ASSERT_TRUE(evaluate());
    const auto rows = db.results(1);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[3].i1, 3);
    EXPECT_TRUE(rows[3].k10.isNull()); // no K10 left over from the longer run
    EXPECT_FALSE(rows[2].k10.isNull());
}

TEST_F(Berechnung, MissingStandpipeShowsFailureBox)
{
    db.addRecord(1, QStringLiteral("B1"), true, 1000, QStringLiteral("Unbekannt"), 1);
    db.addReadings(1, falling(3));

    // OK goes on: the steps are written with K10 = 0.
    EXPECT_TRUE(evaluate());
    ASSERT_EQ(ui->boxes().size(), 2);
    for (const auto& box : ui->boxes()) {
        EXPECT_EQ(box.title, QStringLiteral("Auswerten"));
        EXPECT_TRUE(box.text.startsWith(QStringLiteral("VB-Fehler: "))) << box.text.toStdString();
        EXPECT_EQ(box.buttons(), vb::vbOKCancel);
        EXPECT_EQ(box.icon(), vb::vbExclamation);
    }
    auto rows = db.results(1);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].k10.toFloat(), 0);
    EXPECT_EQ(rows[1].k10.toFloat(), 0);

    // Cancel leaves at once with false; what was stored before stays.
    ui->clear();
    ui->answer(vb::vbCancel);
    EXPECT_FALSE(evaluate());
    EXPECT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(progress, (QList<int>{10, 50}));
    EXPECT_EQ(db.results(1).size(), 3);
}

TEST_F(Berechnung, FailedWriteIsNotReportedAsSuccess)
{
    db.addRecord(1, QStringLiteral("B1"), true, 1000, QStringLiteral("Typ 'A'"), 1);
    db.addReadings(1, falling(4));
    db.db().cnn().Execute(QStringLiteral("CREATE TRIGGER [A2_LOCKED] BEFORE INSERT ON [A2] BEGIN SELECT RAISE(ABORT, 'locked'); END"));

    EXPECT_FALSE(evaluate());
    ASSERT_FALSE(ui->boxes().isEmpty());
    EXPECT_EQ(ui->boxes().first().title, QStringLiteral("Datenfehler"));
    EXPECT_TRUE(db.results(1).isEmpty());
}

TEST_F(Berechnung, EmptyStepWidthGivesOneMessage)
{
    db.addRecord(1, QStringLiteral("B1"), true, 1000, QStringLiteral("Typ 'A'"), QVariant());
    db.addReadings(1, falling(6));
    db.addResultRow(1, 0, 500);

    EXPECT_FALSE(evaluate());
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes().first().title, QStringLiteral("Auswerten"));
    EXPECT_TRUE(ui->boxes().first().text.contains(QStringLiteral("Schrittweite")));
    EXPECT_EQ(db.results(1).size(), 1); // nothing changed

    db.session().SPRACHE = 1;
    ui->clear();
    EXPECT_FALSE(evaluate());
    EXPECT_TRUE(ui->boxes().first().text.contains(QStringLiteral("step width")));
}

TEST(clsBERECHNENHelpers, InterpolationAndDecimalLogarithm)
{
    vb::ScopedScriptedUi ui;
    EXPECT_FLOAT_EQ(clsBERECHNEN::LININT(0, 10, 2.5f, 100, 200), 125);
    EXPECT_FLOAT_EQ(clsBERECHNEN::LININT(1, 1, 5, 3, 4), 0);
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes().first().text, QStringLiteral("Division durch Null!"));
    EXPECT_EQ(ui->boxes().first().title, QStringLiteral("LININT"));

    EXPECT_DOUBLE_EQ(clsBERECHNEN::LOG10(1000), 3);
    EXPECT_DOUBLE_EQ(clsBERECHNEN::LOG10(1e-7), -7);
    EXPECT_EQ(clsBERECHNEN::LOG10(0), 0);
    EXPECT_EQ(clsBERECHNEN::LOG10(-5), 0);
}
