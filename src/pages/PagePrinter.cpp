#include "pages/PagePrinter.h"

PagePrinter::PagePrinter(QPagedPaintDevice& device) : gfx::PrinterSurface(device) {}

PagePrinter::~PagePrinter()
{
    if (!m_finished) finish();
}

void PagePrinter::breakSheet() { m_kept.emplace_back(); }

void PagePrinter::endPage()
{
    auto kept = std::move(m_kept);
    m_kept = {Sheet()};
    for (const Sheet& sheet : kept) {
        if (sheet.empty()) continue; // a sheet without a single stroke makes no blank paper
        if (m_sheets > 0) NewPage();
        for (const auto& call : sheet) call();
        ++m_sheets;
    }
}

void PagePrinter::abortPage() { m_kept = {Sheet()}; }

bool PagePrinter::finish()
{
    m_finished = true;
    m_kept = {Sheet()};
    return EndDoc();
}

void PagePrinter::drawLine(QPointF a, QPointF b, const gfx::PenState& pen)
{
    keep([=, this] { PrinterSurface::drawLine(a, b, pen); });
}

void PagePrinter::drawCircle(QPointF c, double r, const gfx::PenState& pen, bool filled)
{
    keep([=, this] { PrinterSurface::drawCircle(c, r, pen, filled); });
}

void PagePrinter::drawPoint(QPointF p, const gfx::PenState& pen)
{
    keep([=, this] { PrinterSurface::drawPoint(p, pen); });
}

void PagePrinter::drawPolygon(const QVector<QPointF>& points, const gfx::PenState& pen, int fillStyle,
                              qint32 fillColor, const QRectF& clip)
{
    keep([=, this] { PrinterSurface::drawPolygon(points, pen, fillStyle, fillColor, clip); });
}

void PagePrinter::drawText(QPointF topLeft, const QString& text, const gfx::SurfaceFont& font, qint32 color,
                           double angleDegrees, bool opaque, qint32 backColor)
{
    keep([=, this] {
        PrinterSurface::drawText(topLeft, text, font, color, angleDegrees, opaque, backColor);
    });
}

void PagePrinter::clear(qint32 backColor)
{
    // clearing the sheet drops what was drawn on it so far
    m_kept.back().clear();
    keep([=, this] { PrinterSurface::clear(backColor); });
}
