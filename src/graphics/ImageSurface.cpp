#include "graphics/ImageSurface.h"

#include <cmath>

namespace gfx {

ImageSurface::ImageSurface(double widthMm, double heightMm, double dpi)
    : m_sizeMm(widthMm, heightMm), m_pxPerMm(dpi / 25.4)
{
    const int w = std::max(1, static_cast<int>(std::lround(widthMm * m_pxPerMm)));
    const int h = std::max(1, static_cast<int>(std::lround(heightMm * m_pxPerMm)));
    m_image = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    // fonts in points are sized for this resolution
    const int dpm = static_cast<int>(std::lround(m_pxPerMm * 1000));
    m_image.setDotsPerMeterX(dpm);
    m_image.setDotsPerMeterY(dpm);
    m_image.fill(Qt::white);
    setName(QStringLiteral("Image"));
}

ImageSurface::~ImageSurface() { flush(); }

const QImage& ImageSurface::image()
{
    flush();
    return m_image;
}

bool ImageSurface::save(const QString& path) { return image().save(path); }

} // namespace gfx
