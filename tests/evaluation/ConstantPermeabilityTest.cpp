// A record generated from one permeability must give that permeability back
// in every step, whatever the step width: Hvorslev's falling head at 10 °C
// with a constant reference level, unevenly spaced readings.
#include "EvaluationDb.h"
#include "batch/BatchEvaluate.h"
#include "evaluation/clsBERECHNEN.h"
#include "platform/MsgBox.h"
#include "platform/System.h"

#include <QTextStream>
#include <gtest/gtest.h>
#include <cmath>

using evaltest::EvaluationDb;
using evaltest::Reading;

namespace {

constexpr double kK = 2.6e-7; // m/s
constexpr float kH = 1500;    // mm

// d1 = 100 mm, d2 = 50 mm, f = 4: phi(t) = phi0 * exp(-k * (d1/2000) * f * t / (d2/2000)^2).
std::vector<Reading> fallingHead(int count)
{
    const double rate = kK * 0.05 * 4 / (0.025 * 0.025); // 1/s
    std::vector<Reading> r;
    double t = 0;
    for (int i = 0; i < count; ++i) {
        const float det = i == 0 ? 0.0f : static_cast<float>(4 + (i * 7) % 9); // 4 ... 12 min
        t += det * 60.0;
        const double phi = 1200 * std::exp(-rate * t);
        r.push_back({det, 10.0f, static_cast<float>(kH - phi), QVariant(35.0f)});
    }
    return r;
}

} // namespace

TEST(ConstantPermeability, EveryStepGivesBackTheGeneratingKForStepWidthsOneToThree)
{
    vb::ScopedScriptedSystem sys;
    vb::ScopedScriptedUi ui;
    for (int n = 1; n <= 3; ++n) {
        EvaluationDb db;
        db.addPreset(QStringLiteral("Typ K"), 100, 50, 4, 1, 0.1f, 0.01f);
        db.addRecord(1, QStringLiteral("K1"), true, kH, QStringLiteral("Typ K"), n);
        db.addReadings(1, fallingHead(12));

        clsBERECHNEN calc(db.session());
        ASSERT_TRUE(calc.BERECHNUNG());
        const auto rows = db.results(1);
        ASSERT_EQ(rows.size(), 12 - n + 1);
        int steps = 0;
        for (const auto& row : rows) {
            if (row.k10.isNull()) continue;
            ++steps;
            EXPECT_NEAR(row.k10.toDouble(), kK, 1e-5 * kK) << "n = " << n << ", step " << row.i1;
        }
        EXPECT_EQ(steps, 12 - n);

        // The batch command evaluates the same way.
        QString out, err;
        QTextStream o(&out), e(&err);
        ASSERT_EQ(BatchEvaluate::run({QStringLiteral("evaluate"), db.db().path(), QStringLiteral("--record"),
                                      QStringLiteral("K1")},
                                     o, e),
                  0)
            << err.toStdString();
        const QStringList lines = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), rows.size() + 1);
        for (int i = 0; i < rows.size() - 1; ++i)
            EXPECT_EQ(lines[i + 1].split(QLatin1Char(','))[3].toFloat(), rows[i].k10.toFloat()) << "n = " << n;
    }
    EXPECT_TRUE(ui->boxes().isEmpty());
}

// A reference level that moves: both heads of a step window are corrected by
// the reference level's change, the head at the window's end over the window
// itself, the one at its start over the n intervals before it. Worked out
// here in double from the readings, window by window.
TEST(ConstantPermeability, MovingReferenceLevelCorrectsBothEndsOfEveryWindow)
{
    vb::ScopedScriptedSystem sys;
    vb::ScopedScriptedUi ui;
    std::vector<Reading> readings = fallingHead(10);
    for (size_t i = 0; i < readings.size(); ++i) readings[i].hko = QVariant(35.0f + 0.8f * i + 0.3f * (i % 3));
    const auto hst = [&](int r) { return double(readings[r].hst); };
    const auto level = [&](int r) { return double(readings[r].hko.toFloat()); };
    // head at reading r, corrected by the level change since reading `from`
    const auto head = [&](int r, int from) { return kH - hst(r) + level(from) - level(r); };

    for (int n = 2; n <= 3; ++n) {
        EvaluationDb db;
        db.addPreset(QStringLiteral("Typ K"), 100, 50, 4, 1, 0.1f, 0.01f);
        db.addRecord(1, QStringLiteral("K1"), true, kH, QStringLiteral("Typ K"), n);
        db.addReadings(1, readings);
        clsBERECHNEN calc(db.session());
        ASSERT_TRUE(calc.BERECHNUNG());
        const auto rows = db.results(1);
        for (int a = 0; a + n < static_cast<int>(readings.size()); ++a) {
            const int b = a + n; // the window runs from reading a to reading b
            double seconds = 0;
            for (int r = a + 1; r <= b; ++r) seconds += readings[r].det * 60.0;
            const double start = a == 0 ? kH - hst(0) : head(a, std::max(0, a - n));
            // at 10 °C: no viscosity factor; radii 25 mm and 50 mm, f = 4
            const double k = 0.025 * 0.025 / (0.05 * 4 * seconds) * std::log(start / head(b, a));
            ASSERT_LT(a, rows.size());
            EXPECT_NEAR(rows[a].k10.toDouble(), k, 1e-5 * k) << "n = " << n << ", window from reading " << a;
        }
    }
    EXPECT_TRUE(ui->boxes().isEmpty());
}
