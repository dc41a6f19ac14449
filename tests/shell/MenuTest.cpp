// Menus, status-bar commands, help items and the modal-dialog tag of the main window.
#include "FrameInstallation.h"

#include "widgets/HelpViewer.h"
#include "platform/VBError.h"
#include "shell/Commands.h"
#include "shell/MenuTree.h"
#include "shell/ModalTag.h"
#include "shell/StatusBar.h"
#include "shell/frmINFO.h"
#include "shell/frmMAIN.h"
#include "shell/mdiAUTOSTART.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override { Commands::clear(); }
    void TearDown() override
    {
        Commands::clear();
        if (w) {
            fi.ui->answer(vb::vbNo);
            w->closeAs(vbAppWindows);
        }
    }

    frmMAIN& start(const QString& language = QStringLiteral("de"))
    {
        fi.sys->language = language;
        w = std::make_unique<frmMAIN>(fi.session);
        EXPECT_TRUE(w->load());
        return *w;
    }
    void touch(const QString& name)
    {
        QFile f(fi.programFolder() + QLatin1Char('/') + name);
        f.open(QIODevice::WriteOnly);
        f.write("<html><body><a name=\"hc22\"></a>x</body></html>");
    }
    bool enabled(const QString& name) { return w->menuItem(name)->isEnabled(); }
    QList<vb::ScriptedUi::Box> boxes() { return fi.ui->boxes(); }

    FrameInstallation fi;
    std::unique_ptr<frmMAIN> w;
};

TEST_F(MenuTest, GermanCaptionsHelpContextsAndStartStates)
{
    start();
    const std::pair<const char*, const char*> expected[] = {
        {"mnuDATEI", "&Datei"}, {"mnuOEFFNEN", "&Öffnen"}, {"mnuEXPINF", "Export-&Inf.system"},
        {"mnuSCHLIESSEN", "&Schließen"}, {"mnuNEUBERECHNEN", "&Neuberechnen"}, {"mnuEXTRAS", "E&xtras"},
        {"mnuKREIS", "&Kreisbogen"}, {"mnuHINWEISE", "Hin&weise"},
    };
    for (const auto& [name, text] : expected) EXPECT_EQ(w->caption(QString::fromLatin1(name)), QString::fromUtf8(text)) << name;
    EXPECT_TRUE(w->menuItem(QStringLiteral("mnuTRENN1"))->isSeparator());
    EXPECT_EQ(w->menuItem(QStringLiteral("mnuKOMPRIMIEREN"))->property("HelpContextID").toInt(), 34);
    EXPECT_EQ(w->menuItem(QStringLiteral("mnuNEU"))->property("HelpContextID").toInt(), 11);
    for (const char* never : {"mnuEINGABEGRAFIK", "mnuFBERECHNEN", "mnuVEVORGABEN", "mnuWERKZEUGE", "mnuMBERECHNEN"})
        EXPECT_FALSE(enabled(QString::fromLatin1(never))) << never;
    for (const char* on : {"mnuDATEI", "mnuNEU", "mnuAUSWERTEN", "mnuBERECHNEN", "mnuNEUBERECHNEN", "mnuEXTRAS",
                           "mnuKOMPRIMIEREN", "mnuFRAGEZEICHEN", "mnuINFO"})
        EXPECT_TRUE(enabled(QString::fromLatin1(on))) << on;
    // The graphic tools hang below the never-enabled tools item.
    EXPECT_EQ(w->menuItem(QStringLiteral("mnuTEXT"))->parent(), w->menu(QStringLiteral("mnuWERKZEUGE")));
    EXPECT_EQ(w->stbMAIN()->panelWidget(15)->text(), QStringLiteral("Schließen"));
}

