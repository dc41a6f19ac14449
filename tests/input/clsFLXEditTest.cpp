// The editing cycle through simulated keys and mouse: which keys open which
// overlay, the commit with its value check, appending rows with Enter.
#include "FlexFixture.h"

class Editing : public FlexFixture {
protected:
    void SetUp() override
    {
        configureReadings();
        flx.connectHostEvents();
        setRows(3);
        flx.AKTUALISIEREN();
        show();
    }
    // Types on the grid; once an editor opens, the keys go to it.
    void typeOnGrid(const QString& keys)
    {
        for (const QChar ch : keys) {
            QWidget* target = !txt->isHidden() ? static_cast<QWidget*>(txt) : !cbo->isHidden() ? static_cast<QWidget*>(cbo) : grid;
            if (ch == QLatin1Char('\r')) QTest::keyClick(target, Qt::Key_Return);
            else QTest::keyClicks(target, QString(ch));
        }
    }
    void enterInBox() { QTest::keyClick(txt, Qt::Key_Return); }
};

TEST_F(Editing, DigitOpensTheTextBoxWithOnlyThatDigit)
{
    click(1, 4);
    grid->setFocus();
    typeOnGrid("5");
    ASSERT_FALSE(txt->isHidden());
    EXPECT_EQ(txt->text(), "5");
    EXPECT_EQ(txt->cursorPosition(), 1);
    EXPECT_EQ(flx.EZNR(), 1);
    EXPECT_EQ(flx.ESNR(), 4);
    QTest::keyClicks(txt, ",25");
    enterInBox();
    EXPECT_TRUE(txt->isHidden());
    EXPECT_EQ(cell(1, 4), "5,3"); // "#0.0", halves away from zero
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(Editing, SpaceAndControlCharactersOpenNoEditor)
{
    click(1, 4);
    typeOnGrid(" ");
    EXPECT_TRUE(txt->isHidden());
    flx.BEARBEITEN(8);
    flx.BEARBEITEN(27);
    flx.BEARBEITEN(32);
    EXPECT_TRUE(txt->isHidden());
}

TEST_F(Editing, DoubleClickOpensTheCellTextSelectedAndASecondDoesNothing)
{
    grid->setTextMatrix(2, 5, "12,5");
    doubleClick(2, 5);
    ASSERT_FALSE(txt->isHidden());
    EXPECT_EQ(txt->text(), "12,5");
    EXPECT_EQ(txt->selectedText(), "12,5");
    EXPECT_TRUE(txt->alignment() & Qt::AlignRight);
    // the second double click on the open cell leaves the edit as it is
    txt->setText("13");
    flx.BEARBEITEN(0);
    EXPECT_EQ(txt->text(), "13");
    grid->setTextMatrix(2, 4, "abc");
    flx.EINFUEGEN(13);
    EXPECT_EQ(cell(2, 5), "13,0");
}

TEST_F(Editing, NumbersAreRightAndTextLeftAlignedInTheBox)
{
    grid->setTextMatrix(1, 4, "8,5");
    grid->setTextMatrix(2, 4, "warm");
    click(1, 4);
    flx.BEARBEITEN(0);
    EXPECT_EQ(txt->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    enterInBox();
    click(2, 4);
    flx.BEARBEITEN(0);
    EXPECT_EQ(txt->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

TEST_F(Editing, DateColumnAcceptsDatesAndTimesAndRejectsWords)
{
    for (const QString& typed : {QStringLiteral("12.03.03"), QStringLiteral("12.03.2003"), QStringLiteral("10:15:00")}) {
        click(1, 1);
        typeOnGrid(typed);
        enterInBox();
        EXPECT_TRUE(txt->isHidden()) << typed.toStdString();
    }
    EXPECT_EQ(cell(1, 1), "30.12.99"); // a time alone is the zero date
    click(2, 1);
    typeOnGrid("12.03.03");
    enterInBox();
    EXPECT_EQ(cell(2, 1), "12.03.03");
    click(3, 1);
    typeOnGrid("gestern");
    enterInBox();
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].title, "MSFlexGrid / Datumsspalte Datum");
    EXPECT_EQ(ui->boxes()[0].text, "Eingegeber Wert ist kein gültiges Datums- oder Zeitformat!");
    EXPECT_EQ(ui->boxes()[0].icon(), vb::vbExclamation);
    // the box stays open with the text for correction
    EXPECT_FALSE(txt->isHidden());
    EXPECT_EQ(txt->text(), "gestern");
    EXPECT_EQ(cell(3, 1), "");
    txt->setText("31.02.03"); // no such day
    enterInBox();
    EXPECT_EQ(ui->boxes().size(), 2);
    EXPECT_FALSE(txt->isHidden());
    txt->setText("");
    enterInBox(); // empty is always accepted
    EXPECT_TRUE(txt->isHidden());
    EXPECT_EQ(ui->boxes().size(), 2);
}

TEST_F(Editing, TimeColumnFormatsTypedTimes)
{
    click(1, 2);
    typeOnGrid("10:15");
    enterInBox();
    EXPECT_EQ(cell(1, 2), "10:15:00");
    click(2, 2);
    typeOnGrid("1015");
    enterInBox();
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].title, "MSFlexGrid / Uhrzeitspalte Uhrzeit");
}

