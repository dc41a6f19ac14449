#include "graphics/PrinterSurface.h"

#include <QPageLayout>
#include <QPageSize>

namespace gfx {

PrinterSurface::PrinterSurface(QPrinter& printer) : m_printer(printer)
{
    m_printer.setPageSize(QPageSize(QPageSize::A4));
    m_printer.setPageOrientation(QPageLayout::Landscape);
    m_printer.setFullPage(true);
}

std::unique_ptr<QPrinter> PrinterSurface::pdfPrinter(const QString& path, int dpi)
{
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(path);
    p->setResolution(dpi);
    return p;
}

QSizeF PrinterSurface::sizeMm() const
{
    return m_printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
}

double PrinterSurface::pixelsPerMm() const { return m_printer.resolution() / 25.4; }

void PrinterSurface::NewPage()
{
    if (painter()) m_printer.newPage(); // a first page must exist before the next one
}

bool PrinterSurface::EndDoc()
{
    flush();
    return !failed();
}

} // namespace gfx
