// The File menu's record commands and the input panels, offscreen through the
// menus with the real selection dialog and a stand-in input form.
#include "RecordFixture.h"

#include "shell/InputMode.h"
#include "shell/ModalTag.h"
#include "input/mdiEINGABE.h"
#include "shell/StatusPanels.h"
#include "shell/frmAUSWAHL.h"
#include "shell/frmMAIN.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class RecordCommandsTest : public ::testing::Test {
protected:
    QList<vb::ScriptedUi::Box> boxes() { return f.fi.ui->boxes(); }
    bool enabled(const char* item) { return f.main().menuItem(QString::fromLatin1(item))->isEnabled(); }
    bool inInputMode()
    {
        const bool menusOff = !enabled("mnuDATEI") && !enabled("mnuAUSWERTEN") && !enabled("mnuEXTRAS");
        const bool panelsOn = f.main().panels().isVisible(8) && f.main().panels().isVisible(9);
        EXPECT_EQ(menusOff, panelsOn);
        return menusOff && panelsOn && InputMode::of(f.main()).isActive();
    }
    void typeKey(const QString& ken) { f.inputForm()->txtKEN()->setText(ken); }

    RecordFixture f;
};

TEST_F(RecordCommandsTest, OpenWithoutAnActiveRecordWarnsAndOffersToChooseAgain)
{
    f.start();
    f.addRecord(1, QStringLiteral("B1"), false);
    f.addRecord(2, QStringLiteral("B2"), false);
    f.onSelection(RecordFixture::choose({}));
    f.onSelection(RecordFixture::choose({QStringLiteral("B2")}));
    f.fi.ui->answer(vb::vbOK);
    f.trigger(QStringLiteral("mnuOEFFNEN"));
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].text, QStringLiteral("Es gibt keinen aktuellen Datensatz!"));
    EXPECT_EQ(boxes()[0].title, QStringLiteral("Öffnen"));
    EXPECT_EQ(boxes()[0].buttons(), vb::vbOKCancel);
    EXPECT_EQ(boxes()[0].icon(), vb::vbExclamation);
    EXPECT_TRUE(inInputMode());
    ASSERT_NE(f.inputForm(), nullptr);
    EXPECT_EQ(f.inputForm()->txtKEN()->text(), QStringLiteral("B2"));
    EXPECT_EQ(f.main().panels().text(6), QStringLiteral("B2"));
    EXPECT_FALSE(f.fi.session.GEAENDERT);
}

TEST_F(RecordCommandsTest, OpenWithTwoActiveRecordsWarnsAndCancelStops)
{
    f.start(QStringLiteral("en"));
    f.addRecord(1, QStringLiteral("B1"), true);
    f.addRecord(2, QStringLiteral("B2"), true);
    f.addMultipleEvaluation();
    f.cnn().Execute(QStringLiteral("UPDATE [E1] SET [AKT]=1 WHERE [ID]=0"));
    // A dialog that confirms what is stored: two user records and ID 0 active.
    f.onSelection([this](frmAUSWAHL& dlg) { ModalTag::finish(&dlg, f.fi.session, ModalTag::kOK); });
    f.fi.ui->answer(vb::vbCancel);
    f.trigger(QStringLiteral("mnuOEFFNEN"));
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].text, QStringLiteral("Only one file can be opened!"));
    EXPECT_EQ(boxes()[0].title, QStringLiteral("Open"));
    EXPECT_EQ(f.inputForm(), nullptr);
    EXPECT_FALSE(InputMode::of(f.main()).isActive());
    EXPECT_TRUE(enabled("mnuDATEI"));
}

TEST_F(RecordCommandsTest, OpenNeverOpensTheMultipleEvaluationAndCancelledDialogStops)
{
    f.start();
    f.addMultipleEvaluation();
    f.cnn().Execute(QStringLiteral("UPDATE [E1] SET [AKT]=1 WHERE [ID]=0"));
    f.addRecord(4, QStringLiteral("C"), true);
    f.onSelection([](frmAUSWAHL& dlg) { dlg.cmdABBRECHEN()->click(); });
    f.trigger(QStringLiteral("mnuOEFFNEN"));
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_EQ(f.inputForm(), nullptr);
    EXPECT_EQ(f.fi.session.TAG, ModalTag::kCancel);

    f.onSelection([](frmAUSWAHL& dlg) { dlg.cmdOK()->click(); });
    f.trigger(QStringLiteral("mnuOEFFNEN"));
    EXPECT_TRUE(boxes().isEmpty());
    ASSERT_NE(f.inputForm(), nullptr);
    EXPECT_EQ(f.inputForm()->txtKEN()->text(), QStringLiteral("C"));
}

