// The schema of a freshly created project database.
#include "common/TestSupport.h"
#include "data/Ado.h"
#include "data/Schema.h"

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
