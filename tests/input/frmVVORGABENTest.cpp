// The presets dialog on real project and presets databases.
#include "FlexFixture.h"
#include "common/TestSupport.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "widgets/PictureBox.h"
#include "input/clsFLX.h"
#include "input/frmVVORGABEN.h"
#include "platform/Convert.h"
#include "widgets/FlexGrid.h"
#include "platform/MsgBox.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class Presets : public ::testing::Test {
protected:
    Presets()
    {
        vb::SetDecimalSeparator(QStringLiteral(","));
        schema::createProjectDatabase(dir.file("TALPEX.mdb"));
        schema::createPresetsDatabase(dir.file("VORGABE.mdb"));
        s.cnnX.OpenFile(dir.file("TALPEX.mdb"));
        s.cnnX_V.OpenFile(dir.file("VORGABE.mdb"));
        s.cnnX_V.Execute("INSERT INTO [TALPEX_V1] VALUES (1, 'Rohr B', 200, 20, 2, 1.5, 0.0125, 0.000123)");
        s.cnnX_V.Execute("INSERT INTO [TALPEX_V1] VALUES (0, 'Rohr A', 150.25, 12.345, 4, -2, 0.5, 0.00005)");
        s.cnnX_V.Execute("INSERT INTO [TALPEX_V1] VALUES (2, 'Rohr C', 300, 30, 2, 0, 0, 0)");
    }
    ~Presets() override { vb::SetDecimalSeparator(QStringLiteral(",")); }

    QStringList table()
    {
        ado::Recordset rs("SELECT * FROM [TALPEX_V1] ORDER BY [I1]", s.cnnX_V);
        QStringList out;
        for (; !rs.Eof(); rs.MoveNext()) {
            QStringList cells;
            for (int i = 0; i < rs.FieldCount(); ++i) cells << vb::CStr(rs.Value(i));
            out << cells.join('|');
        }
        return out;
    }
    std::unique_ptr<frmVVORGABEN> open()
    {
        auto d = std::make_unique<frmVVORGABEN>(s);
        d->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(d.get()));
        return d;
    }
    QString cell(frmVVORGABEN& d, int row, int col) { return d.msgFLX()->TextMatrix(row, col); }

    testsupport::TempDir dir;
    Session s;
    vb::ScopedScriptedUi ui;
};

TEST_F(Presets, LoadsTheStandpipesInOrderWithTheGridSettings)
{
    auto d = open();
    vb::FlexGrid* g = d->msgFLX();
    EXPECT_EQ(d->windowTitle(), "Vorgabewerte");
    ASSERT_EQ(g->Rows(), 4);
    EXPECT_EQ(g->Cols(), 8);
    EXPECT_EQ(g->FixedCols(), 1);
    EXPECT_EQ(cell(*d, 1, 0), "0");
    EXPECT_EQ(cell(*d, 1, 1), "Rohr A");
    EXPECT_EQ(cell(*d, 1, 2), "150,3"); // "#0.0" rounds the half away from zero
    EXPECT_EQ(cell(*d, 1, 3), "12,3");
    EXPECT_EQ(cell(*d, 2, 6), "0,0125");
    EXPECT_EQ(cell(*d, 2, 7), "0,0001"); // c is loaded though its column is hidden
    EXPECT_EQ(g->ColWidth(7), 0);
    EXPECT_EQ(d->editor().ELSTTT()[4].toString(), QStringLiteral("Faktor; 2 = Halbkugelströmung; 4 = Kugelströmung"));
    EXPECT_EQ(g->font().pointSize(), 10);
    EXPECT_TRUE(ui->boxes().isEmpty());

    // the header picture covers the header row and shows the headings
    const QImage img = d->picFLX()->picture();
    EXPECT_EQ(d->picFLX()->height(), g->rowHeight(0));
    int ink = 0;
    for (int y = 0; y < d->picFLX()->height(); ++y)
        for (int x = 0; x < d->picFLX()->width(); ++x) ink += qGray(img.pixel(x, y)) < 100;
    EXPECT_GT(ink, 50);
}

