// The result page of one record on real project databases: what it reads,
// what it draws (through the recording surface, in printer mode at the
// page's positions), what it stores in G0, and records with little or no data.
#include "PageProject.h"
#include "common/PdfText.h"
#include "common/TestSupport.h"
#include "data/Ado.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "graphics/PrinterSurface.h"
#include "graphics/RecordingSurface.h"
#include "graphics/VBColor.h"
#include "graphics/clsGRAFIK.h"
#include "evaluation/ResultSeries.h"
#include "pages/Seite1Drawer.h"
#include "pages/StepRangeMarks.h"
#include "platform/Convert.h"
#include "platform/MsgBox.h"
#include "platform/System.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>
#include <cmath>

namespace {

struct Record {
    int n = 1;
    QVector<float> det;        // min, per reading
    QVector<float> hst;        // mm
    QVector<float> k10;        // one per evaluated interval
    int resultRows = -1;       // A2 rows with PHI/DETN; -1: as the evaluation writes them
    bool boneu = true;
    short bild14an = 0;
};

class Seite1 : public PageProject {
protected:
    Seite1()
    {
        s.BEARBEITER = QStringLiteral("DI Huber");
        s.PROJEKT = QStringLiteral("P-2417");
    }

    // Record 1, active: readings every det minutes falling by hst, results as
    // an evaluation with step width n leaves them.
    void addRecord(const Record& r)
    {
        exec("INSERT INTO [E1] ([ID],[KEN],[KOM],[AKT]) VALUES (1,'SR-B3','Baufeld Nord',1)");
        exec(QStringLiteral("INSERT INTO [E2] ([ID],[H],[STRO],[N]) VALUES (1,1250,'SR 300/20',%1)").arg(r.n));
        exec(QStringLiteral("INSERT INTO [A1] ([ID],[BONEU],[BILD14AN],[GITT],[GITK10]) VALUES (1,%1,%2,1,1)")
                 .arg(r.boneu ? 1 : 0)
                 .arg(r.bild14an));
        ado::Transaction tx(s.cnnX);
        const int readings = r.det.size();
        for (int i = 0; i < readings; ++i)
            exec(QStringLiteral("INSERT INTO [E3] ([ID],[I1],[DET],[TEMP],[HST],[HKO]) VALUES (1,%1,%2,11.5,%3,40)")
                     .arg(i)
                     .arg(r.det[i])
                     .arg(r.hst[i]));
        const int s1 = r.n - 1, K = readings - 1 - s1;
        const int rows = r.resultRows >= 0 ? r.resultRows : std::max(K + 1, 0);
        for (int i = 0; i < rows; ++i) {
            float detn = r.det[std::min(i, readings - 1)];
            exec(QStringLiteral("INSERT INTO [A2] ([ID],[I1],[PHI],[DETN]) VALUES (1,%1,%2,%3)")
                     .arg(i)
                     .arg(1250 - r.hst[std::min(i + (i ? s1 : 0), readings - 1)])
                     .arg(detn * r.n));
        }
        for (int j = 0; j < r.k10.size(); ++j)
            exec(QStringLiteral("UPDATE [A2] SET [K10]=%2,[DEHKO]=0 WHERE [ID]=1 AND [I1]=%1").arg(j).arg(r.k10[j]));
        tx.commit();
    }

    static Record demo(int readings = 12, int n = 1)
    {
        Record r;
        r.n = n;
        for (int i = 0; i < readings; ++i) {
            r.det.append(i == 0 ? 0 : 15);
            r.hst.append(300 + 40 * i);
        }
        for (int j = 0; j < readings - n; ++j) r.k10.append(3.2e-7f * (1 + 0.05f * j));
        return r;
    }

    void clearRecords()
    {
        for (const char* table : {"E1", "E2", "E3", "A1", "A2", "G0"}) exec(QStringLiteral("DELETE FROM [%1]").arg(QLatin1String(table)));
    }

    QVariant g0(int idObjekt, const char* column)
    {
        ado::Recordset rs(QStringLiteral("SELECT [%1] FROM [G0] WHERE [ID]=1 AND [IDOBJEKT]=%2")
                              .arg(QString::fromLatin1(column))
                              .arg(idObjekt),
                          s.cnnX);
        return rs.Eof() ? QVariant() : rs.Value(0);
    }

