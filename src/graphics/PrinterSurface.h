#pragma once
// The printer as a surface: A4 landscape, millimetres from the paper's
// top-left corner. Printing to a PDF file is the same printer with a file name.
#include "graphics/PainterSurface.h"

#include <QPrinter>
#include <memory>

namespace gfx {

class PrinterSurface : public PainterSurface {
public:
    // Draws on the given printer, which is set to A4 landscape on the whole paper.
    explicit PrinterSurface(QPrinter& printer);
    // A printer that writes a PDF file.
    static std::unique_ptr<QPrinter> pdfPrinter(const QString& path, int dpi = 300);

    QSizeF sizeMm() const override;
    double pixelsPerMm() const override;
    bool isPrinter() const override { return true; }
    QString name() const override { return QStringLiteral("Printer"); }
    QPrinter& printer() { return m_printer; }

    // VB's Printer.NewPage and Printer.EndDoc; EndDoc tells whether the
    // document was written.
    void NewPage();
    bool EndDoc();

protected:
    QPaintDevice* device() override { return &m_printer; }

private:
    QPrinter& m_printer;
};

} // namespace gfx
