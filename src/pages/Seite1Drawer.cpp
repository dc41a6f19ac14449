#include "pages/Seite1Drawer.h"

#include "data/Schema.h"
#include "data/Session.h"
#include "data/clsDATEN.h"
#include "evaluation/EvaluationRows.h"
#include "graphics/VBColor.h"
#include "graphics/clsGRAFIK.h"
#include "graphics/clsKOPFFUSS.h"
#include "graphics/clsTABELLE.h"
#include "pages/G0Frame.h"
#include "pages/PermeabilityAxes.h"
#include "pages/StepRangeMarks.h"
#include "platform/Convert.h"
#include "platform/OnError.h"
#include "platform/System.h"

#include <QScopeGuard>
#include <cmath>
#include <utility>

namespace {

const QString kNichtAuswertbar = QStringLiteral("0.0E0  *");
const QString kFussnote = QStringLiteral("* nicht auswertbar");
constexpr short kOutsideColour = 8; // grey: steps left out of the reported value
constexpr short kLevelColour = 12; // light red
constexpr short kLogHeadRow = 15;  // G0 row of the overlay on its logarithmic axis
// Bild 11 and its overlay on paper, in mm
const QSizeF kPaperDiagram(124, 141);

// The overlay divides time as Bild 11 does.
void copyTimeAxis(const clsGRAFIK& from, clsGRAFIK& to)
{
    to.setELXMIN(from.ELXMIN());
    to.setELXDIFF(from.ELXDIFF());
    to.setELXIT(from.ELXIT());
    to.setELXGIT(from.ELXGIT());
    to.setETEXTX(from.ETEXTX());
    to.setESKZX(from.ESKZX());
}

} // namespace

Seite1Drawer::Seite1Drawer(Session& s)
    : PageDrawer(s), m_rect11(15, 30, 110, 125), m_rect12(m_rect11.right() + 3, m_rect11.top(), 240 - m_rect11.width() - 3, 7),
      m_rect13(m_rect12.left(), m_rect12.bottom() + 3, m_rect12.width(), m_rect11.height() - m_rect12.height() - 3)
{
}

Seite1Drawer::~Seite1Drawer() = default;

QString Seite1Drawer::pageHeading() { return QStringLiteral("Durchlässigkeitsversuch mit Standrohr"); }

QVector<PageDrawer::Box> Seite1Drawer::boxes() const
{
    return {{QStringLiteral("picBILD11"), m_rect11}, {QStringLiteral("picBILD12"), m_rect12}, {QStringLiteral("picBILD13"), m_rect13}};
}

QVector<PageDrawer::Diagram> Seite1Drawer::diagrams()
{
    auto routine = [this](void (Seite1Drawer::*f)(short, float, float, gfx::Surface*)) {
        return [this, f](short mode, float dx, float dy, gfx::Surface* object) { (this->*f)(mode, dx, dy, object); };
    };
    return {
        {QStringLiteral("BILD11"), 0, 5, routine(&Seite1Drawer::BILD11)},
        {QStringLiteral("BILD12"), 20, 10, routine(&Seite1Drawer::BILD12)},
        {QStringLiteral("BILD13"), 20, 10, routine(&Seite1Drawer::BILD13), true},
        {QStringLiteral("BILD14"), 0, 5, routine(&Seite1Drawer::BILD14)},
    };
}

// ------------------------------------------------------------------ loading

void Seite1Drawer::load()
{
    resetHeaderFooter();
    setProgress(0);
    readRecord();
    vb::DoEvents();
    KOPFFUSSZEILE(0, nullptr);
    setProgress(20);
    vb::DoEvents();
    BILD11();
    setProgress(50);
    vb::DoEvents();
    BILD12();
    setProgress(70);
    vb::DoEvents();
    BILD13();
    BILD14();
    setProgress(95);
    vb::DoEvents();
    m_rescale = 0;
    m_loaded = true;
}

