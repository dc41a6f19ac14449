#pragma once
// The printer dialog (VB's common dialog for printing): the user picks a
// printer - or a PDF file - and the range of pages. Injectable like every
// platform service; the scripted variant answers from a queue and sets the
// printer up as the user would have.
#include <QList>
#include <QString>
#include <memory>
#include <optional>

class QPrinter;
class QWidget;

namespace vb {

// What the user chose besides the printer itself.
struct PrintRange {
    bool all = true; // the whole range kept
    int from = 1;
    int to = 1;
};

class PrintDialogService {
public:
    virtual ~PrintDialogService() = default;
    // Shows the dialog for printer, pages minPage..maxPage, proposing the pages
    // from..to; the printer is set to what the user chose. nullopt: cancelled.
    virtual std::optional<PrintRange> choose(QPrinter& printer, int minPage, int maxPage, int from, int to,
                                             QWidget* owner);
};

class ScriptedPrintDialog : public PrintDialogService {
public:
    struct Answer {
        std::optional<PrintRange> range; // nullopt: the user cancels
        QString pdfFile;                 // non-empty: "print to file" with this name
        QString printerName;             // else this printer (empty: the default one)
    };
    struct Shown {
        int minPage, maxPage, from, to;
    };
    QList<Answer> answers; // without one the dialog is cancelled
    QList<Shown> shown;
    std::optional<PrintRange> choose(QPrinter& printer, int minPage, int maxPage, int from, int to,
                                     QWidget* owner) override;
};

PrintDialogService& printDialog();
std::unique_ptr<PrintDialogService> setPrintDialog(std::unique_ptr<PrintDialogService> service);

class ScopedScriptedPrintDialog {
public:
    ScopedScriptedPrintDialog();
    ~ScopedScriptedPrintDialog();
    ScriptedPrintDialog* operator->() { return m_dialog; }

private:
    ScriptedPrintDialog* m_dialog;
    std::unique_ptr<PrintDialogService> m_prev;
};

} // namespace vb
