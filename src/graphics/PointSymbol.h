#pragma once
// The eight point symbols of curves and table cells, about 1.4 mm across,
// drawn in the surface's fore colour.
#include <QPointF>

namespace gfx {

class Surface;

// 0 open circle, 1 square, 2 triangle, 3 diagonal cross, 4 upright cross,
// 5 diamond, 6 filled circle, 7 star; other codes draw nothing.
void drawSymbol(Surface& surface, QPointF centre, int type);
// Colour index of the basic palette that a symbol type gives a curve.
int symbolColourIndex(int type);

} // namespace gfx
