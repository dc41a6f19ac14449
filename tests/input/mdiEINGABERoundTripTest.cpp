// The input form's load and save on a real project database: a record typed
// and pasted into the form, stored with OK and loaded again with OEFFNEN.
#include "mdiEINGABEFixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>

namespace {

struct StoredReading {
    int i1;
    QString datum, uhrzeit;
    QVariant det, temp, hst, hko;
};

class EingabeRoundTrip : public EingabeFixture {
protected:
    // Five readings: three typed (the date only in the first), two pasted as a
    // block, the last but one without a reference-pipe value.
    void typeRecord()
    {
        typeField(form->txtKEN(), QStringLiteral("B1"));
        typeField(form->txtKOM(), QStringLiteral("Versuch am Hang"));
        form->cboSTRO()->setFocus();
        QTest::keyClick(form->cboSTRO(), Qt::Key_Down); // "Typ B"
        typeField(form->txtH(), QStringLiteral("1250,5"));
        typeField(form->txtN(), QStringLiteral("2"));

        typeCell(1, 1, QStringLiteral("12.03.03"));
        typeCell(1, 2, QStringLiteral("10:00"));
        typeCell(1, 4, QStringLiteral("8,5"));
        typeCell(1, 5, QStringLiteral("120"));
        typeCell(1, 6, QStringLiteral("50"));
        appendRow();
        typeCell(2, 2, QStringLiteral("10:30:00"));
        typeCell(2, 4, QStringLiteral("8,6"));
        typeCell(2, 5, QStringLiteral("150,5"));
        typeCell(2, 6, QStringLiteral("50,2"));
        appendRow();
        typeCell(3, 2, QStringLiteral("11:15:30"));
        typeCell(3, 4, QStringLiteral("8,7"));
        typeCell(3, 5, QStringLiteral("180"));
        typeCell(3, 6, QStringLiteral("50,4"));
        appendRow();
        appendRow();
        QGuiApplication::clipboard()->setText(QStringLiteral("12:01:00\t\t8,8\t200\t\r12:46:00\t\t8,9\t230\t51"));
        clickCell(4, 2);
        clickCell(5, 6, Qt::ShiftModifier);
        click(form->cmdE());
        clickCell(1, 1); // the refresh of a click formats the pasted cells
    }

    QVector<StoredReading> stored(long id)
    {
        QVector<StoredReading> rows;
        ado::Recordset rs(QStringLiteral("SELECT * FROM [E3] WHERE [ID]=%1 ORDER BY [I1]").arg(id), session.cnnX);
        for (; !rs.Eof(); rs.MoveNext()) {
            const auto text = [&](const char* name, const char* format) {
                const QVariant v = rs.Value(QString::fromLatin1(name));
                return v.isNull() ? QString() : v.toDateTime().toString(QString::fromLatin1(format));
            };
            rows.append({rs.Value(QStringLiteral("I1")).toInt(), text("DATUM", "dd.MM.yyyy"), text("UHRZEIT", "HH:mm:ss"),
                         rs.Value(QStringLiteral("DET")), rs.Value(QStringLiteral("TEMP")), rs.Value(QStringLiteral("HST")),
                         rs.Value(QStringLiteral("HKO"))});
        }
        return rows;
    }

