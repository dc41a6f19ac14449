#include "shell/frmMAIN.h"

#include "data/Schema.h"
#include "data/Session.h"
#include "platform/MsgBox.h"
#include "widgets/HelpViewer.h"
#include "platform/OnError.h"
#include "platform/System.h"
#include "shell/Commands.h"
#include "shell/MenuTree.h"
#include "shell/ModalTag.h"
#include "shell/StatusBar.h"
#include "shell/frmINFO.h"
#include "shell/mdiAUTOSTART.h"
#include "widgets/WaitCursor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QShortcut>

namespace {
const char* kHelpContext = "HelpContextID";

// Disables menus while a dialog runs and enables them on every way out.
class MenuLock {
public:
    MenuLock(frmMAIN& main, QStringList names) : m_main(main), m_names(std::move(names))
    {
        for (const QString& n : m_names) m_main.setMenuEnabled(n, false);
    }
    ~MenuLock()
    {
        for (const QString& n : m_names) m_main.setMenuEnabled(n, true);
    }

private:
    frmMAIN& m_main;
    QStringList m_names;
};
} // namespace

frmMAIN::frmMAIN(Session& s, QWidget* parent) : QMainWindow(parent), m_s(s), m_startUp(s, m_panels)
{
    setObjectName(QStringLiteral("frmMAIN"));
    setWindowTitle(QStringLiteral("Orvalis"));
    setProperty(kHelpContext, 0);
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdi);
    m_statusBar = new StatusBar(m_panels, this);
    setStatusBar(m_statusBar);
    connect(m_statusBar, &StatusBar::panelClick, this, &frmMAIN::stbMAIN_PanelClick);
    buildMenus();

    m_ownHandlers = {
        {QStringLiteral("mnuEXPIMP"), [this] { mnuEXPIMP_Click(); }},
        {QStringLiteral("mnuEXPINF"), [this] { mnuEXPINF_Click(); }},
        {QStringLiteral("mnuVVORGABEN"), [this] { mnuVVORGABEN_Click(); }},
        {QStringLiteral("mnuHILFE"), [this] { mnuHILFE_Click(); }},
        {QStringLiteral("mnuREADME"), [this] { mnuREADME_Click(); }},
        {QStringLiteral("mnuHINWEISE"), [this] { mnuHINWEISE_Click(); }},
        {QStringLiteral("mnuINFO"), [this] { mnuINFO_Click(); }},
        // Until the record commands bring their own: Save copies back, Done and Quit close.
        {QStringLiteral("mnuSPEICHERN"), [this] { saveWorkingCopy(); }},
        {QStringLiteral("mnuSCHLIESSEN"), [this] { m_s.RUECKKEHR = true; Unload(); }},
        {QStringLiteral("mnuBEENDEN"), [this] { m_s.RUECKKEHR = false; Unload(); }},
    };
    // F1: help at the context of whatever is active, when the help file is there.
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, [this] {
        if (m_s.fso.FileExists(helpFile())) runMenuCommand(QStringLiteral("mnuHILFE"));
    });
    resize(1024, 740);
}

frmMAIN::~frmMAIN() = default;

std::function<void()> frmMAIN::quitCommand()
{
    return [owner = QPointer<frmMAIN>(this)] {
        if (!owner) return;
        if (QAction* quit = owner->menuItem(QStringLiteral("mnuBEENDEN"))) quit->trigger();
    };
}

