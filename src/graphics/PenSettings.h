#pragma once
// The pen of a surface from a line style, a width in millimetres and a colour.
#include <QtGlobal>

namespace gfx {

class Surface;

// The width in pixels and the colour a pen setting ended with.
struct Pen {
    float width = 1;
    qint32 colour = 0;
};

// Width 0 becomes 1 pixel, any other width is converted to pixels with the
// surface's resolution; colour 0 is black. Sets DrawStyle, DrawWidth,
// DrawMode 13 (copy pen) and ForeColor.
Pen applyPen(Surface& surface, short LINIENART, float LINIENBREITE, qint32 FARBE);

} // namespace gfx
