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

// Lists, titles, formats, axis codes and linear scales of both axes; xGrid and
// yGrid are the grid lines per range (0 none, 1 the frame only, 5 every tick).
void apply(clsGRAFIK& g, short xGrid, short yGrid);

} // namespace PermeabilityAxes
