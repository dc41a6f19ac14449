#pragma once
// What a k10 diagram shows of the reported value: the mean k10 over the
// evaluated steps as a dashed line from the range's first to its last step,
// with its value. Drawn on whatever surface the diagram is bound to.
#include "evaluation/StepRange.h"

#include <QPointF>
#include <QRectF>
#include <QVector>

class clsGRAFIK;

namespace StepRangeMarks {

// TM: the middle of each step (hours), where its k10 is plotted; the diagram
// has its scales. Nothing without a mean over the range.
void drawMeanLine(clsGRAFIK& g, const QVector<float>& TM, const StepSummary& sum, bool logarithmic);
// The line's value, above or below the line at its end, middle or start, as
// near the line as it can stand clear of the curve, of `avoid` (another curve
// drawn on the diagram, page mm) and of `legend` (page mm); where nothing is
// clear, wherever it covers the fewest points.
void drawMeanValue(clsGRAFIK& g, const QVector<float>& TM, const QVector<float>& K10, const StepSummary& sum,
                   bool logarithmic, const QRectF& legend, const QVector<QPointF>& avoid = {});

// A curve of world values on the page, with points every half millimetre
// between its own, so that a text box is tested against its lines too;
// values that cannot be drawn (<= 0 on a logarithmic axis) are left out.
QVector<QPointF> pagePath(clsGRAFIK& g, const QVector<float>& x, const QVector<float>& y, bool logarithmic);

// "k{t,2}10 = 2,8E-8 m/s" in the session's decimal separator.
QString meanLabel(double mean);

} // namespace StepRangeMarks
