// The input form's checks (designation, step width, the value check in both
// languages), its layout rule and its keys.
#include "mdiEINGABEFixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QGroupBox>
#include <QTabWidget>

namespace {

class EingabeChecks : public EingabeFixture {
protected:
    // A form with a designation (the focus starts there) whose grid holds
    // `readings` readings (times only).
    void withReadings(int readings)
    {
        openForm();
        typeField(form->txtKEN(), QStringLiteral("B1"));
        grid().setRows(grid().FixedRows() + readings);
        for (int r = 0; r < readings; ++r)
            grid().setTextMatrix(grid().FixedRows() + r, 2, QStringLiteral("10:%1:00").arg(r, 2, 10, QLatin1Char('0')));
    }
    // Types n and moves on to the grid; true when the focus could leave.
    bool leaveN(const QString& text)
    {
        ui->clear();
        typeField(form->txtN(), text);
        leaveField(&grid());
        return !form->txtN()->hasFocus();
    }
    QString lastText() { return ui->boxes().isEmpty() ? QString() : ui->boxes().last().text; }
};

TEST_F(EingabeChecks, StepWidthWhileTypingFollowsTheReadings)
{
    withReadings(5);
    for (const char* n : {"1", "4", "3"}) {
        EXPECT_TRUE(leaveN(QString::fromLatin1(n))) << n;
        EXPECT_TRUE(ui->boxes().isEmpty()) << n;
    }
    EXPECT_TRUE(leaveN(QString())); // empty passes while typing

    EXPECT_FALSE(leaveN(QStringLiteral("0")));
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(lastText(), QStringLiteral("Zahlenwert außerhalb der vorgegeben Schranken:\nMinimum: 1, Maximum: 4"));
    EXPECT_EQ(ui->boxes()[0].title, QStringLiteral("n (Schrittweite)"));
    EXPECT_EQ(ui->boxes()[0].style, vb::vbOKOnly);
    EXPECT_TRUE(form->txtN()->hasFocus());

    EXPECT_FALSE(leaveN(QStringLiteral("5")));
    EXPECT_EQ(lastText(), QStringLiteral("Zahlenwert außerhalb der vorgegeben Schranken:\nMinimum: 1, Maximum: 4"));
    EXPECT_FALSE(leaveN(QStringLiteral("2.5")));
    EXPECT_EQ(lastText(), QStringLiteral("Eingegeber Wert ist keine ganze Zahl!"));
    EXPECT_FALSE(leaveN(QStringLiteral("2,5")));
    EXPECT_EQ(lastText(), QStringLiteral("Eingegeber Wert ist keine ganze Zahl!"));
    EXPECT_FALSE(leaveN(QStringLiteral("a")));
    EXPECT_EQ(lastText(), QStringLiteral("Eingegeber Wert ist kein gültiges Zahlenformat!"));
    EXPECT_EQ(ui->boxes().size(), 1); // one box per attempt, none on the way back

    // blanks around a valid value are trimmed away
    EXPECT_TRUE(leaveN(QStringLiteral(" 3 ")));
    EXPECT_EQ(form->txtN()->text(), QStringLiteral("3"));
}

TEST_F(EingabeChecks, NewRecordsDefaultStepWidthNeverTrapsTheFocus)
{
    openForm();
    EXPECT_TRUE(form->txtKEN()->hasFocus());
    typeField(form->txtKEN(), QStringLiteral("B1"));
    EXPECT_EQ(form->txtN()->text(), QStringLiteral("1"));
    leaveField(form->txtN());
    leaveField(form->txtH());
    EXPECT_TRUE(form->txtH()->hasFocus());
    EXPECT_TRUE(ui->boxes().isEmpty());
    // one reading: still no upper limit
    typeCell(1, 2, QStringLiteral("10:00"));
    EXPECT_TRUE(leaveN(QStringLiteral("3")));
}

TEST_F(EingabeChecks, StepWidthAtOkIsRequiredAndChecked)
{
    withReadings(5);
    typeField(form->txtN(), QString());
    ui->clear();
    EXPECT_FALSE(form->OK(1));
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].text, QStringLiteral("Schrittweite n fehlt!"));
    EXPECT_EQ(ui->boxes()[0].title, QStringLiteral("Datenfehler"));
    EXPECT_TRUE(form->txtN()->hasFocus());

    typeField(form->txtN(), QStringLiteral("5"));
    ui->clear();
    EXPECT_FALSE(form->OK(1));
    EXPECT_EQ(lastText(), QStringLiteral("Zahlenwert außerhalb der vorgegeben Schranken:\nMinimum: 1, Maximum: 4"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM [E1]"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [E3]"), 0);

    typeField(form->txtN(), QStringLiteral("4"));
    EXPECT_TRUE(form->OK(1));
    EXPECT_EQ(value("SELECT [N] FROM [E2] WHERE [ID]=1").toInt(), 4);
}

