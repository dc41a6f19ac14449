#pragma once
// What the two result pages share, without a window: given the surfaces of a
// page and its diagram boxes (a window's picture boxes, or images of the same
// size when there is no window) and a session, it reads the page's data and
// draws header, footer and every diagram on screen, or prints them on paper.
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

class PagePrinter;
class QPagedPaintDevice;
class Session;
class clsGRAFIK;
class clsKOPFFUSS;
namespace ado { class Connection; }
namespace gfx { class ImageSurface; class Surface; }

class PageDrawer {
public:
    explicit PageDrawer(Session& s);
    virtual ~PageDrawer();
    PageDrawer(const PageDrawer&) = delete;
    PageDrawer& operator=(const PageDrawer&) = delete;
    Session& session() const { return m_s; }

    // Called with 0..95 while the page loads (the start screen's progress bar).
    std::function<void(int)> progress;

    // ---- the screen
    // A diagram box: its control name ("picBILD11") and place on the page in mm.
    struct Box {
        QString name;
        QRectF mm;
    };
    // The page's diagram boxes in control order.
    virtual QVector<Box> boxes() const = 0;
    // The surfaces the page is drawn on for the screen: the page itself and
    // one per box, in the order of boxes(). They must outlive the drawer's use.
    void setScreen(gfx::Surface* page, QVector<gfx::Surface*> boxSurfaces);
    // Without a window: images of exactly the pixel sizes a window of this
    // resolution would give page and boxes, so that limits found on them are
    // the ones a window would find.
    void useOffscreenScreen(double pixelsPerMm);
    // A box's place in device pixels for pixelsPerMm: the one rounding the
    // window and the offscreen screen share.
    static QRect pixels(const QRectF& mm, double pixelsPerMm);
    // The page's size in device pixels when nothing gives it another: an A4
    // landscape sheet.
    static QSize sheetPixels(double pixelsPerMm);
    gfx::Surface* pageSurface() const { return m_page; }
    gfx::Surface* boxSurface(int i) const { return m_boxes.value(i); }

    // Reads the record(s) and draws the whole page on screen, advancing the
    // progress hook; the rescale flag is 0 afterwards.
    virtual void load() = 0;
    bool loaded() const { return m_loaded; }

    // ---- diagrams
    // A diagram routine: (output mode 0 screen / 1 printer, x offset mm, y offset mm, surface in mode 1).
    using DiagramRoutine = std::function<void(short mode, float dx, float dy, gfx::Surface* object)>;
    struct Diagram {
        QString name;      // "BILD11"
        float xOffset = 0; // printer offsets
        float yOffset = 0;
        DiagramRoutine draw;
        // printed again on each further sheet of a page that takes several
        bool everySheet = false;
    };
    // Every diagram of the page in drawing order.
    virtual QVector<Diagram> diagrams() = 0;

    // Header/footer flag and page-number flag: -1 on, 0 off.
    short HBOKF() const { return m_HBOKF; }
    short HBOKFS() const { return m_HBOKFS; }
    void setHeaderFooter(short HBOKF, short HBOKFS)
    {
        m_HBOKF = HBOKF;
        m_HBOKFS = HBOKFS;
    }
    // Header and footer on the page (mode 0) or the given printer surface
    // (mode 1): the heading, designations and comment of the page.
    virtual void KOPFFUSSZEILE(short mode, gfx::Surface* object);
    // The page cleared with only its header and footer (the page was resized).
    void redrawHeader();
    // Clears the page, draws header/footer (when on) and every diagram on screen.
    void drawScreen();

    // ---- paper
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
    // Prints the page on the printer as a document of its own / as the next
    // sheet of a document that holds several pages; false when the user
    // cancelled a failure box (the page is aborted then). The screen is drawn
    // again afterwards.
    bool print(QPagedPaintDevice& printer);
    bool print(PagePrinter& document);

    // A settings write inside a transaction: when the data layer could not
    // store a value (it has said why), raises so that the transaction is
    // rolled back and the diagram's failure box reports it.
    static void requireStored(bool stored);

protected:
    // What the header names.
    virtual QString heading() const = 0;
    virtual QStringList designations() const = 0;
    virtual QString comment() const = 0;
    clsKOPFFUSS& kopffuss();

    // A diagram of record id bound to its box on screen (mode 0), or to the
    // paper in mode 1 at the box's place plus the offsets, paperSize (mm) wide
    // and high there. The box is not cleared: an overlay draws over its diagram.
    std::unique_ptr<clsGRAFIK> newDiagram(qint32 id, short idObjekt, gfx::Surface* box, QPointF boxMm, short mode,
                                          float dx, float dy, gfx::Surface* object, QSizeF paperSize);
    // The four automatic-limit flags at once (-1 from the data, 0 stored).
    static void setAutomaticLimits(clsGRAFIK& g, short flag);
    // Whether the k10 limits stored for a diagram can stand on a logarithmic
    // axis: both above 0 (a linear axis from 0 cannot).
    static bool limitsFitLogarithmic(ado::Connection& cnn, qint32 id, short idObjekt);
    // The surface a diagram routine draws on: its box on screen, the paper in mode 1.
    static gfx::Surface* target(short mode, gfx::Surface* box, gfx::Surface* object) { return mode == 1 ? object : box; }

    void setProgress(int value) const
    {
        if (progress) progress(value);
    }
    // Header on, page numbers on: how every page starts.
    void resetHeaderFooter() { setHeaderFooter(-1, -1); }

    Session& m_s;
    bool m_loaded = false;

private:
    short m_HBOKF = -1;
    short m_HBOKFS = -1;
    gfx::Surface* m_page = nullptr;
    QVector<gfx::Surface*> m_boxes;
    std::vector<std::unique_ptr<gfx::ImageSurface>> m_offscreen;
    std::unique_ptr<clsKOPFFUSS> m_kopffuss;
    int m_sheet = 0;
    int m_sheetCount = 1;
};
