#include "pages/StepRangeMarks.h"

#include "graphics/clsGRAFIK.h"
#include "platform/Format.h"

#include <cmath>

namespace StepRangeMarks {

namespace {
constexpr short kDash = 1;
} // namespace

QString meanLabel(double mean)
{
    return QStringLiteral("k{t,2}10 = ") + vb::Format(QVariant(mean), QStringLiteral("0.0E-0")) + QStringLiteral(" m/s");
}

void drawMean(clsGRAFIK& g, const QVector<float>& TM, const StepSummary& sum, bool logarithmic)
{
    if (sum.steps == 0 || !(sum.mean > 0) || sum.range.first < 1 || sum.range.last > TM.size()) return;
    // on a logarithmic axis the diagram's world values are logarithms
    const float y = static_cast<float>(logarithmic ? std::log10(sum.mean) : sum.mean);
    float xa = 0, ya = 0, xb = 0, yb = 0;
    g.KOORDTRANS(TM[sum.range.first - 1], y, xa, ya);
    g.KOORDTRANS(TM[sum.range.last - 1], y, xb, yb);
    g.LINIENEINSTELLUNGEN(kDash, 0, 0);
    g.LINIE(xa, ya, xb, yb);
    g.LINIENEINSTELLUNGEN(0, 0, 0);
    // above the line's end, ending there
    g.TEXT(TM[sum.range.last - 1], y, meanLabel(sum.mean), 1, 0, 2, 2);
}

} // namespace StepRangeMarks
