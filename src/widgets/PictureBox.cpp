#include "widgets/PictureBox.h"

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

QPaintDevice* PictureBox::device()
{
    // A hidden box gets its resize event only when it is shown, but a page is
    // drawn before that: the picture follows the size it has already.
    if (!m_image.paintingActive()) grow(size());
    return &m_image;
}

void PictureBox::grow(const QSize& size)
{
    // nothing drawn is lost
    const QSize want = size.expandedTo(m_image.size());
    if (want == m_image.size()) return;
    flush();
    QImage grown = blank(want);
    QPainter(&grown).drawImage(0, 0, m_image);
    m_image = grown;
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    grow(event->size());
    QWidget::resizeEvent(event);
}

} // namespace gfx
