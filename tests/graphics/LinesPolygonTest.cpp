// LINIE clipping, pen settings, arrowheads and POLYGON through the recorder.
#include "QtPrint.h"
#include "data/Session.h"
#include "graphics/PointSymbol.h"
#include "graphics/RecordingSurface.h"
#include "graphics/VBColor.h"
#include "graphics/clsGRAFIK.h"
#include "platform/MsgBox.h"

#include <gtest/gtest.h>
#include <cmath>
#include <QLineF>
#include <set>

using gfx::DrawCall;

namespace {

// Diagram area 0..100 x 0..80, plot area 10..90 x 10..70; world x 0..20, y 0..10.
class LinesPolygon : public ::testing::Test {
protected:
    LinesPolygon()
    {
        g.setEOBJEKT(&rec);
        g.setELX(100);
        g.setELY(80);
        g.setScales(1, 1, 10, 10, 10, 10, 0, 20, 0, 10, 0.25f, 10.0f / 60);
    }
    // The one line drawn by a LINIE call, or none.
    std::optional<QLineF> line(float x1, float y1, float x2, float y2, short bosk = 0)
    {
        rec.forget();
        g.LINIE(x1, y1, x2, y2, std::nullopt, bosk);
        const auto l = rec.lines();
        if (l.isEmpty()) return std::nullopt;
        EXPECT_EQ(l.size(), 1);
        return QLineF(l[0].a, l[0].b);
    }
    QVector<QPointF> circles() const
    {
        QVector<QPointF> out;
        for (const DrawCall& c : rec.calls(DrawCall::Circle)) out << c.a;
        return out;
    }
    vb::ScopedScriptedUi ui;
    gfx::RecordingSurface rec;
    Session s;
    clsGRAFIK g{s};
};

void expectLine(const std::optional<QLineF>& l, QPointF a, QPointF b)
{
    ASSERT_TRUE(l.has_value());
    EXPECT_NEAR(l->p1().x(), a.x(), 1e-4);
    EXPECT_NEAR(l->p1().y(), a.y(), 1e-4);
    EXPECT_NEAR(l->p2().x(), b.x(), 1e-4);
    EXPECT_NEAR(l->p2().y(), b.y(), 1e-4);
}

TEST_F(LinesPolygon, ClippingToThePlotOrTheDiagramArea)
{
    expectLine(line(20, 20, 30, 30), {20, 20}, {30, 30});            // inside: unchanged
    expectLine(line(0, 40, 100, 40), {10, 40}, {90, 40});            // horizontal, cut at both edges
    expectLine(line(50, 0, 50, 100), {50, 10}, {50, 70});            // vertical, cut at both edges
    expectLine(line(0, 0, 100, 80), {12.5, 10}, {87.5, 70});         // diagonal through the corners' sides
    expectLine(line(50, 40, 50, 95), {50, 40}, {50, 70});            // one end outside
    expectLine(line(10, 20, 10, 30), {10, 20}, {10, 30});            // on an edge counts as inside
    EXPECT_FALSE(line(0, 5, 100, 5).has_value());                     // wholly above
    EXPECT_FALSE(line(95, 0, 95, 80).has_value());                    // wholly right
    EXPECT_FALSE(line(0, 15, 15, 0).has_value());                     // passes the corner outside
    EXPECT_FALSE(line(50, 50, NAN, 10).has_value());
    expectLine(line(0, 5, 100, 5, 1), {0, 5}, {100, 5});              // diagram area
    expectLine(line(-50, 5, 150, 5, 1), {0, 5}, {100, 5});
    EXPECT_TRUE(ui->boxes().isEmpty()); // clipping never asks anything

    rec.forget();
    rec.ForeColor = gfx::QBColor(4);
    g.LINIE(20, 20, 30, 30, gfx::QBColor(12));
    g.LINIE(20, 20, 30, 30);
    ASSERT_EQ(rec.lines().size(), 2);
    EXPECT_EQ(rec.lines()[0].color, gfx::QBColor(12));
    EXPECT_EQ(rec.lines()[1].color, gfx::QBColor(4));
}

TEST_F(LinesPolygon, PenSettings)
{
    rec.DrawWidth = 5;
    rec.ForeColor = gfx::QBColor(12);
    gfx::Pen p = g.LINIENEINSTELLUNGEN(0, 0, 0);
    EXPECT_EQ(p.width, 1);
    EXPECT_EQ(p.colour, 0);
    EXPECT_EQ(rec.DrawWidth, 1);
    EXPECT_EQ(rec.DrawStyle, 0);
    EXPECT_EQ(rec.DrawMode, 13);
    EXPECT_EQ(rec.ForeColor, 0);
    p = g.LINIENEINSTELLUNGEN(2, 0.5f, gfx::QBColor(9));
    EXPECT_NEAR(p.width, 0.5 * rec.pixelsPerMm(), 1e-4);
    EXPECT_EQ(rec.DrawWidth, 2);
    EXPECT_EQ(rec.DrawStyle, 2);
    g.LINIE(20, 20, 30, 30);
    EXPECT_EQ(rec.lines().last().width, 2);
    EXPECT_EQ(rec.lines().last().style, 2);
    EXPECT_EQ(rec.lines().last().color, gfx::QBColor(9));
}

TEST_F(LinesPolygon, ArrowheadIsAClosedTriangleAtTheTip)
{
    auto head = [&](float x1, float y1, float x2, float y2) {
        rec.forget();
        g.PFEIL(x1, y1, x2, y2);
        return rec.lines();
    };
    auto l = head(20, 40, 23, 40); // 3 mm apart: head 1.5 mm
    ASSERT_EQ(l.size(), 3);
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(l[i].a.x(), 23, 1e-5);
        EXPECT_NEAR(l[i].a.y(), 40, 1e-5);
        EXPECT_NEAR(QLineF(l[i].a, l[i].b).length(), 1.5, 1e-4);
        EXPECT_LT(l[i].b.x(), 23); // pointing away from the tail
    }
    EXPECT_NEAR(l[0].b.y() + l[1].b.y(), 80, 1e-4); // symmetric, 15 degrees each side
    EXPECT_NEAR(std::abs(l[0].b.y() - 40), 1.5 * std::sin(0.2617994), 1e-4);
    EXPECT_EQ(QLineF(l[2].a, l[2].b).p1(), l[0].b);
    EXPECT_EQ(QLineF(l[2].a, l[2].b).p2(), l[1].b);
    l = head(50, 60, 50, 20); // long, pointing up: head 2.5 mm
    ASSERT_EQ(l.size(), 3);
    EXPECT_NEAR(QLineF(l[0].a, l[0].b).length(), 2.5, 1e-4);
    EXPECT_GT(l[0].b.y(), 20);
    EXPECT_TRUE(head(50, 40, 50, 40).size() <= 3);
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(LinesPolygon, SymbolsAndNumbersAtEveryKthPoint)
{
    QVector<float> x, y;
    for (int i = 0; i <= 20; ++i) { x << i; y << 5; }
    g.POLYGON(x, y, 5, 0, 5, QString(), 0, 0, 0);
    EXPECT_EQ(rec.lines().size(), 20);
    const auto c = circles();
    ASSERT_EQ(c.size(), 5);
    for (int j = 0; j < 5; ++j) {
        EXPECT_NEAR(c[j].x(), 10 + 4 * 5 * j, 1e-4);
        EXPECT_NEAR(c[j].y(), 40, 1e-4);
    }
    EXPECT_EQ(rec.allText(), QStringLiteral("05101520"));

    auto countFor = [&](short psit, int n) {
        rec.forget();
        QVector<float> xs(x.mid(0, n)), ys(y.mid(0, n));
        g.POLYGON(xs, ys, psit, 0, 0, QString(), 0, 0, 0);
        return circles().size();
    };
    EXPECT_EQ(countFor(0, 21), 0);
    EXPECT_EQ(countFor(1, 21), 21);
    EXPECT_EQ(countFor(2, 21), 21);
    EXPECT_EQ(countFor(21, 21), 21);
    EXPECT_EQ(countFor(-1, 21), 1);
    // halves round to the even neighbour: 11/2 -> 6, 13/2 -> 6
    EXPECT_EQ(clsGRAFIK::pickPoints(3, 12), (QVector<int>{0, 6}));
    EXPECT_EQ(clsGRAFIK::pickPoints(3, 14), (QVector<int>{0, 6, 12}));
    EXPECT_EQ(clsGRAFIK::pickPoints(30, 5), (QVector<int>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(clsGRAFIK::pickPoints(5, 0).isEmpty());

    // a point outside the plot area gets no symbol
    rec.forget();
    QVector<float> ox{2, 4, 6}, oy{5, 25, 5};
    g.POLYGON(ox, oy, 2, 0, 0, QString(), 0, 0, 0);
    EXPECT_EQ(circles().size(), 2);
    EXPECT_EQ(rec.lines().size(), 2); // both segments cut at the top edge
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(LinesPolygon, EightDistinctSymbolsAndTheirColours)
{
    std::set<QString> shapes;
    for (int type = 0; type < 8; ++type) {
        rec.forget();
        gfx::drawSymbol(rec, QPointF(50, 40), type);
        QString sig;
        for (const DrawCall& c : rec.calls())
            sig += QStringLiteral("%1:%2,%3,%4,%5,%6,%7;").arg(c.kind).arg(c.a.x(), 0, 'f', 2).arg(c.a.y(), 0, 'f', 2)
                       .arg(c.b.x(), 0, 'f', 2).arg(c.b.y(), 0, 'f', 2).arg(c.r, 0, 'f', 2).arg(c.filled);
        EXPECT_FALSE(rec.calls().isEmpty()) << type;
        shapes.insert(sig);
    }
    EXPECT_EQ(shapes.size(), 8u);

    QVector<float> x{2, 4}, y{5, 5};
    rec.forget();
    rec.ForeColor = 0;
    g.POLYGON(x, y, 2, 5, 0, QString(), 0, 0, -1);
    EXPECT_EQ(rec.lines().first().color, gfx::QBColor(10));
    EXPECT_EQ(rec.lines().last().color, gfx::QBColor(10));
    rec.forget();
    rec.ForeColor = gfx::QBColor(12);
    g.POLYGON(x, y, 2, 5, 0, QString(), 0, 0, 0);
    EXPECT_EQ(rec.lines().first().color, gfx::QBColor(12));
}

TEST_F(LinesPolygon, LogarithmsInPlaceAndPointsWithoutOne)
{
    g.setESKTX(1); // world x 0..20 are now decades
    QVector<float> x{1, 10, 0, 100}, y{5, 5, 5, 5};
    g.POLYGON(x, y, 2, 0, 0, QString(), 0, 0, 0);
    EXPECT_EQ(x, (QVector<float>{0, 1, 0, 2}));
    EXPECT_EQ(rec.lines().size(), 1); // the segments to and from the third point are left out
    EXPECT_EQ(circles().size(), 3);
    EXPECT_TRUE(ui->boxes().isEmpty());

    g.setESKTX(0);
    rec.forget();
    QVector<float> bx{1, 2, 3, 4}, by{5, 5, 5, 5};
    const QVector<bool> bol{true, true, false, true};
    g.POLYGON(bx, by, 0, 0, 0, QString(), 0, 0, 0, &bol);
    EXPECT_EQ(rec.lines().size(), 2);
}

TEST_F(LinesPolygon, LabelsArrowsAndShapeModes)
{
    QVector<float> x{2, 10}, y{5, 5}; // page (18, 40) .. (50, 40)
    g.POLYGON(x, y, 2, 0, 0, QStringLiteral(" k{t,2}10"), 3, 0, 0);
    auto t = rec.texts();
    ASSERT_EQ(t.size(), 2);
    const double h8 = 1.2 * 8 * 25.4 / 72;
    EXPECT_NEAR(t[0].a.x(), 52, 1e-4);
    EXPECT_NEAR(t[0].a.y(), 40 - h8 / 2, 1e-4);
    rec.forget();
    g.POLYGON(x, y, 0, 0, 0, QStringLiteral("AB"), 1, 0, 0);
    ASSERT_EQ(rec.texts().size(), 1);
    EXPECT_NEAR(rec.texts()[0].a.x(), 50 - 1.4111, 1e-3);
    EXPECT_NEAR(rec.texts()[0].a.y(), 40 - h8, 1e-4);
    rec.forget();
    g.POLYGON(x, y, 0, 0, 0, QStringLiteral("AB"), 0, 0, 0);
    EXPECT_TRUE(rec.texts().isEmpty());

    rec.forget();
    g.POLYGON(x, y, 0, 0, 0, QString(), 0, 3, 0);
    EXPECT_EQ(rec.lines().size(), 1 + 3 + 3); // the curve and a head at each end
    EXPECT_NEAR(rec.lines()[1].a.x(), 50, 1e-4);
    EXPECT_NEAR(rec.lines()[4].a.x(), 18, 1e-4);

    QVector<float> px{2, 10, 6}, py{2, 2, 8};
    rec.forget();
    g.setEPTYP(1);
    g.POLYGON(px, py, 0, 0, 0, QString(), 0, 0, 0);
    EXPECT_EQ(rec.lines().size(), 3);
    rec.forget();
    g.setEPTYP(2);
    g.POLYGON(px, py, 0, 0, 0, QString(), 0, 0, 0);
    ASSERT_EQ(rec.calls(DrawCall::Polygon).size(), 1);
    EXPECT_EQ(rec.calls(DrawCall::Polygon)[0].fillStyle, gfx::vbFSSolid);
    EXPECT_EQ(rec.FillStyle, gfx::vbFSTransparent); // restored
    rec.forget();
    g.setEPTYP(8);
    g.POLYGON(px, py, 0, 0, 0, QString(), 0, 0, 0);
    ASSERT_EQ(rec.lines().size(), 3);
    EXPECT_NEAR(rec.lines()[0].b.y(), 70, 1e-4);
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST(PolygonWithoutScales, ReportsOnceUnderItsTitle)
{
    vb::ScopedScriptedUi ui;
    gfx::RecordingSurface rec;
    Session s;
    clsGRAFIK g(s);
    g.setEOBJEKT(&rec);
    QVector<float> x(100, 1), y(100, 1);
    g.POLYGON(x, y, 2, 0, 0, QString(), 0, 0, 0);
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].title, QStringLiteral("Polygon"));
    EXPECT_TRUE(rec.calls().isEmpty());
    g.LINIE(0, 0, 1, 1); // no scales needed: clipped to the empty plot area of no margins
    g.PFEIL(0, 0, 1, 1);
    EXPECT_EQ(ui->boxes().size(), 1);
}

} // namespace
