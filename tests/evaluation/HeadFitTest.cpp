// The straight line through ln(head) against the time at 10 °C: generated falls and a series worked out by hand.
#include "evaluation/HeadFit.h"
#include "evaluation/StepCalculation.h"
#include "platform/OnError.h"

#include <gtest/gtest.h>
#include <cmath>
#include <vector>

namespace {

// d1 = 100 mm, d2 = 50 mm, spherical flow: G = 0.025^2 / (0.05 * 4) m.
constexpr double kG = 0.025 * 0.025 / 0.2;

class HeadFitTest : public ::testing::Test {
protected:
    void addReading(float det, float temp, float head, float hko = 50)
    {
        in.DET.append(det);
        in.TEMP.append(temp);
        in.HST.append(in.H - head);
        in.HKO.append(hko);
    }
    // the line goes through the reference levels the step evaluation used
    void evaluate()
    {
        vb::OnError onError(QStringLiteral("Auswerten"));
        EXPECT_EQ(StepCalculation::run(in, onError, out), StepCalculation::Outcome::Computed);
    }
    HeadFit fit(int first, int last = 0) const { return HeadFit::of(in, out.hk, StepRange{first, last ? last : int(out.K10.size())}); }

    static EvaluationInput standpipe() { return {.H = 1000, .N = 1, .D1 = 100, .D2 = 50, .F = 4}; }
    EvaluationInput in = standpipe();
    EvaluationSteps out;
};

} // namespace

TEST_F(HeadFitTest, AnExactExponentialFallGivesTheStepK10)
{
    // 15 °C throughout, a reading every 5 minutes, n = 3, the range from step 4.
    in.N = 3;
    for (int r = 0; r < 25; ++r) addReading(r ? 5 : 0, 15, 900 * std::exp(-0.0004 * 300 * r));
    evaluate();
    const HeadFit fit = this->fit(4);
    ASSERT_TRUE(fit.evaluable);
    EXPECT_EQ(fit.r0, 3);
    EXPECT_EQ(fit.points, 25 - 3);
    for (int step = 4; step <= out.K10.size(); ++step) EXPECT_NEAR(fit.k10, out.K10[step - 1], 1e-5 * fit.k10) << "step " << step;
    EXPECT_NEAR(fit.r2, 1, 1e-9);
    EXPECT_NEAR(fit.high - fit.low, 0, 1e-5 * fit.k10);
    EXPECT_FALSE(fit.curved);
    EXPECT_DOUBLE_EQ(fit.relativeHead[3], 1);
    EXPECT_NEAR(fit.fittedHead.last(), fit.relativeHead.last(), 1e-6);
}

TEST_F(HeadFitTest, AFallAtTwentyDegreesGivesTheK10ItWasGeneratedWith)
{
    // At 20 °C water is 1.359 / 1.762 as viscous as at 10 °C: k(20) = k10 / that.
    // The reference level rises by 2 mm a reading, lowering the level read.
    const double k10 = 2.79e-8, k20 = k10 / (1.359 / 1.762);
    for (int r = 0; r < 30; ++r) // a reading an hour
        addReading(r ? 60 : 0, 20, static_cast<float>(800 * std::exp(-k20 / kG * 3600.0 * r) + 2 * r), 50 + 2 * r);
    evaluate();
    const HeadFit fit = this->fit(1);
    ASSERT_TRUE(fit.evaluable);
    EXPECT_NEAR(fit.k10, k10, 1e-5 * k10);
    EXPECT_LT(fit.high - fit.low, 1e-4 * k10);
}

TEST_F(HeadFitTest, ConfidenceIntervalAndR2OfANoisySeriesByHand)
{
    // 10 °C, one reading a minute: x = 0, 60, ..., 240 s at 10 °C.
    const std::vector<double> heads{1000, 900, 830, 735, 672};
    for (size_t r = 0; r < heads.size(); ++r) addReading(r ? 1 : 0, 10, static_cast<float>(heads[r]));
    evaluate();
    const HeadFit fit = this->fit(1, 4);
    // worked out from the sums of x = 60 i and y = ln(head): slope b, r, the
    // standard error of b, and t(0.975, 3) = 3.18244631; k10 = -G b
    ASSERT_TRUE(fit.evaluable && fit.hasInterval);
    EXPECT_EQ(fit.points, 5);
    EXPECT_NEAR(fit.k10, 5.19540698453e-6, 1e-9 * fit.k10);
    EXPECT_NEAR(fit.r2, 0.997176759144, 1e-9);
    EXPECT_NEAR(fit.low, 4.6874722376e-6, 1e-6 * fit.k10);
    EXPECT_NEAR(fit.high, 5.7033417315e-6, 1e-6 * fit.k10);
}

TEST_F(HeadFitTest, StudentsTQuantilesMatchTheTables)
{
    const std::pair<int, double> table[] = {{1, 12.7062047}, {2, 4.30265273}, {5, 2.57058184}, {10, 2.22813885}, {30, 2.04227246}, {100, 1.98397152}};
    for (const auto& [dof, t] : table) EXPECT_NEAR(HeadFit::studentT(0.975, dof), t, 1e-7) << dof;
}

TEST_F(HeadFitTest, TwoStraightLinesAreCurvedARisingHeadHasNoLineAndEmptyHeadsAreLeftOut)
{
    // The filter pack drains first: fast for 6 readings, then a third as fast.
    double head = 900;
    for (int r = 0; r < 13; ++r) addReading(r ? 10 : 0, 10, static_cast<float>(head *= r == 0 ? 1 : r <= 6 ? 0.8 : 0.93));
    evaluate();
    EXPECT_TRUE(fit(1, 12).curved);
    EXPECT_FALSE(fit(7, 12).curved); // a later start helps

    // A head of zero or below is left out and counted (the reference levels stay).
    in.HST[12] = in.H + 5;
    EXPECT_EQ(fit(7, 12).points, 6);
    EXPECT_EQ(fit(7, 12).leftOut, 1);

    in = standpipe(), out = {};
    for (int r = 0; r < 5; ++r) addReading(r ? 10 : 0, 10, 500.0f + 10 * r);
    evaluate();
    EXPECT_FALSE(fit(1, 4).evaluable);
}
