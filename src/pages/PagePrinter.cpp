#include "pages/PagePrinter.h"

PagePrinter::PagePrinter(QPrinter& printer) : gfx::PrinterSurface(printer) {}

PagePrinter::~PagePrinter()
{
    if (!m_finished) finish();
}

std::unique_ptr<QPrinter> PagePrinter::defaultPrinter() { return std::make_unique<QPrinter>(QPrinter::HighResolution); }

void PagePrinter::endPage()
{
    auto kept = std::move(m_kept);
    m_kept.clear();
    if (kept.empty()) return; // a page without a single stroke makes no blank sheet
    if (m_sheets > 0) NewPage();
    for (const auto& call : kept) call();
    ++m_sheets;
}

void PagePrinter::abortPage() { m_kept.clear(); }

bool PagePrinter::finish()
{
    m_finished = true;
    m_kept.clear();
    return EndDoc();
}

void PagePrinter::drawLine(QPointF a, QPointF b, const gfx::PenState& pen)
{
    m_kept.push_back([=, this] { PrinterSurface::drawLine(a, b, pen); });
}

void PagePrinter::drawCircle(QPointF c, double r, const gfx::PenState& pen, bool filled)
{
    m_kept.push_back([=, this] { PrinterSurface::drawCircle(c, r, pen, filled); });
}

void PagePrinter::drawPoint(QPointF p, const gfx::PenState& pen)
{
    m_kept.push_back([=, this] { PrinterSurface::drawPoint(p, pen); });
}

void PagePrinter::drawPolygon(const QVector<QPointF>& points, const gfx::PenState& pen, int fillStyle,
                              qint32 fillColor, const QRectF& clip)
{
    m_kept.push_back([=, this] { PrinterSurface::drawPolygon(points, pen, fillStyle, fillColor, clip); });
}

void PagePrinter::drawText(QPointF topLeft, const QString& text, const gfx::SurfaceFont& font, qint32 color,
                           double angleDegrees, bool opaque, qint32 backColor)
{
    m_kept.push_back([=, this] {
        PrinterSurface::drawText(topLeft, text, font, color, angleDegrees, opaque, backColor);
    });
}

void PagePrinter::clear(qint32 backColor)
{
    // clearing the sheet drops what was drawn on it so far
    m_kept.clear();
    m_kept.push_back([=, this] { PrinterSurface::clear(backColor); });
}
