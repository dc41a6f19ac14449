// TEXT through the recording surface: runs, fonts, shifts, anchors, rotation
// and the visibility test. The recorder's metrics: a character is 0.5 em
// wide, a line 1.2 em high (em = points * 25.4 / 72 mm).
#include "QtPrint.h"
#include "data/Session.h"
#include "graphics/RecordingSurface.h"
#include "graphics/VBColor.h"
#include "graphics/clsGRAFIK.h"
#include "platform/Convert.h"
#include "platform/MsgBox.h"

#include <gtest/gtest.h>

using gfx::DrawCall;

namespace {

constexpr double kEm8 = 8 * 25.4 / 72, kEm7 = 7 * 25.4 / 72;
constexpr double kW8 = 0.5 * kEm8, kH8 = 1.2 * kEm8; // character width, line height at 8 pt
constexpr double kW7 = 0.5 * kEm7, kH7 = 1.2 * kEm7; // the small slot: round(8 / 1.175) = 7 pt

class TextDrawing : public ::testing::Test {
protected:
    TextDrawing() { g.setEOBJEKT(&rec); }
    vb::ScopedScriptedUi ui;
    gfx::RecordingSurface rec;
    Session s;
    clsGRAFIK g{s};
};

TEST_F(TextDrawing, SubscriptRunFollowsInTheSmallFontAndIsLowered)
{
    g.TEXT(50, 50, QStringLiteral("k{t,2}10 [m/s]"), 0, 0, 0, 0);
    const auto t = rec.texts();
    ASSERT_EQ(t.size(), 3);
    EXPECT_EQ(t[0].text, QStringLiteral("k"));
    EXPECT_NEAR(t[0].a.x(), 50, 1e-4);
    EXPECT_NEAR(t[0].a.y(), 50, 1e-4);
    EXPECT_EQ(t[0].font.name, QStringLiteral("Arial"));
    EXPECT_EQ(t[0].font.size, 8);
    EXPECT_EQ(t[1].text, QStringLiteral("10"));
    EXPECT_EQ(t[1].font.size, 7);
    EXPECT_NEAR(t[1].a.x(), 50 + kW8, 1e-4);
    EXPECT_NEAR(t[1].a.y(), 50 + 0.35 * kH7, 1e-4);
    EXPECT_EQ(t[2].text, QStringLiteral(" [m/s]"));
    EXPECT_NEAR(t[2].a.x(), 50 + kW8 + 2 * kW7, 1e-4);
    EXPECT_NEAR(t[2].a.y(), 50, 1e-4);
    // the surface font is the plain font again afterwards
    EXPECT_EQ(rec.Font.size, 8);
}

TEST_F(TextDrawing, AnchorsUseTheWidthOfTheDrawnRuns)
{
    // centred and bottom-aligned: w is k (8 pt) plus "10" (7 pt), not the raw markup
    g.TEXT(50, 50, QStringLiteral("k{t,2}10"), 0, 0, 1, 2);
    const double w = kW8 + 2 * kW7;
    auto t = rec.texts();
    ASSERT_EQ(t.size(), 2);
    EXPECT_NEAR(t[0].a.x(), 50 - w / 2, 1e-4);
    EXPECT_NEAR(t[0].a.y(), 50 - kH8, 1e-4);
    rec.forget();
    g.TEXT(50, 50, QStringLiteral("AB"), 0, 0, 2, 1);
    t = rec.texts();
    ASSERT_EQ(t.size(), 1);
    EXPECT_NEAR(t[0].a.x(), 50 - 2 * kW8, 1e-4);
    EXPECT_NEAR(t[0].a.y(), 50 - kH8 / 2, 1e-4);
}

TEST_F(TextDrawing, NumbersGreekAndLoweredRuns)
{
    QString number = QStringLiteral("1E-05");
    g.TEXT(50, 50, number, 0, 0, 0, 0);
    EXPECT_EQ(number, QStringLiteral("1*10{h,3}-05"));
    auto t = rec.texts();
    ASSERT_EQ(t.size(), 2);
    EXPECT_EQ(t[1].text, QStringLiteral("-05"));
    EXPECT_NEAR(t[1].a.y(), 50 - 0.25 * kH7, 1e-4);
    EXPECT_NEAR(t[1].a.x(), 50 + 4 * kW8, 1e-4);

    rec.forget();
    g.TEXT(50, 50, QStringLiteral("{g,1}f"), 0, 0, 0, 0);
    t = rec.texts();
    ASSERT_EQ(t.size(), 1);
    EXPECT_EQ(t[0].text, QStringLiteral("φ"));
    EXPECT_EQ(t[0].font.name, QStringLiteral("Symbol"));
    EXPECT_NEAR(t[0].a.y(), 50 - 0.1 * kH8, 1e-4);

    rec.forget();
    g.TEXT(50, 50, QStringLiteral("a{gh,1}b{s,1}x"), 0, 0, 0, 0);
    t = rec.texts();
    ASSERT_EQ(t.size(), 3);
    EXPECT_EQ(t[1].font.name, QStringLiteral("Symbol"));
    EXPECT_EQ(t[1].font.size, 7);
    EXPECT_NEAR(t[2].a.y(), 50 + 0.5 * kH8, 1e-4);

    rec.forget();
    g.TEXT(50, 50, QString(), 0, 0, 0, 0);
    g.TEXT(50, 50, QStringLiteral("12.5"), 0, 0, 0, 0);
    ASSERT_EQ(rec.texts().size(), 1);
    EXPECT_EQ(rec.texts()[0].text, QStringLiteral("12.5"));
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(TextDrawing, RotatedTextRunsUpTheLeftOfItsPoint)
{
    // 90 degrees, centred, bottom at the point: the text lies left of it
    g.TEXT(50, 100, QStringLiteral("A{t,1}B"), 0, 90, 1, 2);
    const auto t = rec.texts();
    ASSERT_EQ(t.size(), 2);
    const double w = kW8 + kW7;
    // the rotation helper starts on whole pixels: allow a pixel
    const double px = 1 / rec.pixelsPerMm();
    EXPECT_EQ(t[0].angle, 90);
    EXPECT_NEAR(t[0].a.x(), 50 - kH8, px);
    EXPECT_NEAR(t[0].a.y(), 100 + w / 2, px);
    // the subscript is lowered across the text direction: to the right
    EXPECT_NEAR(t[1].a.x(), 50 - kH8 + 0.35 * kH7, px);
    EXPECT_NEAR(t[1].a.y(), 100 + w / 2 - kW8, px);
    EXPECT_EQ(t[1].font.size, 7);
}

TEST_F(TextDrawing, VisibilityIsTestedStrictlyInsideTheWidenedArea)
{
    g.setEXDL(10);
    g.setEYDO(20);
    g.setELX(100);
    g.setELY(50);
    // test rectangle 9..111 x 19..71; "AB" is 2 characters wide, one line high
    auto drawn = [&](float x, float y, short ref = 0) {
        rec.forget();
        g.TEXT(x, y, QStringLiteral("AB"), ref, 0, 0, 0);
        return !rec.texts().isEmpty();
    };
    EXPECT_TRUE(drawn(9.01f, 19.01f));
    EXPECT_FALSE(drawn(9.0f, 30));
    EXPECT_FALSE(drawn(30, 19.0f));
    EXPECT_TRUE(drawn(static_cast<float>(111 - 2 * kW8 - 0.01), 30));
    EXPECT_FALSE(drawn(static_cast<float>(111 - 2 * kW8 + 0.01), 30));
    EXPECT_TRUE(drawn(30, static_cast<float>(71 - kH8 - 0.01)));
    EXPECT_FALSE(drawn(30, static_cast<float>(71 - kH8 + 0.01)));
    // reference 2 counts from the diagram's corner
    EXPECT_TRUE(drawn(-0.99f, -0.99f, 2));
    EXPECT_FALSE(drawn(-1.01f, 5, 2));

    // reference 1: world coordinates, tested against the plot area
    g.setScales(1, 1, 10, 10, 5, 5, 0, 80, 0, 40, 1, 1); // plot 20..100 x 25..65
    EXPECT_TRUE(drawn(0, 40, 1));     // at the plot's top-left corner, inside the 1 mm margin
    EXPECT_FALSE(drawn(80, 40, 1));   // would stick out on the right
    rec.forget();
    g.TEXT(40, 20, QStringLiteral("AB"), 1, 0, 0, 0);
    ASSERT_EQ(rec.texts().size(), 1);
    EXPECT_NEAR(rec.texts()[0].a.x(), 20 + 40, 1e-4);
    EXPECT_NEAR(rec.texts()[0].a.y(), 25 + 20, 1e-4);
}

TEST_F(TextDrawing, FontSettingsAndTheirDefaults)
{
    g.SCHRIFTEINSTELLUNGEN(QStringLiteral("Times"), 12, -1, 0, -1, gfx::QBColor(12));
    g.TEXT(50, 50, QStringLiteral("x{h,1}2"), 0, 0, 0, 0);
    auto t = rec.texts();
    ASSERT_EQ(t.size(), 2);
    EXPECT_EQ(t[0].font.name, QStringLiteral("Times"));
    EXPECT_TRUE(t[0].font.bold);
    EXPECT_TRUE(t[0].font.italic);
    EXPECT_FALSE(t[0].font.underline);
    EXPECT_EQ(t[0].color, gfx::QBColor(12));
    EXPECT_EQ(t[1].font.size, 10); // round(12 / 1.175)
    EXPECT_TRUE(t[1].font.bold);
    g.SCHRIFTEINSTELLUNGEN(QString(), 0, 0, 0, 0, 0);
    EXPECT_EQ(rec.Font, gfx::SurfaceFont{});
    EXPECT_EQ(rec.ForeColor, 0);
}

TEST(TextWithoutSurface, ReportsUnderItsTitle)
{
    vb::ScopedScriptedUi ui;
    Session s;
    clsGRAFIK g(s);
    g.TEXT(1, 1, QStringLiteral("x"), 0, 0, 0, 0);
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].title, QStringLiteral("Text"));
    EXPECT_TRUE(ui->boxes()[0].text.startsWith(QStringLiteral("VB-Fehler: 91\n")));
    EXPECT_EQ(ui->boxes()[0].buttons(), vb::vbOKCancel);
}

} // namespace
