// The SQL texts that start-up and the schema conventions use, run verbatim on
// freshly created databases.
#include "common/TestSupport.h"
#include "data/Ado.h"
#include "data/Schema.h"

#include <gtest/gtest.h>

using ado::Recordset;
using testsupport::ProjectDb;
using testsupport::TempDir;

TEST(SchemaSql, FrameDatabaseTextsRunAndUpdateProg)
{
    TempDir dir;
    const QString path = dir.file("ARCHIV.mdb");
    schema::createFrameDatabase(path);
    ado::Connection cnn;
    cnn.Open("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + dir.path() + "/ARCHIV.mdb;" + "Persist Security Info=False");
    cnn.Execute("INSERT INTO [ADMIN] ([BENUTZER],[PROG],[PROJEKTSPFAD],[PROJEKT],[BEARBEITER]) "
                "VALUES ('MUELLER','MORVANT','/p','P1','Dr. Müller')");
    {
        Recordset rs("SELECT * FROM [ADMIN] WHERE [BENUTZER]='mueller'", cnn);
        ASSERT_EQ(rs.RecordCount(), 1) << "user names compare without regard to case";
        rs.setValue("PROG", QString("TALPEX"));
        rs.Update();
        EXPECT_EQ(rs.Value("BEARBEITER").toString(), "Dr. Müller");
    }
    Recordset rs("SELECT [PROG] FROM [ADMIN] WHERE [BENUTZER]='MUELLER'", cnn);
    EXPECT_EQ(rs.Value(0).toString(), "TALPEX");
    Recordset other("SELECT * FROM [ADMIN] WHERE [BENUTZER]='" + sqlText("O'Brien") + "'", cnn);
    EXPECT_EQ(other.RecordCount(), 0);
}

TEST(SchemaSql, RecordListsLeaveOutTheMultipleEvaluationRecord)
{
    ProjectDb db;
    db.addRecord(0, "M", false, "Mehrfachauswertung");
    db.addRecord(2, "b-Pegel", true, "zweiter");
    db.addRecord(1, "A-Pegel", true);
    db.addRecord(3, "c-Pegel", false);

    Recordset newest("SELECT * FROM [E1] ORDER BY [ID] Desc", db.cnn());
    EXPECT_EQ(newest.Value("ID").toInt() + 1, 4) << "a new record takes the highest ID plus one";

    Recordset list("SELECT * FROM [E1] WHERE ID>0 ORDER BY [KEN]", db.cnn());
    ASSERT_EQ(list.RecordCount(), 3);
    QStringList kens;
    for (; !list.Eof(); list.MoveNext()) kens << list.Value("KEN").toString();
    EXPECT_EQ(kens, QStringList({"A-Pegel", "b-Pegel", "c-Pegel"})) << "designations sort without regard to case";

    Recordset exch("SELECT * FROM [E1] WHERE [KEN]<>'M' ORDER BY [KEN]", db.cnn());
    EXPECT_EQ(exch.RecordCount(), 3);
    EXPECT_EQ(exch.Fields(0).Name(), "ID");
    EXPECT_EQ(exch.Fields(1).Name(), "KEN");
    EXPECT_EQ(exch.Fields(2).Name(), "KOM");

    Recordset act("SELECT [KEN],[KOM] FROM [E1] WHERE [AKT]=true ORDER BY [KEN]", db.cnn());
    ASSERT_EQ(act.RecordCount(), 2);
    EXPECT_TRUE(act.Value("KOM").isNull());
    act.MoveNext();
    EXPECT_EQ(act.Value("KOM").toString(), "zweiter");

    Recordset byKen("SELECT [ID] FROM [E1] WHERE [KEN]='B-PEGEL'", db.cnn());
    EXPECT_EQ(byKen.Value(0).toInt(), 2);
}

TEST(SchemaSql, EveryTableHasTheColumnsOfItsRole)
{
    ProjectDb db;
    const QList<QPair<QString, QStringList>> tables = {
        {"E1", {"ID", "KEN", "KOM", "AKT"}},
        {"E2", {"ID", "H", "STRO", "N"}},
        {"E3", {"ID", "I1", "DATUM", "UHRZEIT", "DET", "TEMP", "HST", "HKO"}},
        {"A1", {"ID", "BONEU", "BILD14AN", "GITT", "GITK10"}},
        {"A2", {"ID", "I1", "PHI", "DETN", "K10", "DEHKO"}},
        {"G0", {"ID", "IDOBJEKT", "OX", "OY", "RL", "RR", "RO", "RU", "XMIN", "XMAX", "YMIN", "YMAX", "MYMX", "MX", "MY"}},
        {"M1", {"IDM", "KOM", "BESCHR11", "GITT", "GITK10"}},
        {"TALPEX_V1", {"I1", "STRO", "D1", "D2", "F", "A", "B", "C"}},
    };
    for (const auto& [table, cols] : tables) {
        Recordset rs("SELECT * FROM [" + table + "]", db.cnn());
        QStringList names;
        for (int i = 0; i < rs.FieldCount(); ++i) names << rs.Fields(i).Name();
        EXPECT_EQ(names, cols) << table.toStdString();
    }
    // 16-bit columns refuse what Jet refused; single columns keep single precision.
    Recordset a2("SELECT * FROM [A2]", db.cnn());
    a2.AddNew();
    a2.setValue("ID", 1);
    a2.setValue("I1", 32767);
    a2.setValue("K10", 1.23456789e-7);
    a2.Update();
    Recordset back("SELECT [I1],[K10] FROM [A2]", db.cnn());
    EXPECT_EQ(back.Value(0).toInt(), 32767);
    EXPECT_EQ(back.Value(1).toFloat(), 1.23456789e-7f);
}
