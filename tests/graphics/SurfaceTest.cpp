// The drawing surfaces themselves, and the failure boxes of the toolkit.
#include "QtPrint.h"
#include "common/Pixels.h"
#include "data/Session.h"
#include "graphics/ImageSurface.h"
#include "graphics/RecordingSurface.h"
#include "graphics/VBColor.h"
#include "graphics/clsGRAFIK.h"
#include "graphics/clsROTATOR.h"
#include "platform/MsgBox.h"

#include <gtest/gtest.h>

namespace {

using testsupport::darkPixels;

TEST(Surfaces, ImageTextIsSizedInPointsAtAnyResolution)
{
    // the same text measures the same in millimetres at 100 and 300 dpi
    gfx::ImageSurface lo(50, 20, 100), hi(50, 20, 300);
    lo.Font.size = hi.Font.size = 10;
    EXPECT_NEAR(lo.TextWidth(QStringLiteral("Durchlässigkeit")), hi.TextWidth(QStringLiteral("Durchlässigkeit")), 1.0);
    EXPECT_NEAR(hi.TextHeight(), 10 * 25.4 / 72 * 1.15, 1.0); // a line is about 1.15 em
    hi.CurrentX = 5;
    hi.CurrentY = 5;
    hi.Print(QStringLiteral("XX"));
    EXPECT_GT(hi.CurrentX, 5);
    EXPECT_GT(darkPixels(hi.image(), QRect(static_cast<int>(5 * hi.pixelsPerMm()), static_cast<int>(5 * hi.pixelsPerMm()),
                                          static_cast<int>(hi.TextWidth(QStringLiteral("XX")) * hi.pixelsPerMm()),
                                          static_cast<int>(hi.TextHeight() * hi.pixelsPerMm()))), 20);
}

TEST(Surfaces, RotatorPrintsAtTheCurrentPositionAndLeavesIt)
{
    gfx::RecordingSurface rec;
    rec.CurrentX = 20.1;
    rec.CurrentY = 30.2;
    clsROTATOR r;
    r.setDevice(&rec);
    r.setAngle(90);
    r.Label(QStringLiteral("abc"));
    ASSERT_EQ(rec.texts().size(), 1);
    EXPECT_EQ(rec.texts()[0].angle, 90);
    EXPECT_NEAR(rec.texts()[0].a.x(), 20.1, 1 / rec.pixelsPerMm());
    EXPECT_EQ(rec.CurrentX, 20.1);
    EXPECT_EQ(rec.CurrentY, 30.2);
}

TEST(Toolkit, FailureBoxesCarryTheRoutineTitles)
{
    vb::ScopedScriptedUi ui;
    Session s;
    clsGRAFIK g(s); // no surface: every drawing routine fails with 91
    g.LINIE(0, 0, 1, 1);
    g.PFEIL(0, 0, 1, 1);
    g.LINIENEINSTELLUNGEN(0, 0, 0);
    g.SCHRIFTEINSTELLUNGEN(QString(), 0, 0, 0, 0, 0);
    QVector<float> x{1}, y{1};
    g.POLYGON(x, y, 0, 0, 0, QString(), 0, 0, 0);
    const auto& b = ui->boxes();
    ASSERT_EQ(b.size(), 5);
    EXPECT_EQ(b[0].title, QStringLiteral("LINIE"));
    EXPECT_TRUE(b[0].text.startsWith(QStringLiteral("VB-Fehler: \nFehlerNr. 91\n")));
    EXPECT_EQ(b[1].title, QStringLiteral("Pfeil"));
    EXPECT_TRUE(b[1].text.startsWith(QStringLiteral("VB-Fehler: 91\n")));
    EXPECT_EQ(b[2].title, QStringLiteral("Linieneinstellungen"));
    EXPECT_TRUE(b[2].text.startsWith(QStringLiteral("VB-Fehler 91\n")));
    EXPECT_EQ(b[3].title, QStringLiteral("Schrifteinstellungen"));
    EXPECT_TRUE(b[3].text.startsWith(QStringLiteral("VB-Fehler:91\n")));
    EXPECT_EQ(b[4].title, QStringLiteral("Polygon"));
    for (const auto& box : b) {
        EXPECT_EQ(box.buttons(), vb::vbOKCancel);
        EXPECT_EQ(box.icon(), vb::vbExclamation);
    }
}

} // namespace