    QStringList gridTexts()
    {
        QStringList texts;
        for (int r = grid().FixedRows(); r < grid().Rows(); ++r)
            for (int c = 0; c < grid().Cols(); ++c) texts << cell(r, c);
        return texts;
    }
};

TEST_F(EingabeRoundTrip, TypedAndPastedRecordIsStoredAndLoadsBackUnchanged)
{
    openForm();
    typeRecord();
    // the date typed in the first reading has spread, the differences follow
    for (int r = 1; r <= 5; ++r) EXPECT_EQ(cell(r, 1), QStringLiteral("12.03.03")) << r;
    EXPECT_EQ(cell(4, 2), QStringLiteral("12:01:00"));
    EXPECT_EQ(cell(3, 3), QStringLiteral("45,5")); // not whole: up to two decimals
    EXPECT_EQ(cell(5, 3), QStringLiteral("45"));

    ASSERT_TRUE(form->OK(1));
    EXPECT_TRUE(ui->boxes().isEmpty());
    EXPECT_EQ(value("SELECT [KEN] FROM [E1] WHERE [ID]=1").toString(), QStringLiteral("B1"));
    EXPECT_EQ(value("SELECT [KOM] FROM [E1] WHERE [ID]=1").toString(), QStringLiteral("Versuch am Hang"));
    EXPECT_EQ(value("SELECT [AKT] FROM [E1] WHERE [ID]=1").toInt(), 1);
    EXPECT_FLOAT_EQ(value("SELECT [H] FROM [E2] WHERE [ID]=1").toFloat(), 1250.5f);
    EXPECT_EQ(value("SELECT [STRO] FROM [E2] WHERE [ID]=1").toString(), QStringLiteral("Typ B"));
    EXPECT_EQ(value("SELECT [N] FROM [E2] WHERE [ID]=1").toInt(), 2);

    const QVector<StoredReading> rows = stored(1);
    ASSERT_EQ(rows.size(), 5);
    const char* times[] = {"10:00:00", "10:30:00", "11:15:30", "12:01:00", "12:46:00"};
    const float dets[] = {0, 30, 45.5f, 45.5f, 45};
    const float temps[] = {8.5f, 8.6f, 8.7f, 8.8f, 8.9f};
    const float hsts[] = {120, 150.5f, 180, 200, 230};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].i1, i);
        EXPECT_EQ(rows[i].datum, QStringLiteral("12.03.2003"));
        EXPECT_EQ(rows[i].uhrzeit, QString::fromLatin1(times[i]));
        EXPECT_FLOAT_EQ(rows[i].det.toFloat(), dets[i]);
        EXPECT_FLOAT_EQ(rows[i].temp.toFloat(), temps[i]);
        EXPECT_FLOAT_EQ(rows[i].hst.toFloat(), hsts[i]);
    }
    EXPECT_FLOAT_EQ(rows[1].hko.toFloat(), 50.2f);
    EXPECT_TRUE(rows[3].hko.isNull()); // an empty reference level is null, not 0
    // times are stored on the zero date, dates at midnight: both read back as typed
    EXPECT_EQ(value("SELECT [UHRZEIT] FROM [E3] WHERE [ID]=1 AND [I1]=1").toDateTime().date(), QDate(1899, 12, 30));

    const QStringList before = gridTexts();
    // A stored time difference that does not fit the times is recomputed.
    exec("UPDATE [E3] SET [DET]=999 WHERE [I1]=2");
    openForm().OEFFNEN(1);
    EXPECT_EQ(form->txtKEN()->text(), QStringLiteral("B1"));
    EXPECT_EQ(form->txtKOM()->text(), QStringLiteral("Versuch am Hang"));
    EXPECT_EQ(form->txtH()->text(), QStringLiteral("1250,5"));
    EXPECT_EQ(form->cboSTRO()->currentText(), QStringLiteral("Typ B"));
    EXPECT_EQ(form->txtN()->text(), QStringLiteral("2"));
    EXPECT_EQ(gridTexts(), before);
    EXPECT_TRUE(grid().Enabled());

    // Saved again without edits, every value stays as it was.
    ASSERT_TRUE(form->OK(1));
    EXPECT_FLOAT_EQ(value("SELECT [DET] FROM [E3] WHERE [ID]=1 AND [I1]=2").toFloat(), 45.5f);
    EXPECT_FLOAT_EQ(value("SELECT [HST] FROM [E3] WHERE [ID]=1 AND [I1]=1").toFloat(), 150.5f);
    EXPECT_TRUE(value("SELECT [HKO] FROM [E3] WHERE [ID]=1 AND [I1]=3").isNull());
}

TEST_F(EingabeRoundTrip, RemovedReadingsAndTrailingEmptyRowsLeaveNoRows)
{
    openForm();
    typeRecord();
    ASSERT_TRUE(form->OK(1));
    ASSERT_EQ(count("SELECT COUNT(*) FROM [E3] WHERE [ID]=1"), 5);

    openForm().OEFFNEN(1);
    clickCell(2, 4);
    click(form->cmdW());
    click(form->cmdW());
    // rows left by Enter and the date carry-down hold no reading
    appendRow();
    appendRow();
    EXPECT_EQ(dataRows(), 5);
    EXPECT_EQ(cell(5, 1), QStringLiteral("12.03.03"));
    EXPECT_EQ(form->readingCount(), 3);
    ASSERT_TRUE(form->OK(1));

    const QVector<StoredReading> rows = stored(1);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].uhrzeit, QStringLiteral("10:00:00"));
    EXPECT_EQ(rows[1].uhrzeit, QStringLiteral("12:01:00"));
    EXPECT_EQ(rows[2].i1, 2);
    EXPECT_FLOAT_EQ(rows[1].det.toFloat(), 121.0f); // recomputed against the new predecessor
    EXPECT_EQ(dataRows(), 3);
}

