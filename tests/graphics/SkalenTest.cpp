// SKALEN on a real project database: limits, lists, scale factors, G0
// write-back and the axes drawn into the recorder.
#include "GraphicsFixture.h"

#include <cmath>

using gfx::DrawCall;

namespace {

// Diagram 100 x 80 mm at the surface's corner, margins 10: plot 10..90 x 10..70.
class Skalen : public GraphicsFixture {
protected:
    Skalen()
    {
        setG0(11, 10, 10, 10, 10);
        g.setEID(1);
        g.setEOBJEKT(&rec);
        g.setELX(100);
        g.setELY(80);
    }
    void automatic(short on = -1)
    {
        g.setEBOXMIN(on);
        g.setEBOXMAX(on);
        g.setEBOYMIN(on);
        g.setEBOYMAX(on);
    }
    // x: limits 0, 10, ..., 100; ranges 10, 20, 50, 100 with 5, 4, 5, 5 ticks
    void decimalLists()
    {
        QVector<float> mins;
        for (int v = 0; v <= 100; v += 10) mins << v;
        g.setELXMIN(mins);
        g.setELXDIFF({10, 20, 50, 100});
        g.setELXIT({5, 4, 5, 5});
        g.setELXGIT({0, 0, 0, 0});
        g.setELXZL({5, 4, 5, 5});
    }
    // lines across the whole plot height at a page x
    int gridLinesAt(double x) const
    {
        int n = 0;
        for (const DrawCall& l : rec.lines())
            if (std::abs(l.a.x() - x) < 1e-3 && std::abs(l.b.x() - x) < 1e-3 && std::abs(std::abs(l.b.y() - l.a.y()) - 60) < 1e-3) ++n;
        return n;
    }
    gfx::RecordingSurface rec{200, 150};
    clsGRAFIK g{s};
};

TEST_F(Skalen, DefaultListsGiveOneIntervalWithoutLabelsAndAreStored)
{
    automatic();
    g.SKALEN(-1, QVector<float>{12, 18}, QVector<float>{3, 5});
    EXPECT_TRUE(ui->boxes().isEmpty()) << ui->boxes().value(0).text.toStdString();
    EXPECT_EQ(g.OX(), 1);
    EXPECT_FLOAT_EQ(g.RL(), 10);
    // data above the first list entry: the minimum is that entry
    EXPECT_FLOAT_EQ(g.XMIN(), 0);
    EXPECT_FLOAT_EQ(g.XMAX(), 100);
    EXPECT_FLOAT_EQ(g.YMIN(), 0);
    EXPECT_FLOAT_EQ(g.YMAX(), 80);
    EXPECT_EQ(g.scaleX().ticks, (QVector<float>{0, 100}));
    EXPECT_FLOAT_EQ(g.MX(), 100.0f / 80);
    EXPECT_FLOAT_EQ(g.MY(), 80.0f / 60);
    EXPECT_TRUE(rec.texts().isEmpty());
    EXPECT_EQ(rec.lines().size(), 6); // two axis lines with two ticks each
    // the automatic limits and the scale factors are written back
    EXPECT_FLOAT_EQ(g0(11, QStringLiteral("XMAX")).toFloat(), 100);
    EXPECT_FLOAT_EQ(g0(11, QStringLiteral("YMAX")).toFloat(), 80);
    EXPECT_FLOAT_EQ(g0(11, QStringLiteral("MX")).toFloat(), 1.25f);
    EXPECT_NEAR(g0(11, QStringLiteral("MY")).toFloat(), 80.0f / 60, 1e-5);

    // stored limits are kept when they are not automatic
    setG0Limits(11, 5, 50, 0, 80);
    s.cnnX.Execute(QStringLiteral("UPDATE [G0] SET [MX]=0,[MY]=0"));
    automatic(0);
    g.setELXMIN({0, 10, 100});
    g.setELXDIFF({100});
    g.SKALEN(0);
    EXPECT_FLOAT_EQ(g.XMIN(), 5);
    EXPECT_FLOAT_EQ(g.XMAX(), 105); // minimum + the one admissible range
    EXPECT_FLOAT_EQ(g0(11, QStringLiteral("XMAX")).toFloat(), 50);
}

TEST_F(Skalen, SnappingToTheListsAndCuttingToTheLargestRange)
{
    automatic();
    decimalLists();
    g.SKALEN(-1, QVector<float>{23, 57, 40}, QVector<float>{});
    EXPECT_FLOAT_EQ(g.XMIN(), 20);
    EXPECT_FLOAT_EQ(g.XMAX(), 70); // 60 - 20 = 40 -> the range 50
    EXPECT_EQ(g.scaleX().ticks, (QVector<float>{20, 30, 40, 50, 60, 70}));
    EXPECT_EQ(g.scaleX().labels, 5);

    g.setELXDIFF({10, 20, 50});
    g.setELXIT({5, 4, 5});
    g.SKALEN(-1, QVector<float>{0, 120}, QVector<float>{});
    EXPECT_FLOAT_EQ(g.XMIN(), 0);
    EXPECT_FLOAT_EQ(g.XMAX(), 50); // cut to the largest range; data above lie outside
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(Skalen, SeveralCurvesExtendTheLimitsAndOnlyTheLastDraws)
{
    automatic();
    decimalLists();
    g.SKALEN(1, QVector<float>{30, 40}, QVector<float>{1, 2});
    EXPECT_FLOAT_EQ(g.XMIN(), 30);
    EXPECT_FLOAT_EQ(g.XMAX(), 40);
    g.SKALEN(2, QVector<float>{5, 80}, QVector<float>{1, 2});
    EXPECT_FLOAT_EQ(g.XMIN(), 0);
    EXPECT_FLOAT_EQ(g.XMAX(), 80);
    EXPECT_TRUE(rec.calls().isEmpty());
    g.SKALEN(3, QVector<float>{50, 60}, QVector<float>{1, 2});
    EXPECT_FLOAT_EQ(g.XMIN(), 0);
    EXPECT_FLOAT_EQ(g.XMAX(), 100);
    EXPECT_FALSE(rec.lines().isEmpty());
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(Skalen, StoredScaleFactorsAndTheRequiredRatio)
{
    setG0(11, 10, 10, 10, 10, 0, 2, 3);
    automatic();
    g.SKALEN(-1, QVector<float>{12}, QVector<float>{3});
    EXPECT_FLOAT_EQ(g.MX(), 2);
    EXPECT_FLOAT_EQ(g.MY(), 3);

    // MYMX 1: x needs 1.25 per mm, y 1/6 per mm; y follows x
    setG0(11, 10, 10, 10, 10, 1);
    g.setELYMIN({0, 10});
    g.setELYDIFF({10});
    g.SKALEN(-1, QVector<float>{12}, QVector<float>{3});
    EXPECT_FLOAT_EQ(g.MX(), 1.25f);
    EXPECT_FLOAT_EQ(g.MY(), 1.25f);
    EXPECT_FLOAT_EQ(g0(11, QStringLiteral("MY")).toFloat(), 1.25f);
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(Skalen, EqualScaleLetsTheYMaximumFollow)
{
    automatic();
    g.setEXYIT(1);
    QVector<float> mins;
    for (int v = 0; v <= 100; v += 10) mins << v;
    g.setELYMIN(mins);
    g.setELYDIFF({25, 50, 75, 100});
    g.setELYIT({5, 5, 5, 5});
    g.SKALEN(-1, QVector<float>{12}, QVector<float>{3, 18});
    // x 0..100 over 80 mm; y 0..100 * 60 / 80 = 75 over 60 mm
    EXPECT_FLOAT_EQ(g.YMAX(), 75);
    EXPECT_FLOAT_EQ(g.MX(), g.MY());
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(Skalen, LogarithmicAxisWithMinimumZero)
{
    setG0Limits(11, 0, 1000, 0, 80);
    g.setESKTX(1);
    g.setELXMIN({0.001f, 0.01f, 0.1f, 1, 10, 100, 1000});
    g.setELXDIFF({1000});
    g.setELXIT({1});
    g.setELXGIT({1});
    g.setELXZL({1});
    g.setESKZX(QStringLiteral("#.##"));
    g.SKALEN(0);
    EXPECT_TRUE(ui->boxes().isEmpty()) << ui->boxes().value(0).text.toStdString();
    EXPECT_FLOAT_EQ(g.XMIN(), 0); // log of 0 counts as 0
    EXPECT_FLOAT_EQ(g.XMAX(), 3);
    EXPECT_FLOAT_EQ(g.MX(), 3.0f / 80);
    // decade ticks with the bare decimal point removed from the labels
    const QString labels = rec.allText();
    for (const char* l : {"10", "100", "1000"}) EXPECT_TRUE(labels.contains(QLatin1String(l))) << l;
    EXPECT_FALSE(labels.contains(QLatin1Char(',')));
    EXPECT_EQ(gridLinesAt(10 + 80.0 / 3), 1); // the decade 10
}

TEST_F(Skalen, LogarithmicDivisionsWithSubTicks)
{
    float mn = 2, mx = 300;
    gfx::AxisLists l{{1, 10, 100, 1000}, {1000}, {10}, {1}, {1}};
    auto s = gfx::AxisDivision::divide(mn, mx, l, true, false, false, 0, {});
    ASSERT_GE(s.ticks.size(), 3);
    EXPECT_FLOAT_EQ(s.ticks.first(), std::log10(2.0f));
    EXPECT_FLOAT_EQ(s.ticks[1], std::log10(3.0f));
    EXPECT_FLOAT_EQ(s.ticks.last(), std::log10(300.0f));
    EXPECT_EQ(s.ticks.size(), 8 + 9 + 2 + 1); // 3..9, 10..90, 100 and 200, the ends
    EXPECT_EQ(s.gridTicks, (QVector<float>{std::log10(2.0f), 1, 2, std::log10(300.0f)}));
    l.GIT = {10};
    s = gfx::AxisDivision::divide(mn, mx, l, true, false, false, 0, {});
    EXPECT_EQ(s.gridTicks, s.ticks);
    // data of 0 or below do not pull an automatic limit on a logarithmic axis
    mn = 50;
    mx = 60;
    l = gfx::AxisLists{{1, 10, 100, 1000}, {1000}, {1}, {1}, {1}};
    s = gfx::AxisDivision::divide(mn, mx, l, true, true, true, -1, {0, -4, NAN, 20, 700});
    EXPECT_FLOAT_EQ(mn, 10);
    EXPECT_FLOAT_EQ(mx, 1000);
}

TEST_F(Skalen, TicksGridLinesLabelsAndTitles)
{
    automatic();
    QVector<float> mins;
    for (int v = 0; v <= 100; v += 10) mins << v;
    g.setELXMIN(mins);
    g.setELXDIFF({50});
    g.setELXIT({5});
    g.setELXGIT({2});
    g.setELXZL({5});
    g.setESKZX(QStringLiteral("###0.0#"));
    g.setETEXTX(QStringLiteral("t [h]"));
    g.setETEXTY(QStringLiteral("k{t,2}10 [m/s]"));
    g.setELYMIN({0, 5E-10f});
    g.setELYDIFF({5E-10f});
    g.setELYIT({5});
    g.setELYGIT({0});
    g.setELYZL({5});
    g.setESKZY(QStringLiteral("0E-##"));
    g.SKALEN(-1, QVector<float>{3, 47}, QVector<float>{1E-10f, 3E-10f});
    EXPECT_TRUE(ui->boxes().isEmpty()) << ui->boxes().value(0).text.toStdString();

    // 5 ticks, 2 grid intervals: round(2.5) = 2, grid lines at ticks 0, 2, 4
    EXPECT_EQ(gridLinesAt(10), 2); // the y axis line and a grid line
    EXPECT_EQ(gridLinesAt(10 + 16), 0);
    EXPECT_EQ(gridLinesAt(10 + 32), 1);
    EXPECT_EQ(gridLinesAt(10 + 48), 0);
    EXPECT_EQ(gridLinesAt(10 + 64), 1);
    EXPECT_EQ(gridLinesAt(90), 0);

    QStringList xLabels, yLabels;
    for (const DrawCall& t : rec.texts()) (t.angle == 0 ? xLabels : yLabels) << t.text;
    EXPECT_EQ(xLabels, (QStringList{"0,0", "10,0", "20,0", "30,0", "40,0", "50,0", "t [h]"}));
    // y labels as powers of ten, turned like the title
    EXPECT_TRUE(yLabels.join(QLatin1Char('|')).startsWith(QStringLiteral("0*10|0|1*10|-10|2*10|-10")))
        << yLabels.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(yLabels.contains(QStringLiteral("k")));
    EXPECT_TRUE(yLabels.contains(QStringLiteral(" [m/s]")));

    // x labels 2 mm below the axis, the title 6 mm below
    const auto texts = rec.texts();
    EXPECT_NEAR(texts[0].a.y(), 72, 1e-4);
    EXPECT_NEAR(texts[6].a.y(), 76, 1e-4);
}

TEST_F(Skalen, AxisPlacementCodes)
{
    automatic();
    g.setEAXEX(-1); // along the top edge
    g.setEAXEY(0);  // none
    g.SKALEN(-1, QVector<float>{1}, QVector<float>{1});
    auto l = rec.lines();
    ASSERT_EQ(l.size(), 3);
    EXPECT_NEAR(l[0].a.y(), 10, 1e-4);
    EXPECT_NEAR(l[1].b.y(), 8.5, 1e-4); // tick pointing up
    rec.forget();
    g.setEAXEX(0);
    g.setEAXEY(-5); // 5 mm right of the right edge
    g.SKALEN(-1, QVector<float>{1}, QVector<float>{1});
    l = rec.lines();
    ASSERT_EQ(l.size(), 3);
    EXPECT_NEAR(l[0].a.x(), 95, 1e-3);
    EXPECT_NEAR(l[1].b.x(), 96.5, 1e-3);
}

TEST_F(Skalen, ArgumentChecksAndUnreadableSettings)
{
    g.SKALEN(0, QVariant(QVariantList{1.0}), QVariant());
    g.SKALEN(0, QVariant(), QVariant(QStringList{QStringLiteral("a")}));
    ASSERT_EQ(ui->boxes().size(), 2);
    EXPECT_EQ(ui->boxes()[0].text, QStringLiteral("Datenfehler: Sie Müssen ein Single-Feld für X übergeben!"));
    EXPECT_EQ(ui->boxes()[1].text, QStringLiteral("Datenfehler: Sie Müssen ein Single-Feld für Y übergeben!"));
    EXPECT_EQ(ui->boxes()[0].icon(), vb::vbExclamation);
    EXPECT_TRUE(rec.calls().isEmpty());

    // reading stops at the first unreadable value: RR and later keep their values
    ui->clear();
    s.cnnX.Execute(QStringLiteral("UPDATE [G0] SET [OY]=100000,[RL]=7"));
    automatic();
    g.SKALEN(-1, QVector<float>{1}, QVector<float>{1});
    ASSERT_FALSE(ui->boxes().isEmpty());
    EXPECT_EQ(ui->boxes()[0].title, QStringLiteral("Datenfehler"));
    EXPECT_EQ(g.OX(), 1);
    EXPECT_FLOAT_EQ(g.RL(), 0);
}

TEST_F(Skalen, ZeroRangeIsReportedOnceAndNothingUnusableStored)
{
    g.setELX(20);
    g.SKALEN(0); // plot width 20 - 10 - 10 = 0
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].title, QStringLiteral("Skalen"));
    EXPECT_EQ(ui->boxes()[0].text, QStringLiteral("VB-Fehler:11\nDivision durch Null"));
    EXPECT_EQ(g0(11, QStringLiteral("MX")).toFloat(), 0);
    EXPECT_TRUE(rec.lines().isEmpty());
}

} // namespace
