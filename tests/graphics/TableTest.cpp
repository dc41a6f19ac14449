// The table renderer through the recording surface, and a result-style table
// drawn to a PNG.
#include "GraphicsFixture.h"

#include "graphics/ImageSurface.h"
#include "graphics/clsTABELLE.h"

#include <QDir>
#include <QScrollBar>
#include <QWidget>

namespace {

// The result page's table: number, time span, phi, head, head change, phi, k10.
struct ResultTable {
    explicit ResultTable(gfx::Surface& s)
    {
        t.setEOBJEKT(&s);
        t.setEXDL(5);
        t.setEYDO(8);
        t.setERZ(1);
        t.setEZH(0);
        t.setEZA(1.2f);
        t.setELSB({11, 18, 11, 18, 18, 18, 18});
        t.setELGIT({2, 1, 1, 1, 1, 1});
        t.setELGITLEER({0, 0, 0, 0, 0, 0, 0});
        t.setELFORMAT({"", "#0", "#0.0", "#0.0", "#0.0", "#0.0", "0.0E-##"});
    }
    static clsTABELLE::Block head()
    {
        const QStringList h1{"Nr.", "{g,1}Dt", "T", "h'", "{g,1}Dh{t,4}korr", "{g,1}f", "k{t,2}10"};
        const QStringList h2{"", "[s]", "[h]", "[mm]", "[mm]", "[mm]", "[m/s]"};
        clsTABELLE::Block b;
        for (int c = 0; c < 7; ++c) b.append({h1[c], h2[c]});
        return b;
    }
    static clsTABELLE::Block body(int rows)
    {
        clsTABELLE::Block b(7);
        for (int r = 0; r < rows; ++r) {
            b[0].append(r + 1);
            b[1].append(60.0 * (r + 1));
            b[2].append(0.0167 * (r + 1));
            b[3].append(1234.5 - 37.25 * r);
            b[4].append(r == 0 ? 0.0 : -3.5 * r);
            b[5].append(987.25 - 20.5 * r);
            b[6].append(r == 3 ? QVariant(QStringLiteral("0.0E0  *")) : QVariant(3.2e-8 / (r + 1)));
        }
        return b;
    }
    void draw(int rows)
    {
        t.setELA({1, 1, 1, 1, 1, 1, 1});
        t.TITEL(QStringLiteral("Ablesungen und Ergebnisse"));
        t.TABELLE(head(), 0);
        t.setELA({1, 3, 3, 3, 3, 3, 3});
        t.TABELLE(body(rows), 1);
        t.FUSSNOTE(QStringLiteral("* nicht auswertbar"));
    }
    clsTABELLE t;
};

QString out(testsupport::TempDir& dir, const QString& name)
{
    const QString keep = qEnvironmentVariable("TALPEX_DIAGRAM_DIR");
    return keep.isEmpty() ? dir.file(name) : QDir(keep).filePath(name);
}

} // namespace

using Table = GraphicsFixture;

TEST_F(Table, ResultTableDrawsToPng)
{
    gfx::ImageSurface img(130, 150, 200);
    ResultTable table(img);
    table.draw(12);

    // symbols and a foot block below it
    clsTABELLE& t = table.t;
    t.setEYDO(75);
    t.setEZH(0);
    t.setELSB({11, 18, 18});
    t.setELGIT({1, 1});
    t.setELFORMAT({"SYMBOL", "#0.0", "0.0E-##"});
    t.setELMW({0, 1, 1});
    t.setELA({1, 1, 1});
    t.TABELLE({{QStringLiteral("Typ")}, {QStringLiteral("{g,1}f")}, {QStringLiteral("k{t,2}10")}}, 0);
    t.setELA({1, 3, 3});
    t.TABELLE({{0, 1, 2, 3, 4, 5, 6, 7}, {1.5, 2.25, 3, 4, 5, 6, 7, 8}, {1e-8, 2e-8, 3e-8, 4e-8, 5e-8, 6e-8, 7e-8, 8e-8}}, 1);
    t.TABELLE({{0, 1, 2, 3, 4, 5, 6, 7}, {1.5, 2.25, 3, 4, 5, 6, 7, 8}, {1e-8, 2e-8, 3e-8, QVariant(), 5e-8, 6e-8, 7e-8, 8e-8}}, 2);
    EXPECT_TRUE(ui->boxes().isEmpty());
    ASSERT_TRUE(img.save(out(dir, QStringLiteral("table.png"))));
}

