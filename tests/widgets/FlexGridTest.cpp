// The flex grid control offscreen: cells, selection block text, scrolling with
// fixed rows and columns, geometry in twips, mouse and key events.
#include "widgets/FlexGrid.h"
#include "platform/VBError.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using vb::FlexGrid;

namespace {

class Grid : public ::testing::Test {
protected:
    Grid()
    {
        g.resize(400, 200);
        g.setCols(5);
        g.setRows(40);
        for (int r = 0; r < g.Rows(); ++r)
            for (int c = 0; c < g.Cols(); ++c) g.setTextMatrix(r, c, QString("%1/%2").arg(r).arg(c));
    }
    QPoint centre(int row, int col)
    {
        return QPoint(g.columnViewportPosition(col) + g.columnWidth(col) / 2, g.rowViewportPosition(row) + g.rowHeight(row) / 2);
    }
    FlexGrid g;
};

TEST_F(Grid, DefaultsAndCellBounds)
{
    FlexGrid fresh;
    EXPECT_EQ(fresh.Rows(), 2);
    EXPECT_EQ(fresh.Cols(), 2);
    EXPECT_EQ(fresh.FixedRows(), 1);
    EXPECT_EQ(fresh.FixedCols(), 1);
    EXPECT_EQ(std::tuple(fresh.Row(), fresh.Col()), std::tuple(1, 1));
    EXPECT_EQ(fresh.TextMatrix(1, 1), "");
    EXPECT_THROW(fresh.TextMatrix(2, 0), vb::VBError);
    EXPECT_THROW(fresh.setTextMatrix(0, -1, "x"), vb::VBError);
    EXPECT_THROW(fresh.setFixedRows(2), vb::VBError) << "one non-fixed row must remain";

    g.setRows(3);
    EXPECT_EQ(g.TextMatrix(2, 4), "2/4");
    g.AddItem("a\tb", 1);
    EXPECT_EQ(g.Rows(), 4);
    EXPECT_EQ(g.TextMatrix(1, 1), "b");
    EXPECT_EQ(g.TextMatrix(2, 0), "1/0");
    g.RemoveItem(1);
    EXPECT_EQ(g.TextMatrix(1, 0), "1/0");
}

TEST_F(Grid, SelectionBlockAsText)
{
    g.setRow(2);
    g.setCol(1);
    g.setRowSel(3);
    g.setColSel(2);
    EXPECT_EQ(g.Clip(), "2/1\t2/2\r3/1\t3/2");
    g.setClip("a\tb\tc\rd\re\tf");
    EXPECT_EQ(g.TextMatrix(2, 1), "a");
    EXPECT_EQ(g.TextMatrix(2, 2), "b");
    EXPECT_EQ(g.TextMatrix(2, 3), "2/3") << "text beyond the block is dropped";
    EXPECT_EQ(g.TextMatrix(3, 1), "d");
    EXPECT_EQ(g.TextMatrix(3, 2), "3/2") << "cells beyond the text keep their content";
    EXPECT_EQ(g.TextMatrix(4, 1), "4/1");

    g.setRow(5); // setting Row collapses the block to the current cell
    EXPECT_EQ(std::tuple(g.RowSel(), g.ColSel()), std::tuple(5, 1));
    g.setClip("x\ty\rz");
    EXPECT_EQ(g.TextMatrix(5, 1), "x") << "a block pasted into one cell writes only that cell";
    EXPECT_EQ(g.TextMatrix(5, 2), "5/2");
    EXPECT_EQ(g.TextMatrix(6, 1), "6/1");
}

TEST_F(Grid, ScrollingKeepsFixedCellsInPlace)
{
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    EXPECT_EQ(g.TopRow(), 1);
    EXPECT_TRUE(g.RowIsVisible(1));
    EXPECT_FALSE(g.RowIsVisible(39));
    QSignalSpy scrolled(&g, &FlexGrid::Scroll);
    g.setTopRow(10);
    EXPECT_EQ(g.TopRow(), 10);
    EXPECT_EQ(scrolled.count(), 1);
    EXPECT_TRUE(g.RowIsVisible(0));
    EXPECT_FALSE(g.RowIsVisible(5));
    EXPECT_EQ(g.rowViewportPosition(10), g.rowHeight(0)) << "the first shown row sits right under the fixed row";
    EXPECT_EQ(g.RowPos(10) - g.RowPos(0), g.RowHeight(0));

    g.setTopRow(39);
    EXPECT_LT(g.TopRow(), 39) << "no scrolling beyond the last row";
    EXPECT_TRUE(g.RowIsVisible(39));

    // Moving the current cell with the keys scrolls it into view.
    g.setTopRow(1);
    g.setRow(1);
    g.setCol(1);
    g.setFocus();
    for (int i = 0; i < 30; ++i) QTest::keyClick(&g, Qt::Key_Down);
    EXPECT_EQ(g.Row(), 31);
    EXPECT_TRUE(g.RowIsVisible(31));
    EXPECT_GT(g.TopRow(), 1);
    QTest::keyClick(&g, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(std::tuple(g.Row(), g.RowSel()), std::tuple(31, 30));

    g.setColWidth(2, 3000);
    g.setLeftCol(3);
    EXPECT_EQ(g.LeftCol(), 3);
    EXPECT_FALSE(g.ColIsVisible(2));
    EXPECT_TRUE(g.ColIsVisible(0));
    EXPECT_NEAR(g.ColWidth(2), 3000, g.twipsPerPixel()) << "a scrolled-out column keeps its width";
}

TEST_F(Grid, GeometryInTwips)
{
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    const double tpp = g.twipsPerPixel();
    g.setColWidth(1, 1134); // 20 mm
    EXPECT_NEAR(g.ColWidth(1), 1134, tpp);
    g.setRowHeight(0, 600);
    EXPECT_NEAR(g.RowHeight(0), 600, tpp);
    g.setRow(2);
    g.setCol(1);
    EXPECT_EQ(g.CellLeft(), g.ColPos(1));
    EXPECT_EQ(g.CellTop(), g.RowPos(2));
    EXPECT_NEAR(g.CellLeft(), g.ColPos(0) + g.ColWidth(0), 2 * tpp);
    EXPECT_EQ(g.CellWidth(), g.ColWidth(1));
    EXPECT_EQ(g.Width(), static_cast<int>(std::lround(400 * tpp)));
}

TEST_F(Grid, MouseAndKeysRaiseTheVbEvents)
{
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    QSignalSpy down(&g, &FlexGrid::MouseDown);
    QSignalSpy up(&g, &FlexGrid::MouseUp);
    QSignalSpy click(&g, &FlexGrid::Click);
    QSignalSpy dbl(&g, &FlexGrid::DblClick);
    QSignalSpy keys(&g, &FlexGrid::KeyPress);

    const QPoint p = centre(3, 2);
    QTest::mousePress(g.viewport(), Qt::LeftButton, {}, p);
    EXPECT_EQ(std::tuple(g.Row(), g.Col()), std::tuple(3, 2));
    ASSERT_EQ(down.count(), 1);
    const float x = down[0][2].toFloat();
    EXPECT_NEAR(x, (p.x() + g.viewport()->geometry().x()) * g.twipsPerPixel(), 1.0);
    EXPECT_GT(x, g.CellLeft());
    EXPECT_LT(x, g.CellLeft() + g.CellWidth());

    // Dragging extends the block; the current cell stays.
    QMouseEvent move(QEvent::MouseMove, QPointF(centre(6, 3)), g.viewport()->mapToGlobal(QPointF(centre(6, 3))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g.viewport(), &move);
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, centre(6, 3));
    EXPECT_EQ(std::tuple(g.Row(), g.Col(), g.RowSel(), g.ColSel()), std::tuple(3, 2, 6, 3));
    EXPECT_EQ(up.count(), 1);
    EXPECT_EQ(click.count(), 1);

    QTest::mousePress(g.viewport(), Qt::LeftButton, {}, centre(0, 2));
    EXPECT_EQ(g.Row(), 3) << "a press on a fixed cell does not move the current cell";
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, centre(0, 2));
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, centre(4, 1));
    EXPECT_EQ(dbl.count(), 1);

