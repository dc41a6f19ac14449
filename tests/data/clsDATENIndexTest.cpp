// Record index and identity services of clsDATEN on real files.
#include "DataFixture.h"
#include "data/clsDATEN.h"
#include "platform/VBError.h"

namespace {

class Index : public DataFixture {
protected:
    Index()
    {
        addRecord(0, "M", false);
        addRecord(2, "b-Pegel", true);
        addRecord(1, "A-Pegel", true);
        addRecord(3, "O'Brien", false);
    }
};

TEST_F(Index, CountsAndRangesOfTheSequenceColumn)
{
    clsDATEN d(s);
    ASSERT_EQ(d.ESPIDW(), 2);
    d.setETABELLE("E3");
    qint16 mini = 9, maxi = 9, an = 9;
    d.INDEX(mini, maxi, an, {{"I1"}});
    EXPECT_EQ(d.INDEXSQL({{"I1"}}), "SELECT [I1] FROM E3 WHERE [ID] = 2 ORDER BY [I1]");
    EXPECT_EQ(std::tuple(mini, maxi, an), std::tuple(0, 0, 0)) << "no row";

    s.cnnX.Execute("INSERT INTO [E3] ([ID],[I1]) VALUES (2,3),(2,1),(2,2),(5,9)");
    d.INDEX(mini, maxi, an, {{"I1"}});
    EXPECT_EQ(std::tuple(mini, maxi, an), std::tuple(1, 3, 3));
    qint32 lmin = 0, lmax = 0, lan = 0;
    d.INDEXL(lmin, lmax, lan, {{"I1"}});
    EXPECT_EQ(std::tuple(lmin, lmax, lan), std::tuple(1, 3, 3));

    // Two key columns: the last one is the index column, the first a condition.
    d.setETABELLE("A2");
    s.cnnX.Execute("INSERT INTO [A2] ([ID],[I1],[K10]) VALUES (2,0,0.5),(2,1,0.25),(2,0,0.75)");
    EXPECT_EQ(d.INDEXSQL({{"I1", 0}, {"K10"}}), "SELECT [K10] FROM A2 WHERE [I1]=0 AND [ID] = 2 ORDER BY [K10]");
    QVariant vmin, vmax;
    d.INDEXV(vmin, vmax, an, {{"I1", 0}, {"K10"}});
    EXPECT_FLOAT_EQ(vmin.toFloat(), 0.5f);
    EXPECT_FLOAT_EQ(vmax.toFloat(), 0.75f);
    EXPECT_EQ(an, 2);

    d.setESPK1("X");
    d.setESPK1W("a'b");
    d.setESPK2("Y");
    EXPECT_EQ(d.INDEXSQL({{"I1"}}), "SELECT [I1] FROM A2 WHERE [X] ='a''b' AND [Y]='' AND [ID] = 2 ORDER BY [I1]");
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(Index, FailureShowsIndexBoxAndLeavesZeros)
{
    clsDATEN d(s);
    d.setETABELLE("E3");
    qint16 mini = 7, maxi = 7, an = 7;
    ui->answer(vb::vbCancel);
    d.INDEX(mini, maxi, an, {{"NICHTDA"}});
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].title, "Index");
    EXPECT_EQ(ui->boxes()[0].buttons(), vb::vbOKCancel);
    EXPECT_TRUE(ui->boxes()[0].text.startsWith("VB-Error: 3265\n"));
    EXPECT_EQ(std::tuple(mini, maxi, an), std::tuple(0, 0, 0));

    qint32 l = 5;
    d.INDEXL(l, l, l, {{"NICHTDA"}});
    EXPECT_EQ(ui->boxes().last().title, "Datenfehler");
}

TEST_F(Index, RecordListsByActiveFlag)
{
    clsDATEN d(s);
    QVector<qint32> ids{99};
    QStringList kens{"alt"};
    d.LID(ids, true);
    d.LKEN(kens, true);
    EXPECT_EQ(ids, (QVector<qint32>{1, 2})) << "active records by ID";
    EXPECT_EQ(kens, (QStringList{"A-Pegel", "b-Pegel"}));
    d.LID(ids, false);
    d.LKEN(kens, false);
    EXPECT_EQ(ids, (QVector<qint32>{1, 2, 3})) << "all but record 0, by designation";
    EXPECT_EQ(kens, (QStringList{"A-Pegel", "b-Pegel", "O'Brien"}));

    s.cnnX.Execute("UPDATE [E1] SET [AKT]=0");
    d.LID(ids, true);
    EXPECT_EQ(ids.size(), 3) << "no row leaves the array as it was";
    d.setETABELLE("NICHTDA");
    EXPECT_THROW(d.LID(ids, true), vb::VBError) << "failures go to the caller";
}