void frmMAIN::buildMenus()
{
    for (const MenuItemDef& d : MenuTree::items()) {
        const bool hasItems = std::any_of(MenuTree::items().begin(), MenuTree::items().end(),
                                          [&](const MenuItemDef& c) { return c.parent == d.name; });
        QMenu* parentMenu = d.parent.isEmpty() ? nullptr : m_menus.value(d.parent);
        QAction* action = nullptr;
        if (d.isSeparator()) {
            action = parentMenu->addSeparator();
        } else if (hasItems) {
            QMenu* m = parentMenu ? parentMenu->addMenu(d.german) : menuBar()->addMenu(d.german);
            m->setObjectName(d.name + QStringLiteral("_menu"));
            m_menus.insert(d.name, m);
            action = m->menuAction();
        } else {
            action = parentMenu->addAction(d.german);
            const QString name = d.name;
            connect(action, &QAction::triggered, this, [this, name] { runMenuCommand(name); });
        }
        action->setObjectName(d.name);
        action->setProperty(kHelpContext, d.helpContext);
        action->setEnabled(d.enabledAtStart);
        m_items.insert(d.name, action);
    }
    connect(m_menus.value(QStringLiteral("mnuFRAGEZEICHEN")), &QMenu::aboutToShow, this, &frmMAIN::mnuFRAGEZEICHEN_Click);
    connect(m_menus.value(QStringLiteral("mnuAUSWERTEN")), &QMenu::aboutToShow, this, [this] {
        vb::OnError onError(MenuTree::plainCaption(caption(QStringLiteral("mnuAUSWERTEN"))));
        onError([&] { Commands::run(QStringLiteral("mnuAUSWERTEN"), *this); });
    });
}

void frmMAIN::applyLanguage()
{
    for (const MenuItemDef& d : MenuTree::items())
        if (!d.isSeparator()) m_items.value(d.name)->setText(d.caption(m_s.SPRACHE));
    m_panels.applyLanguage(m_s.SPRACHE);
    setWindowTitle(QStringLiteral("Orvalis"));
}

bool frmMAIN::load()
{
    if (!m_startUp.load()) return false;
    applyLanguage();
    show();
    m_startScreen = new mdiAUTOSTART(m_s.SPRACHE);
    m_startWindow = m_mdi->addSubWindow(m_startScreen, Qt::SubWindow | Qt::FramelessWindowHint);
    m_startWindow->installEventFilter(m_startScreen);
    vb::DoEvents();
    m_startWindow->showMaximized();
    return true;
}

QProgressBar* frmMAIN::pgbBERECHNEN() const { return m_startScreen ? m_startScreen->pgbBERECHNEN() : nullptr; }

QAction* frmMAIN::menuItem(const QString& name) const { return m_items.value(name); }
QMenu* frmMAIN::menu(const QString& name) const { return m_menus.value(name); }

void frmMAIN::setMenuEnabled(const QString& name, bool enabled)
{
    if (QAction* a = m_items.value(name)) a->setEnabled(enabled);
}

QString frmMAIN::caption(const QString& name) const
{
    const QAction* a = m_items.value(name);
    return a ? a->text() : QString();
}

void frmMAIN::DATENSATZANZEIGE() { m_panels.DATENSATZANZEIGE(m_s.cnnX); }

QMdiSubWindow* frmMAIN::showChild(QWidget* form)
{
    QMdiSubWindow* sub = m_mdi->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->showMaximized();
    return sub;
}

void frmMAIN::unloadChildren()
{
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        if (sub == m_startWindow) continue;
        if (!sub->close()) continue;
        // a window that deletes itself on closing has left the area already
        if (m_mdi->subWindowList().contains(sub)) m_mdi->removeSubWindow(sub);
        sub->deleteLater();
    }
}

void frmMAIN::Unload() { closeAs(vbFormCode); }

void frmMAIN::closeAs(int unloadMode)
{
    m_pendingUnloadMode = unloadMode;
    close();
    m_pendingUnloadMode = -1;
}

