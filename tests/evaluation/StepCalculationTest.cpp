// The numerical core against an independent double-precision calculation
// written out here, and its behaviour where IEEE arithmetic would give inf or
// NaN. Worked records by hand are in BerechnungTest.
#include "evaluation/StepCalculation.h"
#include "evaluation/VbArithmetic.h"
#include "platform/MsgBox.h"
#include "platform/OnError.h"
#include "platform/VBError.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using Outcome = StepCalculation::Outcome;

vb::OnError auswerten() { return vb::OnError(QStringLiteral("Auswerten"), QStringLiteral("VB-Fehler: ")); }

// Standpipe d1 = 100 mm, d2 = 50 mm, spherical flow; stored reference levels.
EvaluationInput record(int n, const std::vector<float>& hst, const std::vector<float>& det,
                       const std::vector<float>& temp, float hko = 50)
{
    EvaluationInput in;
    in.H = 1000;
    in.N = n;
    in.HST = QVector<float>(hst.begin(), hst.end());
    in.DET = QVector<float>(det.begin(), det.end());
    in.TEMP = QVector<float>(temp.begin(), temp.end());
    in.HKO = QVector<float>(in.TEMP.size(), hko);
    in.D1 = 100;
    in.D2 = 50;
    in.F = 4;
    in.A = 1;
    in.B = 0.1f;
    in.C = 0.01f;
    return in;
}

// The evaluation written straight from the formulas, in double precision.
struct Reference {
    std::vector<double> phi, dtN, k10, dhk;
};

Reference reference(const EvaluationInput& in)
{
    const int m = in.m(), s = in.N - 1, K = m - s;
    std::vector<double> hk(m + 1);
    for (int i = 0; i <= m; ++i) {
        const double t = in.TEMP[i];
        hk[i] = in.hkoFirstEmpty ? (in.A - in.B * t + in.C * t * t) * 10 : in.HKO[i];
    }
    Reference r;
    r.phi.push_back(in.H - in.HST[0]);
    r.dtN.push_back(in.DET[0]);
    for (int j = 0; j < K; ++j) {
        const double tm = (in.TEMP[j] + in.TEMP[j + 1 + s]) / 2;
        const double eta = (1 + 0.0337 * 10 + 0.00022 * 100) / (1 + 0.0337 * tm + 0.00022 * tm * tm);
        r.dhk.push_back(hk[j] - hk[j + 1 + s]);
        double span = 0;
        for (int k = j + 1; k <= j + 1 + s; ++k) span += in.DET[k];
        r.dtN.push_back(span);
        r.phi.push_back(in.H - in.HST[j + 1 + s] + r.dhk[j]);
        const double r2 = in.D2 / 2000.0, r1 = in.D1 / 2000.0;
        // the head at the start of the step's window, reading j, corrected over
        // the n intervals that end there
        const double start = in.H - in.HST[j] + (hk[std::max(0, j - in.N)] - hk[j]);
        const double k = r2 * r2 / (r1 * in.F * span * 60) * eta * std::log(start / r.phi[j + 1]);
        r.k10.push_back(k >= 0 ? k : 0);
    }
    return r;
}

void expectNear(const QVector<float>& got, const std::vector<double>& want, const char* what)
{
    ASSERT_EQ(got.size(), static_cast<qsizetype>(want.size())) << what;
    for (size_t i = 0; i < want.size(); ++i)
        EXPECT_NEAR(got[i], want[i], 1e-5 * std::fabs(want[i]) + 1e-30) << what << "(" << i << ")";
}

} // namespace

