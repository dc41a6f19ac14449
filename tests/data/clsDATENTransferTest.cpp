// Value transfers between variables and tables through clsDATEN, on real files.
#include "DataFixture.h"
#include "data/clsDATEN.h"

namespace {

class Transfer : public DataFixture {};

TEST_F(Transfer, BindsToFirstActiveRecordOrZero)
{
    {
        clsDATEN d(s);
        EXPECT_EQ(d.ESPIDW(), 0) << "no active record binds to record 0";
        EXPECT_EQ(d.ETABELLE(), "E1");
        EXPECT_EQ(d.ESPID(), "ID");
    }
    addRecord(3, "A", false);
    addRecord(7, "B", true);
    addRecord(9, "C", true);
    clsDATEN d(s);
    EXPECT_EQ(d.ESPIDW(), 7);
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(Transfer, SelectionTextIsExact)
{
    clsDATEN d(s);
    d.setETABELLE("E3");
    d.setESPIDW(12);
    EXPECT_EQ(d.DTSQL("DET", {{"I1", 5}}), "SELECT [DET],[ID],[I1] FROM [E3] WHERE [ID] = 12 AND [I1]=5 ORDER BY [I1]");
    d.setESPK1("STRO");
    d.setESPK1W("O'Neil");
    d.setESPK2("K2");
    d.setESPK3("K3");
    d.setESPK3W("x");
    EXPECT_EQ(d.DTSQL("DET", {{"I1"}, {"I2", 2}}),
              "SELECT [DET],[ID],[I1],[I2],[STRO],[K2],[K3] FROM [E3] WHERE [ID] = 12 AND [I2]=2 AND [STRO] ='O''Neil'"
              " AND [K2] =''  AND [K3] ='x' ORDER BY [I1],[I2]");
    d.setESPID("");
    d.setESPK1("");
    d.setESPK2("");
    d.setESPK3("");
    EXPECT_EQ(d.DTSQL("D1", {{"I1", 2}}), "SELECT [D1],[I1] FROM [E3] WHERE [I1]=2 ORDER BY [I1]")
        << "without a record key the first key condition opens with WHERE";
}

TEST_F(Transfer, SingleValuesRoundTripByType)
{
    addRecord(4, "P1", true);
    clsDATEN d(s);
    d.setETABELLE("E2");
    ASSERT_TRUE(d.DVTS("H", 1.25f));
    ASSERT_TRUE(d.DVTI("N", 3));
    ASSERT_TRUE(d.DVTT("STRO", "Typ 'A'"));
    EXPECT_EQ(rows("SELECT [ID],[H],[N],[STRO] FROM [E2]"), QStringList{"4|1,25|3|Typ 'A'"}) << "one row, all in it";
    float h = 0;
    qint16 n = 0;
    qint32 l = 0;
    double dd = 0;
    QString t;
    QVariant v;
    EXPECT_TRUE(d.DTVS("H", h));
    EXPECT_TRUE(d.DTVI("N", n));
    EXPECT_TRUE(d.DTVL("N", l));
    EXPECT_TRUE(d.DTVD("H", dd));
    EXPECT_TRUE(d.DTVT("STRO", t));
    EXPECT_TRUE(d.DTVV("N", v));
    EXPECT_FLOAT_EQ(h, 1.25f);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(l, 3);
    EXPECT_DOUBLE_EQ(dd, 1.25);
    EXPECT_EQ(t, "Typ 'A'");
    EXPECT_EQ(v.toInt(), 3);

    d.setETABELLE("E1");
    bool akt = false;
    EXPECT_TRUE(d.DVTB("AKT", true));
    EXPECT_TRUE(d.DTVB("AKT", akt));
    EXPECT_TRUE(akt);
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(Transfer, MissingRowsAndNullGiveEmptyValues)
{
    addRecord(4, "P1", true);
    clsDATEN d(s);
    d.setETABELLE("E3");
    float f = 9;
    QString t = "x";
    QVariant v = 5;
    QDateTime dt;
    EXPECT_TRUE(d.DTVS("HST", f, {{"I1", 0}}));
    EXPECT_TRUE(d.DTVT("HKO", t, {{"I1", 0}}));
    EXPECT_TRUE(d.DTVV("HKO", v, {{"I1", 0}}));
    EXPECT_TRUE(d.DTVA("DATUM", dt, {{"I1", 0}}));
    EXPECT_EQ(f, 0.0f);
    EXPECT_EQ(t, "");
    EXPECT_FALSE(v.isValid());
    EXPECT_EQ(dt, vb::SerialToDate(0));

    // An empty text is stored as null and reads back as empty text.
    d.setETABELLE("E1");
    ASSERT_TRUE(d.DVTT("KOM", "Kommentar"));
    ASSERT_TRUE(d.DVTT("KOM", ""));
    EXPECT_EQ(rows("SELECT [KOM] FROM [E1] WHERE [ID]=4"), QStringList{"NULL"});
    t = "y";
    EXPECT_TRUE(d.DTVT("KOM", t));
    EXPECT_EQ(t, "");
}

TEST_F(Transfer, WritingReplacesTheWholeMatchingSet)
{
    addRecord(2, "P", true);
    clsDATEN d(s);
    d.setETABELLE("E3");
    ASSERT_TRUE(d.DVTSF("HST", {1, 2, 3, 4, 5}, {{"I1"}}));
    ASSERT_TRUE(d.DVTIF("I1", {0, 1, 2, 3, 4}, {{"I1"}}));
    ASSERT_TRUE(d.DVTSF("HST", {10, 20, 30}, {{"I1"}}));
    EXPECT_EQ(rows("SELECT [ID],[I1],[HST] FROM [E3] ORDER BY [I1]"), (QStringList{"2|0|10", "2|1|20", "2|2|30"}))
        << "three values overwrite rows 1 to 3 in key order and delete rows 4 and 5";

    // An ordering-only key is not written into appended rows; a valued key is.
    ASSERT_TRUE(d.DVTSF("TEMP", {7, 8, 9, 10}, {{"I1"}}));
    EXPECT_EQ(rows("SELECT [I1],[TEMP] FROM [E3] WHERE [I1] IS NULL"), QStringList{"NULL|10"});
    const qint16 seven = 7;
    ASSERT_TRUE(d.DVTS("DET", 4.5f, {{"I1", seven}}));
    EXPECT_EQ(rows("SELECT [ID],[I1],[DET] FROM [E3] WHERE [I1]=7"), QStringList{"2|7|4,5"});

    // Other records are untouched.
    d.setESPIDW(3);
    ASSERT_TRUE(d.DVTSF("HST", {}, {{"I1"}}));
    EXPECT_FALSE(d.DVTSF("HST", QVector<float>(32768, 1.0f), {{"I1"}})) << "at most 32767 rows per transfer";
    EXPECT_EQ(rows("SELECT count(*) FROM [E3] WHERE [ID]=2"), QStringList{"5"});
}

TEST_F(Transfer, TextKeysAreWrittenOnlyWithNameAndValue)
{
    clsDATEN d(s);
    d.setETABELLE("E1");
    d.setESPIDW(5);
    d.setESPK1("KEN");
    d.setESPK1W("Pe'gel");
    d.setESPK2("KOM");
    d.setESPK2W("");
    ASSERT_TRUE(d.DVTB("AKT", false));
    EXPECT_EQ(rows("SELECT [ID],[KEN],[KOM],[AKT] FROM [E1]"), QStringList{"5|Pe'gel|NULL|Falsch"})
        << "the second text key with an empty value is not written";
    bool akt = true;
    d.setESPK2("");
    EXPECT_TRUE(d.DTVB("AKT", akt));
    EXPECT_FALSE(akt);
}

TEST_F(Transfer, EmptyRecordKeySelectsAllRecords)
{
    clsDATEN d(s);
    d.setETABELLE("TALPEX_V1");
    d.setESPID("");
    ASSERT_TRUE(d.DVTTF("STRO", {"S1", "S2"}, {{"I1"}}));
    ASSERT_TRUE(d.DVTIF("I1", {0, 1}, {{"I1"}}));
    EXPECT_EQ(rows("SELECT [I1],[STRO] FROM [TALPEX_V1]"), (QStringList{"0|S1", "1|S2"}));
    s.cnnX.Execute("INSERT INTO [E3] ([ID],[I1],[HST]) VALUES (1,0,5),(2,0,6)");
    d.setETABELLE("E3");
    QVariantList all;
    EXPECT_TRUE(d.DTVCOL("HST", all, {{"ID"}}));
    EXPECT_EQ(all.size(), 2);
}

TEST_F(Transfer, ArrayReadersStayWithinTheArray)
{
    addRecord(1, "P", true);
    s.cnnX.Execute("INSERT INTO [E3] ([ID],[I1],[HST]) VALUES (1,0,5),(1,1,NULL),(1,2,7),(1,3,8)");
    clsDATEN d(s);
    d.setETABELLE("E3");
    QVector<float> three(3, -1.0f);
    EXPECT_TRUE(d.DTVSF("HST", three, {{"I1"}}));
    EXPECT_EQ(three, (QVector<float>{5, -1, 7})) << "null leaves the element, no element beyond the array";
    QVector<qint16> many(6, -1);
    EXPECT_TRUE(d.DTVIF("HST", many, {{"I1"}}));
    EXPECT_EQ(many, (QVector<qint16>{5, -1, 7, 8, -1, -1}));
    QVariantList col{42};
    EXPECT_TRUE(d.DTVCOL("HST", col, {{"I1"}}));
    EXPECT_EQ(col.size(), 3);
    QVariantList kept{42};
    d.setESPIDW(99);
    EXPECT_TRUE(d.DTVCOL("HST", kept, {{"I1"}}));
    EXPECT_EQ(kept, QVariantList{42}) << "no row: no new collection";
}

TEST_F(Transfer, DatesAndTimesAsStored)
{
    addRecord(1, "P", true);
    clsDATEN d(s);
    d.setETABELLE("E3");
    const QDateTime date = vb::MakeDateTime(QDate(2003, 3, 12));
    ASSERT_TRUE(d.DVTIF("I1", {0, 1}, {{"I1"}}));
    ASSERT_TRUE(d.DVTA("DATUM", date, {{"I1", 0}}));
    ASSERT_TRUE(d.DVTVF("UHRZEIT", {QVariant("10:15:00"), QVariant("23:59:59")}, {{"I1"}}));
    QDateTime back;
    EXPECT_TRUE(d.DTVA("DATUM", back, {{"I1", 0}}));
    EXPECT_EQ(back, date);
    QStringList times(2);
    EXPECT_TRUE(d.DTVTF("UHRZEIT", times, {{"I1"}}));
    EXPECT_EQ(times, (QStringList{"10:15:00", "23:59:59"}));
    QVector<QDateTime> dates(2);
    EXPECT_TRUE(d.DTVAF("DATUM", dates, {{"I1"}}));
    EXPECT_EQ(dates[0], date);
    EXPECT_FALSE(dates[1].isValid()) << "null leaves the element";
    EXPECT_FALSE(d.DVTT("DATUM", "31.02.03", {{"I1", 0}})) << "an impossible date is refused";
    EXPECT_EQ(ui->boxes().last().text, "Wert 31.02.03 kann nicht in die Spalte DATUM der Tabelle E3 gespeichert werden!");
    EXPECT_TRUE(d.DTVA("DATUM", back, {{"I1", 0}}));
    EXPECT_EQ(back, date) << "the stored date is kept";
}

TEST_F(Transfer, ReaderFailuresAndTheirBoxes)
{
    s.cnnX.Execute("INSERT INTO [E1] ([ID],[KEN]) VALUES (1,'1'),(2,'zwei'),(3,'3'),(4,'vier')");
    clsDATEN d(s);
    d.setESPID("");
    qint16 n = 5;
    EXPECT_FALSE(d.DTVI("KEN", n, {{"ID", 2}}));
    EXPECT_EQ(n, 5) << "the variable keeps its value";
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].text, "Wert zwei kann nicht aus der Spalte KEN der Tabelle E1 eingelesen werden!");
    EXPECT_EQ(ui->boxes()[0].buttons(), vb::vbOKOnly);
    EXPECT_EQ(ui->boxes()[0].title, "Datenfehler");

    // OK goes on with the next element, Cancel stops; either way the result is false.
    ui->clear();
    QVector<qint16> all(4, -1);
    ui->answer(vb::vbOK);
    ui->answer(vb::vbOK);
    EXPECT_FALSE(d.DTVIF("KEN", all, {{"ID"}}));
    EXPECT_EQ(all, (QVector<qint16>{1, -1, 3, -1}));
    ASSERT_EQ(ui->boxes().size(), 2);
    EXPECT_TRUE(ui->boxes()[0].text.startsWith("Werte der Spalte KEN der Tabelle E1 können nicht aus der Spalte KEN eingelesen werden!\n"
                                               "VB-Error: 13\n"));
    EXPECT_EQ(ui->boxes()[0].buttons(), vb::vbOKCancel);
    ui->clear();
    all.fill(-1);
    ui->answer(vb::vbCancel);
    EXPECT_FALSE(d.DTVIF("KEN", all, {{"ID"}}));
    EXPECT_EQ(all, (QVector<qint16>{1, -1, -1, -1}));
    EXPECT_EQ(ui->boxes().size(), 1);

    ui->clear();
    QVariantList col;
    EXPECT_FALSE(d.DTVCOL("NICHTDA", col));
    EXPECT_TRUE(ui->boxes()[0].text.contains("VB-Error: 3265"));
    EXPECT_FALSE(d.DVTSF("NICHTDA", {1.0f}));
    EXPECT_EQ(ui->boxes().last().text, "Werte können nicht in Spalte NICHTDA der Tabelle E1 gespeichert werden!");
}

} // namespace