namespace {

// The texts drawn, as plain strings.
QStringList textsOf(const gfx::RecordingSurface& s)
{
    QStringList out;
    for (const gfx::DrawCall& c : s.texts()) out << c.text;
    return out;
}

const gfx::DrawCall* findText(const gfx::RecordingSurface& s, const QString& text)
{
    for (const gfx::DrawCall& c : s.calls())
        if (c.kind == gfx::DrawCall::Text && c.text == text) return &c;
    return nullptr;
}

} // namespace

TEST_F(Table, DecimalPointAlignmentUsesTheSessionSeparatorAndTheFormatOffset)
{
    for (const QString sep : {QStringLiteral(","), QStringLiteral(".")}) {
        vb::SetDecimalSeparator(sep);
        gfx::RecordingSurface s;
        clsTABELLE t;
        t.setEOBJEKT(&s);
        t.setERL(10);
        t.setEZH(5);
        t.setELSB({18, 18});
        t.setELA({3, 3});
        t.setELFORMAT({"#0.0", "#0"});
        t.TABELLE({{12.5, 0.25}, {7}}, 1);
        // "#0.0" in 18 mm: the text up to its point ends 1.875 right of the centre (19)
        for (const QString v : {QString("12") + sep + "5", QString("0") + sep + "3"}) {
            const gfx::DrawCall* c = findText(s, v);
            ASSERT_TRUE(c) << v.toStdString();
            EXPECT_NEAR(c->a.x() + s.TextWidth(v.left(v.indexOf(sep) + 1)), 19 + 1.875, 1e-4);
        }
        // no point in the text: it starts at the centre (37) minus the format offset (1 - 0) * 7.5 / 2
        const gfx::DrawCall* seven = findText(s, QStringLiteral("7"));
        ASSERT_TRUE(seven);
        EXPECT_NEAR(seven->a.x(), 37 - 3.75, 1e-4);
    }
    // a fixed text with a point lines up on it in a comma session too
    vb::SetDecimalSeparator(QStringLiteral(","));
    gfx::RecordingSurface s;
    clsTABELLE t;
    t.setEOBJEKT(&s);
    t.setERL(10);
    t.setEZH(5);
    t.setELSB({18});
    t.setELA({3});
    t.setELFORMAT({"#0.0"});
    t.TABELLE({{QStringLiteral("0.0E0  *")}}, 1);
    const gfx::DrawCall* c = findText(s, QStringLiteral("0.0E0  *"));
    ASSERT_TRUE(c);
    EXPECT_NEAR(c->a.x() + s.TextWidth(QStringLiteral("0.")), 19 + 1.875, 1e-4);
    // a unit without a point is centred, so it stays clear of the rules of a narrow column
    t.TABELLE({{QStringLiteral("[°C]")}}, 0);
    const gfx::DrawCall* unit = findText(s, QStringLiteral("[°C]"));
    ASSERT_TRUE(unit);
    EXPECT_NEAR(unit->a.x() + s.TextWidth(QStringLiteral("[°C]")) / 2, 19, 1e-4);
}