void frmMAIN::closeEvent(QCloseEvent* e)
{
    if (m_unloaded) {
        e->accept();
        return;
    }
    const int mode = m_pendingUnloadMode >= 0 ? m_pendingUnloadMode
                                             : (e->spontaneous() ? vbFormControlMenu : vbAppWindows);
    const QString quitCaption = MenuTree::plainCaption(caption(QStringLiteral("mnuBEENDEN")));
    if (!m_startUp.queryUnload(mode, quitCaption, [this] { saveProject(); })) {
        e->ignore();
        return;
    }
    // Unload every other form, the start screen included.
    if (m_startScreen) m_startScreen->allowClose();
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        m_mdi->removeSubWindow(sub);
        sub->close();
        sub->deleteLater();
    }
    m_startScreen = nullptr;
    m_startWindow = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible()) w->close();
    m_startUp.unload();
    m_unloaded = true;
    e->accept();
}

void frmMAIN::saveProject()
{
    if (Commands::hasHandler(QStringLiteral("mnuSPEICHERN"))) {
        runMenuCommand(QStringLiteral("mnuSPEICHERN"));
        return;
    }
    vb::OnError onError(MenuTree::plainCaption(caption(QStringLiteral("mnuSPEICHERN"))));
    onError([&] { saveWorkingCopy(); });
}

void frmMAIN::saveWorkingCopy()
{
    WorkingCopy& copy = m_startUp.workingCopy();
    // Changes made by others since the copy was taken are never overwritten
    // unasked, also those made while the question is open.
    std::optional<dbfile::FileState> accepted = copy.origin();
    for (;;) {
        dbfile::FileState found;
        {
            WaitCursor wait;
            if (copy.saveToProject(accepted, found)) break;
        }
        const QString title = MenuTree::plainCaption(caption(QStringLiteral("mnuSPEICHERN")));
        const int answer = vb::MsgBox(
            m_s.tr(QStringLiteral("Das Projekt wurde seit dem Öffnen geändert (von einem anderen Benutzer oder durch einen Export). "
                                  "Trotzdem überschreiben?\n\nNein speichert Ihre Fassung als eigene Datei neben dem Projekt."),
                   QStringLiteral("The project has been changed since it was opened (by another user or by an export). "
                                  "Overwrite it anyway?\n\nNo saves your version as a file of its own beside the project.")),
            vb::vbYesNoCancel | vb::vbExclamation, title);
        if (answer == vb::vbCancel) return;
        if (answer == vb::vbNo) {
            QString beside;
            {
                WaitCursor wait;
                beside = copy.saveBeside();
            }
            // Saved, though not into the project: closing need not ask again.
            m_s.GEAENDERT = false;
            vb::MsgBox(m_s.tr(QStringLiteral("Ihre Fassung wurde als %1 gespeichert."), QStringLiteral("Your version was saved as %1."))
                           .arg(beside),
                       vb::vbOKOnly | vb::vbInformation, title);
            return;
        }
        accepted = found;
    }
    m_s.GEAENDERT = false;
}

void frmMAIN::runMenuCommand(const QString& name)
{
    vb::OnError onError(MenuTree::plainCaption(caption(name)));
    onError([&] {
        if (Commands::run(name, *this)) return;
        if (const auto it = m_ownHandlers.constFind(name); it != m_ownHandlers.constEnd()) it.value()();
    });
}

void frmMAIN::stbMAIN_PanelClick(int panel)
{
    if (panel < 1 || panel > StatusPanels::kCount) return;
    vb::OnError onError(m_panels.text(panel));
    // A cancelled common dialog is no failure.
    onError.ignore(vb::errInvalidProperty);
    onError.ignore(vb::errCancelled);
    onError([&] {
        if (panel >= 8 && panel <= 13) Commands::run(Commands::panelCommand(panel), *this);
        else if (panel == 15) backToFrontWindow();
        // 14: the drawing transfer has no action in this system.
    });
    if (StatusPanels::isCommand(panel)) m_panels.setPressed(panel, false);
}

void frmMAIN::backToFrontWindow()
{
    unloadChildren();
    m_panels.setVisible(10, 15, false);
    setMenuEnabled(QStringLiteral("mnuDATEI"), true);
    setMenuEnabled(QStringLiteral("mnuEXTRAS"), true);
}

