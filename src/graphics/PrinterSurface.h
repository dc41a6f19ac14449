#pragma once
// Paper as a surface: A4 landscape, millimetres from the paper's top-left
// corner, on any paged device - a PDF file here, a printer from the windows.
#include "graphics/PainterSurface.h"

#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <memory>

namespace gfx {

class PrinterSurface : public PainterSurface {
public:
    // Draws on the given device, which is set to A4 landscape on the whole paper.
    explicit PrinterSurface(QPagedPaintDevice& device);
    // A device that writes a PDF file.
    static std::unique_ptr<QPdfWriter> pdfWriter(const QString& path, int dpi = 300);

    QSizeF sizeMm() const override;
    double pixelsPerMm() const override;
    bool isPrinter() const override { return true; }
    QString name() const override { return QStringLiteral("Printer"); }

    // VB's Printer.NewPage and Printer.EndDoc; EndDoc tells whether the
    // document was written.
    void NewPage();
    bool EndDoc();

protected:
    QPaintDevice* device() override { return &m_device; }

private:
    QPagedPaintDevice& m_device;
};

} // namespace gfx
