#include "pagewindows/ResultPage.h"

#include "pagewindows/frmKONTEXT.h"
#include "widgets/OpenDialog.h"

#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPointer>
#include <QPrinter>

namespace {

// The page is drawn before it is shown, and a hidden widget hears of its new
// size only when shown: a picture box would keep its one-pixel picture.
void takeSize(QWidget* w)
{
    if (!w->testAttribute(Qt::WA_PendingResizeEvent)) return;
    w->setAttribute(Qt::WA_PendingResizeEvent, false);
    QResizeEvent e(w->size(), QSize());
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

ResultPage::ResultPage(std::unique_ptr<PageDrawer> drawer, QWidget* parent)
    : gfx::PictureBox(parent), m_drawer(std::move(drawer))
{
    // the page takes the keys its picture boxes do not use
    setFocusPolicy(Qt::StrongFocus);
    QVector<gfx::Surface*> surfaces;
    for (const PageDrawer::Box& b : m_drawer->boxes()) {
        auto* box = new gfx::PictureBox(this);
        box->setObjectName(b.name);
        m_boxes.append(box);
        surfaces.append(box);
    }
    m_drawer->setScreen(this, surfaces);
    m_drawer->progress = [this](int value) {
        if (progress) progress(value);
    };
    layoutBoxes();
}

ResultPage::~ResultPage() = default;

gfx::PictureBox* ResultPage::pictureBox(const QString& name) const
{
    for (gfx::PictureBox* box : m_boxes)
        if (box->objectName() == name) return box;
    return nullptr;
}

void ResultPage::layoutBoxes()
{
    const double px = pixelsPerMm();
    const QVector<PageDrawer::Box> boxes = m_drawer->boxes();
    for (int i = 0; i < boxes.size() && i < m_boxes.size(); ++i) m_boxes[i]->setGeometry(PageDrawer::pixels(boxes[i].mm, px));
    takeSize(this);
    for (QWidget* w : std::as_const(m_boxes)) takeSize(w);
}

void ResultPage::Form_Load()
{
    // Drawn before it is shown: the caller sizes the page as the maximised
    // child; unsized, it gets an A4 landscape sheet.
    if (!testAttribute(Qt::WA_Resized)) resize(PageDrawer::sheetPixels(pixelsPerMm()));
    layoutBoxes();
    m_drawer->load();
}

void ResultPage::resizeEvent(QResizeEvent* event)
{
    gfx::PictureBox::resizeEvent(event);
    m_drawer->redrawHeader();
}

std::unique_ptr<QPrinter> ResultPage::defaultPrinter() { return std::make_unique<QPrinter>(QPrinter::HighResolution); }

void ResultPage::DRUCKEN()
{
    auto printer = defaultPrinter();
    DRUCKEN(*printer);
}

void ResultPage::KONTEXT(short HBOKF, short HBOKFS, qint32 FARBEMDI, qint32 FARBEPIC)
{
    BackColor = FARBEMDI;
    for (gfx::PictureBox* box : std::as_const(m_boxes)) box->BackColor = FARBEPIC;
    m_drawer->setHeaderFooter(HBOKF, HBOKFS);
    drawScreen();
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
    for (gfx::PictureBox* box : std::as_const(m_boxes)) {
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