    std::unique_ptr<Seite1Drawer> load()
    {
        auto page = std::make_unique<Seite1Drawer>(s);
        page->useOffscreenScreen(96 / 25.4); // the screen of a window on an ordinary display
        page->progress = [this](int v) { progress.append(v); };
        page->load();
        return page;
    }

    static bool hasText(const gfx::RecordingSurface& r, const QString& text) { return r.allText().contains(text); }

    QList<int> progress;
};

} // namespace

TEST_F(Seite1, DemoRecordDrawsTitleStepWidthLegendCurveTableAndHeader)
{
    addRecord(demo());
    auto page = load();
    EXPECT_EQ(progress, (QList<int>{0, 20, 50, 70, 95}));
    EXPECT_EQ(page->rescaleFlag(), 0);
    EXPECT_EQ(page->recordId(), 1);
    EXPECT_TRUE(ui->boxes().isEmpty());

    // scales computed for the paper, not kept from the screen
    exec("UPDATE [G0] SET [MX]=0,[MY]=0");
    gfx::RecordingSurface paper;
    paper.setPrinter(true);
    page->BILD11(1, 0, 5, &paper);
    EXPECT_TRUE(paper.calls(gfx::DrawCall::Clear).isEmpty());
    EXPECT_TRUE(hasText(paper, QStringLiteral("Zeitverlauf des Durchlässigkeitsbeiwertes")));
    EXPECT_TRUE(hasText(paper, QStringLiteral("n = 1")));
    // the k10 curve: 10 segments between the 11 points, all inside the plot area
    // of 124 x 141 mm at (15, 35) less the margins 11, 12, 10, 11
    const QRectF plot(QPointF(15 + 11, 35 + 10), QPointF(15 + 124 - 12, 35 + 141 - 11));
    const QRectF within = plot.adjusted(-0.01, -0.01, 0.01, 0.01);
    int inside = 0, legendLines = 0;
    for (const auto& l : paper.lines()) {
        if (!within.contains(l.a) || !within.contains(l.b)) continue;
        ++inside;
        // a tenth of the plot's width, in its lower right corner
        if (l.a.y() == l.b.y() && std::abs(std::abs(l.b.x() - l.a.x()) - 0.1 * plot.width()) < 0.05 &&
            l.a.y() > plot.center().y() && std::min(l.a.x(), l.b.x()) > plot.center().x())
            ++legendLines;
    }
    EXPECT_GE(inside, 10);
    EXPECT_EQ(legendLines, 1);
    // the legend's label is drawn as runs: "k" and the subscript "10"
    bool legend = false;
    const auto texts = paper.texts();
    for (int i = 0; i + 1 < texts.size(); ++i)
        legend = legend || (texts[i].text.trimmed() == QStringLiteral("k") && texts[i + 1].text == QStringLiteral("10") &&
                            texts[i + 1].font.size < texts[i].font.size && plot.contains(texts[i].a));
    EXPECT_TRUE(legend);

    paper.forget();
    page->BILD13(1, 20, 10, &paper);
    EXPECT_TRUE(hasText(paper, QStringLiteral("Nr.")));
    EXPECT_TRUE(hasText(paper, QStringLiteral("[m/s]")));
    EXPECT_TRUE(hasText(paper, QStringLiteral("740,0"))); // h' of reading 11, every row on paper
    EXPECT_FALSE(hasText(paper, QStringLiteral("nicht auswertbar")));

    paper.forget();
    page->KOPFFUSSZEILE(1, &paper);
    EXPECT_TRUE(hasText(paper, Seite1Drawer::pageHeading()));
    EXPECT_TRUE(hasText(paper, QStringLiteral("SR-B3")));
    EXPECT_TRUE(hasText(paper, QStringLiteral("Projekt P-2417")));
    EXPECT_TRUE(hasText(paper, QStringLiteral("Hydrogeotechnische Prüfanstalt Steinfeld")));
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(Seite1, RescaleStoresTheLimitsAndLaterDrawingsUseTheStoredOnes)
{
    Record r = demo();
    addRecord(r);
    auto page = load();
    // 11 readings of 15 min: 2.75 h snap up to 3 on the time axis
    EXPECT_FLOAT_EQ(g0(11, "XMIN").toFloat(), 0);
    EXPECT_FLOAT_EQ(g0(11, "XMAX").toFloat(), 3);
    EXPECT_LE(g0(11, "YMIN").toFloat(), r.k10.first());
    EXPECT_GT(g0(11, "YMAX").toFloat(), r.k10.last());
    EXPECT_EQ(g0(11, "OX").toInt(), 1);
    EXPECT_FLOAT_EQ(g0(11, "RU").toFloat(), 11);
    EXPECT_NE(g0(11, "MX").toFloat(), 0);

    // The user's limits stay: no rescale after the load.
    exec("UPDATE [G0] SET [XMAX]=10,[MX]=0,[MY]=0 WHERE [ID]=1 AND [IDOBJEKT]=11");
    gfx::RecordingSurface paper;
    paper.setPrinter(true);
    page->BILD11(1, 0, 5, &paper);
    EXPECT_FLOAT_EQ(g0(11, "XMAX").toFloat(), 10);
    EXPECT_TRUE(hasText(paper, QStringLiteral("10,0")));

    // Asked to rescale again, the limits follow the data once more (stored by
    // the screen: a printed copy stores nothing).
    page->setRescaleFlag(-1);
    page->BILD11();
    EXPECT_FLOAT_EQ(g0(11, "XMAX").toFloat(), 3);
}

TEST_F(Seite1, StepWidthThreeTakesItsTimesFromTheReadings)
{
    Record r = demo(6, 3);
    r.det = {0, 10, 20, 30, 40, 50}; // t = 0, 1/6, 1/2, 1, 5/3, 5/2 h
    // a row left behind by an earlier evaluation with more readings
    r.resultRows = 6;
    addRecord(r);
    const ResultSeries rs = ResultSeries::read(s.cnnX, 1);
    EXPECT_EQ(rs.AN, 6);
    ASSERT_EQ(rs.DETN.size(), 4); // K = 5 - 2
    ASSERT_EQ(rs.K10.size(), 3);
    ASSERT_EQ(rs.T.size(), 4);
    ASSERT_EQ(rs.TM.size(), 3);
    const float want[] = {0, 1, 5.0f / 3, 2.5f};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(rs.T[i], want[i], 1e-6) << i;
    // middle of step j: (t(j) + t(j+3) - t(0)) / 2
    EXPECT_NEAR(rs.TM[0], 0.5, 1e-6);
    EXPECT_NEAR(rs.TM[1], (1.0 / 6 + 5.0 / 3) / 2, 1e-6);
    EXPECT_NEAR(rs.TM[2], (0.5 + 2.5) / 2, 1e-6);
}

TEST_F(Seite1, StepWidthOneKeepsTheRunningSumsBitForBit)
{
    Record r = demo(9, 1);
    r.det = {0.3f, 7.1f, 13.7f, 5.9f, 22.3f, 1.7f, 9.9f, 3.3f, 17.1f};
    addRecord(r);
    const ResultSeries rs = ResultSeries::read(s.cnnX, 1);
    ASSERT_EQ(rs.T.size(), 9);
    ASSERT_EQ(rs.TM.size(), 8);
    float T = r.det[0] / 60.0f, TM = 0;
    EXPECT_EQ(rs.T[0], T);
    for (int i = 1; i < 9; ++i) {
        T = T + r.det[i] / 60.0f;
        EXPECT_EQ(rs.T[i], T) << i;
    }
    for (int j = 0; j < 8; ++j) {
        const float M = (r.det[j] + r.det[j + 1]) / 2.0f;
        TM = j == 0 ? M / 60.0f : TM + M / 60.0f;
        EXPECT_EQ(rs.TM[j], TM) << j;
    }
}

TEST_F(Seite1, RecordsWithoutResultsDrawEmptyDiagramsWithoutAnyBox)
{
    struct Case {
        const char* what;
        Record r;
    };
    Record none = demo(5);
    none.k10.clear();
    none.resultRows = 0;
    Record one = demo(1);
    Record wide = demo(4, 4); // n equal to the number of readings
    wide.resultRows = 0;
    Record nothing;
    for (const Case& c : {Case{"no results", none}, Case{"one reading", one}, Case{"n >= readings", wide},
                          Case{"no readings", nothing}}) {
        clearRecords();
        addRecord(c.r);
        auto page = load();
        gfx::RecordingSurface paper;
        paper.setPrinter(true);
        for (const auto& d : page->diagrams()) d.draw(1, d.xOffset, d.yOffset, &paper);
        EXPECT_TRUE(ui->boxes().isEmpty()) << c.what << ": " << ui->boxes().value(0).text.toStdString();
        EXPECT_TRUE(hasText(paper, QStringLiteral("t [h]"))) << c.what;
        EXPECT_TRUE(page->series().TM.isEmpty()) << c.what;
        ui->clear();
    }
}

TEST_F(Seite1, TableMarksUnevaluableIntervalsAndLeavesMissingOnesEmpty)
{
    Record r = demo(5);
    r.k10 = {4e-7f, 0, 5e-7f}; // the last interval has no result
    addRecord(r);
    auto page = load();
    const auto body = page->tableBody();
    ASSERT_EQ(body.cells.size(), 7);
    ASSERT_EQ(body.cells[0].size(), 5);
    EXPECT_FALSE(body.cells[6][0].isValid()); // no interval ends with reading 0
    EXPECT_FLOAT_EQ(body.cells[6][1].toFloat(), 4e-7f);
    EXPECT_EQ(body.cells[6][2].toString(), QStringLiteral("0.0E0  *"));
    EXPECT_FALSE(body.cells[6][4].isValid());
    EXPECT_FALSE(body.cells[4][4].isValid());
    EXPECT_TRUE(body.cells[5][4].isValid()); // PHI of the last result row
    EXPECT_TRUE(body.footnote.startsWith(QStringLiteral("* nicht auswertbar"))) << body.footnote.toStdString();

    gfx::RecordingSurface paper;
    paper.setPrinter(true);
    page->BILD13(1, 20, 10, &paper);
    EXPECT_TRUE(hasText(paper, QStringLiteral("0.0E0  *")));
    EXPECT_TRUE(hasText(paper, QStringLiteral("* nicht auswertbar")));
}

// Every row is one reading: its h' beside the head that ends there (H - h'
// with no reference-level change) and the k10 of the step window ending there.
TEST_F(Seite1, TableRowsHoldTheValuesOfTheirOwnReadingForEveryStepWidth)
{
    for (int n = 1; n <= 3; ++n) {
        clearRecords();
        Record r = demo(7, n);
        addRecord(r);
        const auto body = load()->tableBody();
        ASSERT_EQ(body.cells[0].size(), 7);
        // the foot names its steps by the rows (readings) they end at too
        EXPECT_TRUE(body.footLabels.value(0).endsWith(QStringLiteral("Schritte 1–%1 (Nr. %2–%3)").arg(7 - n).arg(n).arg(6)))
            << body.footLabels.value(0).toStdString();
        for (int row = 0; row < 7; ++row) {
            const QVariant phi = body.cells[5][row], k10 = body.cells[6][row];
            // the first head at reading 0, the others from the end of the first window on
            EXPECT_EQ(phi.isValid(), row == 0 || row >= n) << "n = " << n << ", row " << row;
            if (phi.isValid()) {
                EXPECT_FLOAT_EQ(phi.toFloat(), 1250 - body.cells[3][row].toFloat()) << n << "/" << row;
            }
            EXPECT_EQ(k10.isValid(), row >= n) << "n = " << n << ", row " << row;
            if (row >= n) {
                EXPECT_FLOAT_EQ(k10.toFloat(), r.k10[row - n]) << n << "/" << row;
            }
        }
    }
}

// A settings row that cannot be written whole is not written at all, and the
// diagram says so.
TEST_F(Seite1, FrameThatCannotBeStoredIsRolledBackAndReported)
{
    addRecord(demo());
    exec("CREATE TRIGGER [nein] BEFORE UPDATE OF [MYMX] ON [G0] BEGIN SELECT RAISE(ABORT, 'gesperrt'); END");
    auto page = load();
    EXPECT_TRUE(g0(11, "RL").isNull()); // nothing of the row before the failing value
    bool reported = false;
    for (const auto& box : ui->boxes())
        reported = reported || (box.title == QStringLiteral("Bild 11") && box.text.startsWith(QStringLiteral("VB-Error: ")));
    EXPECT_TRUE(reported);
}

// Steps 3 to the last on a logarithmic axis: the foot takes the evaluable
// steps of the range, the rows before it are grey, and Bild 11 puts the
// decades 1E-9 ... 1E-6 at equal distances.
TEST_F(Seite1, ChosenStepsOnALogarithmicAxis)
{
    Record r = demo(8);
    r.k10 = {1e-9f, 5e-9f, 2e-8f, 0, 1e-7f, 3e-7f, 2e-7f};
    addRecord(r);
    exec("UPDATE [A1] SET [VON]=3,[LOGK10]=1 WHERE [ID]=1");
    auto page = load();
    const auto body = page->tableBody();
    EXPECT_EQ(body.foot[6].size(), 4); // steps 3, 5, 6, 7
    EXPECT_TRUE(body.footLabels.value(0).contains(QStringLiteral("Schritte 3–7")));
    EXPECT_TRUE(body.footnote.contains(QStringLiteral("1 Schritt"))) << body.footnote.toStdString();
    for (int row = 0; row < 8; ++row) EXPECT_EQ(body.rowColours[row] == gfx::QBColor(8), row < 3) << row;

    gfx::RecordingSurface paper;
    paper.setPrinter(true);
    page->BILD11(1, 0, 5, &paper);
    const QRectF plot(QPointF(15 + 11, 35 + 10), QPointF(15 + 124 - 12, 35 + 141 - 11));
    QSet<int> across; // heights (0.01 mm) of the lines over the whole plot width
    bool dashed = false;
    for (const auto& l : paper.lines()) {
        if (std::abs(l.a.y() - l.b.y()) > 1e-6) continue;
        if (std::abs(std::abs(l.b.x() - l.a.x()) - plot.width()) < 0.01) across << qRound(l.a.y() * 100);
        dashed = dashed || l.style == 1;
    }
    QList<int> ys(across.begin(), across.end());
    std::sort(ys.begin(), ys.end());
    ASSERT_EQ(ys.size(), 4) << "decade lines";
    EXPECT_NEAR(ys.first() / 100.0, plot.top(), 0.01);
    EXPECT_NEAR(ys.last() / 100.0, plot.bottom(), 0.01);
    for (int i = 1; i < 4; ++i) EXPECT_NEAR(ys[i] - ys[i - 1], plot.height() * 100 / 3, 2) << i;
    EXPECT_TRUE(dashed); // the mean of the range
    EXPECT_TRUE(ui->boxes().isEmpty()) << ui->boxes().value(0).text.toStdString();
}

TEST_F(Seite1, LevelOverlayDrawsIntoBild11OnTheSameFrame)
{
    Record r = demo();
    r.boneu = false; // no rescale: the overlay's G0 row is missing and must be made whole
    r.bild14an = 1;
    addRecord(r);
    exec("INSERT INTO [G0] ([ID],[IDOBJEKT],[OX],[OY],[RL],[RR],[RO],[RU],[XMIN],[XMAX],[YMIN],[YMAX],[MYMX],[MX],[MY])"
         " VALUES (1,11,1,1,11,12,10,11,0,3,0,5E-7,0,0,0)");
    auto page = load();
    EXPECT_EQ(g0(14, "OX").toInt(), 1);
    EXPECT_EQ(g0(14, "OY").toInt(), 1);
    EXPECT_FLOAT_EQ(g0(14, "RU").toFloat(), 11);
    EXPECT_FLOAT_EQ(g0(14, "RR").toFloat(), 12);
    EXPECT_GT(g0(14, "YMAX").toFloat(), 1250 - 300 - 1); // limits from the heads

    gfx::RecordingSurface paper;
    paper.setPrinter(true);
    page->BILD11(1, 0, 5, &paper);
    EXPECT_TRUE(hasText(paper, QStringLiteral("f"))); // the legend's Greek phi
    const int before = paper.calls().size();
    page->BILD14(1, 0, 5, &paper);
    EXPECT_TRUE(paper.calls(gfx::DrawCall::Clear).isEmpty());
    int red = 0;
    for (int i = before; i < paper.calls().size(); ++i)
        if (paper.calls()[i].kind == gfx::DrawCall::Line && paper.calls()[i].color == gfx::QBColor(12)) ++red;
    // the curve through 12 heads plus upright crosses (two strokes each) and the right axis
    EXPECT_GE(red, 11 + 2 * 12);
    EXPECT_TRUE(hasText(paper, QStringLiteral("[mm]")));
    // the mean's value waits for the overlay, to stand clear of it too
    EXPECT_TRUE(paper.calls().last().text.endsWith(QStringLiteral(" m/s")));
    EXPECT_TRUE(ui->boxes().isEmpty());
}

namespace {

// The words of each sheet of a PDF with their boxes (points from the top).
struct Word {
    QString text;
    double top = 0, bottom = 0;
};
QList<QList<Word>> sheetWords(const QString& pdf)
{
    const QString html = testsupport::runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression word(QStringLiteral("<word xMin=\"[^\"]+\" yMin=\"([^\"]+)\" xMax=\"[^\"]+\" yMax=\"([^\"]+)\">([^<]*)</word>"));
    QList<QList<Word>> sheets;
    for (const QString& page : html.split(QStringLiteral("<page "), Qt::SkipEmptyParts).mid(1)) {
        sheets.append(QList<Word>());
        for (auto it = word.globalMatch(page); it.hasNext();) {
            const auto m = it.next();
            sheets.last().append({m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()});
        }
    }
    return sheets;
}

// Readings without a temperature were computed at 0 °C: the page says how many.
TEST_F(Seite1, FootnoteCountsTheReadingsWithoutATemperature)
{
    addRecord(demo(5));
    exec("UPDATE [E3] SET [TEMP]=NULL WHERE [ID]=1 AND [I1]<3");
    gfx::RecordingSurface paper;
    paper.setPrinter(true);
    load()->BILD13(1, 20, 10, &paper);
    EXPECT_TRUE(hasText(paper, QStringLiteral("Ohne Temperatur: 3 Messwerte, mit 0 °C gerechnet")));
}

} // namespace

// A table longer than the paper holds runs on over further sheets of the job:
// no row lost or doubled, none drawn into the footer, each sheet numbered.
TEST_F(Seite1, LongTableRunsOnOverFurtherSheetsClearOfTheFooter)
{
    Record r = demo(80);
    r.k10[76] = 0; // unevaluable: its mark lies on the last sheet
    addRecord(r);
    auto page = load();
    const QString pdf = dir.file(QStringLiteral("lang.pdf"));
    {
        auto printer = gfx::PrinterSurface::pdfWriter(pdf);
        ASSERT_TRUE(page->print(*printer));
    }
    EXPECT_TRUE(ui->boxes().isEmpty());
    const auto sheets = sheetWords(pdf);
    const int n = static_cast<int>(sheets.size());
    ASSERT_GT(n, 1);
    EXPECT_EQ(testsupport::pdfPages(pdf), n);

    // every row shows decimals (T, h', phi): a row drawn low cannot hide
    static const QRegularExpression cell(QStringLiteral("^-?\\d+,\\d$|E-"));
    QMap<QString, int> hst; // h' of a reading, unique per row
    for (int k = 0; k < n; ++k) {
        QStringList texts;
        double footer = -1;
        for (const Word& w : sheets[k]) {
            texts.append(w.text);
            if (w.text == QStringLiteral("Bearbeiter:")) footer = w.top;
        }
        const QString all = texts.join(QLatin1Char(' '));
        ASSERT_GT(footer, 0) << "sheet " << k + 1;
        EXPECT_TRUE(all.contains(QStringLiteral("Seite %1/%2").arg(k + 1).arg(n))) << all.toStdString();
        EXPECT_TRUE(all.contains(QStringLiteral("[m/s]"))) << "head block on sheet " << k + 1;
        EXPECT_EQ(all.contains(QStringLiteral("Zeitverlauf")), k == 0) << "Bild 11 on sheet " << k + 1;
        EXPECT_EQ(all.contains(QStringLiteral("nicht auswertbar")), k == n - 1) << "footnote on sheet " << k + 1;
        for (const Word& w : sheets[k]) {
            if (!cell.match(w.text).hasMatch()) continue;
            EXPECT_LE(w.bottom, footer) << w.text.toStdString() << " on sheet " << k + 1;
            if (w.text.endsWith(QStringLiteral(",0")) && w.text.chopped(2).toInt() >= 300) ++hst[w.text];
        }
    }
    for (int i = 0; i < 80; ++i) EXPECT_EQ(hst.value(vb::CStr(300.0f + 40 * i) + QStringLiteral(",0")), 1) << i;
}

TEST_F(Seite1, TableThatFitsKeepsItsOneSheet)
{
    addRecord(demo(19)); // a straight fall of the level: the curvature note takes a line below the foot
    auto page = load();
    const QString pdf = dir.file(QStringLiteral("kurz.pdf"));
    {
        auto printer = gfx::PrinterSurface::pdfWriter(pdf);
        ASSERT_TRUE(page->print(*printer));
    }
    EXPECT_EQ(testsupport::pdfPages(pdf), 1);
    const QString text = testsupport::pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Seite 1/1")));
    EXPECT_TRUE(text.contains(QStringLiteral("1020,0"))); // h' of the last reading
}

// The mean's value drawn after another curve (the level overlay) stands clear of that curve too.
TEST(MeanValue, StandsClearOfACurveDrawnOverTheDiagram)
{
    Session s;
    QVector<float> tm, k10;
    for (int i = 1; i < 20; ++i) tm << static_cast<float>(i), k10 << 5;
    const StepSummary sum = StepSummary::of(k10, StepRange{1, 19});
    for (bool avoided : {false, true}) {
        gfx::RecordingSurface rec;
        clsGRAFIK g(s);
        g.setEOBJEKT(&rec);
        g.setELX(100);
        g.setELY(80);
        g.setScales(1, 1, 10, 10, 10, 10, 0, 20, 0, 10, 0.25f, 10.0f / 60); // plot 80 x 60 mm at (10, 10)
        // a curve just above the mean's line, where its value stands when nothing else is drawn
        const QVector<QPointF> over = StepRangeMarks::pagePath(g, {8, 20}, {5.6f, 5.6f}, false);
        StepRangeMarks::drawMeanValue(g, tm, k10, sum, false, QRectF(), avoided ? over : QVector<QPointF>{});
        QRectF label;
        for (const gfx::DrawCall& c : rec.texts())
            label |= QRectF(c.a, QSizeF(0.5 * gfx::RecordingSurface::em(c.font) * c.text.size(), 4));
        ASSERT_FALSE(label.isEmpty());
        EXPECT_EQ(std::any_of(over.begin(), over.end(), [&](QPointF p) { return label.contains(p); }), !avoided);
    }
}

// The mean's value stands clear of the curve (settling just above its mean; scattering close around it) and of
// the legend (a mean at its height).
TEST_F(Seite1, MeanValueStandsClearOfTheCurveAndTheLegend)
{
    for (const QVector<float>& k10 : {QVector<float>{9e-7f, 7e-7f, 5e-7f, 3e-7f, 3e-7f, 3e-7f, 3e-7f, 3.3e-7f, 3.3e-7f, 3.3e-7f, 3.3e-7f},
                                      QVector<float>{9e-7f, 7e-7f, 5e-7f, 3e-7f, 3.2e-7f, 2.9e-7f, 3.2e-7f, 2.9e-7f, 3.1e-7f, 2.9e-7f, 3.2e-7f},
                                      QVector<float>{5e-7f, 4e-7f, 3e-7f, 2e-7f, 1.5e-7f, 1.1e-7f, 1.1e-7f, 1.1e-7f, 1.1e-7f, 1.1e-7f, 1.1e-7f}}) {
        clearRecords();
        Record r = demo(12);
        r.k10 = k10;
        addRecord(r);
        exec("UPDATE [A1] SET [VON]=4 WHERE [ID]=1");
        gfx::RecordingSurface paper;
        paper.setPrinter(true);
        load()->BILD11(1, 0, 5, &paper);
        // drawn in this order: axes, curve, title, step width, legend, the mean's line, its value
        const auto& c = paper.calls();
        qsizetype title = 0, dash = 0, legend = 0;
        for (qsizetype i = 0; i < c.size(); ++i) {
            if (c[i].text.startsWith(QStringLiteral("Zeitverlauf"))) title = i;
            if (c[i].kind == gfx::DrawCall::Line && (c[i].style == 1 ? (dash = i) : (title && !legend && (legend = i)))) {}
        }
        auto box = [&](qsizetype i) { return QRectF(c[i].a, QSizeF(0.5 * gfx::RecordingSurface::em(c[i].font) * c[i].text.size(), 4)); };
        QRectF label, keep(c[legend].a, c[legend].b + QPointF(0, 0.1));
        for (qsizetype i = legend + 1; i < dash; ++i) keep |= box(i);
        for (qsizetype i = dash + 1; i < c.size(); ++i) label |= box(i);
        EXPECT_FALSE(label.isEmpty() || label.intersects(keep)) << k10.last();
        for (qsizetype i = title - 1; c[i].kind != gfx::DrawCall::Text; --i) // back to the axis title
            for (int k = 0; k <= 50; ++k)
                EXPECT_FALSE(label.contains(c[i].a + ((c[i].kind == gfx::DrawCall::Line ? c[i].b : c[i].a) - c[i].a) * k / 50.0)) << k10.last();
    }
}