TEST_F(RecordCommandsTest, SelectKeepsOrRemovesTheMultipleEvaluation)
{
    f.start();
    f.addRecord(1, QStringLiteral("A"), false);
    f.addRecord(2, QStringLiteral("B"), false);
    f.addEvaluated(1, false);
    f.addEvaluated(2, false);
    f.addMultipleEvaluation();
    const QString e1zero = QStringLiteral("SELECT * FROM [E1] WHERE [ID]=0");
    const QString m1 = QStringLiteral("SELECT * FROM [M1] WHERE [IDM]=1");

    f.onSelection(RecordFixture::choose({QStringLiteral("A")}));
    f.trigger(QStringLiteral("mnuAUSWAHL"));
    EXPECT_EQ(f.activeIds(), (QList<long>{1}));
    EXPECT_EQ(f.count(e1zero), 1);
    EXPECT_EQ(f.count(m1), 1);
    EXPECT_TRUE(f.fi.session.GEAENDERT);
    EXPECT_EQ(f.main().panels().text(6), QStringLiteral("A"));

    f.onSelection(RecordFixture::choose({QStringLiteral("A"), QStringLiteral("B")}));
    f.trigger(QStringLiteral("mnuAUSWAHL"));
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_EQ(f.activeIds(), (QList<long>{1, 2}));
    EXPECT_EQ(f.count(e1zero), 0);
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM [A1] WHERE [ID]=0")), 0);
    EXPECT_EQ(f.count(m1), 0);
    EXPECT_EQ(f.main().panels().text(6), QStringLiteral("A,..."));
    EXPECT_EQ(f.main().panels().toolTip(6), QStringLiteral("A, B"));
}

TEST_F(RecordCommandsTest, DeleteAsksPerRecordAndRemovesWholeRecords)
{
    f.start();
    for (long id : {1, 2, 3}) {
        f.addRecord(id, QStringLiteral("R%1").arg(id), false);
        f.addEvaluated(id, false);
    }
    f.addRecord(4, QStringLiteral("R4"), false);
    f.onSelection(RecordFixture::choose({QStringLiteral("R1"), QStringLiteral("R2"), QStringLiteral("R3")}));
    f.fi.ui->answer(vb::vbOK);
    f.fi.ui->answer(vb::vbCancel);
    f.fi.ui->answer(vb::vbOK);
    f.trigger(QStringLiteral("mnuLOESCHEN"));
    ASSERT_EQ(boxes().size(), 3);
    EXPECT_EQ(boxes()[1].text, QStringLiteral("Datensatz R2 wird gelöscht!"));
    EXPECT_EQ(boxes()[1].title, QStringLiteral("Löschen"));
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM [E1]")), 2);
    EXPECT_EQ(f.activeIds(), QList<long>{2});
    for (const char* table : {"E2", "A1"})
        EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM [%1] WHERE [ID] IN (1,3)").arg(QLatin1String(table))), 0) << table;
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM [E2] WHERE [ID]=2")), 1);
    EXPECT_EQ(f.main().panels().text(6), QStringLiteral("R2"));
    EXPECT_TRUE(f.fi.session.GEAENDERT);
}

