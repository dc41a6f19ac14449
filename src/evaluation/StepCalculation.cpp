#include "evaluation/StepCalculation.h"

#include "evaluation/VbArithmetic.h"
#include "platform/OnError.h"

#include <algorithm>

// Precision, statement by statement (as the VB Single/Double rules give it):
//   hk(i)   = (c*T^2 - b*T + a) * 10 : T^2, c*T^2, the sum and *10 in double;
//             b*T in single; the result stored as single.
//   TM(j)   = (T(i-1) + T(i+s)) / 2  : single throughout.
//   eta(j)  = 1.359 / (0.00022*TM^2 + (0.0337*TM + 1)) : double (the three
//             constants are double), stored as single.
//   dhk(j)  = hk(i-1) - hk(i+s)      : single.
//   dtN(i)  = dt(i) + ... + dt(i+s)  : single, summed from left to right.
//   phi(i)  = H - h'(i+s) + dhk(i-1) : single, left to right.
//   psi(r)  = H - h'(r) + (hk(max(0, r-n)) - hk(r)) : single, left to right
//             (psi(0) = H - h'(0)).
//   k10(j)  = (d2/2000)^2 / ((d1/2000)*f*dtN(i)*60) * eta(j) * Log(psi(i-1)/phi(i)):
//             d2/2000, the whole denominator and the head ratio in single; the
//             square, the quotient, the products with eta and the logarithm in
//             double; stored as single.
// Every operation goes through vbmath, which raises VB's run-time errors
// instead of producing inf or NaN.

using namespace vbmath;

StepCalculation::Outcome StepCalculation::run(const EvaluationInput& in, vb::OnError& onError, EvaluationSteps& out)
{
    const int m = in.m();
    // Arrays of equal length whatever the caller passed; missing values read as 0.
    auto reading = [m](QVector<float> v) {
        v.resize(std::max(m + 1, 0));
        return v;
    };
    const QVector<float> dt = reading(in.DET);
    const QVector<float>& T = in.TEMP;
    const QVector<float> hst = reading(in.HST);
    out = EvaluationSteps();
    QVector<float>& hk = out.hk;
    hk = reading(in.HKO);

    // Reference level from the correction function when the first reading has
    // no reference-pipe value; note the minus of the linear term.
    if (in.hkoFirstEmpty) {
        for (int i = 0; i <= m; ++i) {
            if (!onError([&] {
                    const double t = T[i];
                    hk[i] = sng(mul(add(sub(mul(double(in.C), sq(t)), double(mul(in.B, T[i]))), double(in.A)), 10.0));
                }))
                return Outcome::Cancelled;
        }
    }

    if (in.N < 1) return Outcome::BadStepWidth;
    const int s = in.N - 1;
    const int K = m - s;
    if (m - 1 - s < 0) return Outcome::TooFewReadings;

    out.TM.fill(0, K);
    out.ETA.fill(0, K);
    out.DEHKO.fill(0, K);
    out.K10.fill(0, K);
    out.DETN.fill(0, K + 1);
    out.PHI.fill(0, K + 1);
    QVector<float>& TM = out.TM;
    QVector<float>& eta = out.ETA;
    QVector<float>& dhk = out.DEHKO;
    QVector<float>& dtN = out.DETN;
    QVector<float>& phi = out.PHI;
    QVector<float>& k10 = out.K10;

    for (int i = 1; i <= K; ++i) {
        const int j = i - 1;
        if (!onError([&] { TM[j] = div(add(T[i - 1], T[i + s]), 2.0f); })) return Outcome::Cancelled;
        if (!onError([&] {
                const double tm = TM[j];
                eta[j] = sng(div(1.359, add(mul(0.00022, sq(tm)), add(mul(0.0337, tm), 1.0))));
            }))
            return Outcome::Cancelled;
        if (!onError([&] { dhk[j] = sub(hk[i - 1], hk[i + s]); })) return Outcome::Cancelled;
    }

    // Time spans: the n reading intervals from reading i-1 to reading i+s.
    if (!onError([&] { dtN[0] = sng(dt[0]); })) return Outcome::Cancelled;
    for (int i = 1; i <= K; ++i) {
        if (!onError([&] {
                float sum = 0;
                for (int k = i; k <= i + s; ++k) sum = add(sum, dt[k]);
                dtN[i] = sum;
            }))
            return Outcome::Cancelled;
    }

    // Heads: consecutive entries of phi belong to readings i-1+s and i+s.
    if (!onError([&] { phi[0] = sub(in.H, hst[0]); })) return Outcome::Cancelled;
    for (int i = 1; i <= K; ++i)
        if (!onError([&] { phi[i] = add(sub(in.H, hst[i + s]), dhk[i - 1]); })) return Outcome::Cancelled;

    // The head at the start of step i (reading i-1), corrected like phi by the
    // reference-level change over the n intervals that end at that reading. It
    // is what phi(i) is compared with: both ends of the step's own window, over
    // which dtN(i) runs. phi(i-1) would belong to reading i-1+s, one interval
    // before phi(i), and give k10 about n times too small. For n = 1 this is
    // phi(i-1), operation for operation.
    auto headAt = [&](int r) {
        if (r == 0) return sub(in.H, hst[0]);
        return add(sub(in.H, hst[r]), sub(hk[std::max(0, r - in.N)], hk[r]));
    };

    // Permeability in m/s: radii in metres (d/2000), minutes in seconds (*60).
    for (int i = 1; i <= K; ++i) {
        const int j = i - 1;
        if (!onError([&] {
                const double area = sq(div(in.D2, 2000.0f));
                const float flow = mul(mul(mul(div(in.D1, 2000.0f), in.F), dtN[i]), 60.0f);
                const double factor = mul(div(area, double(flow)), double(eta[j]));
                k10[j] = sng(mul(factor, ln(div(headAt(i - 1), phi[i]))));
            }))
            return Outcome::Cancelled;
        // Negative (rising level) or not a number: not evaluable. A zero is
        // stored as +0 so that no "-0" appears.
        if (!(k10[j] > 0)) k10[j] = 0;
    }
    return Outcome::Computed;
}