void Seite1Drawer::readRecord()
{
    // every object on the page's own session: a write joins the page's transaction
    auto open = [this](const char* table) {
        auto d = std::make_unique<clsDATEN>(m_s);
        d->setETABELLE(QString::fromLatin1(table));
        return d;
    };
    m_E1 = open("E1");
    m_E2 = open("E2");
    m_E3 = open("E3");
    m_A1 = open("A1");
    m_A2 = open("A2");
    m_G0 = open("G0");
    m_V1 = open("E1");
    m_V1->setETABELLE(schema::kProgramTitle + QStringLiteral("_V1"));
    m_V1->setEBOV(true);
    m_V1->setESPID(QString());

    m_id = m_E1->ESPIDW();
    m_E1->DTVT(QStringLiteral("KEN"), m_KEN);
    m_E1->DTVT(QStringLiteral("KOM"), m_KOM);
    bool boneu = false;
    m_A1->DTVB(QStringLiteral("BONEU"), boneu);
    m_rescale = boneu ? -1 : 0;
    m_E2->DTVS(QStringLiteral("H"), m_H);
    m_E2->DTVT(QStringLiteral("STRO"), m_STRO);
    m_E2->DTVI(QStringLiteral("N"), m_N);
    const Keys standpipe{{QStringLiteral("STRO"), QVariant(m_STRO)}};
    m_V1->DTVS(QStringLiteral("D1"), m_D1, standpipe);
    m_V1->DTVS(QStringLiteral("D2"), m_D2, standpipe);
    m_V1->DTVS(QStringLiteral("F"), m_F, standpipe);

    qint16 MINI = 0, MAXI = 0, AN = 0;
    m_E3->INDEX(MINI, MAXI, AN, {{"I1"}});
    m_MAXI = AN > 0 ? MAXI : -1;
    m_TEMP.fill(0, m_MAXI + 1);
    m_HST.fill(0, m_MAXI + 1);
    if (m_MAXI >= 0) {
        m_E3->DTVSF(QStringLiteral("TEMP"), m_TEMP, {{"I1"}});
        m_E3->DTVSF(QStringLiteral("HST"), m_HST, {{"I1"}});
    }
    m_series = ResultSeries::read(session().cnnX, m_id);
    m_withoutTemperature = EvaluationRows::readingsWithoutTemperature(session().cnnX, m_id);
    m_evaluation = ProjectSummary::evaluateInMemory(session(), m_id);
    readSwitches();
}

void Seite1Drawer::readSwitches()
{
    if (!m_A1) return;
    m_A1->DTVI(QStringLiteral("BILD14AN"), m_BILD14AN);
    m_A1->DTVV(QStringLiteral("VON"), m_VON);
    m_A1->DTVV(QStringLiteral("BIS"), m_BIS);
    m_A1->DTVB(QStringLiteral("LOGK10"), m_LOGK10);
    m_A1->DTVB(QStringLiteral("LOGPHI"), m_LOGPHI);
    m_A1->DTVI(QStringLiteral("GITT"), m_GITT);
    m_A1->DTVI(QStringLiteral("GITK10"), m_GITK10);
}

bool Seite1Drawer::writeFrame(short idObjekt, bool always)
{
    if (!m_G0) return false;
    const Keys row{{"IDOBJEKT", static_cast<int>(idObjekt)}};
    if (!always) {
        // a row without orientation or margins would draw mirrored or squeezed
        ado::Recordset rs(QStringLiteral("SELECT [OX],[OY],[RL],[RR],[RO],[RU] FROM [G0] WHERE [ID]=%1 AND [IDOBJEKT]=%2")
                              .arg(m_id)
                              .arg(idObjekt),
                          session().cnnX);
        bool complete = !rs.Eof();
        for (int c = 0; complete && c < rs.FieldCount(); ++c) complete = !rs.Value(c).isNull();
        if (complete) return false;
    }
    ado::Transaction tx(session().cnnX);
    requireStored(G0Frame::writeDefaults(*m_G0, row));
    tx.commit();
    return true;
}

// ------------------------------------------------------------------ Bild 11

