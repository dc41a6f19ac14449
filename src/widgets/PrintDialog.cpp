#include "widgets/PrintDialog.h"

#include "platform/ServiceSlot.h"

#include <QPrintDialog>
#include <QPrinter>

namespace vb {

std::optional<PrintRange> PrintDialogService::choose(QPrinter& printer, int minPage, int maxPage, int from, int to,
                                                     QWidget* owner)
{
    QPrintDialog dialog(&printer, owner);
    // collate, no selection; printing to a PDF file is offered
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(minPage, maxPage);
    dialog.setFromTo(from, to);
    printer.setPrintRange(QPrinter::AllPages);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    PrintRange range;
    range.all = printer.printRange() != QPrinter::PageRange;
    range.from = range.all ? minPage : printer.fromPage();
    range.to = range.all ? maxPage : printer.toPage();
    return range;
}

std::optional<PrintRange> ScriptedPrintDialog::choose(QPrinter& printer, int minPage, int maxPage, int from, int to,
                                                      QWidget*)
{
    shown.append({minPage, maxPage, from, to});
    if (answers.isEmpty()) return std::nullopt;
    const Answer a = answers.takeFirst();
    if (!a.range) return std::nullopt;
    if (!a.pdfFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(a.pdfFile);
    } else if (!a.printerName.isEmpty()) {
        printer.setPrinterName(a.printerName);
    }
    return a.range;
}

using PrintDialogSlot = ServiceSlot<PrintDialogService>;

PrintDialogService& printDialog() { return PrintDialogSlot::get(); }

std::unique_ptr<PrintDialogService> setPrintDialog(std::unique_ptr<PrintDialogService> service)
{
    return PrintDialogSlot::set(std::move(service));
}

ScopedScriptedPrintDialog::ScopedScriptedPrintDialog()
{
    m_dialog = PrintDialogSlot::install<ScriptedPrintDialog>(m_prev);
}

ScopedScriptedPrintDialog::~ScopedScriptedPrintDialog() { setPrintDialog(std::move(m_prev)); }

} // namespace vb
