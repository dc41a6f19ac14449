#include "pages/ResultPage.h"

#include "data/Ado.h"
#include "graphics/clsGRAFIK.h"
#include "pages/PagePrinter.h"
#include "pages/frmKONTEXT.h"
#include "platform/OnError.h"
#include "widgets/OpenDialog.h"
#include "platform/System.h"

#include <QDialog>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPointer>
#include <QPrinter>
#include <algorithm>

ResultPage::ResultPage(Session& s, QWidget* parent) : gfx::PictureBox(parent), m_s(s)
{
    // the page takes the keys its picture boxes do not use
    setFocusPolicy(Qt::StrongFocus);
}

ResultPage::~ResultPage() = default;

void ResultPage::drawScreen()
{
    Cls();
    if (m_HBOKF == -1) KOPFFUSSZEILE(0, nullptr);
    for (const Diagram& d : diagrams()) {
        d.draw(0, 0, 0, nullptr);
        vb::DoEvents();
    }
}

void ResultPage::KONTEXT(short HBOKF, short HBOKFS, qint32 FARBEMDI, qint32 FARBEPIC)
{
    BackColor = FARBEMDI;
    for (gfx::PictureBox* box : pictureBoxes()) box->BackColor = FARBEPIC;
    m_HBOKF = HBOKF;
    m_HBOKFS = HBOKFS;
    drawScreen();
}

void ResultPage::DRUCKEN()
{
    auto printer = PagePrinter::defaultPrinter();
    DRUCKEN(*printer);
}

bool ResultPage::DRUCKEN(QPagedPaintDevice& printer)
{
    PagePrinter document(printer);
    const bool printed = DRUCKEN(document);
    // a printer that would not open has been reported by the page already
    const bool ended = document.finish();
    return printed && ended;
}

bool ResultPage::DRUCKEN(PagePrinter& document)
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

void ResultPage::requireStored(bool stored)
{
    if (!stored)
        vb::Raise(vb::errCannotUpdate, QStringLiteral("Die Diagrammeinstellungen konnten nicht gespeichert werden."));
}

int ResultPage::keyCommand(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers mods = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (key == Qt::Key_Escape && mods == Qt::NoModifier) return 15;
    if (key == Qt::Key_Q && mods == Qt::AltModifier) return 0;
    if (mods != Qt::ControlModifier) return -1;
    switch (key) {
    case Qt::Key_A: return 14;
    case Qt::Key_C: return 12;
    case Qt::Key_P: return 11;
    case Qt::Key_S: return 10;
    case Qt::Key_W: return 13;
    default: return -1;
    }
}

void ResultPage::keyPressEvent(QKeyEvent* event)
{
    const int command = keyCommand(event->key(), event->modifiers());
    if (command < 0) {
        gfx::PictureBox::keyPressEvent(event);
        return;
    }
    event->accept();
    if (command == 0) {
        if (quitCommand) quitCommand();
    } else if (panelCommand) {
        panelCommand(command);
    }
}

// A right click on a diagram's picture box opens its settings dialog modally;
// picture boxes pass their clicks on to the page.
void ResultPage::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton) {
        gfx::PictureBox::mousePressEvent(event);
        return;
    }
    event->accept();
    QWidget* hit = childAt(event->position().toPoint());
    for (gfx::PictureBox* box : pictureBoxes()) {
        if (hit != box && !(hit && box->isAncestorOf(hit))) continue;
        QPointer<QDialog> dialog = diagramDialog(box, window());
        if (!dialog) return;
        dialog->exec();
        delete dialog.data();
        return;
    }
}

// A click on the page itself opens the page options, modeless.
void ResultPage::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || childAt(event->position().toPoint())) {
        gfx::PictureBox::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    if (vb::raiseOpenDialog<frmKONTEXT>(window())) return;
    if (QDialog* dialog = pageDialog(window())) {
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->show();
    }
}

void ResultPage::showEvent(QShowEvent* event)
{
    gfx::PictureBox::showEvent(event);
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!sub || sub->property("resultPageWatched").toBool()) return;
    sub->setProperty("resultPageWatched", true);
    connect(sub, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates before, Qt::WindowStates now) {
        if ((now & Qt::WindowActive) && !(before & Qt::WindowActive) && activated) activated();
    });
}

std::unique_ptr<clsGRAFIK> ResultPage::newDiagram(qint32 id, short idObjekt, gfx::PictureBox* box, QPointF boxMm,
                                                  short mode, float dx, float dy, gfx::Surface* object,
                                                  QSizeF paperSize)
{
    auto g = std::make_unique<clsGRAFIK>();
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

bool ResultPage::limitsFitLogarithmic(ado::Connection& cnn, qint32 id, short idObjekt)
{
    ado::Recordset rs(QStringLiteral("SELECT [YMIN],[YMAX] FROM [G0] WHERE [ID]=%1 AND [IDOBJEKT]=%2").arg(id).arg(idObjekt), cnn);
    if (rs.Eof()) return false;
    const float min = rs.Value(0).toFloat(), max = rs.Value(1).toFloat();
    return min > 0 && max > min;
}

void ResultPage::setAutomaticLimits(clsGRAFIK& g, short flag)
{
    g.setEBOXMIN(flag);
    g.setEBOXMAX(flag);
    g.setEBOYMIN(flag);
    g.setEBOYMAX(flag);
}
