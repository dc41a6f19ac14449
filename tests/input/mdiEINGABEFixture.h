#pragma once
// The input form on a real project database in a temporary folder: a session
// in development mode (the standpipe presets live in the project database),
// two standpipes, and helpers that work the form as a user does, with
// simulated clicks and keys.
#include "common/TestSupport.h"
#include "data/Session.h"
#include "input/clsFLX.h"
#include "input/mdiEINGABE.h"
#include "platform/Convert.h"
#include "widgets/FlexGrid.h"
#include "platform/MsgBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class EingabeFixture : public ::testing::Test {
protected:
    EingabeFixture()
    {
        vb::SetDecimalSeparator(QStringLiteral(","));
        session.SPRACHE = 3;
        session.DEZIMALPUNKT = QStringLiteral(",");
        session.developmentMode = true;
        session.cnnX.OpenFile(db.path());
        exec("INSERT INTO [TALPEX_V1] ([I1],[STRO],[D1],[D2],[F],[A],[B],[C]) VALUES (0,'Typ A',100,20,4,0.5,-0.01,0.0001)");
        exec("INSERT INTO [TALPEX_V1] ([I1],[STRO],[D1],[D2],[F],[A],[B],[C]) VALUES (1,'Typ B',150,25,2,0.4,-0.02,0.0002)");
    }
    ~EingabeFixture() override
    {
        form.reset();
        vb::SetDecimalSeparator(QStringLiteral(","));
    }

    void exec(const QString& sql) { session.cnnX.Execute(sql); }
    void exec(const char* sql) { exec(QString::fromUtf8(sql)); }
    // The first value of a query; a null QVariant when there is no row.
    QVariant value(const QString& sql)
    {
        ado::Recordset rs(sql, session.cnnX);
        return rs.Eof() ? QVariant() : rs.Value(0);
    }
    long count(const QString& sql) { return value(sql).toInt(); }

    // A new form, shown and active (its data-access objects bind now).
    mdiEINGABE& openForm()
    {
        form.reset();
        form = std::make_unique<mdiEINGABE>(session);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        return *form;
    }
    vb::FlexGrid& grid() { return *form->msgFLX(); }
    QString cell(int row, int col) { return grid().TextMatrix(row, col); }
    int dataRows() { return grid().Rows() - grid().FixedRows(); }

    QPoint cellPoint(int row, int col) const
    {
        vb::FlexGrid* g = form->msgFLX();
        if (!g->RowIsVisible(row)) g->setTopRow(row);
        return g->visualRect(g->model()->index(row, col)).center();
    }
    void clickCell(int row, int col, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, mods, cellPoint(row, col));
    }
    // Clicks a cell and types text into it: the first key opens the overlay
    // text box, the rest goes there, Enter commits.
    void typeCell(int row, int col, const QString& text)
    {
        clickCell(row, col);
        QTest::keyClicks(&grid(), text.left(1));
        QTest::keyClicks(form->txtFLX(), text.mid(1));
        QTest::keyClick(form->txtFLX(), Qt::Key_Return);
    }
    // Selects the text box's contents and types over them.
    void typeField(QLineEdit* field, const QString& text)
    {
        field->setFocus();
        field->selectAll();
        if (text.isEmpty()) QTest::keyClick(field, Qt::Key_Delete);
        else QTest::keyClicks(field, text);
    }
    // The user moves the focus to another control with the mouse; the
    // Validate check of the field left runs.
    void leaveField(QWidget* next)
    {
        if (next == &grid()) clickCell(1, 4);
        else QTest::mouseClick(next, Qt::LeftButton);
        QApplication::processEvents(); // the event loop runs between two user actions
    }
    // Appends a data row as Enter on the last cell of the last row does.
    void appendRow()
    {
        clickCell(grid().Rows() - 1, grid().Cols() - 1);
        QTest::keyClick(&grid(), Qt::Key_Return);
    }
    void click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

    vb::ScopedScriptedUi ui;
    testsupport::ProjectDb db;
    Session session;
    std::unique_ptr<mdiEINGABE> form;
};