TEST_F(EingabeRoundTrip, OkCommitsTheOpenCellAndDatesItsRow)
{
    openForm();
    typeField(form->txtKEN(), QStringLiteral("B2"));
    typeCell(1, 1, QStringLiteral("01.04.03"));
    typeCell(1, 2, QStringLiteral("09:00"));
    appendRow();
    // typed but not committed, as when panel 8 or Ctrl+S is used at once
    clickCell(2, 2);
    QTest::keyClicks(&grid(), QStringLiteral("0"));
    QTest::keyClicks(form->txtFLX(), QStringLiteral("9:20"));
    ASSERT_TRUE(form->txtFLX()->isVisible());

    ASSERT_TRUE(form->OK(7));
    EXPECT_FALSE(form->txtFLX()->isVisible());
    const QVector<StoredReading> rows = stored(7);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1].uhrzeit, QStringLiteral("09:20:00"));
    EXPECT_EQ(rows[1].datum, QStringLiteral("01.04.2003"));
    EXPECT_FLOAT_EQ(rows[1].det.toFloat(), 20.0f);
}

TEST_F(EingabeRoundTrip, InvalidOpenCellStopsTheSave)
{
    openForm();
    typeField(form->txtKEN(), QStringLiteral("B3"));
    clickCell(1, 2);
    QTest::keyClicks(&grid(), QStringLiteral("x"));
    ASSERT_FALSE(form->OK(3));
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].title, QStringLiteral("MSFlexGrid / Uhrzeitspalte Uhrzeit"));
    EXPECT_TRUE(form->txtFLX()->isVisible()); // the text stays for correction
    EXPECT_EQ(count("SELECT COUNT(*) FROM [E1]"), 0);
}

TEST_F(EingabeRoundTrip, SavingMarksOldResultsOutOfDateAndKeepsSettings)
{
    db.addRecord(4, QStringLiteral("B4"), true);
    exec("INSERT INTO [E2] ([ID],[H],[STRO],[N]) VALUES (4,1000,'Typ A',1)");
    exec("INSERT INTO [E3] ([ID],[I1],[DET],[TEMP],[HST]) VALUES (4,0,0,8,100)");
    exec("INSERT INTO [E3] ([ID],[I1],[DET],[TEMP],[HST]) VALUES (4,1,10,8,110)");
    exec("INSERT INTO [A1] ([ID],[BONEU],[BILD14AN],[GITT],[GITK10]) VALUES (4,0,-1,-1,0)");
    exec("INSERT INTO [A2] ([ID],[I1],[PHI],[DETN]) VALUES (4,0,900,10)");
    exec("INSERT INTO [A2] ([ID],[I1],[PHI],[DETN]) VALUES (4,1,890,10)");
    exec("INSERT INTO [G0] ([ID],[IDOBJEKT],[XMIN],[XMAX]) VALUES (4,11,0,100)");
    exec("INSERT INTO [A2] ([ID],[I1],[PHI],[DETN]) VALUES (5,0,700,10)");

    openForm().OEFFNEN(4);
    typeCell(2, 5, QStringLiteral("111"));
    ASSERT_TRUE(form->OK(4));
    EXPECT_EQ(value("SELECT [BONEU] FROM [A1] WHERE [ID]=4").toInt(), 1);
    EXPECT_EQ(value("SELECT [BILD14AN] FROM [A1] WHERE [ID]=4").toInt(), -1);
    EXPECT_EQ(value("SELECT [GITT] FROM [A1] WHERE [ID]=4").toInt(), -1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [A2] WHERE [ID]=4"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [A2] WHERE [ID]=5"), 1);
    EXPECT_FLOAT_EQ(value("SELECT [XMAX] FROM [G0] WHERE [ID]=4").toFloat(), 100.0f);

    // a record without an A1 row gets one that says "not evaluated"
    openForm();
    typeField(form->txtKEN(), QStringLiteral("B9"));
    ASSERT_TRUE(form->OK(9));
    EXPECT_EQ(count("SELECT COUNT(*) FROM [A1] WHERE [ID]=9 AND [BONEU]=true"), 1);
}

TEST_F(EingabeRoundTrip, StandpipeMissingFromThePresetsIsKept)
{
    db.addRecord(2, QStringLiteral("B2"), true);
    exec("INSERT INTO [E2] ([ID],[H],[STRO],[N]) VALUES (2,800,'Typ X',1)");
    openForm().OEFFNEN(2);
    EXPECT_EQ(form->cboSTRO()->currentText(), QStringLiteral("Typ X"));
    EXPECT_EQ(form->cboSTRO()->count(), 3);
    ASSERT_TRUE(form->OK(2));
    EXPECT_EQ(value("SELECT [STRO] FROM [E2] WHERE [ID]=2").toString(), QStringLiteral("Typ X"));

    // a new form offers the presets only, the first one chosen
    openForm();
    EXPECT_EQ(form->cboSTRO()->count(), 2);
    EXPECT_EQ(form->cboSTRO()->currentText(), QStringLiteral("Typ A"));
}

