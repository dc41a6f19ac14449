#include "pages/PermeabilityAxes.h"

#include "graphics/clsGRAFIK.h"

#include <QString>
#include <cmath>

namespace PermeabilityAxes {

QVector<float> timeLimits(bool withZero)
{
    QVector<float> v;
    if (withZero) v.append(0);
    for (float decade = 1; decade <= 1000; decade *= 10)
        for (int k = decade == 1 ? 1 : 2; k <= 10; ++k) v.append(k * decade);
    return v;
}

QVector<float> permeabilityLimits(bool withZero)
{
    QVector<float> v;
    if (withZero) v.append(0);
    for (int e = -11; e <= -1; ++e) {
        v.append(static_cast<float>(std::pow(10.0, e)));
        v.append(static_cast<float>(5 * std::pow(10.0, e)));
    }
    return v;
}

QVector<float> levelLimits(bool withZero)
{
    QVector<float> v;
    if (withZero) v.append(0);
    for (int x = 10; x <= 100; x += 10) v.append(x);
    for (int x = 150; x <= 1000; x += 50) v.append(x);
    for (int x = 1500; x <= 10000; x += 500) v.append(x);
    for (int x = 11000; x <= 20000; x += 1000) v.append(x);
    return v;
}

QVector<float> permeabilityDecades()
{
    QVector<float> v;
    for (int e = -12; e <= 0; ++e) v.append(static_cast<float>(std::pow(10.0, e)));
    return v;
}

namespace {
constexpr short kDecadeTicks = 10; // a tick at 1 ... 9 times each power of ten
gfx::AxisLists logarithmicK10Axis()
{
    gfx::AxisLists l;
    l.MIN = permeabilityDecades();
    l.DIFF = l.MIN;
    l.IT = QVector<short>(l.DIFF.size(), kDecadeTicks);
    l.GIT = QVector<short>(l.DIFF.size(), 1); // decades: lines and labels
    l.ZL = l.GIT;
    return l;
}
} // namespace

std::pair<float, float> automaticLogarithmicLimits(const QVector<float>& k10)
{
    float MIN = 0, MAX = 0;
    gfx::AxisDivision::divide(MIN, MAX, logarithmicK10Axis(), true, true, true, -1, k10.isEmpty() ? QVector<float>{0} : k10);
    if (!(MIN > 0) || !(MAX > MIN)) return {1e-9f, 1e-6f}; // nothing to place: three decades of usual soils
    return {MIN, MAX};
}

gfx::AxisLists levelAxis()
{
    gfx::AxisLists l;
    l.MIN = levelLimits(true);
    l.DIFF = levelLimits(false);
    l.IT = QVector<short>(l.DIFF.size(), 5);
    l.GIT = QVector<short>(l.DIFF.size(), 0);
    l.ZL = l.IT;
    return l;
}

std::pair<float, float> automaticLevelLimits(const QVector<float>& phi)
{
    float MIN = 0, MAX = 0;
    // as the drawing does: no heads count as one head of 0
    gfx::AxisDivision::divide(MIN, MAX, levelAxis(), false, true, true, -1, phi.isEmpty() ? QVector<float>{0} : phi);
    return {MIN, MAX};
}

void apply(clsGRAFIK& g, short xGrid, short yGrid, bool logarithmicK10)
{
    constexpr short kTicks = 5;
    g.setEAXEX(1);
    g.setEAXEY(1);
    g.setESKTX(0);
    g.setESKTY(0);

    const QVector<float> xdiff = timeLimits(false);
    g.setELXMIN(timeLimits(true));
    g.setELXDIFF(xdiff);
    g.setELXIT(QVector<short>(xdiff.size(), kTicks));
    g.setELXGIT(QVector<short>(xdiff.size(), xGrid));
    g.setELXZL(QVector<short>(xdiff.size(), kTicks));
    g.setETEXTX(QStringLiteral("t [h]"));
    g.setESKZX(QStringLiteral("###0.0#"));

    if (logarithmicK10) {
        const gfx::AxisLists l = logarithmicK10Axis();
        g.setESKTY(1);
        g.setELYMIN(l.MIN);
        g.setELYDIFF(l.DIFF);
        g.setELYIT(l.IT);
        g.setELYGIT(l.GIT);
        g.setELYZL(l.ZL);
    } else {
        const QVector<float> ydiff = permeabilityLimits(false);
        g.setELYMIN(permeabilityLimits(true));
        g.setELYDIFF(ydiff);
        g.setELYIT(QVector<short>(ydiff.size(), kTicks));
        g.setELYGIT(QVector<short>(ydiff.size(), yGrid));
        g.setELYZL(QVector<short>(ydiff.size(), kTicks));
    }
    g.setETEXTY(QStringLiteral("k{t,2}10 [m/s]"));
    g.setESKZY(QStringLiteral("0E-##"));
}

} // namespace PermeabilityAxes