TEST_F(MenuTest, EnglishCaptions)
{
    start(QStringLiteral("en"));
    const std::pair<const char*, const char*> expected[] = {
        {"mnuDATEI", "&File"}, {"mnuSCHLIESSEN", "&Done"}, {"mnuBEENDEN", "&Quit"},
        {"mnuEXPIMP", "&Export-Import"}, {"mnuAUSWERTEN", "&Evaluate"},
        {"mnuEINGABEGRAFIK", "&Graphics of Input Data"}, {"mnuNEUBERECHNEN", "Calculate &First"},
        {"mnuEXTRAS", "Tools"}, {"mnuVVORGABEN", "Preset Data"}, {"mnuWERKZEUGE", "Grafic Tools"},
        {"mnuKREIS", "Circle"}, {"mnuKOMPRIMIEREN", "Compact Database"}, {"mnuFRAGEZEICHEN", "&?"},
        {"mnuHILFE", "Help"}, {"mnuHINWEISE", "Hin&weise"}, {"mnuINFO", "&Info"},
    };
    for (const auto& [name, text] : expected) EXPECT_EQ(w->caption(QString::fromLatin1(name)), QString::fromUtf8(text)) << name;
    EXPECT_FALSE(enabled(QStringLiteral("mnuWERKZEUGE")));
    EXPECT_TRUE(enabled(QStringLiteral("mnuKOMPRIMIEREN")));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Orvalis"));
    EXPECT_EQ(w->stbMAIN()->panelWidget(10)->text(), QStringLiteral("Show"));
    EXPECT_EQ(w->stbMAIN()->panelWidget(12)->toolTip(), QStringLiteral("Save Screenshot"));
}

TEST_F(MenuTest, HelpItemsFollowTheirFiles)
{
    start();
    w->mnuFRAGEZEICHEN_Click();
    EXPECT_FALSE(enabled(QStringLiteral("mnuHILFE")));
    EXPECT_FALSE(enabled(QStringLiteral("mnuREADME")));
    EXPECT_FALSE(enabled(QStringLiteral("mnuHINWEISE")));
    EXPECT_TRUE(enabled(QStringLiteral("mnuINFO")));
    touch(QStringLiteral("TALPEX.hlp"));
    touch(QStringLiteral("TALPEX_H.doc"));
    emit w->menu(QStringLiteral("mnuFRAGEZEICHEN"))->aboutToShow(); // as when the menu opens
    EXPECT_TRUE(enabled(QStringLiteral("mnuHILFE")));
    EXPECT_FALSE(enabled(QStringLiteral("mnuREADME")));
    EXPECT_TRUE(enabled(QStringLiteral("mnuHINWEISE")));
}

TEST_F(MenuTest, HelpOpensAtTheContextOfTheActiveWindow)
{
    vb::ScopedScriptedHelp help;
    start();
    w->menuItem(QStringLiteral("mnuHILFE"))->trigger();
    ASSERT_EQ(help->help.size(), 1);
    EXPECT_EQ(help->help[0].file, fi.programFolder() + QStringLiteral("/TALPEX.hlp"));
    EXPECT_EQ(help->help[0].context, 0);
    EXPECT_EQ(help->help[0].title, QStringLiteral("?/Hilfe"));

    auto* form = new QWidget;
    form->setProperty("HelpContextID", 22);
    w->showChild(form);
    w->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(form->parentWidget()));
    w->mnuHILFE_Click();
    ASSERT_EQ(help->help.size(), 2);
    EXPECT_EQ(help->help[1].context, 22);
}

TEST_F(MenuTest, ReadMeAndNotesOpenInTheWordProcessorOrReportWhyNot)
{
    vb::ScopedScriptedHelp help;
    start();
    w->menuItem(QStringLiteral("mnuREADME"))->trigger();
    EXPECT_EQ(help->documents, QStringList{fi.programFolder() + QStringLiteral("/TALPEX.doc")});
    EXPECT_TRUE(boxes().isEmpty());
    help->documentsOpen = false;
    w->mnuHINWEISE_Click();
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].title, QStringLiteral("?/Hinweise"));
    EXPECT_TRUE(boxes()[0].text.startsWith(QStringLiteral("VB-Error: 429\n")));
    EXPECT_EQ(boxes()[0].buttons(), vb::vbOKCancel);
}

