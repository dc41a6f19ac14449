// The multiple-evaluation page drawn on a recording surface as on paper:
// which curves, symbols, colours and labels appear, and what it stores.
#include "common/TestSupport.h"
#include "data/Session.h"
#include "graphics/PointSymbol.h"
#include "graphics/RecordingSurface.h"
#include "graphics/VBColor.h"
#include "pages/MSeite1Drawer.h"
#include "platform/MsgBox.h"

#include <QSet>
#include <QLineF>
#include <gtest/gtest.h>

namespace {

class MSeite1Test : public ::testing::Test {
protected:
    MSeite1Test() { s.cnnX.OpenFile(db.path()); }

    // An active record; readings with DET minutes each; steps of width n with
    // a constant k10 (none when evaluated is false).
    void addRecord(long id, const QString& ken, int n, int readings, float det, float k10, bool evaluated = true)
    {
        db.addRecord(id, ken, true);
        exec(QStringLiteral("INSERT INTO [E2] ([ID],[H],[STRO],[N]) VALUES (%1,500,'A',%2)").arg(id).arg(n));
        for (int i = 0; i < readings; ++i)
            exec(QStringLiteral("INSERT INTO [E3] ([ID],[I1],[DET],[TEMP],[HST]) VALUES (%1,%2,%3,10,100)")
                     .arg(id).arg(i).arg(i == 0 ? 0.f : det));
        if (!evaluated) return;
        const int steps = readings - n; // K10 rows; PHI/DETN one more
        for (int i = 0; i <= steps; ++i)
            exec(QStringLiteral("INSERT INTO [A2] ([ID],[I1],[PHI],[DETN],[K10]) VALUES (%1,%2,300,%3,%4)")
                     .arg(id).arg(i).arg(det * n).arg(i < steps ? QString::number(k10) : QStringLiteral("NULL")));
    }
    void multipleEvaluation(bool boneu, short beschr11, const QString& kom = QStringLiteral("Baufeld Nord"))
    {
        db.addRecord(0, QStringLiteral("M"), false, QStringLiteral("Mehrfachauswertung"));
        exec(QStringLiteral("INSERT INTO [A1] ([ID],[BONEU]) VALUES (0,%1)").arg(boneu ? 1 : 0));
        exec(QStringLiteral("INSERT INTO [M1] ([IDM],[KOM],[BESCHR11],[GITT],[GITK10]) VALUES (1,'%1',%2,0,0)")
                 .arg(kom).arg(beschr11));
    }
    // Fixed limits and scales: t 0..10 h at 0.1 h/mm, k10 0..1E-5 at 1E-7 per mm.
    void fixedScales(short idObjekt)
    {
        exec(QStringLiteral("INSERT INTO [G0] ([ID],[IDOBJEKT],[OX],[OY],[RL],[RR],[RO],[RU],[XMIN],[XMAX],[YMIN],"
                            "[YMAX],[MYMX],[MX],[MY]) VALUES (0,%1,1,1,11,12,10,11,0,10,0,1E-5,0,0.1,1E-7)")
                 .arg(idObjekt));
    }
    void exec(const QString& sql) { s.cnnX.Execute(sql); }
    float g0(const char* column)
    {
        ado::Recordset rs(QStringLiteral("SELECT [%1] FROM [G0] WHERE [ID]=0 AND [IDOBJEKT]=110").arg(column), s.cnnX);
        return rs.Eof() ? -1 : rs.Value(0).toFloat();
    }
    std::unique_ptr<MSeite1Drawer> load(QList<int>* progress = nullptr)
    {
        auto page = std::make_unique<MSeite1Drawer>(s);
        page->useOffscreenScreen(96 / 25.4); // the screen of a window on an ordinary display
        if (progress) page->progress = [progress](int v) { progress->append(v); };
        page->load();
        return page;
    }
    // Bild 110 (and Bild 120) drawn on a recording surface that is the printer.
    static std::unique_ptr<gfx::RecordingSurface> onPaper(MSeite1Drawer& page, bool with120 = true)
    {
        auto paper = std::make_unique<gfx::RecordingSurface>();
        paper->setPrinter(true);
        page.BILD110(1, 0, 0, paper.get());
        if (with120) page.BILD120(1, 0, 0, paper.get());
        return paper;
    }
    static qint32 colourOf(int type) { return gfx::QBColor(gfx::symbolColourIndex(type)); }
    // The heights (mm) of the curve segments drawn in a colour.
    static QSet<int> curveHeights(const gfx::RecordingSurface& paper, qint32 colour)
    {
        QSet<int> ys;
        for (const gfx::DrawCall& c : paper.lines())
            if (c.color == colour && std::abs(c.b.x() - c.a.x()) > 3) ys << qRound(c.a.y());
        return ys;
    }