TEST_F(Index, SearchCorrectsOperatorsAndEscapes)
{
    clsDATEN d(s);
    QVector<qint32> found{42};
    QList<Criterion> c{{"KEN", QVariant("O'B"), ">"}};
    EXPECT_EQ(d.IDKRITSQL(c), "SELECT [ID],[KEN] FROM [E1] WHERE [KEN]='O''B' ORDER BY [KEN]");
    EXPECT_EQ(c[0].SPO, "=") << "text with > searches with =";
    EXPECT_FALSE(d.IDKRIT(found, c));
    EXPECT_EQ(found, QVector<qint32>{42});

    c = {{"KEN", QVariant("pegel"), "LIKE"}, {"ID", QVariant(1), "LIKE"}, {"KOM", std::nullopt, "<"}};
    EXPECT_EQ(d.IDKRITSQL(c), "SELECT [ID],[KEN],[ID],[KOM] FROM [E1] WHERE [KEN]LIKE'%pegel%' AND [ID]=1 ORDER BY [KEN],[ID],[KOM]");
    EXPECT_EQ(c[1].SPO, "=") << "a number with LIKE searches with =";
    EXPECT_EQ(c[2].SPO, "<") << "a criterion without value keeps its operator";
    EXPECT_TRUE(d.IDKRIT(found, c));
    EXPECT_EQ(found, QVector<qint32>{1});

    c = {{"ID", QVariant(1), ">"}};
    EXPECT_TRUE(d.IDKRIT(found, c));
    EXPECT_EQ(found, (QVector<qint32>{2, 3}));
    c = {{"KEN", QVariant("O'Brien"), "="}};
    EXPECT_TRUE(d.IDKRIT(found, c));
    EXPECT_EQ(found, QVector<qint32>{3}) << "a designation with a quote is found";
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(Index, DeletesTheRecordsRows)
{
    s.cnnX.Execute("INSERT INTO [E3] ([ID],[I1]) VALUES (2,0),(2,1),(2,2),(1,0)");
    clsDATEN d(s);
    d.setETABELLE("E3");
    EXPECT_TRUE(d.LOESCHEN({{"I1", 1}}));
    EXPECT_EQ(rows("SELECT [ID],[I1] FROM [E3] ORDER BY [ID],[I1]"), (QStringList{"1|0", "2|0", "2|2"}));
    EXPECT_TRUE(d.LOESCHEN({}));
    EXPECT_EQ(rows("SELECT [ID],[I1] FROM [E3]"), QStringList{"1|0"});
    d.setETABELLE("NICHTDA");
    EXPECT_FALSE(d.LOESCHEN({}));
    EXPECT_EQ(ui->boxes().last().title, "Datenfehler");
}

TEST_F(Index, ConnectionChoice)
{
    clsDATEN d(s);
    // Presets: cnnX_V, in development mode the working copy.
    d.setEBOV(true);
    EXPECT_EQ(&d.connection(), &s.cnnX_V);
    s.developmentMode = true;
    d.setEBOV(true);
    EXPECT_EQ(&d.connection(), &s.cnnX);
    s.developmentMode = false;

    // A further database in the developer's project folder.
    s.developmentMode = true;
    s.PROJEKTSPFAD = dir.path();
    s.PROJEKT = "P";
    bool found = true;
    d.setEINFMDB(found, "DOLMIR");
    EXPECT_FALSE(found) << "missing file";
    EXPECT_EQ(&d.connection(), &s.cnnX);
    QDir().mkpath(dir.file("P"));
    QFile(dir.file("P/DOLMIR.mdb")).open(QIODevice::WriteOnly);
    QFile f(dir.file("P/DOLMIR.mdb"));
    f.open(QIODevice::WriteOnly);
    f.write("this is no database, just some text of more than a hundred bytes to make the engine look at it properly...");
    f.close();
    ui->answer(vb::vbOK);
    d.setEINFMDB(found, "DOLMIR");
    EXPECT_FALSE(found) << "a corrupt file does not open";
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].title, "Datenzugriff - Datenbank DOLMIR");
    EXPECT_EQ(&d.connection(), &s.cnnX) << "the old connection stays";
    QFile::remove(dir.file("P/DOLMIR.mdb"));
    schema::createProjectDatabase(dir.file("P/DOLMIR.mdb"));
    d.setEINFMDB(found, "DOLMIR");
    EXPECT_TRUE(found);
    EXPECT_EQ(d.EINFMDB(), "DOLMIR");
    EXPECT_EQ(d.connection().path(), dir.file("P/DOLMIR.mdb"));
}

} // namespace