TEST_F(MenuTest, ShippedHelpFilesAreInTheBuiltProgramFolder)
{
    for (const char* f : {"TALPEX.hlp", "TALPEX.doc", "TALPEX_H.doc"})
        EXPECT_TRUE(QFile::exists(QStringLiteral(TALPEX_PROGDIR "/") + QString::fromLatin1(f))) << f;
    // Every help context of the menu tree has its anchor in the help file.
    QFile hlp(QStringLiteral(TALPEX_PROGDIR "/TALPEX.hlp"));
    ASSERT_TRUE(hlp.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(hlp.readAll());
    for (const MenuItemDef& d : MenuTree::items())
        if (d.helpContext) {
            EXPECT_TRUE(html.contains(QStringLiteral("name=\"hc%1\"").arg(d.helpContext))) << d.helpContext;
        }
}

TEST_F(MenuTest, CommandsWithoutHandlersDoNothing)
{
    start();
    for (const char* name : {"mnuNEU", "mnuOEFFNEN", "mnuAUSWAHL", "mnuLOESCHEN", "mnuBERECHNEN", "mnuNEUBERECHNEN",
                             "mnuKOMPRIMIEREN", "mnuEXPINF"})
        w->menuItem(QString::fromLatin1(name))->trigger();
    for (int panel = 8; panel <= 13; ++panel) w->stbMAIN_PanelClick(panel);
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_EQ(w->mdiArea()->subWindowList().size(), 1);
    EXPECT_TRUE(w->isVisible());
}

TEST_F(MenuTest, RegisteredHandlersRunAndFailuresAreTitledWithTheCaption)
{
    start();
    int runs = 0;
    Commands::setHandler(QStringLiteral("mnuNEU"), [&](frmMAIN&) { ++runs; });
    Commands::setHandler(QStringLiteral("mnuLOESCHEN"), [](frmMAIN&) { vb::Raise(3021, QStringLiteral("No current record.")); });
    w->menuItem(QStringLiteral("mnuNEU"))->trigger();
    EXPECT_EQ(runs, 1);
    w->menuItem(QStringLiteral("mnuLOESCHEN"))->trigger();
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].title, QStringLiteral("Löschen"));
    EXPECT_EQ(boxes()[0].text, QStringLiteral("VB-Error: 3021\nNo current record."));
    EXPECT_EQ(boxes()[0].icon(), vb::vbExclamation);
}

TEST_F(MenuTest, PanelFourteenChangesNothing)
{
    start();
    w->panels().setVisible(10, 15, true);
    w->setMenuEnabled(QStringLiteral("mnuDATEI"), false);
    auto* page = new QWidget;
    w->showChild(page);
    w->stbMAIN_PanelClick(14);
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_EQ(w->mdiArea()->subWindowList().size(), 2);
    for (int n = 10; n <= 15; ++n) EXPECT_TRUE(w->panels().isVisible(n)) << n;
    EXPECT_FALSE(w->panels().panel(14).pressed);
    EXPECT_FALSE(enabled(QStringLiteral("mnuDATEI")));
}

TEST_F(MenuTest, PanelFifteenKeepsOnlyTheStartScreen)
{
    start();
    for (int i = 0; i < 3; ++i) w->showChild(new QLabel(QStringLiteral("page %1").arg(i)));
    w->panels().setVisible(10, 15, true);
    w->setMenuEnabled(QStringLiteral("mnuDATEI"), false);
    w->setMenuEnabled(QStringLiteral("mnuEXTRAS"), false);
    w->stbMAIN_PanelClick(15);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QList<QMdiSubWindow*> left = w->mdiArea()->subWindowList();
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left[0]->widget(), static_cast<QWidget*>(w->startScreen()));
    for (int n = 10; n <= 15; ++n) EXPECT_FALSE(w->panels().isVisible(n)) << n;
    EXPECT_TRUE(enabled(QStringLiteral("mnuDATEI")));
    EXPECT_TRUE(enabled(QStringLiteral("mnuEXTRAS")));
}

TEST_F(MenuTest, CancelledDialogBehindAPanelShowsNoBox)
{
    start();
    Commands::setHandler(Commands::panelCommand(11), [](frmMAIN&) { vb::Raise(vb::errCancelled, QStringLiteral("Cancel was selected.")); });
    Commands::setHandler(Commands::panelCommand(12), [](frmMAIN&) { vb::Raise(vb::errInvalidProperty, QStringLiteral("Invalid property value")); });
    Commands::setHandler(Commands::panelCommand(13), [](frmMAIN&) { vb::Raise(429, QStringLiteral("No word processor")); });
    w->panels().setVisible(10, 15, true);
    w->stbMAIN_PanelClick(11);
    w->stbMAIN_PanelClick(12);
    EXPECT_TRUE(boxes().isEmpty());
    w->stbMAIN_PanelClick(13);
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].title, QStringLiteral("Word"));
    EXPECT_EQ(boxes()[0].text, QStringLiteral("VB-Error: 429\nNo word processor"));
}

