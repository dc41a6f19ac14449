// Calculate Multiple through the main window offscreen: the comment, the page,
// the menus and panels, the stored state, and a new selection's rebuild.
#include "RecordFixture.h"

#include "pagewindows/mdiMSEITE1.h"
#include "shell/EvaluationCommands.h"
#include "shell/MultipleEvaluation.h"
#include "shell/frmMAIN.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProgressBar>
#include <gtest/gtest.h>

namespace {

class MultipleEvaluationTest : public ::testing::Test {
protected:
    MultipleEvaluationTest()
    {
        EvaluationCommands::registerAll();
        MultipleEvaluation::registerAll();
    }

    // A record with readings every `det` minutes and a constant k10 (no results when k10 is 0).
    void addRecord(long id, const QString& ken, bool akt, int readings, float det, float k10)
    {
        f.addRecord(id, ken, akt);
        for (int i = 0; i < readings; ++i)
            f.cnn().Execute(QStringLiteral("INSERT INTO [E3] ([ID],[I1],[DET],[TEMP],[HST]) VALUES (%1,%2,%3,10,100)")
                                .arg(id).arg(i).arg(i == 0 ? 0.f : det));
        if (k10 == 0) return;
        for (int i = 0; i < readings; ++i)
            f.cnn().Execute(QStringLiteral("INSERT INTO [A2] ([ID],[I1],[PHI],[DETN],[K10]) VALUES (%1,%2,300,%3,%4)")
                                .arg(id).arg(i).arg(det).arg(i < readings - 1 ? QString::number(k10) : QStringLiteral("NULL")));
        f.addEvaluated(id, false);
    }
    // Through the Evaluate menu, whose opening creates the multiple evaluation's rows.
    void calculateMultiple()
    {
        emit f.main().menu(QStringLiteral("mnuAUSWERTEN"))->aboutToShow();
        ASSERT_TRUE(enabled("mnuMBERECHNEN"));
        f.trigger(QStringLiteral("mnuMBERECHNEN"));
    }
    mdiMSEITE1* shownPage()
    {
        for (QMdiSubWindow* sub : f.main().mdiArea()->subWindowList())
            if (auto* page = qobject_cast<mdiMSEITE1*>(sub->widget())) return page;
        return nullptr;
    }
    QVariant value(const QString& sql)
    {
        ado::Recordset rs(sql, f.cnn());
        return rs.Eof() ? QVariant() : rs.Value(0);
    }
    bool enabled(const char* item) { return f.main().menuItem(QString::fromLatin1(item))->isEnabled(); }
    QList<vb::ScriptedUi::Box> boxes() { return f.fi.ui->boxes(); }

    RecordFixture f;
};

TEST_F(MultipleEvaluationTest, AsksForTheCommentOnceAndShowsThePage)
{
    f.start();
    addRecord(1, QStringLiteral("B1"), true, 6, 30, 2E-6f);
    addRecord(2, QStringLiteral("B2"), true, 6, 30, 4E-6f);
    f.fi.ui->answerInput(QStringLiteral("Baufeld Nord"));
    calculateMultiple();

    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].title, QStringLiteral("Mehrfachauswertung"));
    EXPECT_EQ(boxes()[0].text, QStringLiteral("Kommentar: "));
    EXPECT_EQ(value(QStringLiteral("SELECT [KOM] FROM [M1] WHERE [IDM]=1")).toString(), QStringLiteral("Baufeld Nord"));
    EXPECT_EQ(value(QStringLiteral("SELECT [BESCHR11] FROM [M1] WHERE [IDM]=1")).toInt(), 1);
    EXPECT_EQ(value(QStringLiteral("SELECT [BONEU] FROM [A1] WHERE [ID]=0")).toInt(), 0);
    mdiMSEITE1* page = shownPage();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->Tag, QStringLiteral("MSeite 1"));
    EXPECT_EQ(page->drawer().recordDesignations(), (QStringList{QStringLiteral("B1"), QStringLiteral("B2")}));
    EXPECT_TRUE(f.fi.session.GEAENDERT);
    EXPECT_TRUE(f.main().isEnabled());
    EXPECT_FALSE(enabled("mnuDATEI"));
    EXPECT_FALSE(enabled("mnuEXTRAS"));
    for (int panel = 10; panel <= 15; ++panel) EXPECT_TRUE(f.main().panels().isVisible(panel)) << panel;
    EXPECT_FALSE(f.main().pgbBERECHNEN()->isVisible());
    EXPECT_EQ(f.main().pgbBERECHNEN()->value(), 0);

    // panel 15 closes the page; a second run keeps the comment and does not ask
    f.main().stbMAIN_PanelClick(15);
    EXPECT_TRUE(enabled("mnuDATEI"));
    EXPECT_TRUE(enabled("mnuEXTRAS"));
    calculateMultiple();
    EXPECT_EQ(boxes().size(), 1);
    EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM [M1]")).toInt(), 1);
    EXPECT_EQ(value(QStringLiteral("SELECT [KOM] FROM [M1] WHERE [IDM]=1")).toString(), QStringLiteral("Baufeld Nord"));
    EXPECT_NE(shownPage(), nullptr);
}