TEST_F(RecordCommandsTest, NewEntersInputModeAndPanelNineLeavesIt)
{
    f.start();
    f.addRecord(1, QStringLiteral("A"), true);
    f.main().DATENSATZANZEIGE();
    f.trigger(QStringLiteral("mnuNEU"));
    EXPECT_TRUE(inInputMode());
    EXPECT_EQ(f.main().panels().text(6), QStringLiteral("-"));
    EXPECT_EQ(f.main().mdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(QApplication::focusWidget(), f.inputForm()->txtKEN());

    f.main().stbMAIN_PanelClick(9);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(inInputMode());
    EXPECT_TRUE(enabled("mnuDATEI") && enabled("mnuAUSWERTEN") && enabled("mnuEXTRAS"));
    ASSERT_EQ(f.main().mdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(f.main().mdiArea()->subWindowList().first()->size(), f.main().mdiArea()->viewport()->size()); // the start screen fills the area again
    EXPECT_EQ(f.main().panels().text(6), QStringLiteral("A"));
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM [E1]")), 1);
    EXPECT_FALSE(f.fi.session.GEAENDERT);

    // Closing the form by its own close box also ends input mode.
    f.trigger(QStringLiteral("mnuNEU"));
    f.main().mdiArea()->activeSubWindow()->close();
    EXPECT_FALSE(inInputMode());
}

TEST_F(RecordCommandsTest, SavingInputGivesNewKeysTheNextIdAndKeepsTheIdOfAnExistingKey)
{
    f.start();
    f.trigger(QStringLiteral("mnuNEU"));
    typeKey(QStringLiteral("P1"));
    f.main().stbMAIN_PanelClick(8);
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM [E1] WHERE [ID]=1 AND [KEN]='P1'")), 1);
    EXPECT_FALSE(inInputMode());
    EXPECT_TRUE(f.fi.session.GEAENDERT);
    EXPECT_EQ(f.main().panels().text(6), QStringLiteral("P1"));

    f.addRecord(7, QStringLiteral("Q"), true);
    f.trigger(QStringLiteral("mnuNEU"));
    typeKey(QStringLiteral("P1"));
    f.fi.ui->answer(vb::vbYes);
    f.main().stbMAIN_PanelClick(8);
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].text, QStringLiteral("Soll der vorhandene Datensatz P1 überschrieben werden?"));
    EXPECT_EQ(boxes()[0].title, QStringLiteral("OK"));
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM [E1] WHERE [KEN]='P1'")), 1);
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM [E1] WHERE [ID]=1")), 1);
    EXPECT_EQ(f.activeIds(), QList<long>{1}); // exactly one active record

    f.trigger(QStringLiteral("mnuNEU"));
    typeKey(QStringLiteral("P2"));
    f.main().stbMAIN_PanelClick(8);
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM [E1] WHERE [ID]=8 AND [KEN]='P2'")), 1);
    EXPECT_EQ(f.activeIds(), QList<long>{8});
}

TEST_F(RecordCommandsTest, CtrlSOnTheFormSavesAsPanelEightDoes)
{
    f.start();
    f.trigger(QStringLiteral("mnuNEU"));
    typeKey(QStringLiteral("S1"));
    QTest::keyClick(f.inputForm()->txtKEN(), Qt::Key_S, Qt::ControlModifier);
    QApplication::processEvents(); // the form runs the command once the key is done with
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_EQ(f.activeIds(), QList<long>{1});
    EXPECT_FALSE(inInputMode());
}

TEST_F(RecordCommandsTest, DeclinedOrFailedSaveKeepsInputModeAndChangesNothing)
{
    f.start(QStringLiteral("en"));
    f.addRecord(3, QStringLiteral("K"), false);
    f.addRecord(5, QStringLiteral("L"), true);
    f.trigger(QStringLiteral("mnuNEU"));

    typeKey(QStringLiteral("   "));
    f.main().stbMAIN_PanelClick(8);
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].text, QStringLiteral("File name is missing!"));
    EXPECT_EQ(boxes()[0].title, QStringLiteral("Data error"));

    typeKey(QStringLiteral("K"));
    f.fi.ui->answer(vb::vbNo);
    f.main().stbMAIN_PanelClick(8);
    EXPECT_EQ(boxes().last().text, QStringLiteral("Do you want to overwrite the fileK?"));
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM [E1]")), 2);

    // The form refuses to store (n out of its limits): the overwritten record comes back whole.
    f.inputForm()->txtN()->setText(QStringLiteral("0"));
    f.fi.ui->answer(vb::vbYes);
    const int before = boxes().size();
    f.main().stbMAIN_PanelClick(8);
    EXPECT_EQ(boxes().size(), before + 2); // the question and the form's own message
    EXPECT_TRUE(inInputMode());
    EXPECT_EQ(f.activeIds(), QList<long>{5});
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM [E1] WHERE [ID]=3 AND [KEN]='K' AND [AKT]=false")), 1);
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM [E2] WHERE [ID]=3 AND [H]=50")), 1);
    EXPECT_FALSE(f.fi.session.GEAENDERT);
}

TEST_F(RecordCommandsTest, SavingUnderTheMultipleEvaluationsKeyMakesANewRecord)
{
    f.start();
    f.addMultipleEvaluation();
    f.trigger(QStringLiteral("mnuNEU"));
    typeKey(QStringLiteral("M"));
    f.main().stbMAIN_PanelClick(8);
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM [E1] WHERE [ID]=1 AND [KEN]='M'")), 1);
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM [E1] WHERE [ID]=0")), 1);
}

} // namespace
