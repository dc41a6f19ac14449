// Clipboard, fill and row operations through simulated mouse and the
// system clipboard.
#include "FlexFixture.h"

#include <QClipboard>

class Rows : public FlexFixture {
protected:
    void SetUp() override
    {
        flx.setELSB({15, 20, 20, 20});
        flx.setELSTYP({1, 0, 0, 0});
        flx.connectHostEvents();
        setRows(5);
        flx.AKTUALISIEREN();
        show();
    }
    void select(int row, int col, int rowSel, int colSel)
    {
        grid->setRow(row);
        grid->setCol(col);
        grid->setRowSel(rowSel);
        grid->setColSel(colSel);
    }
    void setClipboard(const QString& text) { QApplication::clipboard()->setText(text); }
    QStringList column(int col)
    {
        QStringList out;
        for (int r = 1; r < grid->Rows(); ++r) out << cell(r, col);
        return out;
    }
};

TEST_F(Rows, CopyPutsTheSelectionAsTabAndCrText)
{
    grid->setTextMatrix(1, 1, "a");
    grid->setTextMatrix(1, 2, "b");
    grid->setTextMatrix(2, 1, "c");
    select(1, 1, 2, 2);
    flx.BEARBEITEN(-1);
    EXPECT_EQ(QApplication::clipboard()->text(), "a\tb\rc\t");
}

TEST_F(Rows, PasteFillsTheSelectionOnlyAndTakesSpreadsheetLineEnds)
{
    // a block of three rows and two columns into one cell writes that cell
    setClipboard("1\t2\r\n3\t4\r\n5\t6\r\n");
    select(2, 2, 2, 2);
    flx.EINFUEGEN(-1);
    EXPECT_EQ(column(2), (QStringList{"", "1", "", "", ""}));
    EXPECT_EQ(column(3), (QStringList{"", "", "", "", ""}));

    // LF line ends and a trailing newline: no empty row is pasted over row 4
    grid->setTextMatrix(4, 1, "keep");
    setClipboard("x\ty\nz\tw\n");
    select(2, 1, 4, 3);
    flx.EINFUEGEN(-1);
    EXPECT_EQ(column(1), (QStringList{"", "x", "z", "keep", ""}));
    EXPECT_EQ(column(2), (QStringList{"", "y", "w", "", ""}));

    // more rows and columns than the grid: what fits
    setClipboard("p\tq\tr\ts\tt\n1\n2\n3\n4\n5\n6\n7");
    select(4, 2, 5, 3);
    flx.EINFUEGEN(-1);
    EXPECT_EQ(column(2), (QStringList{"", "y", "w", "p", "1"}));
    EXPECT_EQ(column(3), (QStringList{"", "", "", "q", ""}));
}

TEST_F(Rows, PasteWithoutTextChangesNothing)
{
    QApplication::clipboard()->clear();
    grid->setTextMatrix(1, 1, "old");
    select(1, 1, 3, 3);
    flx.EINFUEGEN(-1);
    EXPECT_EQ(cell(1, 1), "old");
    setClipboard("\n");
    flx.EINFUEGEN(-1);
    EXPECT_EQ(cell(1, 1), "old");
}

TEST_F(Rows, PressInTheRightFifteenPercentAndDragFills)
{
    grid->setTextMatrix(1, 2, "4,5");
    const QPoint start = cellPoint(1, 2, 0.9);
    QTest::mousePress(grid->viewport(), Qt::LeftButton, Qt::NoModifier, start);
    EXPECT_TRUE(flx.fillArmed());
    EXPECT_EQ(grid->MousePointer(), 2);
    QTest::mouseMove(grid->viewport(), cellPoint(3, 2, 0.9));
    QTest::mouseMove(grid->viewport(), cellPoint(4, 2, 0.9));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cellPoint(4, 2, 0.9));
    EXPECT_FALSE(flx.fillArmed());
    EXPECT_EQ(column(2), (QStringList{"4,5", "4,5", "4,5", "4,5", ""}));

    // a press in the middle selects without filling
    grid->setTextMatrix(1, 3, "z");
    QTest::mousePress(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cellPoint(1, 3, 0.5));
    EXPECT_FALSE(flx.fillArmed());
    QTest::mouseMove(grid->viewport(), cellPoint(3, 3, 0.5));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cellPoint(3, 3, 0.5));
    EXPECT_EQ(grid->RowSel(), 3);
    EXPECT_EQ(column(3), (QStringList{"z", "", "", "", ""}));
}

