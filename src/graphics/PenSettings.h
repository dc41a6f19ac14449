#pragma once
// The pen of a surface from a line style, a width in millimetres and a colour.
#include <QtGlobal>

namespace gfx {

class Surface;

// Width 0 becomes 1 pixel, any other width is converted to pixels with the
// surface's resolution; colour 0 is black. DrawStyle, DrawWidth, DrawMode 13
// (copy pen) and ForeColor are set; width (in pixels) and colour are handed
// back through the arguments.
void applyPen(Surface& surface, short& LINIENART, float& LINIENBREITE, qint32& FARBE);

} // namespace gfx
