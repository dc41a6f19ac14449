#pragma once
// The print document of the result pages. What a page draws is kept until the
// page is ended and only then painted on the printer as one sheet, so a page
// whose printing is aborted leaves nothing on paper (Qt's printers cannot take
// back what was painted). Several pages ended on one document become the
// sheets of one print job; the job goes out when the document is finished.
#include "graphics/PrinterSurface.h"

#include <functional>
#include <memory>

class PagePrinter : public gfx::PrinterSurface {
public:
    explicit PagePrinter(QPrinter& printer);
    ~PagePrinter() override;
    // A4 landscape on the default printer.
    static std::unique_ptr<QPrinter> defaultPrinter();

    // Paints the kept drawing as the next sheet; raises 482 when the printer
    // or file cannot be opened.
    void endPage();
    // Forgets the kept drawing.
    void abortPage();
    // Ends the document (the job is sent or the file written); false when it failed.
    bool finish();
    int sheets() const { return m_sheets; }

protected:
    void drawLine(QPointF a, QPointF b, const gfx::PenState& pen) override;
    void drawCircle(QPointF c, double r, const gfx::PenState& pen, bool filled) override;
    void drawPoint(QPointF p, const gfx::PenState& pen) override;
    void drawPolygon(const QVector<QPointF>& points, const gfx::PenState& pen, int fillStyle, qint32 fillColor,
                     const QRectF& clip) override;
    void drawText(QPointF topLeft, const QString& text, const gfx::SurfaceFont& font, qint32 color,
                  double angleDegrees, bool opaque, qint32 backColor) override;
    void clear(qint32 backColor) override;

private:
    std::vector<std::function<void()>> m_kept;
    int m_sheets = 0;
    bool m_finished = false;
};
