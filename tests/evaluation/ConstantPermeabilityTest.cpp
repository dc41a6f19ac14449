// A record generated from one permeability must give that permeability back
// in every step, whatever the step width: Hvorslev's falling head at 10 °C
// with a constant reference level, unevenly spaced readings.
#include "EvaluationDb.h"
#include "evaluation/BatchEvaluate.h"
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

        clsBERECHNEN calc;
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
