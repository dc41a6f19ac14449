#include "graphics/AxisDivision.h"

#include "platform/VBError.h"

#include <algorithm>
#include <cmath>

namespace gfx {

namespace {

template <typename T>
T at(const QVector<T>& list, qsizetype i)
{
    if (i < 0 || i >= list.size()) vb::Raise(9, QStringLiteral("Index außerhalb des gültigen Bereichs"));
    return list[i];
}

void findLimits(float& MIN, float& MAX, bool logarithmic, bool autoMin, bool autoMax, short nr,
                const QVector<float>& data)
{
    // on a logarithmic axis only positive data have a place; values that are
    // no numbers never become limits
    QVector<float> d;
    for (float v : data)
        if (std::isfinite(v) && (!logarithmic || v > 0)) d.append(v);
    if (d.isEmpty()) return;
    if (autoMin) {
        if (std::abs(nr) == 1) MIN = d[0];
        for (float v : d) MIN = std::min(MIN, v);
    }
    if (autoMax) {
        if (std::abs(nr) == 1) MAX = d[0];
        for (float v : d) MAX = std::max(MAX, v);
    }
}

void snapMin(float& MIN, const QVector<float>& L)
{
    const qsizetype n = L.size() - 1;
    if (MIN < at(L, 0)) {
        MIN = L[0];
        return;
    }
    for (qsizetype i = 1; i <= n; ++i)
        if (L[i - 1] <= MIN && MIN < L[i]) {
            MIN = L[i - 1];
            return;
        }
}

void snapMax(float& MAX, const QVector<float>& L)
{
    const qsizetype n = L.size() - 1;
    if (MAX > at(L, n)) {
        MAX = L[n];
        return;
    }
    for (qsizetype i = 1; i <= n; ++i)
        if (L[i - 1] < MAX && MAX <= L[i]) {
            MAX = L[i];
            return;
        }
}

// Grid and label lists shorter than the range list (an axis whose lists were
// copied only in part, such as a second diagram over the same x axis) mean
// no grid and no labels for the missing ranges.
short orZero(const QVector<short>& list, qsizetype i) { return i >= 0 && i < list.size() ? list[i] : short(0); }

// Appends v unless it repeats the last entry (a limit on a decade).
void appendTick(QVector<float>& t, float v)
{
    if (t.isEmpty() || std::abs(t.last() - v) > 1e-6f) t.append(v);
}

} // namespace

float AxisDivision::log10or0(float v) { return v > 0 ? std::log10(v) : 0.0f; }

int AxisDivision::roundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

QVector<float> AxisDivision::logarithmicLabels(float lo, float hi, const QVector<float>& decades, double labelSpan)
{
    constexpr float kSame = 1e-4f; // a limit on a decade or a subdivision is one place
    auto merged = [&](QVector<float> at) {
        std::sort(at.begin(), at.end());
        QVector<float> out;
        for (float t : at)
            if (out.isEmpty() || t - out.last() > kSame) out.append(t);
        return out;
    };
    const QVector<float> plain = merged(decades);
    if (!(hi - lo < 3) || !(labelSpan > 0)) return plain;
    for (const QVector<int>& mantissas : {QVector<int>{2, 3, 4, 5, 6, 7, 8, 9}, QVector<int>{2, 5}}) {
        QVector<float> at = plain;
        for (int c = static_cast<int>(std::floor(lo)); c <= static_cast<int>(std::ceil(hi)); ++c)
            for (int j : mantissas) {
                // the ends are always labelled: a subdivision close to one gives way
                const float t = static_cast<float>(c + std::log10(j));
                if (t - lo >= labelSpan && hi - t >= labelSpan) at.append(t);
            }
        at = merged(at);
        bool readable = true;
        for (qsizetype i = 1; i < at.size() && readable; ++i) readable = at[i] - at[i - 1] >= labelSpan;
        if (readable) return at;
    }
    return plain;
}

AxisScale AxisDivision::divide(float& MIN, float& MAX, const AxisLists& lists, bool logarithmic, bool autoMin,
                               bool autoMax, short nr, const QVector<float>& data)
{
    findLimits(MIN, MAX, logarithmic, autoMin, autoMax, nr, data);
    if (autoMin) snapMin(MIN, lists.MIN);
    if (autoMax) snapMax(MAX, lists.MIN);

    AxisScale s;
    if (!logarithmic) {
        const QVector<float>& D = lists.DIFF;
        const qsizetype m = D.size() - 1;
        float R = MAX - MIN;
        R = std::max(R, at(D, 0));
        R = std::min(R, at(D, m));
        qsizetype k = 0;
        while (k < m && R > D[k]) ++k;
        R = D[k];
        if (nr != 1 && nr != 2) MAX = MIN + R;
        s.grid = orZero(lists.GIT, k);
        s.labels = orZero(lists.ZL, k);
        s.N = at(lists.IT, k);
        if (s.N <= 0) vb::Raise(vb::errDivisionByZero, QStringLiteral("Division durch Null"));
        const float step = R / s.N;
        float t = MIN;
        for (int i = 0; i <= s.N; ++i) {
            s.ticks.append(t);
            t += step;
        }
        return s;
    }

    const short N = at(lists.IT, 0);
    const short G = orZero(lists.GIT, 0);
    s.N = N;
    s.grid = G;
    s.labels = orZero(lists.ZL, 0);
    QVector<float> decades;
    appendTick(s.ticks, log10or0(MIN));
    appendTick(decades, log10or0(MIN));
    if (N != 0) {
        for (int c = -10; c <= 10; ++c) {
            const double decade = std::pow(10.0, c);
            if (N == 10) {
                for (int j = 1; j <= 9; ++j) {
                    const double v = j * decade;
                    if (v > MIN && v < MAX) appendTick(s.ticks, static_cast<float>(std::log10(j) + c));
                }
            } else if (decade > MIN && decade <= MAX) {
                appendTick(s.ticks, static_cast<float>(c));
            }
            if (decade > MIN && decade <= MAX) appendTick(decades, static_cast<float>(c));
        }
        appendTick(s.ticks, log10or0(MAX));
        appendTick(decades, log10or0(MAX));
    }
    if (G == N) s.gridTicks = s.ticks;
    else if (G != 0) s.gridTicks = decades; // whole decades only
    return s;
}

} // namespace gfx
