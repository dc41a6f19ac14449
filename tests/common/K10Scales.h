#pragma once
// The scales of a k10-over-time diagram, shared by the drawing tests and the
// benchmarks: time decades 0 to 10000 h on x, k10 from 1E-11 to 5E-1 m/s on y,
// every step with five ticks, grid lines and labels.
#include "graphics/clsGRAFIK.h"

#include <QVector>
#include <cmath>

namespace testsupport {

inline void setK10Scales(clsGRAFIK& g)
{
    QVector<float> xmin{0}, xdiff;
    for (float decade : {1.0f, 10.0f, 100.0f, 1000.0f})
        for (int j = 1; j <= 9; ++j) {
            xmin << j * decade;
            xdiff << j * decade;
        }
    xmin << 10000;
    xdiff << 10000;
    g.setELXMIN(xmin);
    g.setELXDIFF(xdiff);
    g.setELXIT(QVector<short>(xdiff.size(), 5));
    g.setELXGIT(QVector<short>(xdiff.size(), 5));
    g.setELXZL(QVector<short>(xdiff.size(), 5));
    g.setETEXTX(QStringLiteral("t [h]"));
    g.setESKZX(QStringLiteral("###0.0#"));
    QVector<float> ymin{0}, ydiff;
    for (int e = -11; e <= -1; ++e) {
        const float p = static_cast<float>(std::pow(10.0, e));
        ymin << p << 5 * p;
        ydiff << p << 5 * p;
    }
    g.setELYMIN(ymin);
    g.setELYDIFF(ydiff);
    g.setELYIT(QVector<short>(ydiff.size(), 5));
    g.setELYGIT(QVector<short>(ydiff.size(), 5));
    g.setELYZL(QVector<short>(ydiff.size(), 5));
    g.setETEXTY(QStringLiteral("k{t,2}10 [m/s]"));
    g.setESKZY(QStringLiteral("0E-##"));
}

} // namespace testsupport