TEST_F(MenuTest, MouseShowsThePressedLookAndDispatchesTheClick)
{
    start();
    w->panels().setVisible(10, 15, true);
    QApplication::processEvents();
    int clicked = 0;
    bool pressedDuring = false;
    Commands::setHandler(Commands::panelCommand(11), [&](frmMAIN& m) {
        ++clicked;
        pressedDuring = m.panels().panel(11).pressed;
    });
    StatusBar* bar = w->stbMAIN();
    const QRect r = bar->panelWidget(11)->geometry();
    ASSERT_EQ(bar->panelAt(r.center().x()), 11);
    QTest::mousePress(bar, Qt::LeftButton, {}, r.center());
    EXPECT_TRUE(w->panels().panel(11).pressed);
    EXPECT_EQ(bar->panelWidget(11)->frameShadow(), QFrame::Sunken);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, r.center());
    EXPECT_EQ(clicked, 1);
    EXPECT_TRUE(pressedDuring);
    EXPECT_FALSE(w->panels().panel(11).pressed);
    EXPECT_EQ(bar->panelWidget(11)->frameShadow(), QFrame::Raised);
    // Command panels have one width.
    for (int n = 10; n <= 15; ++n) EXPECT_EQ(bar->panelWidget(n)->width(), bar->panelWidget(10)->width()) << n;
}

// Runs check on the modal dialog once it is shown, then leaves outcome in the tag.
QDialog* scriptedDialog(frmMAIN& owner, std::function<void()> check, const QString& outcome)
{
    auto* d = new QDialog(&owner);
    QTimer::singleShot(0, d, [d, &owner, check, outcome] {
        check();
        if (outcome.isNull()) d->reject();
        else ModalTag::finish(d, owner.session(), outcome);
    });
    return d;
}

TEST_F(MenuTest, ExportImportLocksTheMenusAndTakesTheTag)
{
    start();
    bool lockedDuring = false;
    QString tagSeen = QStringLiteral("unset");
    Commands::setDialog(QStringLiteral("frmEXPIMP"), [&](frmMAIN& owner) {
        return scriptedDialog(owner, [&] {
            lockedDuring = !enabled(QStringLiteral("mnuDATEI")) && !enabled(QStringLiteral("mnuAUSWERTEN")) &&
                           !enabled(QStringLiteral("mnuEXTRAS"));
            tagSeen = fi.session.TAG;
        }, ModalTag::kOK);
    });
    fi.session.TAG = QStringLiteral("Abbrechen");
    w->menuItem(QStringLiteral("mnuEXPIMP"))->trigger();
    EXPECT_TRUE(lockedDuring);
    EXPECT_EQ(tagSeen, QString()); // cleared before the dialog
    EXPECT_TRUE(fi.session.GEAENDERT);
    EXPECT_TRUE(enabled(QStringLiteral("mnuDATEI")));
    EXPECT_TRUE(enabled(QStringLiteral("mnuAUSWERTEN")));
    EXPECT_TRUE(enabled(QStringLiteral("mnuEXTRAS")));
}

TEST_F(MenuTest, ExportImportFailureStillUnlocksTheMenus)
{
    start();
    Commands::setDialog(QStringLiteral("frmEXPIMP"), [](frmMAIN&) -> QDialog* {
        vb::Raise(3024, QStringLiteral("Could not find file."));
    });
    fi.ui->answer(vb::vbCancel);
    w->mnuEXPIMP_Click();
    EXPECT_TRUE(enabled(QStringLiteral("mnuDATEI")));
    EXPECT_TRUE(enabled(QStringLiteral("mnuEXTRAS")));
    // Called from the menu the failure carries the item's caption.
    fi.ui->clear();
    w->menuItem(QStringLiteral("mnuEXPIMP"))->trigger();
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].title, QStringLiteral("Export-Import"));
    EXPECT_TRUE(enabled(QStringLiteral("mnuAUSWERTEN")));
}

TEST_F(MenuTest, PresetsDialogDoesNotSeeAnEarlierTag)
{
    start();
    Commands::setDialog(QStringLiteral("frmVVORGABEN"), [&](frmMAIN& owner) { return scriptedDialog(owner, [] {}, QString()); });
    fi.session.TAG = ModalTag::kOK; // left by an earlier dialog
    w->menuItem(QStringLiteral("mnuVVORGABEN"))->trigger();
    EXPECT_FALSE(fi.session.GEAENDERT);
}

TEST_F(MenuTest, InfoShowsTheAboutBoxModally)
{
    start(QStringLiteral("en"));
    QString caption;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* info = qobject_cast<frmINFO*>(modal)) {
            caption = info->windowTitle();
            info->cmdSCHLIESSEN()->click();
        }
    });
    w->menuItem(QStringLiteral("mnuINFO"))->trigger();
    EXPECT_EQ(caption, QStringLiteral("Info of TALPEX"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