void Seite1Drawer::BILD11(short mode, float dx, float dy, gfx::Surface* object)
{
    vb::OnError onError(QStringLiteral("Bild 11"));
    m_meanLegend.reset(); // a value of an earlier drawing is not this one's
    gfx::Surface* surface = target(mode, box11(), object);
    if (!surface) return;
    short automatic = m_rescale;
    if (!onError([&] {
            if (mode != 1) box11()->Cls();
            // a row made just now holds no limits: they come from the data
            if (writeFrame(11, m_rescale == -1)) automatic = -1;
        }))
        return;
    if (!onError([&] {
            readSwitches();
            // limits of a linear axis from 0 have no place on a logarithmic one
            if (m_LOGK10 && !limitsFitLogarithmic(session().cnnX, m_id, 11)) automatic = -1;
        }))
        return;

    if (!onError([&] {
            m_g11 = newDiagram(m_id, 11, box11(), m_rect11.topLeft(), mode, dx, dy, surface, kPaperDiagram);
            clsGRAFIK& g = *m_g11;
            setAutomaticLimits(g, automatic);
            // the overlay brings its own lines; without it a frame or a full grid
            PermeabilityAxes::apply(g, m_BILD14AN == 1 ? 0 : (m_GITT == 0 ? 1 : 5), m_GITK10 != 0 ? 5 : 1, m_LOGK10);
        }))
        return;
    clsGRAFIK& g = *m_g11;

    if (!onError([&] {
            if (automatic == -1) g.SKALEN(-1, m_series.T, m_series.K10);
            else g.SKALEN(0);
        }))
        return;
    if (!onError([&] {
            QVector<float> x = m_series.TM, y = m_series.K10;
            g.POLYGON(x, y, static_cast<short>(std::min(m_series.AN, 32767)), 0, 0, QString(), 0, 0, 0);
            g.LINIENEINSTELLUNGEN(0, 0, 0);
        }))
        return;

    if (!onError([&] {
            g.SCHRIFTEINSTELLUNGEN(QString(), 10, 0, 0, 0, 0);
            g.TEXT(11, 4, QStringLiteral("Zeitverlauf des Durchlässigkeitsbeiwertes"), 2, 0, 0, 0);
            g.SCHRIFTEINSTELLUNGEN(QString(), 0, 0, 0, 0, 0);
            g.TEXT(88, 12, QStringLiteral("n = ") + QString::number(m_N), 2, 0, 0, 0);
        }))
        return;

    // Legend in the lower right corner of the plot.
    QRectF legend;
    onError([&] {
        const float XMIN = g.XMIN(), XMAX = g.XMAX(), YMIN = g.YMIN(), YMAX = g.YMAX();
        const float x1 = XMIN + 0.8f * (XMAX - XMIN), x2 = XMIN + 0.9f * (XMAX - XMIN);
        const float y1 = YMIN + 0.05f * (YMAX - YMIN);
        // the line is drawn in page millimetres, its label in world values
        auto line = [&g](float xa, float xb, float y) {
            float pa = 0, qa = 0, pb = 0, qb = 0;
            g.KOORDTRANS(xa, y, pa, qa);
            g.KOORDTRANS(xb, y, pb, qb);
            g.LINIE(pa, qa, pb, qb);
        };
        line(x1, x2, y1);
        g.TEXT(x2, y1, QStringLiteral(" k{t,2}10"), 1, 0, 0, 1);
        float px = 0, py = 0;
        g.KOORDTRANS(x1, y1, px, py);
        legend = g.textBox(x2, y1, QStringLiteral(" k{t,2}10"), 1, 0, 0, 1).united(QRectF(px, py - 0.5f, 1, 1));
        if (m_BILD14AN == 1) {
            const float y2 = YMIN + 0.025f * (YMAX - YMIN);
            g.LINIENEINSTELLUNGEN(0, 0, gfx::QBColor(kLevelColour));
            line(x1, x2, y2);
            g.TEXT(x2, y2, QStringLiteral(" {g,1}f"), 1, 0, 0, 1);
            g.LINIENEINSTELLUNGEN(0, 0, 0);
            legend = legend.united(g.textBox(x2, y2, QStringLiteral(" {g,1}f"), 1, 0, 0, 1));
        }
    });
    onError([&] { StepRangeMarks::drawMeanLine(g, m_series.TM, summary(), m_LOGK10); });
    // over the level curve the value waits for that curve, to stand clear of it too
    if (m_BILD14AN == 1) m_meanLegend = legend;
    else onError([&] { drawMeanValue(legend, {}); });
}

