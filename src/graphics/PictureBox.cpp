#include "graphics/PictureBox.h"

#include "graphics/VBColor.h"

#include <QPainter>
#include <QResizeEvent>
#include <cmath>

namespace gfx {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_image = blank(QSize(1, 1));
}

QImage PictureBox::blank(const QSize& size) const
{
    // fonts in points are measured for the screen's resolution
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    const int dpm = static_cast<int>(std::lround(pixelsPerMm() * 1000));
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    image.fill(toQColor(BackColor));
    return image;
}

PictureBox::~PictureBox() { flush(); }

double PictureBox::pixelsPerMm() const { return logicalDpiX() / 25.4; }

QSizeF PictureBox::sizeMm() const { return QSizeF(width(), height()) / pixelsPerMm(); }

const QImage& PictureBox::picture()
{
    flush();
    return m_image;
}

void PictureBox::paintEvent(QPaintEvent*)
{
    flush();
    QPainter p(this);
    p.fillRect(rect(), toQColor(BackColor));
    p.drawImage(0, 0, m_image);
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    // the kept picture grows with the box; nothing drawn is lost
    const QSize want = event->size().expandedTo(m_image.size());
    if (want != m_image.size()) {
        flush();
        QImage grown = blank(want);
        QPainter(&grown).drawImage(0, 0, m_image);
        m_image = grown;
    }
    QWidget::resizeEvent(event);
}

} // namespace gfx