TEST(StepCalculation, StepWidthThreeAgainstIndependentCalculation)
{
    vb::ScopedScriptedUi ui;
    std::vector<float> hst, det, temp;
    for (int i = 0; i <= 10; ++i) {
        hst.push_back(100 + 35.5f * i + 0.7f * i * i);
        det.push_back(i == 0 ? 0 : 5 + 2.5f * i);
        temp.push_back(6 + 1.3f * i);
    }
    auto in = record(3, hst, det, temp);
    in.HKO = {48, 47.5f, 47, 46.8f, 46, 45.1f, 45, 44, 43.2f, 42, 41};
    auto onError = auswerten();
    EvaluationSteps out;
    ASSERT_EQ(StepCalculation::run(in, onError, out), Outcome::Computed);
    // s = 2, K = 8
    EXPECT_EQ(out.K(), 8);
    EXPECT_EQ(out.DETN.size(), 9);
    EXPECT_EQ(out.K10.size(), 8);
    EXPECT_EQ(out.DEHKO.size(), 8);
    EXPECT_FLOAT_EQ(out.DETN[1], det[1] + det[2] + det[3]);
    EXPECT_FLOAT_EQ(out.DETN[8], det[8] + det[9] + det[10]);
    EXPECT_FLOAT_EQ(out.DEHKO[0], 48 - 46.8f);
    EXPECT_FLOAT_EQ(out.TM[0], (temp[0] + temp[3]) / 2);
    const Reference r = reference(in);
    expectNear(out.PHI, r.phi, "PHI");
    expectNear(out.DETN, r.dtN, "DETN");
    expectNear(out.DEHKO, r.dhk, "DEHKO");
    expectNear(out.K10, r.k10, "K10");
    for (float k : out.K10) EXPECT_GT(k, 0);

    // The same readings with reference levels from the correction function.
    in.hkoFirstEmpty = true;
    ASSERT_EQ(StepCalculation::run(in, onError, out), Outcome::Computed);
    const Reference rc = reference(in);
    expectNear(out.DEHKO, rc.dhk, "DEHKO");
    expectNear(out.PHI, rc.phi, "PHI");
    expectNear(out.K10, rc.k10, "K10");
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST(StepCalculation, TooFewReadingsOrNoStepWidth)
{
    vb::ScopedScriptedUi ui;
    auto onError = auswerten();
    EvaluationSteps out;
    // exactly n readings
    auto in = record(3, {100, 110, 120}, {0, 1, 1}, {10, 10, 10});
    EXPECT_EQ(StepCalculation::run(in, onError, out), Outcome::TooFewReadings);
    EXPECT_TRUE(out.PHI.isEmpty());
    // n + 1 readings give one step
    in = record(3, {100, 110, 120, 130}, {0, 1, 1, 1}, {10, 10, 10, 10});
    ASSERT_EQ(StepCalculation::run(in, onError, out), Outcome::Computed);
    EXPECT_EQ(out.PHI.size(), 2);
    EXPECT_EQ(out.K10.size(), 1);
    // an empty step width reads 0
    in.N = 0;
    EXPECT_EQ(StepCalculation::run(in, onError, out), Outcome::BadStepWidth);
    in.N = -4;
    EXPECT_EQ(StepCalculation::run(in, onError, out), Outcome::BadStepWidth);
    // no readings at all
    in = EvaluationInput();
    in.N = 1;
    EXPECT_EQ(StepCalculation::run(in, onError, out), Outcome::TooFewReadings);
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST(StepCalculation, ZeroOrHugeHeadsNeverGiveInfinity)
{
    vb::ScopedScriptedUi ui;
    // phi(1) = 0: the head ratio divides by zero
    auto in = record(1, {200, 1000, 350}, {0, 10, 20}, {10, 10, 10});
    auto onError = auswerten();
    EvaluationSteps out;
    ASSERT_EQ(StepCalculation::run(in, onError, out), Outcome::Computed);
    ASSERT_EQ(ui->boxes().size(), 2); // 800/0, then log(0/650)
    EXPECT_EQ(ui->boxes()[0].text, QStringLiteral("VB-Fehler: 11\nDivision by zero"));
    EXPECT_EQ(ui->boxes()[1].text, QStringLiteral("VB-Fehler: 5\nInvalid procedure call or argument"));
    EXPECT_EQ(out.K10, (QVector<float>{0, 0}));

    // Heads beyond the single range overflow instead of becoming inf.
    ui->clear();
    in = record(1, {-3e38f, 3e38f, 350}, {0, 10, 20}, {10, 10, 10});
    in.H = 3e38f;
    ASSERT_EQ(StepCalculation::run(in, onError = auswerten(), out), Outcome::Computed);
    ASSERT_FALSE(ui->boxes().isEmpty());
    EXPECT_TRUE(ui->boxes().first().text.startsWith(QStringLiteral("VB-Fehler: 6\n")));
    for (const auto* v : {&out.PHI, &out.DETN, &out.K10, &out.DEHKO})
        for (float x : *v) EXPECT_TRUE(std::isfinite(x));
}

TEST(VbArithmetic, RaisesWhereVbRaises)
{
    auto number = [](auto f) {
        try {
            f();
        } catch (const vb::VBError& e) {
            return e.Number();
        }
        return 0L;
    };
    EXPECT_EQ(number([] { vbmath::div(1.0f, 0.0f); }), 11);
    EXPECT_EQ(number([] { vbmath::div(-1.0, 0.0); }), 11);
    EXPECT_EQ(number([] { vbmath::div(0.0f, 0.0f); }), 6);
    EXPECT_EQ(number([] { vbmath::mul(3e38f, 10.0f); }), 6);
    EXPECT_EQ(number([] { vbmath::sng(1e39); }), 6);
    EXPECT_EQ(number([] { vbmath::ln(0.0); }), 5);
    EXPECT_EQ(number([] { vbmath::ln(-2.0); }), 5);
    EXPECT_EQ(number([] { vbmath::sq(1e200); }), 6);
    EXPECT_FLOAT_EQ(vbmath::sng(1.5), 1.5f);
    EXPECT_DOUBLE_EQ(vbmath::ln(std::exp(2.0)), 2.0);
}