TEST_F(Presets, OkWithoutEditsWritesBackExactlyWhatWasRead)
{
    const QStringList before = table();
    auto d = open();
    d->cmdOK()->click();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(table(), before);
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(Presets, EditsAndPastedSpreadsheetRowsAreStored)
{
    auto d = open();
    vb::FlexGrid* g = d->msgFLX();
    // a typed value is stored as shown
    g->setFocus();
    g->setRow(3);
    g->setCol(4);
    QTest::keyClicks(g, "4");
    QTest::keyClick(d->txtFLX(), Qt::Key_Return);
    EXPECT_EQ(cell(*d, 3, 4), "4,0");
    // a block copied from a spreadsheet (CR LF, trailing line end) into a selection
    d->cmdH()->click(); // a new row before row 3
    QApplication::clipboard()->setText("Rohr N\t99,5\t9,5\r\n");
    g->setRow(3);
    g->setCol(1);
    g->setRowSel(3);
    g->setColSel(3);
    d->cmdE()->click();
    d->cmdOK()->click();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    const QStringList t = table();
    ASSERT_EQ(t.size(), 4);
    EXPECT_EQ(t[2], "2|Rohr N|99,5|9,5||||");
    EXPECT_EQ(t[3], "3|Rohr C|300|30|4|0|0|0");
    EXPECT_EQ(t[0], "0|Rohr A|150,25|12,345|4|-2|0,5|5E-05");
}

TEST_F(Presets, RemovedRowsDisappearAndRemovingAllLeavesAnEmptyTable)
{
    auto d = open();
    vb::FlexGrid* g = d->msgFLX();
    g->setRow(1);
    g->setCol(1);
    d->cmdW()->click();
    ASSERT_TRUE(d->OK());
    QStringList t = table();
    ASSERT_EQ(t.size(), 2);
    EXPECT_EQ(t[0], "0|Rohr B|200|20|2|1,5|0,0125|0,000123"); // c survives
    EXPECT_EQ(t[1], "1|Rohr C|300|30|2|0|0|0");

    d->cmdW()->click();
    d->cmdW()->click();
    EXPECT_FALSE(g->Enabled());
    EXPECT_EQ(g->Rows(), 2);
    ASSERT_TRUE(d->OK());
    EXPECT_TRUE(table().isEmpty());

    // opened again, the empty list shows the empty state; an insert makes it usable
    auto again = open();
    EXPECT_FALSE(again->msgFLX()->Enabled());
    again->cmdH()->click();
    EXPECT_TRUE(again->msgFLX()->Enabled());
    EXPECT_EQ(again->msgFLX()->Rows(), 2);
}

TEST_F(Presets, BlockPastedIntoTheEmptiedListIsStored)
{
    auto d = open();
    for (int i = 0; i < 3; ++i) d->cmdW()->click();
    ASSERT_FALSE(d->msgFLX()->Enabled());
    QApplication::clipboard()->setText("Rohr X\t100\t10\nRohr Y\t200\t20\n");
    d->cmdE()->click();
    EXPECT_TRUE(d->msgFLX()->Enabled());
    ASSERT_TRUE(d->OK());
    EXPECT_EQ(table(), (QStringList{"0|Rohr X|100|10||||", "1|Rohr Y|200|20||||"}));
}

TEST_F(Presets, CancelWritesNothing)
{
    const QStringList before = table();
    auto d = open();
    d->editor().setEMATRIX(1, 1, "anders");
    d->cmdW()->click();
    d->cmdABBRECHEN()->click();
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_EQ(table(), before);
}

TEST_F(Presets, AFailedColumnRollsEverythingBackAndKeepsTheDialogOpen)
{
    const QStringList before = table();
    auto d = open();
    d->editor().setEMATRIX(1, 1, "neu");    // would be written first
    d->editor().setEMATRIX(2, 2, "zwei"); // no number for D1
    d->cmdOK()->click();
    EXPECT_NE(d->result(), QDialog::Accepted);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(table(), before);
    ASSERT_GE(ui->boxes().size(), 2);
    EXPECT_TRUE(ui->boxes().first().text.contains("D1"));
    EXPECT_EQ(ui->boxes().last().text, "Die Vorgabewerte wurden nicht gespeichert.");
    // nothing typed is lost: the grid still holds the input
    EXPECT_EQ(cell(*d, 1, 1), "neu");
    EXPECT_EQ(cell(*d, 2, 2), "zwei");
}

TEST_F(Presets, OkCommitsACellStillBeingEdited)
{
    auto d = open();
    vb::FlexGrid* g = d->msgFLX();
    g->setFocus();
    g->setRow(2);
    g->setCol(1);
    QTest::keyClicks(g, "R");
    QTest::keyClicks(d->txtFLX(), "ohr X");
    d->cmdOK()->click();
    EXPECT_EQ(table()[1].section('|', 1, 1), "Rohr X");
}

TEST_F(Presets, FormKeys)
{
    s.DEZIMALPUNKT = QStringLiteral(",");
    auto d = open();
    vb::FlexGrid* g = d->msgFLX();
    g->setFocus();
    g->setRow(1);
    g->setCol(1);
    QTest::keyClick(g, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "Rohr A");
    g->setRow(2);
    g->setCol(1);
    QTest::keyClick(g, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cell(*d, 2, 1), "Rohr A");
    EXPECT_TRUE(d->txtFLX()->isHidden()); // no editor opened by the control keys
    QTest::keyClick(g, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(d->isVisible());
    // the keypad's decimal key types the session's separator
    g->setCol(2);
    QTest::keyClicks(g, "1");
    QTest::keyClick(d->txtFLX(), Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClicks(d->txtFLX(), "5");
    EXPECT_EQ(d->txtFLX()->text(), "1,5");
    // Alt+Q closes the dialog without writing and runs the quit command
    bool quit = false;
    d->setQuitCommand([&] { quit = true; });
    const QStringList before = table();
    QTest::keyClick(d->txtFLX(), Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(d->result(), QDialog::Rejected);
    QTRY_VERIFY(quit);
    EXPECT_EQ(table(), before);
}