    testsupport::ProjectDb db;
    Session s;
    vb::ScopedScriptedUi ui;
};

TEST_F(MSeite1Test, EighthRecordSharesTheFirstRecordsColour)
{
    // record k at its own k10 level (k + 1)E-6, 10 (k + 1) mm below the upper limit's 100 mm
    for (int k = 0; k < 8; ++k) addRecord(k + 1, QStringLiteral("B%1").arg(k + 1), 1, 4, 60, (k + 1) * 1E-6f);
    multipleEvaluation(false, 1);
    fixedScales(110);
    fixedScales(120);
    auto page = load();
    gfx::RecordingSurface paper;
    // not the printer, which lays out for the paper: the stored fixed scales hold
    paper.setPrinter(false);
    page->BILD110(1, 0, 0, &paper);
    const auto heightOf = [](int k) { return 30 + 10 + 100 - (k + 1) * 10; };
    EXPECT_EQ(curveHeights(paper, colourOf(0)), (QSet<int>{heightOf(0), heightOf(7)}));
    EXPECT_EQ(curveHeights(paper, colourOf(6)), QSet<int>{heightOf(6)});
    for (int k = 0; k < 8; ++k) EXPECT_TRUE(paper.allText().contains(QStringLiteral("B%1").arg(k + 1)));
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(MSeite1Test, FifteenRecordsAllDrawnAndLabelled)
{
    EXPECT_EQ(MSeite1Drawer::symbolType(7), 0); // the eighth record
    EXPECT_EQ(MSeite1Drawer::symbolType(14), 7);
    for (int k = 0; k < 100; ++k) EXPECT_TRUE(MSeite1Drawer::symbolType(k) >= 0 && MSeite1Drawer::symbolType(k) <= 7) << k;

    for (int k = 0; k < 15; ++k) addRecord(k + 1, QStringLiteral("R%1").arg(k + 10), 1, 5, 30, 2E-6f);
    multipleEvaluation(true, 1);
    auto page = load();
    const auto paperPtr = onPaper(*page);
    const gfx::RecordingSurface& paper = *paperPtr;
    for (int k = 0; k < 15; ++k) EXPECT_EQ(paper.allText().count(QStringLiteral("R%1").arg(k + 10)), 2);
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(MSeite1Test, NoLabelsWhenLabellingIsOff)
{
    addRecord(1, QStringLiteral("KB-17"), 1, 6, 30, 3E-6f);
    addRecord(2, QStringLiteral("KB-18"), 1, 6, 30, 4E-6f);
    multipleEvaluation(true, 0);
    auto page = load();
    const auto paperPtr = onPaper(*page);
    const gfx::RecordingSurface& paper = *paperPtr;
    EXPECT_FALSE(paper.allText().contains(QStringLiteral("KB-1")));
    EXPECT_FALSE(curveHeights(paper, colourOf(1)).isEmpty()); // the curves are there
    // the header names both records and the comment
    gfx::RecordingSurface header;
    header.setPrinter(true);
    page->KOPFFUSSZEILE(1, &header);
    EXPECT_TRUE(header.allText().contains(QStringLiteral("KB-17, KB-18")));
    EXPECT_TRUE(header.allText().contains(QStringLiteral("Baufeld Nord")));
}

TEST_F(MSeite1Test, SingleRecordKeepsTheStoredLimitsWhileSeveralStartFromTheData)
{
    addRecord(1, QStringLiteral("P1"), 1, 6, 60, 2E-6f);
    multipleEvaluation(true, 1);
    exec(QStringLiteral("INSERT INTO [G0] ([ID],[IDOBJEKT],[XMIN],[XMAX],[YMIN],[YMAX]) VALUES (0,110,0,500,0,1E-3)"));
    auto page = load();
    EXPECT_EQ(page->rescaleFlag(), 0);
    EXPECT_FLOAT_EQ(g0("XMAX"), 500);
    EXPECT_FLOAT_EQ(g0("YMAX"), 1E-3f);

    addRecord(2, QStringLiteral("P2"), 1, 6, 60, 3E-6f);
    exec(QStringLiteral("UPDATE [A1] SET [BONEU]=1 WHERE [ID]=0"));
    load();
    EXPECT_LT(g0("XMAX"), 20);
    EXPECT_LT(g0("YMAX"), 1E-5f);
    EXPECT_GE(g0("YMAX"), 3E-6f);
    // Bild 120 takes over the new limits and scales
    ado::Recordset rs(QStringLiteral("SELECT [XMAX],[MX] FROM [G0] WHERE [ID]=0 AND [IDOBJEKT]=120"), s.cnnX);
    ASSERT_FALSE(rs.Eof());
    EXPECT_FLOAT_EQ(rs.Value(0).toFloat(), g0("XMAX"));
    EXPECT_FLOAT_EQ(rs.Value(1).toFloat(), g0("MX"));
}

TEST_F(MSeite1Test, SettingsRowThatCannotBeStoredIsRolledBackAndReported)
{
    addRecord(1, QStringLiteral("P1"), 1, 6, 60, 2E-6f);
    multipleEvaluation(true, 1);
    exec(QStringLiteral("CREATE TRIGGER [nein] BEFORE UPDATE OF [MYMX] ON [G0] BEGIN SELECT RAISE(ABORT, 'gesperrt'); END"));
    load();
    EXPECT_NE(g0("RL"), 11); // nothing of the row before the failing value
    bool reported = false;
    for (const auto& box : ui->boxes())
        reported = reported || (box.title == QStringLiteral("Bild 110") && box.text.startsWith(QStringLiteral("VB-Error: ")));
    EXPECT_TRUE(reported);
}

TEST_F(MSeite1Test, RecordWithoutResultsIsLeftOut)
{
    addRecord(1, QStringLiteral("S1"), 1, 6, 30, 2E-6f);
    addRecord(2, QStringLiteral("S2"), 1, 6, 30, 0, false);
    addRecord(3, QStringLiteral("S3"), 1, 1, 30, 0, false); // one reading only
    addRecord(4, QStringLiteral("S4"), 1, 6, 30, 5E-6f);
    multipleEvaluation(true, 1);
    QList<int> progress;
    auto page = load(&progress);
    EXPECT_EQ(progress, (QList<int>{5, 40, 70, 95}));
    EXPECT_EQ(page->recordsWithoutResults(), (QStringList{QStringLiteral("S2"), QStringLiteral("S3")}));
    const auto paperPtr = onPaper(*page, false);
    const gfx::RecordingSurface& paper = *paperPtr;
    EXPECT_TRUE(paper.allText().contains(QStringLiteral("S4")));
    EXPECT_FALSE(paper.allText().contains(QStringLiteral("S2")));
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(MSeite1Test, PageWithoutAnyResultsShowsEmptyDiagramsWithoutABox)
{
    addRecord(1, QStringLiteral("L1"), 1, 6, 30, 0, false);
    addRecord(2, QStringLiteral("L2"), 3, 2, 30, 0, false); // n above the readings
    multipleEvaluation(true, 1);
    auto page = load();
    const auto paperPtr = onPaper(*page);
    const gfx::RecordingSurface& paper = *paperPtr;
    EXPECT_TRUE(paper.allText().contains(QStringLiteral("t [h]")));
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(MSeite1Test, EachCurveAndPointComesFromItsOwnRecord)
{
    // the current (first active) record has n = 1 and 2-hour readings; the
    // other n = 2, hourly readings and another k10
    addRecord(1, QStringLiteral("A"), 1, 5, 120, 1E-6f);
    addRecord(2, QStringLiteral("B"), 2, 8, 60, 5E-6f);
    multipleEvaluation(false, 0);
    fixedScales(110);
    fixedScales(120);
    auto page = load();
    const ResultSeries own = ResultSeries::read(s.cnnX, 2);
    ASSERT_EQ(own.K10.size(), 6);
    const auto xOf = [](float left, float t) { return left + 11 + t / 0.1f; };

    gfx::RecordingSurface paper;
    // not the printer, which lays out for the paper: the stored fixed scales hold
    paper.setPrinter(false);
    page->BILD110(1, 0, 0, &paper);
    EXPECT_EQ(curveHeights(paper, colourOf(0)), QSet<int>{130});
    EXPECT_EQ(curveHeights(paper, colourOf(1)), QSet<int>{90});
    QSet<int> xs, expected;
    for (const gfx::DrawCall& c : paper.lines())
        if (c.color == colourOf(1) && std::abs(c.b.x() - c.a.x()) > 3) xs << qRound(c.a.x() * 10) << qRound(c.b.x() * 10);
    for (float tm : own.TM) expected << qRound(xOf(15, tm) * 10);
    EXPECT_EQ(xs, expected);

    // Bild 120: B's symbol sits on the last point of its Bild 110 curve
    paper.forget();
    page->BILD120(1, 0, 0, &paper);
    const QPointF last(xOf(137.5f, own.TM.last()), 90);
    int near = 0;
    for (const gfx::DrawCall& c : paper.calls())
        if (c.color == colourOf(1) && c.kind != gfx::DrawCall::Text) {
            EXPECT_LT(QLineF(c.a, last).length(), 1.5);
            ++near;
        }
    EXPECT_GT(near, 0);
}

} // namespace