TEST_F(EingabeChecks, ReadingWithADateButNoTimeIsRefusedAtOk)
{
    withReadings(3);
    grid().setTextMatrix(1, 1, QStringLiteral("12.03.03"));
    grid().setTextMatrix(2, 2, QString());
    grid().setTextMatrix(2, 5, QStringLiteral("120"));
    ui->clear();
    EXPECT_FALSE(form->OK(1));
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].title, QStringLiteral("Datenfehler"));
    EXPECT_TRUE(ui->boxes()[0].text.contains(QStringLiteral("Messung Nr. 1"))) << ui->boxes()[0].text.toStdString();
    EXPECT_EQ(count("SELECT COUNT(*) FROM [E1]"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [E3]"), 0);

    grid().setTextMatrix(2, 2, QStringLiteral("10:10"));
    EXPECT_TRUE(form->OK(1));
    EXPECT_EQ(count("SELECT COUNT(*) FROM [E3]"), 3);
}

TEST_F(EingabeChecks, DesignationOfBlanksIsRefused)
{
    openForm();
    typeField(form->txtKEN(), QStringLiteral("   "));
    leaveField(form->txtKOM());
    EXPECT_TRUE(form->txtKEN()->hasFocus());
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].text, QStringLiteral("Datensatzkennzeichnung fehlt!"));
    EXPECT_EQ(ui->boxes()[0].title, QStringLiteral("Datenfehler"));
    EXPECT_EQ(ui->boxes()[0].icon(), vb::vbExclamation);
    ui->clear();
    QTest::keyClick(form->txtKEN(), Qt::Key_Tab);
    EXPECT_TRUE(form->txtKEN()->hasFocus());
    EXPECT_EQ(ui->boxes().size(), 1);

    // focus the program moves (showing the form, a refused save) checks nothing
    ui->clear();
    form->txtKOM()->setFocus();
    EXPECT_TRUE(ui->boxes().isEmpty());

    // at OK, which no Validate precedes, the same check
    typeField(form->txtN(), QStringLiteral("0"));
    EXPECT_FALSE(form->OK(1));
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].text, QStringLiteral("Datensatzkennzeichnung fehlt!"));
    EXPECT_TRUE(form->txtKEN()->hasFocus()); // and the invalid n left on the way stays quiet
    EXPECT_EQ(count("SELECT COUNT(*) FROM [E1]"), 0);

    // leaving for another window is no Validate
    ui->clear();
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::processEvents();
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(EingabeChecks, MessagesFollowTheLanguageOfTheLaunchContext)
{
    session.SPRACHE = 1;
    withReadings(5);
    typeField(form->txtKEN(), QString());
    leaveField(form->txtKOM());
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].text, QStringLiteral("File name is missing!"));
    EXPECT_EQ(ui->boxes()[0].title, QStringLiteral("Data error"));
    typeField(form->txtKEN(), QStringLiteral("B1"));
    EXPECT_FALSE(leaveN(QStringLiteral("9")));
    EXPECT_EQ(lastText(), QStringLiteral("Numeric value out of preset limits:\nMinimum: 1, Maximum: 4"));
    EXPECT_FALSE(leaveN(QStringLiteral("1.5")));
    EXPECT_EQ(lastText(), QStringLiteral("Type of value is not an integer!"));
    EXPECT_FALSE(leaveN(QStringLiteral("x")));
    EXPECT_EQ(lastText(), QStringLiteral("Type of value is not numeric!"));

    QString date = QStringLiteral("gestern");
    ui->clear();
    EXPECT_FALSE(form->EINGABEPRUEFUNG(date, 0, 0, false, true, QStringLiteral("Datum")));
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].text, QStringLiteral("Type of value is neither date nor time!"));
    EXPECT_EQ(ui->boxes()[0].style, vb::vbExclamation);
    EXPECT_EQ(ui->boxes()[0].title, QStringLiteral("Datum"));
    QString time = QStringLiteral(" 10:15:00 ");
    EXPECT_TRUE(form->EINGABEPRUEFUNG(time, 0, 0, false, true, QStringLiteral("Datum")));
    EXPECT_EQ(time, QStringLiteral("10:15:00"));

    session.SPRACHE = 3;
    ui->clear();
    EXPECT_FALSE(form->EINGABEPRUEFUNG(date, 0, 0, false, true, QStringLiteral("Datum")));
    EXPECT_EQ(lastText(), QStringLiteral("Eingegeber Wert ist kein gültiges Datums- oder Zeitformat!"));

    // another language: no message, and nothing passes but the empty text
    session.SPRACHE = 2;
    ui->clear();
    QString wrong = QStringLiteral("0"), right = QStringLiteral("2"), empty;
    EXPECT_FALSE(form->EINGABEPRUEFUNG(wrong, 1, 4, true, false, QStringLiteral("n")));
    EXPECT_FALSE(form->EINGABEPRUEFUNG(right, 1, 4, true, false, QStringLiteral("n")));
    EXPECT_TRUE(form->EINGABEPRUEFUNG(empty, 1, 4, true, false, QStringLiteral("n")));
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(EingabeChecks, ResizeCentresTheTabAndKeepsTheHeaderAboveIt)
{
    openForm();
    const int frameHeight = form->fraKEN()->height();
    for (int width : {form->SSTab()->width() + 300, form->SSTab()->width() + 41}) {
        form->resize(width, 700);
        QApplication::processEvents();
        const int tabTop = static_cast<int>(1.5 * frameHeight);
        EXPECT_EQ(form->SSTab()->y(), tabTop);
        EXPECT_EQ(form->SSTab()->x(), (width - form->SSTab()->width()) / 2);
        EXPECT_EQ(form->fraKEN()->x(), form->SSTab()->x());
        EXPECT_EQ(form->fraKEN()->y(), static_cast<int>(tabTop - 1.15 * frameHeight));
        EXPECT_EQ(form->fraKEN()->width(), form->SSTab()->width());
    }
    // narrower than the tab: its left part stays in view
    form->resize(form->SSTab()->width() / 2, 600);
    QApplication::processEvents();
    EXPECT_EQ(form->SSTab()->x(), 0);
    // the grid's columns fit the tab
    int columns = 0;
    for (int c = 0; c < grid().Cols(); ++c) columns += grid().ColWidth(c);
    EXPECT_GE(grid().viewport()->width() * grid().twipsPerPixel(), columns - 1);
}

} // namespace

