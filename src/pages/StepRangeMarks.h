#pragma once
// What a k10 diagram shows of the reported value: the mean k10 over the
// evaluated steps as a dashed line from the range's first to its last step,
// with its value. Drawn on whatever surface the diagram is bound to.
#include "evaluation/StepRange.h"

#include <QRectF>
#include <QVector>

class clsGRAFIK;

namespace StepRangeMarks {

// TM: the middle of each step (hours), where its k10 is plotted; the diagram
// has its scales. Nothing when no step of the range has a k10. The value
// stands above or below the line at its end, middle or start, wherever it covers
// the fewest points of the curve and stays clear of `legend` (page mm).
void drawMean(clsGRAFIK& g, const QVector<float>& TM, const QVector<float>& K10, const StepSummary& sum,
              bool logarithmic, const QRectF& legend);

// "k{t,2}10 = 2,8E-8 m/s" in the session's decimal separator.
QString meanLabel(double mean);

} // namespace StepRangeMarks
