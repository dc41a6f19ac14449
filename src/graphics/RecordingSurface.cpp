#include "graphics/RecordingSurface.h"

namespace gfx {

RecordingSurface::RecordingSurface(double widthMm, double heightMm, double pxPerMm)
    : m_sizeMm(widthMm, heightMm), m_pxPerMm(pxPerMm)
{
    setName(QStringLiteral("Recorder"));
}

double RecordingSurface::textWidth(const QString& text, const SurfaceFont& font) const
{
    return 0.5 * em(font) * text.size();
}

double RecordingSurface::textHeight(const SurfaceFont& font) const { return 1.2 * em(font); }

QVector<DrawCall> RecordingSurface::calls(DrawCall::Kind kind) const
{
    QVector<DrawCall> out;
    for (const DrawCall& c : m_calls)
        if (c.kind == kind) out.append(c);
    return out;
}

QString RecordingSurface::allText() const
{
    QString s;
    for (const DrawCall& c : m_calls)
        if (c.kind == DrawCall::Text) s += c.text;
    return s;
}

DrawCall RecordingSurface::make(DrawCall::Kind kind, const PenState& pen) const
{
    DrawCall c;
    c.kind = kind;
    c.color = pen.color;
    c.width = pen.width;
    c.style = pen.style;
    return c;
}

void RecordingSurface::drawLine(QPointF a, QPointF b, const PenState& pen)
{
    DrawCall c = make(DrawCall::Line, pen);
    c.a = a;
    c.b = b;
    m_calls.append(c);
}

void RecordingSurface::drawCircle(QPointF centre, double r, const PenState& pen, bool filled)
{
    DrawCall c = make(DrawCall::Circle, pen);
    c.a = centre;
    c.r = r;
    c.filled = filled;
    m_calls.append(c);
}

void RecordingSurface::drawPoint(QPointF p, const PenState& pen)
{
    DrawCall c = make(DrawCall::Point, pen);
    c.a = p;
    m_calls.append(c);
}

void RecordingSurface::drawPolygon(const QVector<QPointF>& points, const PenState& pen, int fillStyle, qint32 fillColor,
                                   const QRectF&)
{
    DrawCall c = make(DrawCall::Polygon, pen);
    c.points = points;
    c.fillStyle = fillStyle;
    c.filled = fillStyle != vbFSTransparent;
    Q_UNUSED(fillColor);
    m_calls.append(c);
}

void RecordingSurface::drawText(QPointF topLeft, const QString& text, const SurfaceFont& font, qint32 color,
                                double angleDegrees, bool, qint32)
{
    DrawCall c;
    c.kind = DrawCall::Text;
    c.a = topLeft;
    c.text = text;
    c.font = font;
    c.color = color;
    c.angle = angleDegrees;
    m_calls.append(c);
}

void RecordingSurface::clear(qint32)
{
    DrawCall c;
    c.kind = DrawCall::Clear;
    m_calls.append(c);
}

} // namespace gfx
