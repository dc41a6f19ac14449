// The Evaluate menu through the running main window offscreen: which items
// the opening enables, what Calculate First leaves in A1 and on screen, and a
// failed evaluation.
#include "RecordFixture.h"
#include "common/WidgetSupport.h"

#include "data/Ado.h"
#include "pagewindows/mdiSEITE1.h"
#include "shell/Commands.h"
#include "shell/EvaluationCommands.h"
#include "shell/StatusPanels.h"
#include "shell/frmMAIN.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProgressBar>
#include <gtest/gtest.h>

namespace {

const QStringList kItems{QStringLiteral("mnuEINGABEGRAFIK"), QStringLiteral("mnuBERECHNEN"),
                         QStringLiteral("mnuMBERECHNEN"), QStringLiteral("mnuFBERECHNEN"),
                         QStringLiteral("mnuNEUBERECHNEN")};

class EvaluateMenu : public ::testing::Test {
protected:
    EvaluateMenu()
    {
        EvaluationCommands::registerAll();
        main = &fx.start();
    }

    // A record with four falling readings; the presets know standpipe "Typ A".
    void addRecord(long id, const QString& ken, bool akt)
    {
        fx.addRecord(id, ken, akt);
        const float hst[] = {10, 20, 25, 28};
        for (int i = 0; i < 4; ++i)
            fx.cnn().Execute(QStringLiteral("INSERT INTO [E3] ([ID],[I1],[DET],[TEMP],[HST],[HKO]) VALUES (%1,%2,%3,10,%4,5)")
                                 .arg(id)
                                 .arg(i)
                                 .arg(i == 0 ? 0 : 30)
                                 .arg(hst[i]));
    }

    // Opens the menu as the user does; which of the five items are enabled.
    QStringList openMenu()
    {
        emit main->menu(QStringLiteral("mnuAUSWERTEN"))->aboutToShow();
        QStringList on;
        for (const QString& item : kItems)
            if (main->menuItem(item)->isEnabled()) on << item;
        return on;
    }

    QVariant a1(long id, const char* column)
    {
        ado::Recordset rs(QStringLiteral("SELECT [%1] FROM [A1] WHERE [ID]=%2").arg(QString::fromLatin1(column)).arg(id),
                          fx.cnn());
        return rs.Eof() ? QVariant() : rs.Value(0);
    }

    mdiSEITE1* shownPage()
    {
        for (QMdiSubWindow* sub : main->mdiArea()->subWindowList())
            if (auto* page = qobject_cast<mdiSEITE1*>(sub->widget())) return page;
        return nullptr;
    }

    RecordFixture fx;
    frmMAIN* main = nullptr;
};

} // namespace

TEST_F(EvaluateMenu, NoActiveRecordDisablesAllFiveItems)
{
    addRecord(1, QStringLiteral("B1"), false);
    for (const QString& item : kItems) main->menuItem(item)->setEnabled(true);
    EXPECT_EQ(openMenu(), QStringList());
}

TEST_F(EvaluateMenu, CalculateFirstEvaluatesShowsThePageAndKeepsTheDisplaySwitches)
{
    addRecord(1, QStringLiteral("B1"), true);
    // never evaluated: the menu makes its A1 row and offers Calculate First only
    EXPECT_EQ(openMenu(), QStringList{QStringLiteral("mnuNEUBERECHNEN")});
    EXPECT_EQ(a1(1, "BONEU").toInt(), 1);
    fx.cnn().Execute(QStringLiteral("UPDATE [A1] SET [BILD14AN]=1,[GITT]=1,[GITK10]=1 WHERE [ID]=1"));

    fx.trigger(QStringLiteral("mnuNEUBERECHNEN"));
    EXPECT_TRUE(fx.fi.ui->boxes().isEmpty()) << fx.fi.ui->boxes().value(0).text.toStdString();
    mdiSEITE1* page = shownPage();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->recordId(), 1);
    EXPECT_EQ(page->drawer().series().K10.size(), 3);
    EXPECT_TRUE(main->isEnabled());
    for (int panel = 10; panel <= 15; ++panel) EXPECT_TRUE(main->panels().isVisible(panel)) << panel;
    EXPECT_FALSE(main->pgbBERECHNEN()->isVisible());
    EXPECT_EQ(main->pgbBERECHNEN()->value(), 0);
    EXPECT_FALSE(main->menuItem(QStringLiteral("mnuDATEI"))->isEnabled());
    EXPECT_TRUE(fx.fi.session.GEAENDERT);
    EXPECT_EQ(a1(1, "BONEU").toInt(), 0);
    EXPECT_EQ(a1(1, "BILD14AN").toInt(), 1);
    EXPECT_EQ(a1(1, "GITT").toInt(), 1);
    EXPECT_EQ(a1(1, "GITK10").toInt(), 1);
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM [A1] WHERE [ID]=1")), 1);

    // The page's Esc goes to panel 15: back to the start screen, File again.
    page->panelCommand(15);
    QApplication::processEvents();
    EXPECT_EQ(shownPage(), nullptr);
    EXPECT_TRUE(main->menuItem(QStringLiteral("mnuDATEI"))->isEnabled());

    // Evaluated now: Calculate shows the stored results.
    EXPECT_EQ(openMenu(), (QStringList{QStringLiteral("mnuBERECHNEN"), QStringLiteral("mnuNEUBERECHNEN")}));
    fx.trigger(QStringLiteral("mnuBERECHNEN"));
    ASSERT_NE(shownPage(), nullptr);
    EXPECT_EQ(shownPage()->drawer().rescaleFlag(), 0);
    EXPECT_TRUE(fx.fi.ui->boxes().isEmpty());
    shownPage()->panelCommand(15);
    // any page shown, whatever follows, is shown without the File menu
    EvaluationCommands::showResultPage(*main, new mdiSEITE1(fx.fi.session));
    EXPECT_FALSE(main->menuItem(QStringLiteral("mnuDATEI"))->isEnabled());
}

