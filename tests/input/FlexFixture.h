#pragma once
// A host window with a grid, its overlay text box, combo box and header
// picture, and a grid editor bound to them as the program's forms bind it.
#include "widgets/PictureBox.h"
#include "input/clsFLX.h"
#include "input/mdiEINGABE.h"
#include "platform/Convert.h"
#include "widgets/FlexGrid.h"
#include "platform/MsgBox.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class FlexFixture : public ::testing::Test {
protected:
    FlexFixture()
    {
        vb::SetDecimalSeparator(QStringLiteral(","));
        host = std::make_unique<QWidget>();
        host->resize(900, 400);
        grid = new vb::FlexGrid(host.get());
        grid->setGeometry(10, 10, 860, 300);
        txt = new QLineEdit(host.get());
        cbo = new QComboBox(host.get());
        cbo->setEditable(true);
        pic = new gfx::PictureBox(host.get());
        flx.setEFLX(grid);
        flx.setETXT(txt);
        flx.setEPIC(pic);
        flx.setECBO(cbo);
    }
    ~FlexFixture() override { vb::SetDecimalSeparator(QStringLiteral(",")); }

    // The readings grid of the input form.
    void configureReadings() { mdiEINGABE::configureReadings(flx); }
    void show()
    {
        host->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
    }
    QString cell(int row, int col) const { return grid->TextMatrix(row, col); }
    void setRows(int dataRows) { grid->setRows(grid->FixedRows() + dataRows); }
    // Centre of a cell in the grid's viewport.
    QPoint cellPoint(int row, int col, double across = 0.5) const
    {
        const QRect r = grid->visualRect(grid->model()->index(row, col));
        return QPoint(r.left() + static_cast<int>(r.width() * across), r.center().y());
    }
    void click(int row, int col, double across = 0.5)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cellPoint(row, col, across));
    }
    // The events of a real double click: press, release, double-click press, release.
    void doubleClick(int row, int col)
    {
        const QPoint p = cellPoint(row, col);
        QTest::mousePress(grid->viewport(), Qt::LeftButton, Qt::NoModifier, p);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, Qt::NoModifier, p);
        QMouseEvent dbl(QEvent::MouseButtonDblClick, p, grid->viewport()->mapToGlobal(p), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &dbl);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, Qt::NoModifier, p);
    }

    vb::ScopedScriptedUi ui;
    std::unique_ptr<QWidget> host;
    vb::FlexGrid* grid = nullptr;
    QLineEdit* txt = nullptr;
    QComboBox* cbo = nullptr;
    gfx::PictureBox* pic = nullptr;
    clsFLX flx;
};