void Seite1Drawer::drawMeanValue(const QRectF& legend, const QVector<QPointF>& avoid)
{
    if (m_g11) StepRangeMarks::drawMeanValue(*m_g11, m_series.TM, m_series.K10, summary(), m_LOGK10, legend, avoid);
}

// ------------------------------------------------------------------ Bild 12

void Seite1Drawer::BILD12(short mode, float dx, float dy, gfx::Surface* object)
{
    vb::OnError onError(QStringLiteral("Bild 12"));
    gfx::Surface* surface = target(mode, box12(), object);
    if (!surface) return;
    if (!onError([&] {
            if (mode != 1) box12()->Cls();
            m_g12 = newDiagram(m_id, 12, box12(), m_rect12.topLeft(), mode, dx, dy, surface, m_rect12.size());
            clsGRAFIK& g = *m_g12;
            g.SCHRIFTEINSTELLUNGEN(QString(), 10, 0, 0, 0, 0);
        }))
        return;
    clsGRAFIK& g = *m_g12;
    if (!onError([&] { g.TEXT(2, 1, QStringLiteral("H = ") + vb::CStr(m_H) + QStringLiteral(" mm"), 2, 0, 0, 0); }))
        return;
    if (!onError([&] { g.TEXT(36, 1, QStringLiteral("d{t,1}1 = ") + vb::CStr(m_D1) + QStringLiteral(" mm"), 2, 0, 0, 0); }))
        return;
    if (!onError([&] { g.TEXT(70, 1, QStringLiteral("d{t,1}2 = ") + vb::CStr(m_D2) + QStringLiteral(" mm"), 2, 0, 0, 0); }))
        return;
    onError([&] { g.TEXT(104, 1, QStringLiteral("f = ") + vb::CStr(m_F), 2, 0, 0, 0); });
}

// ------------------------------------------------------------------ Bild 13

Seite1Drawer::TableBody Seite1Drawer::tableBody() const
{
    TableBody body;
    const int rows = m_MAXI + 1;
    body.cells = QVector<QVector<QVariant>>(7, QVector<QVariant>(rows));
    auto& c = body.cells;
    const ResultSeries& r = m_series;
    for (int i = 0; i < rows; ++i) {
        c[0][i] = i;
        c[2][i] = m_TEMP.value(i);
        c[3][i] = m_HST.value(i);
    }
    // Each value stands in the row of the reading it belongs to: the head and
    // time span of step i at the reading where the step ends (i + s, the first
    // at reading 0), k10 and the reference-level change of the window j at
    // its last reading j + n.
    const int n = std::max<int>(r.N, 1);
    const int s = n - 1;
    auto put = [&c, rows](int column, int row, const QVariant& v) {
        if (row >= 0 && row < rows) c[column][row] = v;
    };
    for (int i = 0; i < r.DETN.size(); ++i) put(1, i == 0 ? 0 : i + s, r.DETN[i]);
    for (int i = 0; i < r.PHI.size(); ++i) put(5, i == 0 ? 0 : i + s, r.PHI[i]);
    for (int j = 0; j < r.DEHKO.size(); ++j) put(4, j + n, r.DEHKO[j]);
    for (int j = 0; j < r.K10.size(); ++j) {
        if (r.K10[j] != 0) {
            put(6, j + n, r.K10[j]);
            continue;
        }
        put(6, j + n, kNichtAuswertbar);
        body.footnote = kFussnote;
    }

    // The reported value: k10 over the evaluated steps, without the ones that
    // could not be evaluated; the rows of other steps in grey.
    const StepRange range = stepRange();
    const StepSummary sum = StepSummary::of(r.K10, range);
    body.rowColours = QVector<qint32>(rows, -1);
    if (range.count() < r.K10.size())
        for (int row = 0; row < rows; ++row)
            if (!range.contains(row - s)) body.rowColours[row] = gfx::QBColor(kOutsideColour);
    body.foot = QVector<QVector<QVariant>>(7);
    for (int step = range.first; step <= range.last; ++step)
        if (r.K10[step - 1] > 0) body.foot[6].append(r.K10[step - 1]);
    // the table numbers readings: each step is also named by the reading it ends at
    const QString steps = range.isEmpty() ? QStringLiteral("keine Schritte")
                          : range.first == range.last
                              ? QStringLiteral("Schritt %1 (Nr. %2)").arg(range.first).arg(range.first + s)
                              : QStringLiteral("Schritte %1–%2 (Nr. %3–%4)").arg(range.first).arg(range.last).arg(range.first + s).arg(range.last + s);
    body.footLabels = {QStringLiteral("Mittelwert k{t,2}10, ") + steps, QStringLiteral("Standardabweichung"),
                       QStringLiteral("Variationskoeffizient")};
    body.fitLine = fitText(fit(), session());
    if (sum.unevaluable > 0)
        body.footnote += QStringLiteral(" – %1 %2 ohne Wert, nicht in der Statistik")
                             .arg(sum.unevaluable)
                             .arg(sum.unevaluable == 1 ? QStringLiteral("Schritt") : QStringLiteral("Schritte"));
    return body;
}

