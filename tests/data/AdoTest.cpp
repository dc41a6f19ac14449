#include "common/TestSupport.h"
#include "data/Ado.h"
#include "data/Schema.h"
#include "platform/Convert.h"
#include "platform/VBError.h"

#include <QFile>
#include <gtest/gtest.h>

using ado::Connection;
using ado::Recordset;
using testsupport::ProjectDb;

namespace {
long errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const vb::VBError& e) {
        return e.Number();
    }
    return 0;
}
} // namespace

TEST(Ado, OpenRefusesMissingAndNonDatabaseFiles)
{
    testsupport::TempDir dir;
    Connection cnn;
    const QString missing = dir.file("nothing.mdb");
    EXPECT_EQ(errorOf([&] { cnn.Open(Connection::connectionString(missing)); }), vb::errCouldNotFindFile);
    EXPECT_FALSE(QFile::exists(missing)) << "opening must never create a database";

    const QString junk = dir.file("junk.mdb");
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is not a database file, only some text that goes on for a while......");
    f.close();
    EXPECT_EQ(errorOf([&] { cnn.Open(Connection::connectionString(junk)); }), vb::errCannotOpenDatabase);
    EXPECT_FALSE(cnn.isOpen());
}

TEST(Ado, ConnectionStringsOfTheProgramResolveToFiles)
{
    EXPECT_EQ(Connection::pathFromConnectionString(
                  "Provider=Microsoft.Jet.OLEDB.4.0; Data Source=/x/DATEN/ARCHIV.mdb;Persist Security Info=False"),
              "/x/DATEN/ARCHIV.mdb");
    EXPECT_EQ(Connection::pathFromConnectionString(Connection::connectionString("/a b/T.mdb")), "/a b/T.mdb");
}

TEST(Ado, StaticRecordsetCountsPositionsAndOrders)
{
    ProjectDb db;
    db.addRecord(2, "B2", false, "zwei");
    db.addRecord(1, "a1", true);
    db.addRecord(3, "C3", true);
    Recordset rs("SELECT * FROM [E1] WHERE [AKT]=true ORDER BY [KEN]", db.cnn());
    EXPECT_EQ(rs.RecordCount(), 2);
    ASSERT_EQ(rs.FieldCount(), 4);
    EXPECT_EQ(rs.Fields(0).Name(), "ID");
    EXPECT_EQ(rs.Fields(1).Name(), "KEN");
    EXPECT_EQ(rs.Value(1).toString(), "a1");
    EXPECT_TRUE(rs.Value("KOM").isNull());
    rs.MoveNext();
    EXPECT_EQ(rs.Value("KEN").toString(), "C3");
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    EXPECT_EQ(errorOf([&] { rs.Value(0); }), vb::errNoCurrentRecord);
    EXPECT_EQ(errorOf([&] { rs.MoveNext(); }), vb::errNoCurrentRecord);
    rs.MoveLast();
    EXPECT_EQ(rs.Value(0).toInt(), 3);

    Recordset desc("SELECT * FROM [E1] ORDER BY [ID] Desc", db.cnn());
    EXPECT_EQ(desc.Value("ID").toInt(), 3);
    Recordset nocase("SELECT [ID] FROM [E1] WHERE [KEN]='A1'", db.cnn());
    EXPECT_EQ(nocase.RecordCount(), 1) << "designations compare without regard to case";
    Recordset like("SELECT [ID] FROM [E1] WHERE [KEN] LIKE '%2%'", db.cnn());
    EXPECT_EQ(like.RecordCount(), 1);
    Recordset none("SELECT * FROM [E1] WHERE [ID]=99", db.cnn());
    EXPECT_EQ(none.RecordCount(), 0);
    EXPECT_TRUE(none.Eof());
}

TEST(Ado, UnknownColumnAndTypeMismatchRaise)
{
    ProjectDb db;
    db.addRecord(1, "X", true);
    Recordset rs;
    EXPECT_EQ(errorOf([&] { rs.Open("SELECT [NIX] FROM [E1]", db.cnn()); }), vb::errItemNotFound);
    rs.Open("SELECT * FROM [E2]", db.cnn());
    rs.AddNew();
    EXPECT_EQ(errorOf([&] { rs.setValue("H", QString("abc")); }), vb::errTypeMismatch);
    EXPECT_EQ(errorOf([&] { rs.setValue("N", 40000); }), vb::errOverflow);
    EXPECT_EQ(errorOf([&] { rs.setValue("NIX", 1); }), vb::errItemNotFound);
    rs.CancelUpdate();
    rs.Close();
    Recordset check("SELECT * FROM [E2]", db.cnn());
    EXPECT_EQ(check.RecordCount(), 0) << "nothing non-numeric reaches a numeric column";
}

