#include "evaluation/HeadFit.h"

#include "evaluation/StepCalculation.h"

#include <cmath>
#include <limits>

namespace {

struct Line {
    int n = 0;
    double slope = 0, intercept = 0, sxx = 0, ssres = 0, sstot = 0;
    bool valid() const { return n >= 2 && sxx > 0; }
};

// Least squares of y on x over points [from, to).
Line leastSquares(const QVector<double>& x, const QVector<double>& y, int from, int to)
{
    Line l;
    l.n = to - from;
    if (l.n < 2) return l;
    double mx = 0, my = 0;
    for (int i = from; i < to; ++i) {
        mx += x[i];
        my += y[i];
    }
    mx /= l.n;
    my /= l.n;
    double sxy = 0;
    for (int i = from; i < to; ++i) {
        l.sxx += (x[i] - mx) * (x[i] - mx);
        sxy += (x[i] - mx) * (y[i] - my);
        l.sstot += (y[i] - my) * (y[i] - my);
    }
    if (!(l.sxx > 0)) return l;
    l.slope = sxy / l.sxx;
    l.intercept = my - l.slope * mx;
    for (int i = from; i < to; ++i) {
        const double e = y[i] - (l.intercept + l.slope * x[i]);
        l.ssres += e * e;
    }
    return l;
}

// Continued fraction of the regularized incomplete beta function (modified Lentz).
double betaFraction(double a, double b, double x)
{
    const double tiny = 1e-300;
    double c = 1, d = 1 - (a + b) * x / (a + 1);
    if (std::fabs(d) < tiny) d = tiny;
    d = 1 / d;
    double h = d;
    for (int m = 1; m <= 300; ++m) {
        const double m2 = 2.0 * m;
        double aa = m * (b - m) * x / ((a + m2 - 1) * (a + m2));
        for (int pass = 0; pass < 2; ++pass) {
            d = 1 + aa * d;
            if (std::fabs(d) < tiny) d = tiny;
            c = 1 + aa / c;
            if (std::fabs(c) < tiny) c = tiny;
            d = 1 / d;
            h *= d * c;
            aa = -(a + m) * (a + b + m) * x / ((a + m2) * (a + m2 + 1));
        }
        if (std::fabs(d * c - 1) < 1e-15) break;
    }
    return h;
}

double incompleteBeta(double a, double b, double x)
{
    if (x <= 0) return 0;
    if (x >= 1) return 1;
    const double front =
        std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x) + b * std::log1p(-x));
    if (x < (a + 1) / (a + b + 2)) return front * betaFraction(a, b, x) / a;
    return 1 - front * betaFraction(b, a, 1 - x) / b;
}

// P(T <= t) for t >= 0.
double studentCdf(double t, int dof)
{
    const double v = dof;
    return 1 - 0.5 * incompleteBeta(v / 2, 0.5, v / (v + t * t));
}

} // namespace

double HeadFit::viscosityRatio(double tm) { return 1.359 / (0.00022 * tm * tm + (0.0337 * tm + 1)); }

double HeadFit::studentT(double p, int dof)
{
    if (dof < 1 || !(p > 0.5) || !(p < 1)) return p == 0.5 ? 0 : std::numeric_limits<double>::quiet_NaN();
    double lo = 0, hi = 1;
    while (studentCdf(hi, dof) < p) hi *= 2;
    for (int i = 0; i < 200 && hi - lo > 1e-13 * hi; ++i) {
        const double mid = (lo + hi) / 2;
        (studentCdf(mid, dof) < p ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

HeadFit HeadFit::of(const EvaluationInput& in, const QVector<float>& hk, const StepRange& range)
{
    HeadFit f;
    f.range = range;
    const int m = in.m();
    auto at = [](const QVector<float>& v, int i) { return i >= 0 && i < v.size() ? double(v[i]) : 0.0; };

    f.hours.resize(std::max(m + 1, 0));
    double t = 0;
    for (int r = 0; r <= m; ++r) {
        t += at(in.DET, r) / 60;
        f.hours[r] = t;
    }

    const int s = in.N - 1;
    if (in.N < 1 || range.isEmpty() || range.first < 1 || range.last + s > m) {
        f.relativeHead.fill(0, m + 1);
        return f;
    }
    f.r0 = range.first - 1;
    f.r1 = range.last + s;

    // Heads corrected by the reference level's change since r0.
    QVector<double> head(m + 1);
    for (int r = 0; r <= m; ++r) head[r] = in.H - at(in.HST, r) + at(hk, f.r0) - at(hk, r);

    // Time at 10 °C: water at a higher temperature flows faster, so its time counts more.
    QVector<double> tau(f.r1 - f.r0 + 1, 0.0);
    for (int r = f.r0 + 1; r <= f.r1; ++r)
        tau[r - f.r0] = tau[r - f.r0 - 1] + at(in.DET, r) * 60 / viscosityRatio((at(in.TEMP, r - 1) + at(in.TEMP, r)) / 2);
    QVector<double> x, y;
    for (int r = f.r0; r <= f.r1; ++r) {
        if (head[r] > 0) {
            x.append(tau[r - f.r0]);
            y.append(std::log(head[r]));
        } else {
            ++f.leftOut;
        }
    }
    f.points = static_cast<int>(x.size());

    const Line line = leastSquares(x, y, 0, f.points);
    const double g = std::pow(in.D2 / 2000.0, 2) / ((in.D1 / 2000.0) * in.F);
    const double reference = head[f.r0] > 0 ? head[f.r0] : std::exp(line.intercept);
    f.relativeHead.resize(m + 1);
    for (int r = 0; r <= m; ++r) f.relativeHead[r] = head[r] > 0 && reference > 0 ? head[r] / reference : 0;
    if (!line.valid() || !(line.slope < 0) || !std::isfinite(g) || !(g > 0)) return f;

    f.evaluable = true;
    f.k10 = -g * line.slope;
    f.r2 = line.sstot > 0 ? 1 - line.ssres / line.sstot : 1;
    if (f.points >= 3) {
        f.hasInterval = true;
        const double se = std::sqrt(line.ssres / (f.points - 2) / line.sxx);
        const double half = studentT(0.975, f.points - 2) * g * se;
        f.low = f.k10 - half;
        f.high = f.k10 + half;
    }

    // The halves share the middle point when their number is odd.
    const int half = (f.points + 1) / 2;
    const Line first = leastSquares(x, y, 0, half), second = leastSquares(x, y, f.points - half, f.points);
    f.curved = first.valid() && second.valid() && std::fabs(first.slope - second.slope) > 0.3 * std::fabs(line.slope);

    for (const double x10 : tau) f.fittedHead.append(std::exp(line.intercept + line.slope * x10) / reference);
    return f;
}
