#include "pages/PageDrawer.h"

#include "data/Ado.h"
#include "data/Session.h"
#include "graphics/ImageSurface.h"
#include "graphics/clsGRAFIK.h"
#include "graphics/clsKOPFFUSS.h"
#include "pages/PagePrinter.h"
#include "pages/ProgramTexts.h"
#include "platform/OnError.h"
#include "platform/System.h"
#include "platform/VBError.h"

#include <QDate>
#include <QTime>
#include <algorithm>

PageDrawer::PageDrawer(Session& s) : m_s(s) {}

PageDrawer::~PageDrawer() = default;

void PageDrawer::setScreen(gfx::Surface* page, QVector<gfx::Surface*> boxSurfaces)
{
    m_page = page;
    m_boxes = std::move(boxSurfaces);
}

QRect PageDrawer::pixels(const QRectF& mm, double pixelsPerMm)
{
    return QRectF(mm.topLeft() * pixelsPerMm, mm.size() * pixelsPerMm).toRect();
}

QSize PageDrawer::sheetPixels(double pixelsPerMm) { return pixels(QRectF(0, 0, 297, 210), pixelsPerMm).size(); }

void PageDrawer::useOffscreenScreen(double pixelsPerMm)
{
    const double dpi = pixelsPerMm * 25.4;
    m_offscreen.clear();
    auto image = [&](QSizeF px) {
        m_offscreen.push_back(std::make_unique<gfx::ImageSurface>(px.width() / pixelsPerMm, px.height() / pixelsPerMm, dpi));
        return m_offscreen.back().get();
    };
    gfx::Surface* page = image(sheetPixels(pixelsPerMm));
    QVector<gfx::Surface*> boxSurfaces;
    for (const Box& b : boxes()) {
        gfx::Surface* s = image(pixels(b.mm, pixelsPerMm).size());
        s->setName(b.name);
        boxSurfaces.append(s);
    }
    setScreen(page, boxSurfaces);
}

clsKOPFFUSS& PageDrawer::kopffuss()
{
    if (!m_kopffuss) m_kopffuss = std::make_unique<clsKOPFFUSS>();
    return *m_kopffuss;
}

void PageDrawer::KOPFFUSSZEILE(short mode, gfx::Surface* object)
{
    vb::OnError onError(QStringLiteral("Kopffusszeile"));
    onError([&] {
        gfx::Surface* surface = mode == 1 ? object : m_page;
        if (!surface) return;
        clsKOPFFUSS& k = kopffuss();
        k.setAUSGABEOBJEKT(surface, surface);
        // On screen the diagram boxes start 30 mm from the top, 5 mm higher
        // than on paper: the header moves up so that its comment line stays
        // clear of them.
        if (mode != 1) k.setRANDABSTAND(QStringLiteral("oben"), 10);
        k.setBEARBEITER(m_s.BEARBEITER);
        k.setCOPYRIGHT(ProgramTexts::copyright(3));
        k.setPROGRAMMIERER(ProgramTexts::maker(3));
        k.setEBOKFS(m_HBOKFS == -1);
        k.setKENNZEICHNUNG(designations());
        k.setDATUM(QDate::currentDate());
        k.setKOMMENTAR(comment());
        k.setSEITE(static_cast<short>(mode == 1 ? printSheet() + 1 : 1));
        k.setSEITENANZAHL(static_cast<short>(mode == 1 ? printSheetCount() : 1));
        k.setUEBERSCHRIFT(heading());
        k.setPROJEKT(m_s.PROJEKT);
        k.setSPRACHE(3);
        k.setUHRZEIT(QTime::currentTime());
        k.KOPFFUSSZEILE();
    });
}

void PageDrawer::redrawHeader()
{
    if (!m_loaded || !m_page) return;
    m_page->Cls();
    if (m_HBOKF == -1) KOPFFUSSZEILE(0, nullptr);
}

void PageDrawer::drawScreen()
{
    if (m_page) m_page->Cls();
    if (m_HBOKF == -1) KOPFFUSSZEILE(0, nullptr);
    for (const Diagram& d : diagrams()) {
        d.draw(0, 0, 0, nullptr);
        vb::DoEvents();
    }
}

bool PageDrawer::print(QPagedPaintDevice& printer)
{
    PagePrinter document(printer);
    const bool printed = print(document);
    // a printer that would not open has been reported by the page already
    const bool ended = document.finish();
    return printed && ended;
}

bool PageDrawer::print(PagePrinter& document)
{
    vb::OnError onError(printTitle());
    int sheets = 1;
    onError([&] { sheets = std::max(1, printSheets(document)); });
    m_sheetCount = sheets;
    for (m_sheet = 0; m_sheet < sheets && !onError.cancelled(); ++m_sheet) {
        if (m_sheet > 0) document.breakSheet();
        if (m_HBOKF == -1) {
            onError([&] { KOPFFUSSZEILE(1, &document); });
            onError([] { vb::DoEvents(); });
        }
        for (const Diagram& d : diagrams()) {
            if (m_sheet > 0 && !d.everySheet) continue;
            onError([&] { d.draw(1, d.xOffset, d.yOffset, &document); });
            onError([] { vb::DoEvents(); });
        }
    }
    m_sheet = 0;
    m_sheetCount = 1;
    // the page goes out whole or not at all
    onError([&] { document.endPage(); });
    if (onError.cancelled()) document.abortPage();
    // The printer pass stored nothing, but the page's drawing objects were
    // bound to the paper: bind them to the screen again.
    drawScreen();
    return !onError.cancelled();
}

void PageDrawer::requireStored(bool stored)
{
    if (!stored)
        vb::Raise(vb::errCannotUpdate, QStringLiteral("Die Diagrammeinstellungen konnten nicht gespeichert werden."));
}

std::unique_ptr<clsGRAFIK> PageDrawer::newDiagram(qint32 id, short idObjekt, gfx::Surface* box, QPointF boxMm,
                                                  short mode, float dx, float dy, gfx::Surface* object,
                                                  QSizeF paperSize)
{
    auto g = std::make_unique<clsGRAFIK>(m_s);
    g->setEID(id);
    g->setEIDOBJEKT(idObjekt);
    if (mode == 1 && object) {
        g->setEOBJEKT(object);
        g->setEXDL(static_cast<float>(boxMm.x() + dx));
        g->setEYDO(static_cast<float>(boxMm.y() + dy));
        g->setELX(static_cast<float>(paperSize.width()));
        g->setELY(static_cast<float>(paperSize.height()));
    } else {
        g->setEOBJEKT(box);
        g->setEXDL(0);
        g->setEYDO(0);
    }
    return g;
}

bool PageDrawer::limitsFitLogarithmic(ado::Connection& cnn, qint32 id, short idObjekt)
{
    ado::Recordset rs(QStringLiteral("SELECT [YMIN],[YMAX] FROM [G0] WHERE [ID]=%1 AND [IDOBJEKT]=%2").arg(id).arg(idObjekt), cnn);
    if (rs.Eof()) return false;
    const float min = rs.Value(0).toFloat(), max = rs.Value(1).toFloat();
    return min > 0 && max > min;
}

void PageDrawer::setAutomaticLimits(clsGRAFIK& g, short flag)
{
    g.setEBOXMIN(flag);
    g.setEBOXMAX(flag);
    g.setEBOYMIN(flag);
    g.setEBOYMAX(flag);
}
