// Panel texts: the shortened project directory and the record panel.
#include "common/TestSupport.h"
#include "shell/StatusPanels.h"

#include <gtest/gtest.h>

namespace {

TEST(PathShortening, ShortPathsStayWhole)
{
    EXPECT_EQ(StatusPanels::shortenPath(QStringLiteral("/data/projects")), QStringLiteral("/data/projects"));
    EXPECT_EQ(StatusPanels::shortenPath(QStringLiteral("/data/projekte/2002a")), QStringLiteral("/data/projekte/2002a")); // 20
    EXPECT_EQ(StatusPanels::shortenPath(QString()), QString());
}

TEST(PathShortening, LongPathsDropLeadingFolders)
{
    // First pass drops one character, later passes whole folders.
    EXPECT_EQ(StatusPanels::shortenPath(QStringLiteral("/home/user/projects/geotech/field")),
              QStringLiteral(" ... /geotech/field"));
    EXPECT_EQ(StatusPanels::shortenPath(QStringLiteral("/data/projekte/2002ab")), QStringLiteral(" ... data/projekte/2002ab"));
    const QString s = StatusPanels::shortenPath(QStringLiteral("/srv/a/b/c/d/e/f/g/h/i/j/k/l/m/n/o/p"));
    EXPECT_TRUE(s.startsWith(QStringLiteral(" ... ")));
    EXPECT_LE(s.size(), 25);
}

TEST(PathShortening, PathsWithoutFurtherSeparatorKeepTheirEnd)
{
    EXPECT_EQ(StatusPanels::shortenPath(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ")),
              QStringLiteral(" ... GHIJKLMNOPQRSTUVWXYZ"));
    EXPECT_EQ(StatusPanels::shortenPath(QStringLiteral("/projects/a_very_long_single_folder_name")),
              QStringLiteral(" ... g_single_folder_name"));
}

TEST(PathShortening, PanelOneShowsTheShortPathWithSlashAndTheFullOneAsTip)
{
    StatusPanels p;
    p.setProjectPath(QStringLiteral("/home/user/projects/geotech/field"));
    EXPECT_EQ(p.text(1), QStringLiteral(" ... /geotech/field/"));
    EXPECT_EQ(p.toolTip(1), QStringLiteral("/home/user/projects/geotech/field"));
    p.setProjectPath(QStringLiteral("/p"));
    EXPECT_EQ(p.text(1), QStringLiteral("/p/"));
}

TEST(RecordPanel, ShowsTheActiveRecords)
{
    testsupport::ProjectDb db;
    StatusPanels p;
    p.DATENSATZANZEIGE(db.cnn());
    EXPECT_EQ(p.text(6), QStringLiteral("-"));
    EXPECT_EQ(p.toolTip(6), QString());

    db.addRecord(1, QStringLiteral("B2"), true, QStringLiteral("Schurf 2"));
    db.addRecord(2, QStringLiteral("Z9"), false, QStringLiteral("inactive"));
    p.DATENSATZANZEIGE(db.cnn());
    EXPECT_EQ(p.text(6), QStringLiteral("B2"));
    EXPECT_EQ(p.toolTip(6), QStringLiteral("Schurf 2"));

    db.addRecord(3, QStringLiteral("a1"), true); // no comment, sorts first without regard to case
    db.addRecord(4, QStringLiteral("C3"), true);
    p.DATENSATZANZEIGE(db.cnn());
    EXPECT_EQ(p.text(6), QStringLiteral("a1,..."));
    EXPECT_EQ(p.toolTip(6), QStringLiteral("a1, B2, C3"));

    db.cnn().Execute(QStringLiteral("UPDATE [E1] SET [AKT]=0 WHERE [ID]<>3"));
    p.DATENSATZANZEIGE(db.cnn());
    EXPECT_EQ(p.text(6), QStringLiteral("a1"));
    EXPECT_EQ(p.toolTip(6), QString()); // null comment
}

TEST(CommandPanels, StartHiddenWithTextsInBothLanguages)
{
    StatusPanels p;
    for (int n = 8; n <= 15; ++n) EXPECT_FALSE(p.isVisible(n)) << n;
    EXPECT_EQ(p.text(9), QStringLiteral("Abbrechen"));
    EXPECT_EQ(p.toolTip(13), QStringLiteral("Ausgabeseite in ein Word-Dokument übertragen"));
    EXPECT_EQ(p.text(15), QStringLiteral("Schließen"));
    p.applyLanguage(1);
    EXPECT_EQ(p.text(9), QStringLiteral("Cancel"));
    EXPECT_EQ(p.toolTip(8), QStringLiteral("Save input-data"));
    EXPECT_EQ(p.text(14), QStringLiteral("AutoCAD"));
    EXPECT_EQ(p.toolTip(15), QStringLiteral("Back to the front window"));
    EXPECT_EQ(p.text(3), QStringLiteral("/"));
}

} // namespace
