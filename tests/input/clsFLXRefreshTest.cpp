// Refresh: numbering with one to three levels, formats, time differences.
#include "FlexFixture.h"

class Refresh : public FlexFixture {
protected:
    void fillRow(int row, const QString& date, const QString& time)
    {
        grid->setTextMatrix(row, 1, date);
        grid->setTextMatrix(row, 2, time);
    }
};

TEST_F(Refresh, TimeDifferencesToThePreviousRowAcrossMidnight)
{
    configureReadings();
    setRows(4);
    fillRow(1, "12.03.03", "10:00");
    fillRow(2, "12.03.03", "10:30:00");
    fillRow(3, "12.03.2003", "11:15:00");
    fillRow(4, "13.03.03", "00:05:00");
    flx.AKTUALISIEREN();
    EXPECT_EQ(cell(1, 3), "0");
    EXPECT_EQ(cell(2, 3), "30");
    EXPECT_EQ(cell(3, 3), "45");
    EXPECT_EQ(cell(4, 3), "770"); // 12 h 50 min into the next day
    EXPECT_EQ(cell(1, 2), "10:00:00");
    EXPECT_EQ(cell(3, 1), "12.03.03");
    EXPECT_EQ(cell(4, 0), "3");
}

TEST_F(Refresh, ReadingWithoutTimeIsSkippedAsReference)
{
    configureReadings();
    setRows(4);
    fillRow(1, "12.03.03", "23:00");
    fillRow(2, "13.03.03", "");
    fillRow(3, "13.03.03", "01:00");
    fillRow(4, "13.03.03", "01:30");
    flx.AKTUALISIEREN();
    EXPECT_EQ(cell(2, 3), "");
    EXPECT_EQ(cell(3, 3), "120");
    EXPECT_EQ(cell(4, 3), "30");
}

TEST_F(Refresh, DatesAreReadDayFirstWhateverTheSeparator)
{
    configureReadings();
    setRows(2);
    fillRow(1, "01.02.03", "10:00");
    fillRow(2, "02.02.03", "10:00");
    vb::SetDecimalSeparator(QStringLiteral("."));
    flx.AKTUALISIEREN();
    EXPECT_EQ(cell(2, 3), "1440");
    EXPECT_EQ(cell(1, 1), "01/02/03"); // the session's date separator with a "." decimal point
    flx.AKTUALISIEREN();                // a second refresh reads them day first again
    EXPECT_EQ(cell(2, 3), "1440");
    EXPECT_EQ(cell(2, 1), "02/02/03");
}

TEST_F(Refresh, NegativeAcrossMidnightWithoutADateColumn)
{
    flx.setELSB({20, 20, 20});
    flx.setELSTYP({1, 5, 6});
    setRows(3);
    grid->setTextMatrix(1, 1, "23:50");
    grid->setTextMatrix(2, 1, "23:55");
    grid->setTextMatrix(3, 1, "00:05");
    flx.AKTUALISIEREN();
    EXPECT_EQ(cell(2, 2), "5");
    EXPECT_EQ(cell(3, 2), "-1430");
}

TEST_F(Refresh, DatesAloneGiveDaysAndEmptyRowsAreLeft)
{
    flx.setELSB({20, 20, 20});
    flx.setELSTYP({1, 4, 6});
    flx.setELFORMAT({"", "", "#0.0"});
    setRows(3);
    grid->setTextMatrix(1, 1, "01.03.03");
    grid->setTextMatrix(2, 1, "11.03.03");
    flx.AKTUALISIEREN();
    EXPECT_EQ(cell(2, 2), "10,0");
    EXPECT_EQ(cell(3, 2), "");
}

TEST_F(Refresh, EDETReferenceRows)
{
    configureReadings();
    setRows(4);
    fillRow(1, "12.03.03", "10:00");
    fillRow(2, "12.03.03", "10:10");
    fillRow(3, "12.03.03", "10:30");
    fillRow(4, "13.03.03", "10:30");
    flx.setEDET(0); // against data row 1
    flx.AKTUALISIEREN();
    EXPECT_EQ(cell(3, 3), "30");
    EXPECT_EQ(cell(4, 3), "1470");
    flx.setEDET(1); // against the last row above with another date
    flx.AKTUALISIEREN();
    EXPECT_EQ(cell(3, 3), "30"); // the search ends at the top: data row 1
    EXPECT_EQ(cell(4, 3), "1440");
}

TEST_F(Refresh, ZeitdifferenzCases)
{
    EXPECT_FLOAT_EQ(clsFLX::ZEITDIFFERENZ("12.03.03", "23:00:00", "13.03.03", "01:00:00"), 7200);
    EXPECT_FLOAT_EQ(clsFLX::ZEITDIFFERENZ("12.03.03", "", "15.03.03", ""), 3);
    EXPECT_FLOAT_EQ(clsFLX::ZEITDIFFERENZ("", "10:00", "", "09:00"), -3600);
    EXPECT_FLOAT_EQ(clsFLX::ZEITDIFFERENZ("31.02.03", "x", "", ""), 0);
    EXPECT_FLOAT_EQ(clsFLX::ZEITDIFFERENZ("31.12.29", "", "01.01.30", ""), -36524); // 2029 to 1930
}

TEST_F(Refresh, NumberingWithTwoAndThreeLevels)
{
    flx.setELSB({10, 10, 10, 10});
    flx.setELSTYP({1, 2, 3, 0});
    EXPECT_EQ(grid->FixedCols(), 3);
    flx.setELINDEXMIN(QVariantList{1, 1, 0});
    flx.setELINDEXMAX(QVariantList{2, 1});
    ASSERT_EQ(grid->Rows(), 1 + 2 * 2); // (2 - 1 + 1) x (1 - 0 + 1)
    flx.AKTUALISIEREN();
    QStringList rows;
    for (int r = 1; r < grid->Rows(); ++r) rows << cell(r, 0) + cell(r, 1) + cell(r, 2);
    EXPECT_EQ(rows, (QStringList{"110", "111", "120", "121"}));

    flx.setELSTYP({1, 2, 0, 0});
    EXPECT_EQ(grid->FixedCols(), 2);
    flx.setELINDEXMAX(2); // level 2 runs 0..2
    ASSERT_EQ(grid->Rows(), 4);
    grid->setRows(7);
    flx.NUMMERIEREN();
    rows.clear();
    for (int r = 1; r < grid->Rows(); ++r) rows << cell(r, 0) + cell(r, 1);
    EXPECT_EQ(rows, (QStringList{"00", "01", "02", "10", "11", "12"}));

    flx.setELINDEXMIN(5);
    EXPECT_EQ(cell(1, 0), "5");
}

TEST_F(Refresh, LoadedValuesKeepTheirDigitsBehindTheFormat)
{
    configureReadings();
    setRows(2);
    grid->setTextMatrix(1, 4, "12,345");
    grid->setTextMatrix(2, 4, "7");
    flx.AKTUALISIEREN();
    EXPECT_EQ(cell(1, 4), "12,3");
    EXPECT_EQ(cell(2, 4), "7,0");
    flx.AKTUALISIEREN();
    {
        clsFLX::ExactTexts exact(flx);
        EXPECT_EQ(cell(1, 4), "12,345");
        EXPECT_EQ(cell(2, 4), "7");
    }
    EXPECT_EQ(cell(1, 4), "12,3");
    // an edited cell stands for what it shows
    flx.setEMATRIX(4, 1, "12,3");
    clsFLX::ExactTexts exact(flx);
    EXPECT_EQ(cell(1, 4), "12,3");
}
