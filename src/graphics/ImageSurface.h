#pragma once
// A surface that paints into an image (tests, screenshots, benchmarks).
#include "graphics/PainterSurface.h"

#include <QImage>

namespace gfx {

class ImageSurface : public PainterSurface {
public:
    // An image of the given size in millimetres at `dpi` pixels per inch, white.
    ImageSurface(double widthMm, double heightMm, double dpi = 150);
    // Ends any painting before the image goes away.
    ~ImageSurface() override;
    QSizeF sizeMm() const override { return m_sizeMm; }
    double pixelsPerMm() const override { return m_pxPerMm; }
    // The picture drawn so far (ends the painting first).
    const QImage& image();
    bool save(const QString& path);

protected:
    QPaintDevice* device() override { return &m_image; }

private:
    QSizeF m_sizeMm;
    double m_pxPerMm;
    QImage m_image;
};

} // namespace gfx