TEST_F(Table, BlocksStackWithRulesSymbolsAndRowHeightFromTheFont)
{
    gfx::RecordingSurface s;
    clsTABELLE t;
    t.setEOBJEKT(&s);
    t.setEYDO(20);
    t.setERZ(1);
    t.setELSB({10, 20});
    t.setELGIT({2});
    t.setELFORMAT({"SYMBOL", ""});
    t.setELA({1, 1});
    t.TABELLE({{QVariant()}, {QStringLiteral("k{t,2}10")}}, 0);
    const float x = s.TextHeight(QStringLiteral("X"));
    EXPECT_FLOAT_EQ(t.EZH(), x); // EZH 0 takes the text height of "X"
    // a double rule: two lines 0.5 apart at the boundary
    int at10 = 0, at105 = 0;
    for (const gfx::DrawCall& l : s.lines()) {
        if (l.a.x() == l.b.x() && std::abs(l.a.x() - 10) < 1e-6) ++at10;
        if (l.a.x() == l.b.x() && std::abs(l.a.x() - 10.5) < 1e-6) ++at105;
    }
    EXPECT_EQ(at10, 1);
    EXPECT_EQ(at105, 1);
    // a centred markup heading is centred by its drawn runs
    const auto runs = s.texts();
    ASSERT_EQ(runs.size(), 2);
    EXPECT_NEAR((runs[0].a.x() + runs[1].a.x() + s.textWidth(runs[1].text, runs[1].font)) / 2, 20, 1e-4)
        << "k starts at " << runs[0].a.x();

    s.forget();
    t.TABELLE({{3, 4}, {QStringLiteral("a"), QStringLiteral("b")}}, 1);
    // the body starts below the head; a symbol sits in the middle of its cell
    const double bodyTop = 20 + (2 + x);
    EXPECT_FLOAT_EQ(t.HOEHE(), (2 + x) + (2 + 2 * x));
    QVector<gfx::DrawCall> cross; // symbol 3: two diagonals centred in the first cell of row 0 (4 has none)
    for (const gfx::DrawCall& l : s.lines())
        if (l.a.x() != l.b.x() && l.a.y() != l.b.y()) cross << l;
    ASSERT_EQ(cross.size(), 2);
    EXPECT_NEAR((cross[0].a.x() + cross[0].b.x()) / 2, 5, 1e-6);
    EXPECT_NEAR((cross[0].a.y() + cross[0].b.y()) / 2, bodyTop + 1 + x / 2, 1e-6);
}

namespace {

// A head of one row and a body of `rows` rows "R0", "R1", ... on a 150 x 100 surface.
struct ScrolledTable {
    ScrolledTable()
    {
        t.setEOBJEKT(&s);
        t.setEYBALKEN(bar);
        t.setERO(10);
        t.setERU(5);
        t.setERL(4);
        t.setERZ(1);
        t.setEZH(5);
        t.setELSB({30, 20});
    }
    QStringList draw(int rows, int value)
    {
        bar->setValue(value);
        s.forget();
        clsTABELLE::Block body(2);
        for (int r = 0; r < rows; ++r) body[0] << QStringLiteral("R%1").arg(r), body[1] << r;
        t.TABELLE({{QStringLiteral("Nr.")}, {QStringLiteral("x")}}, 0);
        t.TABELLE(body, 1);
        t.FUSSNOTE(QStringLiteral("* nicht auswertbar"));
        return textsOf(s);
    }
    gfx::RecordingSurface s{150, 100};
    QWidget box;
    QScrollBar* bar = new QScrollBar(Qt::Vertical, &box);
    clsTABELLE t;
};

} // namespace

