// Copying whole records between two project databases.
#include "ExchangeFixture.h"

#include "exchange/RecordCopy.h"

namespace {

using RecordCopyTest = ExchangeFixture;

TEST_F(RecordCopyTest, ExportWarnsOnceForAnExistingDesignationAndGoesOnWithOK)
{
    addRecord(s.cnnX, 1, QStringLiteral("B1"), QStringLiteral("Schurf 1"), 3);
    addRecord(s.cnnX, 2, QStringLiteral("O'Neil"), QString(), 2);
    addRecord(s.cnnX, 3, QStringLiteral("C3"), QString(), 1);
    addRecord(other, 1, QStringLiteral("o'neil"), QStringLiteral("schon da"), 1);

    ui->answer(vb::vbOK);
    EXPECT_EQ(RecordCopy(s, s.cnnX, other).copy({1, 2, 3}), 2);
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].text, QStringLiteral("Datensatz O'Neil ist bereits vorhanden!"));
    EXPECT_EQ(boxes()[0].buttons(), vb::vbOKCancel);
    EXPECT_EQ(count(other, QStringLiteral("SELECT * FROM [E1]")), 3);
    EXPECT_EQ(rows(other, QStringLiteral("E1"), 1)[0][QStringLiteral("KOM")].toString(), QStringLiteral("schon da"));

    // Cancel stops the whole copy; the multiple evaluation and "<leer>" (no ID) are never copied.
    ui->clear();
    ui->answer(vb::vbCancel);
    addRecord(s.cnnX, 0, QStringLiteral("M"), QStringLiteral("Mehrfachauswertung"), 0);
    addRecord(s.cnnX, 4, QStringLiteral("D4"), QString(), 1);
    EXPECT_EQ(RecordCopy(s, s.cnnX, other).copy({0, -1, 2, 4}), 0);
    EXPECT_EQ(boxes().size(), 1);
    EXPECT_EQ(count(other, QStringLiteral("SELECT * FROM [E1]")), 3);
}

TEST_F(RecordCopyTest, ImportTakesLargestIdPlusOneAndKeepsEveryRow)
{
    // The target lists E1's columns in another order: values go by name.
    s.cnnX.Execute(QStringLiteral("DROP TABLE [E1]"));
    s.cnnX.Execute(QStringLiteral("CREATE TABLE [E1] ([AKT] BOOLEAN, [KOM] TEXT, [KEN] TEXT COLLATE NOCASE, [ID] INTEGER)"));
    addRecord(s.cnnX, 4, QStringLiteral("X4"), QString(), 1);
    addRecord(other, 9, QStringLiteral("B9"), QStringLiteral("Baufeld Nord"), 40, 12);

    EXPECT_EQ(RecordCopy(s, other, s.cnnX).copyRecord(9), 5);
    for (const QString& t : schema::kRecordTables) {
        SCOPED_TRACE(t.toStdString());
        const auto copied = rows(s.cnnX, t, 5);
        EXPECT_FALSE(copied.isEmpty());
        EXPECT_EQ(copied, rows(other, t, 9));
    }
    EXPECT_EQ(RecordCopy::recordLines(s.cnnX)[0].text, QStringLiteral("B9 (Baufeld Nord)"));
}

TEST_F(RecordCopyTest, OrphanRowsOfADeletedRecordAreNotAdopted)
{
    addRecord(s.cnnX, 2, QStringLiteral("X2"), QString(), 1, 3);
    s.cnnX.Execute(QStringLiteral("INSERT INTO [A2] ([ID],[I1],[PHI]) VALUES (3,0,1)"));
    addRecord(other, 1, QStringLiteral("B1"), QString(), 2, 4);

    EXPECT_EQ(RecordCopy(s, other, s.cnnX).copyRecord(1), 4);
    EXPECT_EQ(count(s.cnnX, QStringLiteral("SELECT * FROM [A2] WHERE [ID]=3")), 1);
    EXPECT_EQ(count(s.cnnX, QStringLiteral("SELECT * FROM [A2] WHERE [ID]=4")), 4);
    // An empty target numbers from 1.
    testsupport::ProjectDb empty;
    EXPECT_EQ(nextFreeId(empty.cnn(), schema::kRecordTables), 1);
}

TEST_F(RecordCopyTest, AFailingCopyLeavesTheTargetUnchangedAndNamesTheRecord)
{
    // The target's readings lack a column: E1 and E2 would already be written.
    other.Execute(QStringLiteral("DROP TABLE [E3]"));
    other.Execute(QStringLiteral("CREATE TABLE [E3] ([ID] INTEGER, [I1] SMALLINT, [DATUM] DATETIME, [UHRZEIT] DATETIME, "
                                 "[DET] FLOAT4, [TEMP] FLOAT4, [HST] FLOAT4)"));
    addRecord(s.cnnX, 1, QStringLiteral("B1"), QString(), 5, 3);
    addRecord(s.cnnX, 2, QStringLiteral("B2"), QString(), 0);
    // A value that does not fit the target's column.
    s.cnnX.Execute(QStringLiteral("UPDATE [E2] SET [N]=40000 WHERE [ID]=2"));
    other.Execute(QStringLiteral("DROP TABLE [E2]"));
    other.Execute(QStringLiteral("CREATE TABLE [E2] ([ID] INTEGER, [H] FLOAT4, [STRO] TEXT, [N] SMALLINT)"));

    ui->answer(vb::vbOK);
    ui->answer(vb::vbOK);
    EXPECT_EQ(RecordCopy(s, s.cnnX, other).copy({1, 2}), 0);
    ASSERT_EQ(boxes().size(), 2);
    EXPECT_EQ(boxes()[0].title, QStringLiteral("Export/Import"));
    EXPECT_TRUE(boxes()[0].text.startsWith(QStringLiteral("Datensatz B1\nVB-Error: 3265\n")));
    EXPECT_TRUE(boxes()[0].text.contains(QStringLiteral("HKO")));
    EXPECT_TRUE(boxes()[1].text.startsWith(QStringLiteral("Datensatz B2\nVB-Error: 6\n")));
    for (const QString& t : schema::kRecordTables)
        EXPECT_EQ(count(other, QStringLiteral("SELECT * FROM [%1]").arg(t)), 0) << t.toStdString();
}

} // namespace