StepRange Seite1Drawer::stepRange() const { return StepRange::resolve(m_VON, m_BIS, m_series.K10.size()); }

HeadFit Seite1Drawer::fit() const
{
    if (!m_evaluation.evaluated) return HeadFit();
    return HeadFit::of(m_evaluation.in, m_evaluation.steps.hk, stepRange());
}

QString Seite1Drawer::fitText(const HeadFit& f, const Session& s)
{
    const QString decimal = s.DEZIMALPUNKT.isEmpty() ? QStringLiteral(",") : s.DEZIMALPUNKT;
    // 2.79E-08 -> 2,79E-8
    auto e = [&decimal](double v) {
        QString t = QString::number(v, 'E', 2);
        const qsizetype at = t.indexOf(QLatin1Char('E'));
        const int exponent = t.mid(at + 1).toInt();
        return t.left(at).replace(QLatin1Char('.'), decimal) + QLatin1Char('E') + QString::number(exponent);
    };
    const QString head = s.tr(QStringLiteral("Gerade (ln {g,1}f – t): "), QStringLiteral("Line (ln {g,1}f – t): "));
    if (!f.evaluable) return head + s.tr(QStringLiteral("kein Wert"), QStringLiteral("no value"));
    QString text = head + QStringLiteral("k{t,2}10 = ") + e(f.k10) + QStringLiteral(" m/s");
    if (f.hasInterval) text += QStringLiteral(", 95 %: ") + e(f.low) + QStringLiteral(" … ") + e(f.high);
    text += QStringLiteral(", R² = ") + QString::number(f.r2, 'f', 3).replace(QLatin1Char('.'), decimal);
    // the note stands on a line of its own: both would not fit the table's width
    if (f.curved) text += QLatin1Char('\n') + s.tr(QStringLiteral("Gerade gekrümmt: Bereich prüfen"), QStringLiteral("curved: check the range"));
    return text;
}

void Seite1Drawer::setupTable(short mode, float dx, float dy, gfx::Surface* surface)
{
    if (!m_table) m_table = std::make_unique<clsTABELLE>();
    clsTABELLE& t = *m_table;
    t.setEOBJEKT(surface);
    t.setEYBALKEN(mode == 1 ? nullptr : m_scrollBar);
    if (mode == 1) {
        t.setEXDL(static_cast<float>(m_rect13.left() + dx));
        t.setEYDO(static_cast<float>(m_rect13.top() + dy));
    } else {
        t.setEXDL(0);
        t.setEYDO(0);
    }
    t.setERZ(1.5f);
    t.setEZH(3.4f);
    t.setERU(5.0f);
    t.setEZA(1.5f);
    t.setELSB({11, 18, 11, 18, 18, 18, 18});
    t.setELGIT({2, 1, 1, 1, 2, 2});
    t.setELGITLEER(QVector<short>(7, 0));
    t.setELA({1, 1, 3, 3, 3, 3, 3});
    t.setELFORMAT({QString(), QStringLiteral("#0"), QStringLiteral("#0.0"), QStringLiteral("#0.0"),
                   QStringLiteral("#0.0"), QStringLiteral("#0.0"), QStringLiteral("0.0E-##")});
    t.setELMW({0, 0, 0, 0, 0, 0, 1}); // the statistics of k10 in the foot
    // room below for the straight line (and its curvature note) and the unevaluable steps
    const TableBody body = tableBody();
    t.setEFNZ(static_cast<short>(body.fitLine.count(QLatin1Char('\n')) + 1 + (body.footnote.isEmpty() ? 0 : 1)));
    t.setPaperRows(-1, -1);
}

