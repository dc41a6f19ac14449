#pragma once
// A surface that keeps every drawing call with its coordinates, font and
// colour, for tests. Text metrics are fixed multiples of the font size, so
// positions do not depend on the fonts installed.
#include "graphics/Surface.h"

namespace gfx {

struct DrawCall {
    enum Kind { Line, Circle, Point, Polygon, Text, Clear };
    Kind kind = Line;
    QPointF a, b;               // Line: the end points; Circle, Point, Text: a
    double r = 0;               // Circle: radius
    bool filled = false;
    QVector<QPointF> points;    // Polygon
    QString text;
    SurfaceFont font;
    double angle = 0;           // Text: degrees, counter-clockwise
    qint32 color = 0;
    int width = 1;
    int style = 0;
    int fillStyle = 0;
};

class RecordingSurface : public Surface {
public:
    // Width and height in millimetres; 96 pixels per inch like the screen.
    explicit RecordingSurface(double widthMm = 297, double heightMm = 210, double pxPerMm = 96 / 25.4);
    QSizeF sizeMm() const override { return m_sizeMm; }
    double pixelsPerMm() const override { return m_pxPerMm; }
    void setPrinter(bool on) { m_printer = on; }
    bool isPrinter() const override { return m_printer; }

    // Character width 0.5 em, line height 1.2 em (em = the size in points in mm).
    double textWidth(const QString& text, const SurfaceFont& font) const override;
    double textHeight(const SurfaceFont& font) const override;
    static double em(const SurfaceFont& font) { return font.size * 25.4 / 72.0; }

    const QVector<DrawCall>& calls() const { return m_calls; }
    QVector<DrawCall> calls(DrawCall::Kind kind) const;
    QVector<DrawCall> lines() const { return calls(DrawCall::Line); }
    QVector<DrawCall> texts() const { return calls(DrawCall::Text); }
    // All text runs joined, in drawing order.
    QString allText() const;
    void forget() { m_calls.clear(); }

protected:
    void drawLine(QPointF a, QPointF b, const PenState& pen) override;
    void drawCircle(QPointF c, double r, const PenState& pen, bool filled) override;
    void drawPoint(QPointF p, const PenState& pen) override;
    void drawPolygon(const QVector<QPointF>& points, const PenState& pen, int fillStyle, qint32 fillColor,
                     const QRectF& clip) override;
    void drawText(QPointF topLeft, const QString& text, const SurfaceFont& font, qint32 color, double angleDegrees,
                  bool opaque, qint32 backColor) override;
    void clear(qint32 backColor) override;

private:
    DrawCall make(DrawCall::Kind kind, const PenState& pen) const;
    QSizeF m_sizeMm;
    double m_pxPerMm;
    bool m_printer = false;
    QVector<DrawCall> m_calls;
};

} // namespace gfx