TEST_F(Rows, FillUpwardsFillsNothingAbove)
{
    grid->setTextMatrix(3, 1, "v");
    select(3, 1, 1, 1);
    grid->setMousePointer(2);
    flx.EINFUEGEN(-2);
    EXPECT_EQ(column(1), (QStringList{"", "", "v", "", ""}));
    EXPECT_FALSE(flx.fillArmed());
}

TEST_F(Rows, InsertBeforeTheCurrentRowAndRenumber)
{
    grid->setTextMatrix(2, 1, "second");
    select(2, 1, 2, 1);
    flx.ZEILEEINFUEGEN();
    EXPECT_EQ(grid->Rows(), 7);
    EXPECT_EQ(column(1), (QStringList{"", "", "second", "", "", ""}));
    EXPECT_EQ(column(0), (QStringList{"0", "1", "2", "3", "4", "5"}));
    select(3, 1, 3, 1);
    flx.ZEILEENTFERNEN();
    EXPECT_EQ(column(1), (QStringList{"", "", "", "", ""}));
    EXPECT_EQ(column(0), (QStringList{"0", "1", "2", "3", "4"}));
}

TEST_F(Rows, RemovingTheOnlyRowEntersTheEmptyStateAndInsertLeavesIt)
{
    setRows(1);
    grid->setTextMatrix(1, 1, "x");
    flx.ZEILEENTFERNEN();
    EXPECT_EQ(grid->Rows(), 2);
    EXPECT_FALSE(grid->Enabled());
    EXPECT_EQ(grid->BackColor(), grid->BackColorFixed());
    EXPECT_EQ(cell(1, 0), "");
    EXPECT_EQ(cell(1, 1), "");
    flx.ZEILEEINFUEGEN();
    EXPECT_TRUE(grid->Enabled());
    EXPECT_EQ(grid->Rows(), 2);
    EXPECT_EQ(grid->BackColor(), vb::SystemWindowBackground());
    EXPECT_EQ(cell(1, 0), "0");
    flx.ZEILEEINFUEGEN();
    EXPECT_EQ(grid->Rows(), 3);
}

TEST_F(Rows, CoupledEditorMirrorsRowOperations)
{
    vb::FlexGrid other(host.get());
    clsFLX* k = flx.EFLXK();
    ASSERT_EQ(k, flx.EFLXK());
    flx.ZEILEEINFUEGEN(); // not bound yet: nothing mirrored
    k->setEFLX(&other);
    k->setELSB({10, 10});
    k->setELSTYP({1, 0});
    const int before = other.Rows();
    flx.ZEILEEINFUEGEN();
    EXPECT_EQ(other.Rows(), before + 1);
    grid->setRow(grid->Rows() - 1);
    grid->setCol(3);
    flx.BEARBEITEN(13);
    EXPECT_EQ(other.Rows(), before + 2);
    EXPECT_EQ(other.TextMatrix(other.Rows() - 1, 0), QString::number(before));
    flx.ZEILEENTFERNEN();
    EXPECT_EQ(other.Rows(), before + 1);
}

TEST_F(Rows, TooltipFollowsTheColumnUnderTheMouse)
{
    flx.setELSTTT({"nr", "eins", "zwei", "drei"});
    const double tw = grid->twipsPerPixel();
    const QPoint p = cellPoint(1, 2);
    const QPoint inGrid = p + grid->viewport()->geometry().topLeft();
    flx.TOOLTIP(static_cast<float>(inGrid.x() * tw), 0);
    EXPECT_EQ(grid->ToolTipText(), "zwei");
    EXPECT_EQ(pic->toolTip(), "zwei");
    flx.TOOLTIP(1e6f, 0);
    EXPECT_EQ(grid->ToolTipText(), "");
}