int Seite1Drawer::printSheets(gfx::Surface& paper)
{
    m_rowsPerSheet = 0;
    const int rows = m_MAXI + 1;
    if (rows <= 0) return 1;
    float dx = 0, dy = 0;
    for (const Diagram& d : diagrams()) {
        if (d.name != QLatin1String("BILD13")) continue;
        dx = d.xOffset;
        dy = d.yOffset;
    }
    setupTable(1, dx, dy, &paper);
    // the footer's two 7-pt lines stand on the bottom margin; the table keeps
    // clear of them whether or not they are printed, so all sheets look alike
        gfx::SurfaceFont footer;
    footer.size = 7;
    const double footerTop = paper.sizeMm().height() - kopffuss().marginBottom() - 2 * paper.textHeight(footer);
    m_rowsPerSheet = m_table->rowsFitting(2, footerTop);
    return (rows + m_rowsPerSheet - 1) / m_rowsPerSheet;
}

void Seite1Drawer::BILD13(short mode, float dx, float dy, gfx::Surface* object)
{
    vb::OnError onError(QStringLiteral("Bild 13"));
    gfx::Surface* surface = target(mode, box13(), object);
    if (!surface) return;
    // a table running over several sheets shows each its share of the rows
    const bool shared = mode == 1 && printSheetCount() > 1 && m_rowsPerSheet > 0;
    const int first = shared ? printSheet() * m_rowsPerSheet : 0;
    const int last = shared ? std::min(first + m_rowsPerSheet, m_MAXI + 1) - 1 : m_MAXI;
    if (!onError([&] {
            if (mode != 1) box13()->Cls();
            setupTable(mode, dx, dy, surface);
            if (shared) {
                m_table->setPaperRows(static_cast<short>(first), static_cast<short>(last));
                if (printSheet() == 0) {
                    m_paperFont = surface->Font;
                    m_paperColour = surface->ForeColor;
                } else {
                    surface->Font = m_paperFont;
                    surface->ForeColor = m_paperColour;
                }
            }
        }))
        return;
    clsTABELLE& t = *m_table;
    if (!onError([&] {
            const QStringList symbols{QStringLiteral("Nr."), QStringLiteral("{g,1}Dt"), QStringLiteral("T"),
                                      QStringLiteral("h'"), QStringLiteral("{g,1}Dh{t,4}korr"),
                                      QStringLiteral("{g,1}f"), QStringLiteral("k{t,2}10")};
            const QStringList units{QString(), QStringLiteral("[min]"), QStringLiteral("[°C]"), QStringLiteral("[mm]"),
                                    QStringLiteral("[mm]"), QStringLiteral("[mm]"), QStringLiteral("[m/s]")};
            clsTABELLE::Block head(7);
            for (int c = 0; c < 7; ++c) head[c] = {symbols[c], units[c].isEmpty() ? QVariant() : QVariant(units[c])};
            t.TABELLE(head, 0);
        }))
        return;
    TableBody body = tableBody();
    if (!onError([&] {
            t.setELZFARBE(body.rowColours);
            if (m_MAXI >= 0) t.TABELLE(body.cells, 1);
        }))
        return;
    // the statistics close the table, on its last sheet
    const bool lastSheet = !shared || printSheet() == printSheetCount() - 1;
    if (lastSheet && !onError([&] {
            t.setELFUSS(body.footLabels);
            t.TABELLE(body.foot, 2);
        }))
        return;
    // the footnote goes with the sheets that show an unevaluable interval
    if (shared && !body.footnote.isEmpty()) {
        bool marked = false;
        for (int r = first; r <= last; ++r) marked = marked || body.cells[6][r].toString() == kNichtAuswertbar;
        if (!marked) body.footnote.clear();
    }
    // readings without a temperature were computed at 0 °C: said on every sheet
    if (m_withoutTemperature > 0)
        body.footnote += (body.footnote.isEmpty() ? QString() : QStringLiteral(" – "))
            + QStringLiteral("Ohne Temperatur: %1 Messwerte, mit 0 °C gerechnet").arg(m_withoutTemperature);
    QStringList lines;
    if (lastSheet && !body.fitLine.isEmpty()) lines << body.fitLine;
    if (!body.footnote.isEmpty()) lines << body.footnote;
    onError([&] { t.FUSSNOTE(lines.join(QLatin1Char('\n'))); });
}

