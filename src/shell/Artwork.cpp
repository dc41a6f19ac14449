#include "shell/Artwork.h"

#include <QPainter>
#include <QPainterPath>

namespace Artwork {

QPixmap makerLogo(int size)
{
    size = qMax(size, 8);
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    // A mountain over a water line: the maker's sign.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x4e, 0x79));
    p.drawEllipse(QRectF(0.02 * s, 0.02 * s, 0.96 * s, 0.96 * s));
    QPainterPath mountain;
    mountain.moveTo(0.15 * s, 0.68 * s);
    mountain.lineTo(0.42 * s, 0.26 * s);
    mountain.lineTo(0.55 * s, 0.45 * s);
    mountain.lineTo(0.65 * s, 0.34 * s);
    mountain.lineTo(0.85 * s, 0.68 * s);
    mountain.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(mountain);
    p.setPen(QPen(QColor(0x7f, 0xc8, 0xf8), qMax(1.0, 0.05 * s)));
    p.drawLine(QPointF(0.2 * s, 0.78 * s), QPointF(0.8 * s, 0.78 * s));
    return pm;
}

QPixmap standpipeIllustration(int width, int height)
{
    width = qMax(width, 40);
    height = qMax(height, 40);
    QPixmap pm(width, height);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = width, h = height;
    const qreal ground = 0.55 * h;
    // Soil with a hatching below the ground line.
    p.fillRect(QRectF(0, ground, w, h - ground), QColor(0xd9, 0xc2, 0x9a));
    p.setPen(QPen(QColor(0x9c, 0x7b, 0x4f), 1));
    for (qreal x = -h; x < w; x += 10) p.drawLine(QPointF(x, h), QPointF(x + (h - ground), ground));
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(0, ground), QPointF(w, ground));
    // Steel cylinder driven into the soil, standpipe on top.
    const qreal cx = 0.5 * w, cyl = 0.22 * w, pipe = 0.05 * w;
    const qreal cylTop = ground - 0.1 * h, cylBottom = ground + 0.28 * h;
    p.fillRect(QRectF(cx - cyl / 2, cylTop, cyl, cylBottom - cylTop), QColor(0xbf, 0xe3, 0xff));
    p.drawRect(QRectF(cx - cyl / 2, cylTop, cyl, cylBottom - cylTop));
    const qreal pipeTop = 0.08 * h, level = 0.3 * h;
    p.fillRect(QRectF(cx - pipe / 2, level, pipe, cylTop - level), QColor(0x4a, 0x9c, 0xe8));
    p.drawRect(QRectF(cx - pipe / 2, pipeTop, pipe, cylTop - pipeTop));
    // Flow lines below the cylinder.
    p.setPen(QPen(QColor(0x1f, 0x4e, 0x79), 1, Qt::DashLine));
    for (int i = -2; i <= 2; ++i) {
        QPainterPath flow;
        flow.moveTo(cx + i * cyl / 6, cylBottom);
        flow.quadTo(cx + i * cyl / 3, cylBottom + 0.1 * h, cx + i * cyl / 1.5, h - 2);
        p.drawPath(flow);
    }
    // The measured distance h' from the pipe top to the water level.
    p.setPen(QPen(Qt::darkRed, 1));
    const qreal mx = cx + pipe;
    p.drawLine(QPointF(mx + 4, pipeTop), QPointF(mx + 4, level));
    p.drawLine(QPointF(mx, pipeTop), QPointF(mx + 8, pipeTop));
    p.drawLine(QPointF(mx, level), QPointF(mx + 8, level));
    p.drawText(QPointF(mx + 10, (pipeTop + level) / 2 + 4), QStringLiteral("h'"));
    return pm;
}

} // namespace Artwork