namespace {

class EingabeKeys : public EingabeFixture {};

TEST_F(EingabeKeys, KeypadDecimalKeyTypesTheSessionSeparator)
{
    openForm();
    typeField(form->txtKEN(), QStringLiteral("B1"));
    typeField(form->txtH(), QStringLiteral("12"));
    QTest::keyClick(form->txtH(), Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClicks(form->txtH(), QStringLiteral("5"));
    EXPECT_EQ(form->txtH()->text(), QStringLiteral("12,5"));

    // in a reading, through the grid's overlay text box
    clickCell(1, 4);
    QTest::keyClicks(&grid(), QStringLiteral("8"));
    QTest::keyClick(form->txtFLX(), Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClicks(form->txtFLX(), QStringLiteral("5"));
    QTest::keyClick(form->txtFLX(), Qt::Key_Return);
    EXPECT_EQ(cell(1, 4), QStringLiteral("8,5"));

    session.DEZIMALPUNKT = QStringLiteral(".");
    typeField(form->txtH(), QStringLiteral("7"));
    QTest::keyClick(form->txtH(), Qt::Key_Comma, Qt::KeypadModifier);
    EXPECT_EQ(form->txtH()->text(), QStringLiteral("7."));
}

TEST_F(EingabeKeys, ClipboardKeysOnTheGridAndTheMainWindowCommands)
{
    openForm();
    typeField(form->txtKEN(), QStringLiteral("B1"));
    typeCell(1, 4, QStringLiteral("8,5"));
    typeCell(1, 5, QStringLiteral("120"));
    appendRow();
    clickCell(1, 4);
    clickCell(1, 5, Qt::ShiftModifier);
    QTest::keyClick(&grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("8,5\t120,0"));
    clickCell(2, 4);
    clickCell(2, 5, Qt::ShiftModifier);
    QTest::keyClick(&grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cell(2, 4), QStringLiteral("8,5"));
    EXPECT_EQ(cell(2, 5), QStringLiteral("120,0"));

    // in a text box the keys keep their own meaning
    typeField(form->txtKOM(), QStringLiteral("x"));
    QTest::keyClick(form->txtKOM(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(form->txtKOM()->text().startsWith(QStringLiteral("x8,5")));
    EXPECT_EQ(cell(1, 4), QStringLiteral("8,5"));

    int saved = 0, quit = 0;
    form->setSaveCommand([&] { ++saved; });
    form->setQuitCommand([&] { ++quit; });
    QTest::keyClick(&grid(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(form->txtH(), Qt::Key_Q, Qt::AltModifier);
    QApplication::processEvents();
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(quit, 1);
}

} // namespace
