#pragma once
// A picture box: a widget that is a drawing surface and keeps what was drawn
// (VB's AutoRedraw) until it is cleared, repainting it whenever needed.
#include "graphics/PainterSurface.h"

#include <QImage>
#include <QWidget>

namespace gfx {

class PictureBox : public QWidget, public PainterSurface {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    // Ends any painting before the kept picture goes away.
    ~PictureBox() override;
    QSizeF sizeMm() const override;
    double pixelsPerMm() const override;
    QString name() const override { return objectName(); }
    // What has been drawn so far.
    const QImage& picture();

protected:
    QPaintDevice* device() override;
    void changed() override { update(); }
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage blank(const QSize& size) const;
    // Grows the kept picture to at least the box's size, keeping what was drawn.
    void grow(const QSize& size);
    QImage m_image;
};

} // namespace gfx
