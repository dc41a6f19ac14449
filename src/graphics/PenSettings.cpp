#include "graphics/PenSettings.h"

#include "graphics/Surface.h"
#include "graphics/VBColor.h"

#include <cmath>

namespace gfx {

Pen applyPen(Surface& s, short LINIENART, float LINIENBREITE, qint32 FARBE)
{
    Pen pen;
    pen.width = LINIENBREITE != 0 ? static_cast<float>(LINIENBREITE * s.pixelsPerMm()) : 1.0f;
    pen.colour = FARBE == 0 ? QBColor(0) : FARBE;
    s.DrawStyle = LINIENART;
    s.DrawWidth = std::max(1, static_cast<int>(std::lround(pen.width)));
    s.DrawMode = 13;
    s.ForeColor = pen.colour;
    return pen;
}

} // namespace gfx