TEST_F(EvaluateMenu, FailedEvaluationLeavesTheRecordNotEvaluated)
{
    addRecord(1, QStringLiteral("B1"), true);
    fx.cnn().Execute(QStringLiteral("UPDATE [E2] SET [STRO]='unbekannt' WHERE [ID]=1")); // d1 = f = 0
    fx.addEvaluated(1, false);
    fx.fi.ui->answer(vb::vbCancel);
    fx.trigger(QStringLiteral("mnuNEUBERECHNEN"));
    ASSERT_FALSE(fx.fi.ui->boxes().isEmpty());
    EXPECT_EQ(fx.fi.ui->boxes().first().title, QStringLiteral("Auswerten"));
    EXPECT_EQ(shownPage(), nullptr);
    EXPECT_TRUE(main->isEnabled());
    EXPECT_FALSE(main->pgbBERECHNEN()->isVisible());
    EXPECT_EQ(a1(1, "BONEU").toInt(), 1);
    EXPECT_EQ(openMenu(), QStringList{QStringLiteral("mnuNEUBERECHNEN")});
}

TEST_F(EvaluateMenu, PageThatCannotBeBuiltLeavesTheFileMenuAsItWas)
{
    addRecord(1, QStringLiteral("B1"), true);
    fx.addEvaluated(1, false);
    fx.cnn().Execute(QStringLiteral("ALTER TABLE [A2] RENAME TO [A2ALT]")); // the results cannot be read
    const bool changed = fx.fi.session.GEAENDERT;
    openMenu();
    fx.trigger(QStringLiteral("mnuBERECHNEN")); // the failure box is answered OK
    ASSERT_FALSE(fx.fi.ui->boxes().isEmpty());
    EXPECT_EQ(shownPage(), nullptr);
    EXPECT_TRUE(main->isEnabled());
    EXPECT_TRUE(main->menuItem(QStringLiteral("mnuDATEI"))->isEnabled());
    EXPECT_FALSE(main->panels().isVisible(15));
    EXPECT_EQ(fx.fi.session.GEAENDERT, changed);
}

TEST_F(EvaluateMenu, TwoActiveRecordsCreateTheMultipleEvaluationRowsOnce)
{
    addRecord(1, QStringLiteral("B1"), true);
    addRecord(2, QStringLiteral("B2"), true);
    EXPECT_EQ(openMenu(), QStringList{QStringLiteral("mnuMBERECHNEN")});
    EXPECT_EQ(openMenu(), QStringList{QStringLiteral("mnuMBERECHNEN")});
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM [E1] WHERE [ID]=0 AND [KEN]='M' AND [KOM]='Mehrfachauswertung'")), 1);
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM [A1] WHERE [ID]=0 AND [BONEU]=true")), 1);
}

// The project summary through the menu and its save dialog: a German file with
// semicolons and decimal commas, the line of a record that cannot be evaluated
// kept and named in the closing box, and the working copy left as it was.
TEST_F(EvaluateMenu, ProjectSummaryWritesTheTableChosenInTheSaveDialog)
{
    addRecord(1, QStringLiteral("B1"), true);
    addRecord(2, QStringLiteral("A7"), false);
    fx.cnn().Execute(QStringLiteral("UPDATE [E2] SET [STRO]='unbekannt' WHERE [ID]=2")); // d1 = f = 0
    fx.addEvaluated(1, true);
    const int stored = fx.count(QStringLiteral("SELECT * FROM [A2]"));
    const QString path = fx.fi.root() + QStringLiteral("/uebersicht.csv");
    main->setMenuEnabled(QStringLiteral("mnuDATEI"), false); // as while a result page is shown
    EXPECT_EQ(testsupport::onModalDialog([&] { fx.trigger(QStringLiteral("mnuUEBERSICHT")); }, [&](QWidget* w) {
                  if (auto* dlg = qobject_cast<QFileDialog*>(w)) dlg->selectFile(path);
                  static_cast<QDialog*>(w)->accept();
              }), QStringLiteral("QFileDialog"));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).remove(QChar(0xFEFF)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4) << lines.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("KEN;FROM;TO;STEPS;MEAN;SD;CV;FIT;FIT_LOW;FIT_HIGH;R2;POINTS"));
    EXPECT_EQ(lines[1], QStringLiteral("A7;;;;;;;;;;;"));
    const QStringList b1 = lines[2].split(QLatin1Char(';'));
    ASSERT_EQ(b1.size(), 12);
    EXPECT_EQ(b1.mid(0, 4), (QStringList{QStringLiteral("B1"), QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("3")}));
    EXPECT_TRUE(b1[7].contains(QLatin1Char(',')) && !b1[7].contains(QLatin1Char('.'))) << b1[7].toStdString();
    EXPECT_EQ(b1[11], QStringLiteral("4"));

    ASSERT_EQ(fx.fi.ui->boxes().size(), 1);
    EXPECT_TRUE(fx.fi.ui->boxes().first().text.contains(QStringLiteral("A7: "))) << fx.fi.ui->boxes().first().text.toStdString();
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM [A2]")), stored);
    EXPECT_EQ(a1(1, "BONEU").toInt(), 1);
    EXPECT_TRUE(main->isEnabled());
    EXPECT_FALSE(main->pgbBERECHNEN()->isVisible());
    EXPECT_FALSE(main->menuItem(QStringLiteral("mnuDATEI"))->isEnabled());
}