TEST_F(Editing, NumberColumnWithoutLimitsAcceptsAnyText)
{
    click(1, 5);
    typeOnGrid("etwa zehn");
    enterInBox();
    EXPECT_TRUE(txt->isHidden());
    EXPECT_EQ(cell(1, 5), "etwa zehn");
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(Editing, LimitsAreCheckedOnlyWhenTheLowerIsBelowTheUpper)
{
    flx.setELMIN({QVariant(), QVariant(), QVariant(), QVariant(), 5, 0, 0});
    flx.setELMAX({QVariant(), QVariant(), QVariant(), QVariant(), 30, 0, "x"});
    // a value at a limit passes
    for (const char* v : {"5", "30"}) {
        click(1, 4);
        typeOnGrid(v);
        enterInBox();
        EXPECT_TRUE(txt->isHidden()) << v;
    }
    click(1, 4);
    typeOnGrid("30,5");
    enterInBox();
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].title, "MSFlexGrid / Spalte Temperatur");
    EXPECT_EQ(ui->boxes()[0].text, "Zahlenwert außerhalb der vorgegeben Schranken:\nMinimum: 5, Maximum: 30");
    txt->setText("zehn");
    enterInBox();
    EXPECT_EQ(ui->boxes().last().text, "Eingegeber Wert ist kein gültiges Zahlenformat!");
    txt->setText("  7 ");
    enterInBox();
    EXPECT_TRUE(txt->isHidden());
    EXPECT_EQ(cell(1, 4), "7,0");
    // limits 0 and 0, and an error value, switch the check off
    for (int col : {5, 6}) {
        click(1, col);
        typeOnGrid("-99999");
        enterInBox();
        EXPECT_TRUE(txt->isHidden()) << col;
    }
    EXPECT_EQ(ui->boxes().size(), 2);
}

TEST_F(Editing, WholeNumberCheckOfIndexColumns)
{
    QString t = QStringLiteral("2,5");
    EXPECT_FALSE(clsFLX::WERTPRUEFUNG(t, 0, 10, true, false, QStringLiteral("Indexspalte Nr")));
    EXPECT_EQ(ui->boxes().last().text, "Eingegeber Wert ist keine ganze Zahl!");
    EXPECT_EQ(ui->boxes().last().title, "MSFlexGrid / Indexspalte Nr");
    t = QStringLiteral(" 3 ");
    EXPECT_TRUE(clsFLX::WERTPRUEFUNG(t, 0, 10, true, false, QStringLiteral("x")));
    EXPECT_EQ(t, "3");
    t = QStringLiteral("12.5"); // "." is accepted beside the session's ","
    EXPECT_TRUE(clsFLX::WERTPRUEFUNG(t, 0, 20, false, false, QStringLiteral("x")));
}

TEST_F(Editing, EnterInTheLastCellAppendsANumberedRowWhileEBOH)
{
    click(3, 6);
    typeOnGrid("\r");
    ASSERT_EQ(grid->Rows(), 5);
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(cell(4, 0), "3");
    // not in the last column: nothing
    click(4, 5);
    typeOnGrid("\r");
    EXPECT_EQ(grid->Rows(), 5);
    flx.setEBOH(false);
    click(4, 6);
    typeOnGrid("\r");
    EXPECT_EQ(grid->Rows(), 5);
}

TEST_F(Editing, ClickOnAnotherCellCommitsTheOpenEdit)
{
    click(1, 5);
    typeOnGrid("42");
    click(2, 6);
    EXPECT_TRUE(txt->isHidden());
    EXPECT_EQ(cell(1, 5), "42,0");
}

TEST_F(Editing, ChoiceColumnOpensTheComboBoxWithTheOldTextAndTheLetter)
{
    QVariantList types = flx.ELSTYP();
    types[6] = 7;
    flx.setELSTYP(types);
    flx.setELCBO(6, {"Rohr A", "Rohr B"});
    grid->setTextMatrix(1, 6, "Rohr");
    click(1, 6);
    typeOnGrid("X");
    EXPECT_TRUE(txt->isHidden());
    ASSERT_FALSE(cbo->isHidden());
    EXPECT_EQ(cbo->currentText(), "RohrX");
    EXPECT_EQ(cbo->count(), 2);
    QTest::keyClick(cbo, Qt::Key_Return);
    EXPECT_TRUE(cbo->isHidden());
    EXPECT_EQ(cell(1, 6), "RohrX");
}
