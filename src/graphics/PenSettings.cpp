#include "graphics/PenSettings.h"

#include "graphics/Surface.h"
#include "graphics/VBColor.h"

#include <cmath>

namespace gfx {

void applyPen(Surface& s, short& LINIENART, float& LINIENBREITE, qint32& FARBE)
{
    LINIENBREITE = LINIENBREITE != 0 ? static_cast<float>(LINIENBREITE * s.pixelsPerMm()) : 1.0f;
    if (FARBE == 0) FARBE = QBColor(0);
    s.DrawStyle = LINIENART;
    s.DrawWidth = std::max(1, static_cast<int>(std::lround(LINIENBREITE)));
    s.DrawMode = 13;
    s.ForeColor = FARBE;
}

} // namespace gfx
