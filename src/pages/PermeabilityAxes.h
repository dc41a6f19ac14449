#pragma once
// The axes of a k10 time history, shared by Bild 11 of "Seite 1" and Bild 110
// of "MSeite 1": hours on x, k10 in m/s on y, five ticks per range.
#include "graphics/AxisDivision.h"

#include <QVector>
#include <utility>

class clsGRAFIK;

namespace PermeabilityAxes {

// Time limits 0, 1 ... 10, 20 ... 100, ... 10000 h; the ranges are the same without 0.
QVector<float> timeLimits(bool withZero);
// k10 limits 0 and 1 and 5 times each power of ten from 1E-11 to 1E-1.
QVector<float> permeabilityLimits(bool withZero);
// Level limits: steps of 10 up to 100, 50 up to 1000, 500 up to 10000, 1000 up to 20000 mm.
QVector<float> levelLimits(bool withZero);

// The level overlay's axis: those limits, five ticks per range, no grid lines.
gfx::AxisLists levelAxis();
// The level limits (minimum, maximum) a rescale of the overlay finds for these heads.
std::pair<float, float> automaticLevelLimits(const QVector<float>& phi);

// k10 limits of a logarithmic axis: the whole decades 1E-12 ... 1.
QVector<float> permeabilityDecades();
// The k10 limits (minimum, maximum) a rescale of a logarithmic k10 axis finds
// for these values; the values <= 0 have no place on it.
std::pair<float, float> automaticLogarithmicLimits(const QVector<float>& k10);

// Lists, titles, formats, axis codes and scales of both axes; xGrid and yGrid
// are the grid lines per range (0 none, 1 the frame only, 5 every tick). A
// logarithmic k10 axis is divided into decades with subdivisions, labelled and
// ruled at the decades, whatever yGrid says.
void apply(clsGRAFIK& g, short xGrid, short yGrid, bool logarithmicK10 = false);

} // namespace PermeabilityAxes