    g.setFocus();
    QTest::keyClick(&g, Qt::Key_5);
    QTest::keyClick(&g, Qt::Key_Return);
    QTest::keyClick(&g, Qt::Key_C, Qt::ControlModifier);
    ASSERT_GE(keys.count(), 2);
    EXPECT_EQ(keys[0][0].toInt(), '5');
    EXPECT_EQ(keys[1][0].toInt(), 13);

    g.setMousePointer(2);
    EXPECT_EQ(g.viewport()->cursor().shape(), Qt::CrossCursor);
    g.setMousePointer(0);
    EXPECT_EQ(g.MousePointer(), 0);
}

TEST(ControlIndex, PropertyOrNameSuffix)
{
    QWidget a, b, c;
    a.setProperty("Index", 4);
    b.setObjectName("chkGITT_2");
    c.setObjectName("chkGITT");
    EXPECT_EQ(vb::ControlIndex(&a), 4);
    EXPECT_EQ(vb::ControlIndex(&b), 2);
    EXPECT_FALSE(vb::ControlIndex(&c).has_value());
    FlexGrid g;
    g.setIndex(1);
    EXPECT_EQ(g.Index(), 1);
    g.setEnabled(false);
    EXPECT_FALSE(g.Enabled());
    QWidget parent;
    FlexGrid child(&parent);
    parent.setEnabled(false);
    EXPECT_TRUE(child.Enabled()) << "the grid's own flag, not its window's";
}

} // namespace
