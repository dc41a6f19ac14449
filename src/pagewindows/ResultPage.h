#pragma once
// The window of a result page: a picture box (header and footer are drawn on
// it) holding one picture box per diagram, with the page's mouse, keys,
// activation and settings dialogs. What is drawn and printed comes from the
// page's drawer, which the window gives its picture boxes to draw on.
#include "pages/PageDrawer.h"
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
class Session;

class ResultPage : public gfx::PictureBox {
    Q_OBJECT
public:
    ResultPage(std::unique_ptr<PageDrawer> drawer, QWidget* parent = nullptr);
    ~ResultPage() override;
    Session& session() const { return m_drawer->session(); }
    PageDrawer& pageDrawer() const { return *m_drawer; }
    // The page's tag ("Seite 1", "MSeite 1"): dialogs name the page by it. The
    // objectName is the form name ("mdiSEITE1") the page list sorts by.
    QString Tag;

    // ---- hooks of the window that shows the page (the main window)
    std::function<void(int)> progress;     // start screen's progress bar value
    std::function<void(int)> panelCommand; // a status-bar panel as if clicked
    std::function<void()> quitCommand;     // the main window's quit command
    std::function<void()> helpCommand;     // the main window's help command
    std::function<void()> activated;       // the page became the active window

    // Lays out the page (an A4 landscape sheet unless the caller has sized it)
    // and has the drawer read and draw it whole.
    void Form_Load();
    // The page has been read and drawn whole by its Form_Load.
    bool loaded() const { return m_drawer->loaded(); }

    // Header/footer flag and page-number flag: -1 on, 0 off.
    short HBOKF() const { return m_drawer->HBOKF(); }
    short HBOKFS() const { return m_drawer->HBOKFS(); }

    // The picture boxes of the page in control order.
    QList<gfx::PictureBox*> pictureBoxes() const { return m_boxes; }
    // The picture box of that name, nullptr when the page has none.
    gfx::PictureBox* pictureBox(const QString& name) const;
    QVector<PageDrawer::Diagram> diagrams() { return m_drawer->diagrams(); }

    // A4 landscape on the default printer.
    static std::unique_ptr<QPrinter> defaultPrinter();
    // Prints the page on the default printer / on the given printer / as the
    // next sheet of a document that holds several pages; false when the user
    // cancelled a failure box.
    void DRUCKEN();
    bool DRUCKEN(QPagedPaintDevice& printer) { return m_drawer->print(printer); }
    bool DRUCKEN(PagePrinter& document) { return m_drawer->print(document); }
    // Page options: colours, flags, then the page drawn again on screen.
    void KONTEXT(short HBOKF, short HBOKFS, qint32 FARBEMDI, qint32 FARBEPIC);
    // Clears the page, draws header/footer (when on) and every diagram on screen.
    void drawScreen() { m_drawer->drawScreen(); }

    // The settings dialog for a right click on a diagram box (nullptr: none;
    // the caller shows it modally and deletes it), and the page-options
    // dialog for a click on the page background (shown modeless; it deletes
    // itself when closed).
    QDialog* diagramDialog(gfx::PictureBox* box, QWidget* owner);
    QDialog* pageDialog(QWidget* owner);

    // The page's own keys: the status-bar panel a key forwards to, 0 for the
    // quit command, -1 for none.
    static int keyCommand(int key, Qt::KeyboardModifiers modifiers);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The header and footer follow the page's size; the diagrams keep theirs.
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutBoxes();
    std::unique_ptr<PageDrawer> m_drawer;
    QList<gfx::PictureBox*> m_boxes;
};
