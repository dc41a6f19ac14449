#pragma once
// The print document of the result pages. What a page draws is kept until the
// page is ended and only then painted on the printer as one sheet, so a page
// whose printing is aborted leaves nothing on paper (Qt's printers cannot take
// back what was painted). Several pages ended on one document become the
// sheets of one print job; the job goes out when the document is finished.
#include "graphics/PrinterSurface.h"

#include <functional>
#include <memory>
#include <vector>

class PagePrinter : public gfx::PrinterSurface {
public:
    explicit PagePrinter(QPagedPaintDevice& device);
    ~PagePrinter() override;

    // The page goes on on a further sheet: what follows is drawn on a fresh
    // sheet, kept with the page's other sheets until the page is ended.
    void breakSheet();
    // Paints the kept sheets of the page; raises 482 when the printer or file
    // cannot be opened.
    void endPage();
    // Forgets the kept drawing of every sheet of the page.
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
    using Sheet = std::vector<std::function<void()>>;
    // the page's sheets; drawing goes to the last one
    std::vector<Sheet> m_kept{Sheet()};
    void keep(std::function<void()> call) { m_kept.back().push_back(std::move(call)); }
    int m_sheets = 0;
    bool m_finished = false;
};
