#include "pages/StepRangeMarks.h"

#include "graphics/clsGRAFIK.h"
#include "platform/Format.h"

#include <QLineF>
#include <algorithm>
#include <cmath>
#include <optional>

namespace StepRangeMarks {

QString meanLabel(double mean)
{
    return QStringLiteral("k{t,2}10 = ") + vb::Format(QVariant(mean), QStringLiteral("0.0E-0")) + QStringLiteral(" m/s");
}

namespace {
constexpr short kDash = 1;

bool drawable(const QVector<float>& TM, const StepSummary& sum)
{
    return sum.steps > 0 && sum.mean > 0 && sum.range.first >= 1 && sum.range.last <= TM.size();
}

// The ends of the mean's line on the page.
QLineF meanLine(clsGRAFIK& g, const QVector<float>& TM, const StepSummary& sum, bool logarithmic)
{
    // on a logarithmic axis the diagram's world values are logarithms
    const float y = static_cast<float>(logarithmic ? std::log10(sum.mean) : sum.mean);
    float xa = 0, ya = 0, xb = 0, yb = 0;
    g.KOORDTRANS(TM[sum.range.first - 1], y, xa, ya);
    g.KOORDTRANS(TM[sum.range.last - 1], y, xb, yb);
    return QLineF(xa, ya, xb, yb);
}
} // namespace

QVector<QPointF> pagePath(clsGRAFIK& g, const QVector<float>& x, const QVector<float>& y, bool logarithmic)
{
    QVector<QPointF> points;
    for (int i = 0; i < x.size() && i < y.size(); ++i) {
        if (logarithmic && !(y[i] > 0)) continue;
        float px = 0, py = 0;
        g.KOORDTRANS(x[i], logarithmic ? std::log10(y[i]) : y[i], px, py);
        const QPointF q(px, py);
        if (!points.isEmpty()) {
            const QPointF from = points.last();
            const int parts = std::clamp(static_cast<int>(QLineF(from, q).length() / 0.5), 1, 400);
            for (int k = 1; k < parts; ++k) points.append(from + (q - from) * k / parts);
        }
        points.append(q);
    }
    return points;
}

void drawMeanLine(clsGRAFIK& g, const QVector<float>& TM, const StepSummary& sum, bool logarithmic)
{
    if (!drawable(TM, sum)) return;
    const QLineF line = meanLine(g, TM, sum, logarithmic);
    g.LINIENEINSTELLUNGEN(kDash, 0, 0);
    g.LINIE(static_cast<float>(line.x1()), static_cast<float>(line.y1()), static_cast<float>(line.x2()),
            static_cast<float>(line.y2()));
    g.LINIENEINSTELLUNGEN(0, 0, 0);
}

void drawMeanValue(clsGRAFIK& g, const QVector<float>& TM, const QVector<float>& K10, const StepSummary& sum,
                   bool logarithmic, const QRectF& legend, const QVector<QPointF>& avoid)
{
    if (!drawable(TM, sum)) return;
    const QLineF line = meanLine(g, TM, sum, logarithmic);
    const float xa = static_cast<float>(line.x1()), ya = static_cast<float>(line.y1());
    const float xb = static_cast<float>(line.x2()), yb = static_cast<float>(line.y2());
    // the k10 curve only where it is drawn: steps with a value
    QVector<float> x, y;
    for (int i = 0; i < K10.size() && i < TM.size(); ++i)
        if (K10[i] > 0) {
            x.append(TM[i]);
            y.append(K10[i]);
        }
    const QVector<QPointF> points = pagePath(g, x, y, logarithmic) + avoid;

    const QString label = meanLabel(sum.mean);
    constexpr float kGap = 1;  // mm between line and text
    constexpr float kStep = 1; // mm further off the line while the text would cover points
    struct Place {
        float x, y;
        short horizontal, vertical;
    };
    // nearest the line first, ending above the line's end first as the eye follows the line there;
    // a noisy curve hugging its mean pushes the text further off the line
    const float xm = (xa + xb) / 2;
    const QRectF plot = g.plotArea();
    std::optional<Place> best;
    int fewest = 0;
    for (float off = kGap; off <= kGap + 12 * kStep && !(best && fewest == 0); off += kStep) {
        const Place places[] = {{xb, yb - off, 2, 2}, {xb, yb + off, 2, 0}, {xm, yb - off, 1, 2},
                                {xm, yb + off, 1, 0}, {xa, ya - off, 0, 2}, {xa, ya + off, 0, 0}};
        for (const Place& p : places) {
            const QRectF box = g.textBox(p.x, p.y, label, 0, 0, p.horizontal, p.vertical);
            const QRectF around = box.adjusted(-kGap, -kGap, kGap, kGap);
            int covered = 0;
            for (const QPointF& q : points) covered += around.contains(q) ? 1 : 0;
            // outside the plot or on the legend is worse than any number of points
            if (!plot.contains(box) || around.intersects(legend)) covered += 100000;
            if (!best || covered < fewest) {
                best = p;
                fewest = covered;
            }
        }
    }
    g.TEXT(best->x, best->y, label, 0, 0, best->horizontal, best->vertical);
}

} // namespace StepRangeMarks
