#pragma once
// What the two result pages share: the page itself is a picture box (header
// and footer are drawn on it) holding the diagram picture boxes; printing,
// page options (KONTEXT), mouse, keyboard, activation. Each page supplies its
// picture boxes, its diagram routines with their printer offsets and its
// header/footer routine.
#include "widgets/PictureBox.h"

#include <QList>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>

class PagePrinter;
class QDialog;
class QPagedPaintDevice;
class QPrinter;
class clsGRAFIK;
class Session;
namespace ado { class Connection; }
namespace gfx { class PrinterSurface; }

class ResultPage : public gfx::PictureBox {
    Q_OBJECT
public:
    explicit ResultPage(Session& s, QWidget* parent = nullptr);
    ~ResultPage() override;
    Session& session() const { return m_s; }
    // The page's tag ("Seite 1", "MSeite 1"): dialogs name the page by it. The
    // objectName is the form name ("mdiSEITE1") the page list sorts by.
    QString Tag;

    // ---- hooks of the window that shows the page (the main window)
    std::function<void(int)> progress;     // start screen's progress bar value
    std::function<void(int)> panelCommand; // a status-bar panel as if clicked
    std::function<void()> quitCommand;     // the main window's quit command
    std::function<void()> helpCommand;     // the main window's help command
    std::function<void()> activated;       // the page became the active window

    // The page has been read and drawn whole by its Form_Load.
    bool loaded() const { return m_loaded; }

    // Header/footer flag and page-number flag: -1 on, 0 off.
    short HBOKF() const { return m_HBOKF; }
    short HBOKFS() const { return m_HBOKFS; }

    // The picture boxes of the page in control order.
    virtual QList<gfx::PictureBox*> pictureBoxes() const = 0;

    // A diagram routine: (output mode 0 screen / 1 printer, x offset mm, y offset mm, surface in mode 1).
    using DiagramRoutine = std::function<void(short mode, float dx, float dy, gfx::Surface* object)>;
    struct Diagram {
        QString name;     // "BILD11"
        float xOffset = 0; // printer offsets
        float yOffset = 0;
        DiagramRoutine draw;
        // printed again on each further sheet of a page that takes several
        bool everySheet = false;
    };
    // Every diagram of the page in drawing order.
    virtual QVector<Diagram> diagrams() = 0;
    // Header and footer on the page (mode 0) or the given printer surface (mode 1).
    virtual void KOPFFUSSZEILE(short mode, gfx::Surface* object) = 0;
    // Title of the print failure box ("Drucken von Seite 1").
    virtual QString printTitle() const = 0;
    // The sheets the page takes on this paper: one, unless a table runs on.
    virtual int printSheets(gfx::Surface& paper)
    {
        Q_UNUSED(paper);
        return 1;
    }
    // While the page prints: the sheet being drawn (0 first) and their number;
    // otherwise 0 and 1.
    int printSheet() const { return m_sheet; }
    int printSheetCount() const { return m_sheetCount; }

    // Prints the page on the default printer / on the given printer; false when
    // the user cancelled a failure box (the document is aborted then).
    void DRUCKEN();
    bool DRUCKEN(QPagedPaintDevice& printer);
    // Prints the page as the next sheet of a document that holds several pages.
    bool DRUCKEN(PagePrinter& document);
    // Page options: colours, flags, then the page drawn again on screen.
    void KONTEXT(short HBOKF, short HBOKFS, qint32 FARBEMDI, qint32 FARBEPIC);
    // Clears the page, draws header/footer (when on) and every diagram on screen.
    void drawScreen();

    // The settings dialog for a right click on a diagram box (nullptr: none;
    // the caller shows it modally and deletes it), and the page-options
    // dialog for a click on the page background (shown modeless; it deletes
    // itself when closed).
    QDialog* diagramDialog(gfx::PictureBox* box, QWidget* owner);
    QDialog* pageDialog(QWidget* owner);

    // A settings write inside a transaction: when the data layer could not
    // store a value (it has said why), raises so that the transaction is
    // rolled back and the diagram's failure box reports it.
    static void requireStored(bool stored);

    // The page's own keys: the status-bar panel a key forwards to, 0 for the
    // quit command, -1 for none.
    static int keyCommand(int key, Qt::KeyboardModifiers modifiers);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

    // A diagram of record id bound to its box on screen (mode 0), or to the
    // paper in mode 1 at the box's place plus the offsets, paperSize (mm) wide
    // and high there. The box is not cleared: an overlay draws over its diagram.
    static std::unique_ptr<clsGRAFIK> newDiagram(qint32 id, short idObjekt, gfx::PictureBox* box, QPointF boxMm,
                                                 short mode, float dx, float dy, gfx::Surface* object,
                                                 QSizeF paperSize);
    // The four automatic-limit flags at once (-1 from the data, 0 stored).
    static void setAutomaticLimits(clsGRAFIK& g, short flag);
    // Whether the k10 limits stored for a diagram can stand on a logarithmic
    // axis: both above 0 (a linear axis from 0 cannot).
    static bool limitsFitLogarithmic(ado::Connection& cnn, qint32 id, short idObjekt);

    void setProgress(int value) const
    {
        if (progress) progress(value);
    }

    Session& m_s;
    short m_HBOKF = -1;
    short m_HBOKFS = -1;
    bool m_loaded = false;

private:
    int m_sheet = 0;
    int m_sheetCount = 1;
};
