#pragma once
// The drawing of every surface that paints on a Qt paint device (image,
// printer, picture box): millimetres are mapped to device pixels, fonts are
// sized in points for the device's resolution.
#include "graphics/Surface.h"

#include <QFont>
#include <QPainter>
#include <memory>

class QPaintDevice;

namespace gfx {

class PainterSurface : public Surface {
public:
    ~PainterSurface() override;
    double textWidth(const QString& text, const SurfaceFont& font) const override;
    double textHeight(const SurfaceFont& font) const override;
    // Ends the painting so the device can be read (an image saved, a page sent).
    void flush();
    // The device could not be painted on (a printer or file that would not
    // open): the first drawing call raised error 482, later ones draw nothing.
    bool failed() const { return m_failed; }

    // The Qt font for a surface font; "Symbol" becomes a face with Greek glyphs.
    static QFont qfont(const SurfaceFont& font);

protected:
    // The device to paint on; called when painting starts.
    virtual QPaintDevice* device() = 0;
    // Called after every drawing call (a widget schedules a repaint).
    virtual void changed() {}
    // The painter on the device, begun on first use; nullptr after a failure.
    QPainter* painter();

    void drawLine(QPointF a, QPointF b, const PenState& pen) override;
    void drawCircle(QPointF c, double r, const PenState& pen, bool filled) override;
    void drawPoint(QPointF p, const PenState& pen) override;
    void drawPolygon(const QVector<QPointF>& points, const PenState& pen, int fillStyle, qint32 fillColor,
                     const QRectF& clip) override;
    void drawText(QPointF topLeft, const QString& text, const SurfaceFont& font, qint32 color, double angleDegrees,
                  bool opaque, qint32 backColor) override;
    void clear(qint32 backColor) override;

private:
    QPen qpen(const PenState& pen) const;
    QPointF px(QPointF mm) const { return mm * pixelsPerMm(); }
    std::unique_ptr<QPainter> m_painter;
    bool m_failed = false;
};

} // namespace gfx
