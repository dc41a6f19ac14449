#pragma once
// What the two result pages share: the page itself is a picture box (header
// and footer are drawn on it) holding the diagram picture boxes; printing,
// page options (KONTEXT), mouse, keyboard, activation. Each page supplies its
// picture boxes, its diagram routines with their printer offsets and its
// header/footer routine.
#include "graphics/PictureBox.h"

#include <QList>
#include <QString>
#include <QVector>
#include <functional>

class QDialog;
class QPrinter;
class Session;
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
    };
    // Every diagram of the page in drawing order.
    virtual QVector<Diagram> diagrams() = 0;
    // Header and footer on the page (mode 0) or the given printer surface (mode 1).
    virtual void KOPFFUSSZEILE(short mode, gfx::Surface* object) = 0;
    // Title of the print failure box ("Drucken von Seite 1").
    virtual QString printTitle() const = 0;

    // Prints the page on the default printer / on the given printer; false when
    // the user cancelled a failure box (the document is aborted then).
    void DRUCKEN();
    bool DRUCKEN(QPrinter& printer);
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

protected:
    void setProgress(int value) const
    {
        if (progress) progress(value);
    }

    Session& m_s;
    short m_HBOKF = -1;
    short m_HBOKFS = -1;
};
