#include "graphics/PainterSurface.h"

#include "graphics/VBColor.h"
#include "platform/VBError.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainterPath>

namespace gfx {

PainterSurface::~PainterSurface() = default;

QFont PainterSurface::qfont(const SurfaceFont& font)
{
    // "Symbol" runs carry Unicode Greek already; draw them with a face that has it.
    const bool symbol = font.name.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0;
    QFont f(symbol ? QStringLiteral("DejaVu Sans") : font.name);
    f.setPointSizeF(font.size > 0 ? font.size : 8);
    f.setWeight(font.bold ? QFont::Bold : static_cast<QFont::Weight>(qBound(100, font.weight, 900)));
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikethrough);
    return f;
}

QPainter* PainterSurface::painter()
{
    if (m_failed) return nullptr;
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>();
        if (!m_painter->begin(device())) {
            // a printer or file that cannot be opened: said once, then nothing is drawn
            m_painter.reset();
            m_failed = true;
            vb::Raise(482, QStringLiteral("Druckerfehler"));
        }
        m_painter->setRenderHint(QPainter::Antialiasing);
        m_painter->setRenderHint(QPainter::TextAntialiasing);
    }
    return m_painter.get();
}

void PainterSurface::flush() { m_painter.reset(); }

double PainterSurface::textWidth(const QString& text, const SurfaceFont& font) const
{
    QPaintDevice* dev = const_cast<PainterSurface*>(this)->device();
    return QFontMetricsF(qfont(font), dev).horizontalAdvance(text) / pixelsPerMm();
}

double PainterSurface::textHeight(const SurfaceFont& font) const
{
    QPaintDevice* dev = const_cast<PainterSurface*>(this)->device();
    return QFontMetricsF(qfont(font), dev).height() / pixelsPerMm();
}

QPen PainterSurface::qpen(const PenState& pen) const
{
    QPen p(toQColor(pen.color));
    p.setWidthF(std::max(1, pen.width));
    switch (pen.style) {
    case vbDash: p.setStyle(Qt::DashLine); break;
    case vbDot: p.setStyle(Qt::DotLine); break;
    case vbDashDot: p.setStyle(Qt::DashDotLine); break;
    case vbDashDotDot: p.setStyle(Qt::DashDotDotLine); break;
    case vbInvisible: p.setStyle(Qt::NoPen); break;
    default: p.setStyle(Qt::SolidLine);
    }
    p.setCapStyle(Qt::FlatCap);
    return p;
}

void PainterSurface::drawLine(QPointF a, QPointF b, const PenState& pen)
{
    QPainter* active = painter();
    if (!active) return;
    QPainter& p = *active;
    p.setPen(qpen(pen));
    p.drawLine(px(a), px(b));
    changed();
}

void PainterSurface::drawCircle(QPointF c, double r, const PenState& pen, bool filled)
{
    QPainter* active = painter();
    if (!active) return;
    QPainter& p = *active;
    p.setPen(qpen(pen));
    p.setBrush(filled ? QBrush(toQColor(pen.color)) : QBrush(Qt::NoBrush));
    const double rp = r * pixelsPerMm();
    p.drawEllipse(px(c), rp, rp);
    changed();
}

void PainterSurface::drawPoint(QPointF pt, const PenState& pen)
{
    QPainter* active = painter();
    if (!active) return;
    QPainter& p = *active;
    p.setPen(Qt::NoPen);
    p.setBrush(toQColor(pen.color));
    const double r = std::max(1, pen.width) / 2.0;
    p.drawEllipse(px(pt), r, r);
    changed();
}

void PainterSurface::drawPolygon(const QVector<QPointF>& points, const PenState& pen, int fillStyle, qint32 fillColor,
                                 const QRectF& clip)
{
    QPainter* active = painter();
    if (!active) return;
    QPainter& p = *active;
    p.save();
    p.setClipRect(QRectF(px(clip.topLeft()), px(clip.bottomRight())));
    p.setPen(qpen(pen));
    static const Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::NoBrush, Qt::HorPattern, Qt::VerPattern,
                                            Qt::BDiagPattern, Qt::FDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    const Qt::BrushStyle style = fillStyle >= 0 && fillStyle <= 7 ? styles[fillStyle] : Qt::NoBrush;
    p.setBrush(QBrush(toQColor(fillColor), style));
    QPolygonF poly;
    for (const QPointF& pt : points) poly << px(pt);
    p.drawPolygon(poly);
    p.restore();
    changed();
}

void PainterSurface::drawText(QPointF topLeft, const QString& text, const SurfaceFont& font, qint32 color,
                              double angleDegrees, bool opaque, qint32 backColor)
{
    QPainter* active = painter();
    if (!active) return;
    QPainter& p = *active;
    const QFont f = qfont(font);
    p.save();
    p.setFont(f);
    const QFontMetricsF fm(f, device());
    p.translate(px(topLeft));
    if (angleDegrees != 0) p.rotate(-angleDegrees);
    if (opaque) p.fillRect(QRectF(0, 0, fm.horizontalAdvance(text), fm.height()), toQColor(backColor));
    p.setPen(toQColor(color));
    p.drawText(QPointF(0, fm.ascent()), text);
    p.restore();
    changed();
}

void PainterSurface::clear(qint32 backColor)
{
    QPaintDevice* dev = device();
    QPainter* active = painter();
    if (!active) return;
    QPainter& p = *active;
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(QRect(0, 0, dev->width(), dev->height()), toQColor(backColor));
    p.restore();
    changed();
}

} // namespace gfx