TEST_F(EingabeRoundTrip, RecordWithoutReadingsArrivesEmptyAndInsertRowMakesItEditable)
{
    db.addRecord(3, QStringLiteral("B3"), true);
    exec("INSERT INTO [E2] ([ID],[H],[STRO],[N]) VALUES (3,800,'Typ A',1)");
    openForm().OEFFNEN(3);
    EXPECT_FALSE(grid().Enabled());
    EXPECT_EQ(dataRows(), 1);
    EXPECT_EQ(grid().BackColor(), grid().BackColorFixed());
    for (int c = 0; c < grid().Cols(); ++c) EXPECT_TRUE(cell(1, c).isEmpty()) << c;
    EXPECT_EQ(form->readingCount(), 0);

    // saved as it is, it stays without readings
    ASSERT_TRUE(form->OK(3));
    EXPECT_EQ(count("SELECT COUNT(*) FROM [E3] WHERE [ID]=3"), 0);

    click(form->cmdH());
    EXPECT_TRUE(grid().Enabled());
    EXPECT_EQ(dataRows(), 1);
    typeCell(1, 2, QStringLiteral("08:00"));
    typeCell(1, 5, QStringLiteral("300"));
    ASSERT_TRUE(form->OK(3));
    EXPECT_EQ(count("SELECT COUNT(*) FROM [E3] WHERE [ID]=3"), 1);
    EXPECT_FLOAT_EQ(value("SELECT [HST] FROM [E3] WHERE [ID]=3").toFloat(), 300.0f);
}

TEST_F(EingabeRoundTrip, BlockPastedIntoTheEmptyGridIsStored)
{
    db.addRecord(3, QStringLiteral("B3"), true);
    exec("INSERT INTO [E2] ([ID],[H],[STRO],[N]) VALUES (3,800,'Typ A',1)");
    openForm().OEFFNEN(3);
    ASSERT_FALSE(grid().Enabled());
    QGuiApplication::clipboard()->setText(QStringLiteral("12.03.03\t10:00\t\t8,5\t120\r\n\t10:30\t\t8,6\t150\r\n"));
    click(form->cmdE());
    EXPECT_TRUE(grid().Enabled());
    EXPECT_EQ(dataRows(), 2);
    ASSERT_TRUE(form->OK(3));
    const QVector<StoredReading> rows = stored(3);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1].uhrzeit, QStringLiteral("10:30:00"));
    EXPECT_EQ(rows[1].datum, QStringLiteral("12.03.2003"));
    EXPECT_FLOAT_EQ(rows[1].hst.toFloat(), 150.0f);
    EXPECT_FLOAT_EQ(rows[1].det.toFloat(), 30.0f);
}

} // namespace

namespace {

TEST_F(EingabeRoundTrip, BadValuesAreReportedAndTheInputStays)
{
    openForm();
    typeField(form->txtKEN(), QStringLiteral("B5"));
    typeField(form->txtH(), QStringLiteral("zwoelf"));
    typeCell(1, 2, QStringLiteral("10:00"));
    typeCell(1, 4, QStringLiteral("warm")); // a number column without limits takes any text
    EXPECT_FALSE(form->OK(5));
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].title, QStringLiteral("Datenfehler"));
    EXPECT_TRUE(ui->boxes()[0].text.contains(QStringLiteral("Spalte H der Tabelle E2"))) << ui->boxes()[0].text.toStdString();
    EXPECT_EQ(count("SELECT COUNT(*) FROM [E2]"), 0);

    typeField(form->txtH(), QStringLiteral("1200"));
    ui->clear();
    EXPECT_FALSE(form->OK(5));
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_TRUE(ui->boxes()[0].text.startsWith(QStringLiteral("Werte der Spalte TEMP der Tabelle E3"))) << ui->boxes()[0].text.toStdString();
    EXPECT_EQ(cell(1, 4), QStringLiteral("warm"));
    EXPECT_EQ(form->txtH()->text(), QStringLiteral("1200"));

    typeCell(1, 4, QStringLiteral("9"));
    ui->clear();
    EXPECT_TRUE(form->OK(5));
    EXPECT_TRUE(ui->boxes().isEmpty());
    EXPECT_FLOAT_EQ(value("SELECT [TEMP] FROM [E3] WHERE [ID]=5").toFloat(), 9.0f);
}

} // namespace