void frmMAIN::guarded(const QString& item, const std::function<void()>& body)
{
    vb::OnError onError(MenuTree::plainCaption(caption(item)));
    onError(body);
}

void frmMAIN::mnuEXPIMP_Click()
{
    MenuLock lock(*this, {QStringLiteral("mnuDATEI"), QStringLiteral("mnuAUSWERTEN"), QStringLiteral("mnuEXTRAS")});
    guarded(QStringLiteral("mnuEXPIMP"), [&] {
        if (ModalTag::show(Commands::createDialog(QStringLiteral("frmEXPIMP"), *this), m_s) == ModalTag::kOK)
            m_s.GEAENDERT = true;
    });
}

void frmMAIN::mnuEXPINF_Click()
{
    guarded(QStringLiteral("mnuEXPINF"), [&] { ModalTag::show(Commands::createDialog(QStringLiteral("frmEXPINF"), *this), m_s); });
}

void frmMAIN::mnuVVORGABEN_Click()
{
    // The tag is cleared first, so only a dialog that reports changes sets the flag.
    guarded(QStringLiteral("mnuVVORGABEN"), [&] {
        if (ModalTag::show(Commands::createDialog(QStringLiteral("frmVVORGABEN"), *this), m_s) == ModalTag::kOK)
            m_s.GEAENDERT = true;
    });
}

QString frmMAIN::helpFile() const { return m_s.programFolder + QLatin1Char('/') + schema::kProgramTitle + QStringLiteral(".hlp"); }
QString frmMAIN::readMeFile() const { return m_s.programFolder + QLatin1Char('/') + schema::kProgramTitle + QStringLiteral(".doc"); }
QString frmMAIN::notesFile() const { return m_s.programFolder + QLatin1Char('/') + schema::kProgramTitle + QStringLiteral("_H.doc"); }

void frmMAIN::mnuFRAGEZEICHEN_Click()
{
    setMenuEnabled(QStringLiteral("mnuHILFE"), m_s.fso.FileExists(helpFile()));
    setMenuEnabled(QStringLiteral("mnuREADME"), m_s.fso.FileExists(readMeFile()));
    setMenuEnabled(QStringLiteral("mnuHINWEISE"), m_s.fso.FileExists(notesFile()));
}

int frmMAIN::activeHelpContext() const
{
    if (const QMdiSubWindow* sub = m_mdi->activeSubWindow(); sub && sub->widget()) {
        const QWidget* focus = QApplication::focusWidget();
        if (focus && sub->widget()->isAncestorOf(focus))
            if (const int c = focus->property(kHelpContext).toInt()) return c;
        if (const int c = sub->widget()->property(kHelpContext).toInt()) return c;
    }
    return property(kHelpContext).toInt();
}

void frmMAIN::mnuHILFE_Click()
{
    guarded(QStringLiteral("mnuHILFE"), [&] {
        WaitCursor wait;
        vb::help().showHelp(helpFile(), activeHelpContext(), QStringLiteral("?/Hilfe"));
    });
}

void frmMAIN::openDocument(const QString& path, const QString& title)
{
    vb::OnError onError(title);
    onError([&] {
        WaitCursor wait;
        if (!vb::help().openDocument(path))
            vb::Raise(429, QStringLiteral("ActiveX component can't create object (no word processor for %1)").arg(path));
    });
}

void frmMAIN::mnuREADME_Click() { openDocument(readMeFile(), QStringLiteral("?/ReadMe")); }
void frmMAIN::mnuHINWEISE_Click() { openDocument(notesFile(), QStringLiteral("?/Hinweise")); }

void frmMAIN::mnuINFO_Click()
{
    guarded(QStringLiteral("mnuINFO"), [&] { ModalTag::show(new frmINFO(m_s.SPRACHE, this), m_s); });
}
