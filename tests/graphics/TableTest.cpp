// The table renderer through the recording surface, and a result-style table
// drawn to a PNG.
#include "GraphicsFixture.h"

#include "graphics/ImageSurface.h"
#include "graphics/clsTABELLE.h"

#include <QDir>

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