TEST_F(Table, ScrolledBodyShowsItsWindowAndKeepsTheFootnoteOnTheSurface)
{
    ScrolledTable st;
    // body from 17 mm, rows every 5 mm; 14 rows leave room for the footnote above 95 mm
    QStringList shown = st.draw(40, 0);
    EXPECT_TRUE(shown.contains("R0") && shown.contains("R13") && !shown.contains("R14"));
    EXPECT_FALSE(st.bar->isHidden());
    EXPECT_EQ(st.bar->maximum(), 10000);
    EXPECT_EQ(st.bar->pageStep(), 2000);
    EXPECT_EQ(st.bar->singleStep(), 300);
    const double ppm = st.s.pixelsPerMm();
    EXPECT_EQ(st.bar->geometry(), QRect(qRound(54 * ppm), qRound(17 * ppm), qRound(5 * ppm), qRound(78 * ppm)));

    const struct { int value; int first; int last; } windows[] = {{0, 0, 13}, {5000, 13, 26}, {10000, 26, 39}};
    for (const auto& w : windows) {
        shown = st.draw(40, w.value);
        EXPECT_EQ(st.t.EEZ(), w.first);
        EXPECT_EQ(st.t.ELZ(), w.last);
        EXPECT_TRUE(shown.contains(QStringLiteral("R%1").arg(w.first)) && shown.contains(QStringLiteral("R%1").arg(w.last)));
        EXPECT_FALSE(shown.contains(QStringLiteral("R%1").arg(w.first - 1)) || shown.contains(QStringLiteral("R%1").arg(w.last + 1)));
        const gfx::DrawCall* note = findText(st.s, QStringLiteral("* nicht auswertbar"));
        ASSERT_TRUE(note);
        EXPECT_LE(note->a.y() + st.s.TextHeight(), 100 - 5) << "value " << w.value;
    }

    // the printer gets every row; a body that fits hides the bar
    st.s.setPrinter(true);
    shown = st.draw(40, 10000);
    EXPECT_TRUE(shown.contains("R0") && shown.contains("R39"));
    st.s.setPrinter(false);
    st.draw(5, 4000);
    EXPECT_TRUE(st.bar->isHidden());
    EXPECT_EQ(st.bar->value(), 0);
    EXPECT_EQ(st.t.ELZ(), 4);
}

TEST_F(Table, MissingWidthsAndFailuresAreReported)
{
    gfx::RecordingSurface s;
    s.setName(QStringLiteral("BILD13"));
    clsTABELLE t;
    t.setEOBJEKT(&s);
    t.TABELLE({{1}}, 1);
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].text, QStringLiteral("Angabe der Spaltenbreiten in Objekt BILD13 fehlt !"));
    EXPECT_EQ(ui->boxes()[0].title, QStringLiteral("Tabelle"));
    EXPECT_EQ(ui->boxes()[0].icon(), vb::vbExclamation);
    EXPECT_TRUE(s.calls().isEmpty());

    clsTABELLE none; // no surface: a failure box, then nothing more
    none.setELSB({10});
    ui->answer(vb::vbCancel);
    none.TABELLE({{1}}, 0);
    ASSERT_EQ(ui->boxes().size(), 2);
    EXPECT_TRUE(ui->boxes()[1].text.startsWith(QStringLiteral("VB-Error: 91")));
}

TEST_F(Table, FootBlockGivesStatisticsOrDashes)
{
    const auto st = clsTABELLE::statistics({2, 4, 6});
    EXPECT_DOUBLE_EQ(st.mean, 4);
    EXPECT_DOUBLE_EQ(st.s, 2);
    EXPECT_DOUBLE_EQ(st.cv, 0.5);
    EXPECT_DOUBLE_EQ(clsTABELLE::statistics({5}).s, 0);

    gfx::RecordingSurface s;
    clsTABELLE t;
    t.setEOBJEKT(&s);
    t.setEZH(5);
    t.setELSB({10, 20, 20});
    t.setELFORMAT({"", "#0.00", "#0.00"});
    t.setELMW({0, 1, 1});
    t.TABELLE({{1, 2, 3}, {2, 4, 6}, {1.5, QVariant(), 2}}, 2);
    const QStringList shown = textsOf(s);
    EXPECT_EQ(shown, QStringList({"m", "4,00", "-", "s", "2,00", "-", "v", "0,500", "-"}));
}
