#include "graphics/PrinterSurface.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

namespace gfx {

PrinterSurface::PrinterSurface(QPagedPaintDevice& device) : m_device(device)
{
    QPageLayout layout = m_device.pageLayout();
    layout.setPageSize(QPageSize(QPageSize::A4));
    layout.setOrientation(QPageLayout::Landscape);
    layout.setMargins(QMarginsF());
    layout.setMode(QPageLayout::FullPageMode);
    m_device.setPageLayout(layout);
}

std::unique_ptr<QPdfWriter> PrinterSurface::pdfWriter(const QString& path, int dpi)
{
    auto p = std::make_unique<QPdfWriter>(path);
    p->setResolution(dpi);
    return p;
}

QSizeF PrinterSurface::sizeMm() const
{
    return m_device.pageLayout().fullRect(QPageLayout::Millimeter).size();
}

double PrinterSurface::pixelsPerMm() const { return m_device.logicalDpiX() / 25.4; }

void PrinterSurface::NewPage()
{
    if (painter()) m_device.newPage(); // a first page must exist before the next one
}

bool PrinterSurface::EndDoc()
{
    flush();
    return !failed();
}

} // namespace gfx
