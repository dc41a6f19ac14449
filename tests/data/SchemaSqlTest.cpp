// The schema of a freshly created project database.
#include "common/TestSupport.h"
#include "data/Ado.h"
#include "data/Schema.h"
#include "platform/VBError.h"

#include <QFile>

#include <gtest/gtest.h>

using ado::Recordset;
using testsupport::ProjectDb;

TEST(SchemaSql, EveryTableHasTheColumnsOfItsRole)
{
    ProjectDb db;
    const QList<QPair<QString, QStringList>> tables = {
        {"E1", {"ID", "KEN", "KOM", "AKT"}},
        {"E2", {"ID", "H", "STRO", "N"}},
        {"E3", {"ID", "I1", "DATUM", "UHRZEIT", "DET", "TEMP", "HST", "HKO"}},
        {"A1", {"ID", "BONEU", "BILD14AN", "GITT", "GITK10", "VON", "BIS", "LOGK10", "LOGPHI"}},
        {"A2", {"ID", "I1", "PHI", "DETN", "K10", "DEHKO"}},
        {"G0", {"ID", "IDOBJEKT", "OX", "OY", "RL", "RR", "RO", "RU", "XMIN", "XMAX", "YMIN", "YMAX", "MYMX", "MX", "MY"}},
        {"M1", {"IDM", "KOM", "BESCHR11", "GITT", "GITK10", "LOGK10"}},
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

namespace {
using testsupport::fileHash;
// the current row, a NULL as "-"
QString row(const Recordset& rs)
{
    QStringList values;
    for (int c = 0; c < rs.FieldCount(); ++c) values << (rs.Value(c).isNull() ? QStringLiteral("-") : rs.Value(c).toString());
    return values.join(QLatin1Char(' '));
}
} // namespace

// A file of the first release gains the range and axis columns once, every
// value kept; a file of a newer program is refused and left as it is.
TEST(SchemaSql, OlderProjectIsUpgradedOnceAndANewerOneRefusedUnchanged)
{
    ProjectDb db;
    ado::Connection& cnn = db.cnn();
    for (const char* column : {"[A1] DROP COLUMN [VON]", "[A1] DROP COLUMN [BIS]", "[A1] DROP COLUMN [LOGK10]",
                               "[M1] DROP COLUMN [LOGK10]"})
        cnn.Execute(QStringLiteral("ALTER TABLE ") + QLatin1String(column));
    cnn.Execute("PRAGMA user_version=0");
    cnn.Execute("INSERT INTO [A1] ([ID],[BONEU],[BILD14AN],[GITT],[GITK10]) VALUES (7,0,1,0,1)");
    cnn.Execute("INSERT INTO [M1] ([IDM],[KOM],[BESCHR11],[GITT],[GITK10]) VALUES (1,'Baufeld Nord',1,0,1)");

    schema::upgradeProject(cnn);
    EXPECT_EQ(schema::projectVersion(cnn), schema::kProjectVersion);
    Recordset a1("SELECT [ID],[BONEU],[BILD14AN],[GITT],[GITK10],[VON],[BIS],[LOGK10] FROM [A1]", cnn);
    ASSERT_EQ(a1.RecordCount(), 1);
    EXPECT_EQ(row(a1), QStringLiteral("7 false 1 0 1 - - -"));
    Recordset m1("SELECT [KOM],[BESCHR11],[GITK10],[LOGK10] FROM [M1]", cnn);
    EXPECT_EQ(m1.Value(0).toString(), QStringLiteral("Baufeld Nord"));
    EXPECT_EQ(m1.Value(2).toInt(), 1);
    EXPECT_TRUE(m1.Value(3).isNull());
    m1.Close();
    a1.Close();

    // once: opening it again changes nothing
    const QByteArray upgraded = fileHash(db.path());
    schema::upgradeProject(cnn);
    EXPECT_EQ(fileHash(db.path()), upgraded);

    cnn.Execute(QStringLiteral("PRAGMA user_version=%1").arg(schema::kProjectVersion + 1));
    const QByteArray newer = fileHash(db.path());
    try {
        schema::upgradeProject(cnn);
        ADD_FAILURE() << "a newer file was accepted";
    } catch (const vb::VBError& e) {
        EXPECT_TRUE(e.Description().contains(QStringLiteral("newer version"))) << e.Description().toStdString();
    }
    EXPECT_EQ(fileHash(db.path()), newer);
}

// A file of the previous version gains the fitted-line switch, empty, and nothing else changes.
TEST(SchemaSql, PreviousVersionGainsTheFittedLineSwitch)
{
    ProjectDb db;
    ado::Connection& cnn = db.cnn();
    cnn.Execute(QStringLiteral("ALTER TABLE [A1] DROP COLUMN [LOGPHI]"));
    cnn.Execute(QStringLiteral("PRAGMA user_version=%1").arg(schema::kProjectVersion - 1));
    cnn.Execute("INSERT INTO [A1] ([ID],[BONEU],[BILD14AN],[VON],[BIS],[LOGK10]) VALUES (3,0,1,4,9,1)");
    schema::upgradeProject(cnn);
    EXPECT_EQ(schema::projectVersion(cnn), schema::kProjectVersion);
    Recordset a1("SELECT [ID],[BILD14AN],[VON],[BIS],[LOGK10],[LOGPHI] FROM [A1]", cnn);
    EXPECT_EQ(row(a1), QStringLiteral("3 1 4 9 true -"));
}
