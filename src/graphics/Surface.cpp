#include "graphics/Surface.h"

#include <cmath>

namespace gfx {

Surface::~Surface() = default;

void Surface::Line(double x1, double y1, double x2, double y2) { Line(x1, y1, x2, y2, ForeColor); }

void Surface::Line(double x1, double y1, double x2, double y2, qint32 color)
{
    if (DrawStyle == vbInvisible) return;
    drawLine(QPointF(x1, y1), QPointF(x2, y2), pen(color));
    CurrentX = x2;
    CurrentY = y2;
}

void Surface::Circle(double x, double y, double r, qint32 color, bool filled)
{
    if (!(r > 0)) return;
    drawCircle(QPointF(x, y), r, pen(color), filled);
    CurrentX = x;
    CurrentY = y;
}

void Surface::PSet(double x, double y, qint32 color)
{
    drawPoint(QPointF(x, y), PenState{color, DrawWidth, vbSolid});
    CurrentX = x;
    CurrentY = y;
}

void Surface::Polygon(const QVector<QPointF>& points, const QRectF& clip)
{
    if (points.size() < 2) return;
    drawPolygon(points, pen(ForeColor), FillStyle, FillColor, clip);
}

void Surface::Print(const QString& text, double angleDegrees)
{
    if (text.isEmpty()) return;
    drawText(QPointF(CurrentX, CurrentY), text, Font, ForeColor, angleDegrees, !FontTransparent, BackColor);
    const double w = textWidth(text, Font);
    const double a = angleDegrees * 3.14159265358979323846 / 180.0;
    CurrentX += w * std::cos(a);
    CurrentY -= w * std::sin(a);
}

void Surface::Cls()
{
    clear(BackColor);
    CurrentX = 0;
    CurrentY = 0;
}

} // namespace gfx