// ------------------------------------------------------------------ Bild 14

void Seite1Drawer::BILD14(short mode, float dx, float dy, gfx::Surface* object)
{
    vb::OnError onError(QStringLiteral("Bild 14"));
    // the mean's value Bild 11 left for after the level curve, drawn however this ends
    QVector<QPointF> drawn;
    const auto value = qScopeGuard([&, legend = std::exchange(m_meanLegend, std::nullopt)] {
        if (legend) onError([&] { drawMeanValue(*legend, drawn); });
    });
    if (!onError([&] { readSwitches(); })) return;
    if (m_BILD14AN != 1) return;
    gfx::Surface* surface = target(mode, box11(), object);
    if (!surface) return;
    if (m_LOGPHI) {
        drawn = drawLogHead(mode, dx, dy, surface);
        return;
    }
    short automatic = m_rescale;
    if (!onError([&] {
            if (writeFrame(14, m_rescale == -1)) automatic = -1;
        }))
        return;
    if (!onError([&] {
            m_g14 = newDiagram(m_id, 14, box11(), m_rect11.topLeft(), mode, dx, dy, surface, kPaperDiagram);
            clsGRAFIK& g = *m_g14;
            setAutomaticLimits(g, automatic);
            // the same time division as Bild 11
            if (m_g11) copyTimeAxis(*m_g11, g);
            g.setEAXEX(0);
            g.setEAXEY(-1);
            g.setESKTX(0);
            g.setESKTY(0);
            const gfx::AxisLists level = PermeabilityAxes::levelAxis();
            g.setELYMIN(level.MIN);
            g.setELYDIFF(level.DIFF);
            g.setELYIT(level.IT);
            g.setELYGIT(level.GIT);
            g.setELYZL(level.ZL);
            g.setETEXTY(QStringLiteral("{g,1}f [mm]"));
            g.setESKZY(QStringLiteral("#0"));
            g.LINIENEINSTELLUNGEN(0, 0, gfx::QBColor(kLevelColour));
        }))
        return;
    clsGRAFIK& g = *m_g14;
    if (!onError([&] {
            if (automatic == -1) g.SKALEN(-1, m_series.T, m_series.PHI);
            else g.SKALEN(0);
        }))
        return;
    onError([&] {
        QVector<float> x = m_series.T, y = m_series.PHI;
        g.POLYGON(x, y, static_cast<short>(std::min(m_series.AN, 32767)), 4, 0, QString(), 0, 0, 0);
        g.LINIENEINSTELLUNGEN(0, 0, 0);
        drawn = StepRangeMarks::pagePath(g, m_series.T, m_series.PHI, false);
    });
}

