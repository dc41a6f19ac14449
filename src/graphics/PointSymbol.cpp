#include "graphics/PointSymbol.h"

#include "graphics/Surface.h"

namespace gfx {

void drawSymbol(Surface& s, QPointF c, int type)
{
    constexpr double r = 0.7;
    const double x = c.x(), y = c.y();
    const qint32 col = s.ForeColor;
    switch (type) {
    case 0: s.Circle(x, y, r, col); break;
    case 1:
        s.Line(x - r, y - r, x + r, y - r, col);
        s.Line(x + r, y - r, x + r, y + r, col);
        s.Line(x + r, y + r, x - r, y + r, col);
        s.Line(x - r, y + r, x - r, y - r, col);
        break;
    case 2:
        s.Line(x - r, y + r, x + r, y + r, col);
        s.Line(x + r, y + r, x, y - r, col);
        s.Line(x, y - r, x - r, y + r, col);
        break;
    case 3:
        s.Line(x - r, y - r, x + r, y + r, col);
        s.Line(x - r, y + r, x + r, y - r, col);
        break;
    case 4:
        s.Line(x - r, y, x + r, y, col);
        s.Line(x, y - r, x, y + r, col);
        break;
    case 5:
        s.Line(x, y - r, x + r, y, col);
        s.Line(x + r, y, x, y + r, col);
        s.Line(x, y + r, x - r, y, col);
        s.Line(x - r, y, x, y - r, col);
        break;
    case 6: s.Circle(x, y, 0.6, col, true); break;
    case 7:
        s.Line(x - r, y, x + r, y, col);
        s.Line(x, y - r, x, y + r, col);
        s.Line(x - 0.5, y - 0.5, x + 0.5, y + 0.5, col);
        s.Line(x - 0.5, y + 0.5, x + 0.5, y - 0.5, col);
        break;
    default: break;
    }
    s.CurrentX = x;
    s.CurrentY = y;
}

int symbolColourIndex(int type)
{
    static const int colours[8] = {1, 2, 3, 4, 5, 10, 9, 0};
    return type >= 0 && type <= 7 ? colours[type] : 0;
}

} // namespace gfx
