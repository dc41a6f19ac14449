// The record queries behind the File commands on a real project database.
#include "common/TestSupport.h"
#include "data/Ado.h"
#include "data/RecordStore.h"

#include <gtest/gtest.h>

using testsupport::ProjectDb;

TEST(RecordStore, QueriesLeaveTheMultipleEvaluationRecordAlone)
{
    ProjectDb db;
    ado::Connection& cnn = db.cnn();
    EXPECT_EQ(RecordStore::nextId(cnn), 1);
    db.addRecord(0, "M", true, "Mehrfachauswertung");
    db.addRecord(2, "b-Pegel", true);
    db.addRecord(1, "A-Pegel", true);
    db.addRecord(3, "c-Pegel", false);
    db.addRecord(4, "O'Brien", false);

    EXPECT_EQ(RecordStore::nextId(cnn), 5);
    // designations sort without regard to case; ID 0 is never opened
    EXPECT_EQ(RecordStore::openableIds(cnn), (QVector<long>{1, 2}));
    EXPECT_EQ(RecordStore::activeCount(cnn), 3);
    EXPECT_EQ(RecordStore::findUserRecord(cnn, "B-PEGEL"), 2);
    EXPECT_EQ(RecordStore::findUserRecord(cnn, "O'Brien"), 4);
    EXPECT_FALSE(RecordStore::findUserRecord(cnn, "M").has_value());
    EXPECT_FALSE(RecordStore::findUserRecord(cnn, "x' OR ''='").has_value());

    RecordStore::makeOnlyActive(cnn, 2);
    const QVector<RecordKey> active = RecordStore::activeRecords(cnn);
    ASSERT_EQ(active.size(), 1);
    EXPECT_EQ(active[0].id, 2);
    EXPECT_EQ(active[0].ken, "b-Pegel");

    cnn.Execute("INSERT INTO [M1] ([IDM],[KOM]) VALUES (1,'alt')");
    cnn.Execute("INSERT INTO [E3] ([ID],[I1],[HST]) VALUES (0,0,1)");
    cnn.Execute("INSERT INTO [E3] ([ID],[I1],[HST]) VALUES (1,0,1)");
    RecordStore::removeMultipleEvaluation(cnn);
    EXPECT_EQ(ado::Recordset("SELECT * FROM [M1]", cnn).RecordCount(), 0);
    EXPECT_EQ(ado::Recordset("SELECT * FROM [E1] WHERE [ID]=0", cnn).RecordCount(), 0);
    EXPECT_EQ(ado::Recordset("SELECT * FROM [E3]", cnn).RecordCount(), 1);
    EXPECT_EQ(RecordStore::nextId(cnn), 5);
}