QVector<QPointF> Seite1Drawer::drawLogHead(short mode, float dx, float dy, gfx::Surface* surface)
{
    vb::OnError onError(QStringLiteral("Bild 14"));
    const HeadFit f = fit();
    if (f.relativeHead.isEmpty()) return {}; // nothing evaluated to draw
    // its own G0 row, so that the level axis of the linear overlay keeps its
    // limits: the time axis of Bild 11, the head axis from the data each time
    if (!onError([&] {
            writeFrame(kLogHeadRow, false);
            if (mode != 1 && m_g11) {
                const Keys row{{"IDOBJEKT", static_cast<int>(kLogHeadRow)}};
                requireStored(m_G0->DVTS(QStringLiteral("XMIN"), m_g11->XMIN(), row) &&
                              m_G0->DVTS(QStringLiteral("XMAX"), m_g11->XMAX(), row) &&
                              m_G0->DVTS(QStringLiteral("MX"), 0, row) && m_G0->DVTS(QStringLiteral("MY"), 0, row));
            }
        }))
        return {};
    if (!onError([&] {
            m_g14 = newDiagram(m_id, kLogHeadRow, box11(), m_rect11.topLeft(), mode, dx, dy, surface, kPaperDiagram);
            clsGRAFIK& g = *m_g14;
            g.setEBOXMIN(0);
            g.setEBOXMAX(0);
            g.setEBOYMIN(-1);
            g.setEBOYMAX(-1);
            if (m_g11) copyTimeAxis(*m_g11, g);
            g.setEAXEX(0);
            g.setEAXEY(-1);
            g.setESKTX(0);
            g.setESKTY(1);
            QVector<float> decades;
            for (int e = -4; e <= 1; ++e) decades.append(static_cast<float>(std::pow(10.0, e)));
            g.setELYMIN(decades);
            g.setELYDIFF(decades);
            g.setELYIT(QVector<short>(decades.size(), 10));
            // a logarithmic axis is labelled where its decades are ruled
            g.setELYGIT(QVector<short>(decades.size(), 1));
            g.setELYZL(QVector<short>(decades.size(), 1));
            g.setETEXTY(QStringLiteral("{g,1}f / {g,1}f{t,1}0"));
            g.setESKZY(QStringLiteral("#0.####"));
            g.LINIENEINSTELLUNGEN(0, 0, gfx::QBColor(kLevelColour));
        }))
        return {};
    clsGRAFIK& g = *m_g14;
    const int readings = static_cast<int>(f.relativeHead.size());
    QVector<float> hours(readings), head(readings);
    for (int r = 0; r < readings; ++r) {
        hours[r] = static_cast<float>(f.hours[r]);
        head[r] = static_cast<float>(f.relativeHead[r]);
    }
    QVector<float> lineHours, line;
    for (int i = 0; i < f.fittedHead.size(); ++i) {
        lineHours.append(hours[f.r0 + i]);
        line.append(static_cast<float>(f.fittedHead[i]));
    }
    if (!onError([&] { g.SKALEN(-1, hours + lineHours, head + line); })) return {};
    // the readings as points: those of the range black, the others grey
    auto points = [&](int from, int to, qint32 colour) {
        if (to < from) return;
        QVector<float> x = hours.mid(from, to - from + 1), y = head.mid(from, to - from + 1);
        const QVector<bool> alone(x.size(), false);
        g.LINIENEINSTELLUNGEN(0, 0, colour);
        g.POLYGON(x, y, 1, 4, 0, QString(), 0, 0, 0, &alone);
    };
    onError([&] {
        const bool ranged = f.r1 >= f.r0;
        points(0, ranged ? f.r0 - 1 : readings - 1, gfx::QBColor(kOutsideColour));
        if (ranged) {
            points(f.r0, f.r1, 0);
            points(f.r1 + 1, readings - 1, gfx::QBColor(kOutsideColour));
        }
        if (!line.isEmpty()) {
            g.LINIENEINSTELLUNGEN(0, 0, gfx::QBColor(kLevelColour));
            g.POLYGON(lineHours, line, 0, 0, 0, QString(), 0, 0, 0);
        }
        g.LINIENEINSTELLUNGEN(0, 0, 0);
    });
    // what a text must not cover: the readings (and the space between them) and the fitted line
    return StepRangeMarks::pagePath(g, hours, head, true) + StepRangeMarks::pagePath(g, lineHours, line, true);
}