TEST_F(MultipleEvaluationTest, PageThatCannotBeBuiltIsNeitherShownNorMarkedBuilt)
{
    f.start();
    addRecord(1, QStringLiteral("B1"), true, 6, 30, 2E-6f);
    addRecord(2, QStringLiteral("B2"), true, 6, 30, 4E-6f);
    f.cnn().Execute(QStringLiteral("ALTER TABLE [A2] RENAME TO [A2ALT]")); // the results cannot be read
    f.fi.ui->answerInput(QStringLiteral("Baufeld Nord"));
    f.fi.ui->answer(vb::vbOK); // goes on after the failure: still no page
    calculateMultiple();
    ASSERT_EQ(boxes().size(), 2);
    EXPECT_EQ(boxes()[1].title, QStringLiteral("MSeite 1"));
    EXPECT_EQ(shownPage(), nullptr);
    EXPECT_EQ(value(QStringLiteral("SELECT [BONEU] FROM [A1] WHERE [ID]=0")).toInt(), 1);
    EXPECT_TRUE(f.main().isEnabled());
    EXPECT_TRUE(enabled("mnuDATEI"));
    EXPECT_TRUE(enabled("mnuEXTRAS"));
    EXPECT_FALSE(f.main().pgbBERECHNEN()->isVisible());
}

TEST_F(MultipleEvaluationTest, NamesTheRecordsWithoutResultsInOneMessage)
{
    f.start(QStringLiteral("en"));
    addRecord(1, QStringLiteral("P1"), true, 6, 30, 2E-6f);
    addRecord(2, QStringLiteral("P2"), true, 6, 30, 0);
    addRecord(3, QStringLiteral("P3"), true, 0, 30, 0);
    f.fi.ui->answerInput(std::nullopt); // cancelled: an empty comment
    calculateMultiple();

    ASSERT_EQ(boxes().size(), 2);
    EXPECT_EQ(boxes()[0].title, QStringLiteral("Mulitple Calculation"));
    EXPECT_EQ(boxes()[0].text, QStringLiteral("Comment: "));
    EXPECT_EQ(value(QStringLiteral("SELECT [KOM] FROM [M1] WHERE [IDM]=1")).toString(), QString());
    EXPECT_TRUE(boxes()[1].text.contains(QStringLiteral("P2, P3"))) << boxes()[1].text.toStdString();
    EXPECT_FALSE(boxes()[1].text.contains(QStringLiteral("P1")));
    EXPECT_EQ(boxes()[1].title, QStringLiteral("Calculate Multiple"));
    EXPECT_NE(shownPage(), nullptr);
}

TEST_F(MultipleEvaluationTest, NewSelectionRebuildsWithFreshLimits)
{
    f.start();
    addRecord(1, QStringLiteral("K1"), true, 6, 30, 2E-6f);  // 2.5 hours
    addRecord(2, QStringLiteral("K2"), true, 6, 30, 3E-6f);
    addRecord(3, QStringLiteral("K3"), false, 6, 600, 4E-4f); // 50 hours, far higher k10
    addRecord(4, QStringLiteral("K4"), false, 6, 600, 2E-4f);
    f.fi.ui->answerInput(QStringLiteral("erste Auswahl"));
    calculateMultiple();
    const auto xmax = [this] {
        return value(QStringLiteral("SELECT [XMAX] FROM [G0] WHERE [ID]=0 AND [IDOBJEKT]=110")).toFloat();
    };
    const float first = xmax();
    EXPECT_LT(first, 10);
    f.main().stbMAIN_PanelClick(15);

    f.onSelection(RecordFixture::choose({QStringLiteral("K3"), QStringLiteral("K4")}));
    f.trigger(QStringLiteral("mnuAUSWAHL"));
    ASSERT_EQ(f.activeIds(), (QList<long>{3, 4}));
    f.fi.ui->answerInput(QStringLiteral("zweite Auswahl"));
    calculateMultiple();
    EXPECT_GE(xmax(), 50);
    EXPECT_GE(value(QStringLiteral("SELECT [YMAX] FROM [G0] WHERE [ID]=0 AND [IDOBJEKT]=120")).toFloat(), 4E-4f);
    EXPECT_EQ(value(QStringLiteral("SELECT [KOM] FROM [M1] WHERE [IDM]=1")).toString(), QStringLiteral("zweite Auswahl"));
    EXPECT_EQ(value(QStringLiteral("SELECT [BONEU] FROM [A1] WHERE [ID]=0")).toInt(), 0);
}

} // namespace