TEST(Ado, ValuesRoundTripByColumnType)
{
    ProjectDb db;
    vb::SetDecimalSeparator(",");
    {
        Recordset rs("SELECT * FROM [E3]", db.cnn());
        rs.AddNew();
        rs.setValue("ID", 7);
        rs.setValue("I1", 0);
        rs.setValue("DATUM", QString("12.03.03"));
        rs.setValue("UHRZEIT", QString("10:15"));
        rs.setValue("TEMP", 0.1);
        rs.setValue("HST", QString("123,45"));
        rs.setValue("HKO", QVariant());
        rs.Update();
        EXPECT_EQ(rs.RecordCount(), 1);
    }
    Recordset rs("SELECT * FROM [E3] WHERE [ID]=7", db.cnn());
    ASSERT_EQ(rs.RecordCount(), 1) << "an added row is visible to later statements";
    EXPECT_EQ(rs.Value("TEMP").typeId(), QMetaType::Float);
    EXPECT_EQ(rs.Value("TEMP").toFloat(), 0.1f);
    EXPECT_EQ(rs.Value("HST").toFloat(), 123.45f);
    EXPECT_TRUE(rs.Value("HKO").isNull());
    EXPECT_EQ(rs.Value("DATUM").toDateTime().date(), QDate(2003, 3, 12));
    EXPECT_EQ(rs.Value("UHRZEIT").toDateTime().time(), QTime(10, 15));
    rs.setValue("HKO", 5);
    rs.Update();
    rs.setValue("HKO", QVariant());
    rs.Update();
    Recordset again("SELECT [HKO] FROM [E3]", db.cnn());
    EXPECT_TRUE(again.Value(0).isNull());
}

TEST(Ado, YesNoColumnsMatchTrueAndDeleteRemovesTheRow)
{
    ProjectDb db;
    db.addRecord(1, "A", true);
    db.addRecord(2, "B", false);
    {
        Recordset rs("SELECT * FROM [E1] WHERE [AKT]=true", db.cnn());
        ASSERT_EQ(rs.RecordCount(), 1);
        EXPECT_EQ(rs.Value("AKT").toBool(), true);
        rs.Delete();
        EXPECT_EQ(rs.RecordCount(), 0);
    }
    Recordset rs("SELECT * FROM [E1]", db.cnn());
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Value("KEN").toString(), "B");
}

TEST(Ado, QuotedTextIsEscaped)
{
    ProjectDb db;
    db.addRecord(1, "Pegel 'Nord'", true);
    const QString sql = "SELECT [ID] FROM [E1] WHERE [KEN]='" + sqlText("Pegel 'Nord'") + "'";
    Recordset rs(sql, db.cnn());
    EXPECT_EQ(rs.RecordCount(), 1);
    Recordset inj("SELECT [ID] FROM [E1] WHERE [KEN]='" + sqlText("x' OR '1'='1") + "'", db.cnn());
    EXPECT_EQ(inj.RecordCount(), 0);
}

TEST(Ado, NestedTransactionsRollBackTheInnerLevelOnly)
{
    ProjectDb db;
    db.cnn().BeginTrans();
    db.addRecord(1, "outer", false);
    {
        ado::Transaction inner(db.cnn());
        db.addRecord(2, "inner", false);
    } // rolled back
    db.cnn().CommitTrans();
    Recordset rs("SELECT * FROM [E1]", db.cnn());
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Value("KEN").toString(), "outer");
}

TEST(Ado, OpenFileCanBeCopiedAndDeleteRecordClearsSixTables)
{
    ProjectDb db;
    db.addRecord(1, "A", true);
    db.addRecord(2, "B", false);
    for (const QString& t : {QString("E2"), QString("E3"), QString("A1"), QString("A2"), QString("G0")}) {
        db.cnn().Execute("INSERT INTO [" + t + "] ([ID]) VALUES (1)");
        db.cnn().Execute("INSERT INTO [" + t + "] ([ID]) VALUES (2)");
    }
    schema::deleteRecord(db.cnn(), 1);
    for (const QString& t : schema::kRecordTables) {
        Recordset rs("SELECT [ID] FROM [" + t + "] WHERE [ID]=1", db.cnn());
        EXPECT_EQ(rs.RecordCount(), 0) << t.toStdString();
        Recordset other("SELECT [ID] FROM [" + t + "] WHERE [ID]=2", db.cnn());
        EXPECT_EQ(other.RecordCount(), 1) << t.toStdString();
    }
    const QString copy = db.dir().file("copy.mdb");
    ASSERT_TRUE(QFile::copy(db.path(), copy));
    Connection c2;
    c2.OpenFile(copy);
    Recordset rs("SELECT * FROM [E1]", c2);
    EXPECT_EQ(rs.RecordCount(), 1) << "a copied open file holds every committed row";
}

TEST(Ado, EditsOfDifferentColumnsPerRowWriteOnlyTheirOwnAndCancelRestores)
{
    ProjectDb db;
    for (int id = 1; id <= 3; ++id) db.addRecord(id, QString("K%1").arg(id), false);
    {
        Recordset rs("SELECT * FROM [E1] ORDER BY [ID]", db.cnn());
        rs.setValue("KOM", QString("first"));
        rs.MoveNext();
        rs.setValue("AKT", true); // another shape: KOM must stay untouched here
        rs.MoveNext();
        rs.setValue("KOM", QString("third"));
        rs.MoveNext();
        rs.MoveFirst();
        rs.setValue("KEN", QString("X"));
        rs.CancelUpdate();
        EXPECT_EQ(rs.Value("KEN").toString(), "K1") << "a cancelled edit shows the stored value again";
        rs.MoveNext();
        db.cnn().Close(); // statements of a closed connection are never used again
        EXPECT_EQ(errorOf([&] { rs.Delete(); }), 3704);
        db.cnn().OpenFile(db.path());
    }
    Recordset rs("SELECT [KOM],[AKT] FROM [E1] ORDER BY [ID]", db.cnn());
    ASSERT_EQ(rs.RecordCount(), 3);
    const QVariantList kom{QString("first"), QVariant(), QString("third")};
    for (int i = 0; i < 3; rs.MoveNext(), ++i) {
        EXPECT_EQ(rs.Value("KOM"), kom[i]) << i;
        EXPECT_EQ(rs.Value("AKT").toBool(), i == 1) << i;
    }
}
