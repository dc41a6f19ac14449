#pragma once
// The main window: MDI frame with the menu bar, the start screen and the
// status bar. Owns the run's StartUp sequence and the status-bar contents; the
// Session (launch context, connections, flags) is handed in by main().
#include "shell/StartUp.h"
#include "shell/StatusPanels.h"

#include <QHash>
#include <QMainWindow>
#include <functional>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class Session;
class StatusBar;
class mdiAUTOSTART;

class frmMAIN : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMAIN(Session& s, QWidget* parent = nullptr);
    ~frmMAIN() override;

    // Start-up; false when the program must end (the reason has been shown).
    bool load();

    Session& session() { return m_s; }
    StartUp& startUp() { return m_startUp; }
    StatusPanels& panels() { return m_panels; }
    StatusBar* stbMAIN() const { return m_statusBar; }
    QMdiArea* mdiArea() const { return m_mdi; }
    mdiAUTOSTART* startScreen() const { return m_startScreen; }
    QProgressBar* pgbBERECHNEN() const;

    // Menu items by control name; a menu's own item for the bar-level menus.
    QAction* menuItem(const QString& name) const;
    QMenu* menu(const QString& name) const;
    void setMenuEnabled(const QString& name, bool enabled);
    // The current caption of a menu item, with its "&" marks.
    QString caption(const QString& name) const;

    // Refreshes the record panel from the active records of the working copy.
    void DATENSATZANZEIGE();

    // Shows a form as an MDI child that is deleted when closed.
    QMdiSubWindow* showChild(QWidget* form);
    // Unloads every MDI child except the start screen.
    void unloadChildren();

    // Closes the main window from program code (Done, Quit).
    void Unload();
    // The Quit menu command for a form's Alt+Q; does nothing once this window is gone.
    std::function<void()> quitCommand();
    // Closes it as the given unload mode would (e.g. vbFormControlMenu for the close box).
    void closeAs(int unloadMode);
    // Runs the Save command.
    void saveProject();
    // Save proper: the working copy into the project, asking first when the
    // project was changed behind it (No saves it beside the project).
    void saveWorkingCopy();

    // ---- handlers of the main window
    void stbMAIN_PanelClick(int panel);
    void mnuEXPIMP_Click();
    void mnuEXPINF_Click();
    void mnuVVORGABEN_Click();
    void mnuFRAGEZEICHEN_Click(); // on opening the "&?" menu
    void mnuHILFE_Click();
    void mnuREADME_Click();
    void mnuHINWEISE_Click();
    void mnuINFO_Click();

    // Help file, read-me and notes in the program folder.
    QString helpFile() const;
    QString readMeFile() const;
    QString notesFile() const;
    // The help context of the active control, child window or main window.
    int activeHelpContext() const;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenus();
    void applyLanguage();
    void runMenuCommand(const QString& name);
    void backToFrontWindow();
    void openDocument(const QString& path, const QString& title);
    // Runs a handler body with the failure box titled with the item's caption.
    void guarded(const QString& item, const std::function<void()>& body);

    Session& m_s;
    StatusPanels m_panels;
    StartUp m_startUp;
    QMdiArea* m_mdi;
    StatusBar* m_statusBar;
    mdiAUTOSTART* m_startScreen = nullptr;
    QMdiSubWindow* m_startWindow = nullptr;
    QHash<QString, QAction*> m_items;
    QHash<QString, QMenu*> m_menus;
    QHash<QString, std::function<void()>> m_ownHandlers;
    int m_pendingUnloadMode = -1;
    bool m_unloaded = false;
};
