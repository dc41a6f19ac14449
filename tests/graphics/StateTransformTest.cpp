// Construction values, the surface binding and the transforms.
#include "GraphicsFixture.h"

#include "graphics/ImageSurface.h"

using gfx::kTwipsPerMm;

namespace {

class StateTransform : public GraphicsFixture {};

TEST_F(StateTransform, ConstructionValuesAndTheCurrentRecord)
{
    s.cnnX.Execute(QStringLiteral("UPDATE [E1] SET [AKT]=0"));
    testsupport::addRecord(s.cnnX, 7, QStringLiteral("B7"), true);
    clsGRAFIK g(s);
    EXPECT_EQ(g.EID(), 7);
    EXPECT_EQ(g.EIDOBJEKT(), 11);
    // the equal-scale mode is kept as a whole number, halves to even
    g.setEXYIT(1.5f);
    EXPECT_EQ(g.EXYIT(), 2);
    g.setEXYIT(0.5f);
    EXPECT_EQ(g.EXYIT(), 0);

    // a second session on another project: each diagram reads its own
    Session other;
    schema::createProjectDatabase(dir.file(QStringLiteral("OTHER.mdb")));
    other.cnnX.OpenFile(dir.file(QStringLiteral("OTHER.mdb")));
    testsupport::addRecord(other.cnnX, 9, QStringLiteral("B9"), true);
    EXPECT_EQ(clsGRAFIK(other).EID(), 9);
    EXPECT_EQ(clsGRAFIK(s).EID(), 7);

    s.cnnX.Execute(QStringLiteral("UPDATE [E1] SET [AKT]=0"));
    EXPECT_EQ(clsGRAFIK(s).EID(), 0);
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(StateTransform, TheSurfaceSetsTheSizeAndResetsTheLists)
{
    gfx::RecordingSurface rec(170, 90);
    EXPECT_NEAR(rec.Width(), 170 * kTwipsPerMm, 1e-6);
    clsGRAFIK g(s);
    g.setELXMIN({1, 2, 3});
    g.setELXIT({4, 4});
    rec.Font.size = 14;
    g.setEOBJEKT(&rec);
    EXPECT_FLOAT_EQ(g.ELX(), 170);
    EXPECT_FLOAT_EQ(g.ELY(), 90);
    EXPECT_EQ(g.ELXMIN(), (QVector<float>{0, 170}));
    EXPECT_EQ(g.ELXDIFF(), (QVector<float>{170}));
    EXPECT_EQ(g.ELXIT(), (QVector<short>{1}));
    EXPECT_EQ(g.ELXGIT(), (QVector<short>{0}));
    EXPECT_EQ(g.ELXZL(), (QVector<short>{0}));
    EXPECT_EQ(g.ELYMIN(), (QVector<float>{0, 90}));
    EXPECT_EQ(rec.Font, gfx::SurfaceFont{}); // Arial 8
    g.setELY(40);
    EXPECT_EQ(g.ELYDIFF(), (QVector<float>{40}));

    // an image reports its size in millimetres
    gfx::ImageSurface img(120, 60, 300);
    g.setEOBJEKT(&img);
    EXPECT_NEAR(g.ELX(), 120, 0.01);
    EXPECT_NEAR(g.ELY(), 60, 0.01);
}

TEST_F(StateTransform, CornersOfThePlotAreaInEveryOrientation)
{
    clsGRAFIK g(s);
    gfx::RecordingSurface rec;
    g.setEOBJEKT(&rec);
    g.setEXDL(15);
    g.setEYDO(30);
    g.setELX(110);
    g.setELY(125);
    // x 0..100 over 110-11-12 = 87 mm, y 0..1 over 125-10-11 = 104 mm
    const float mx = 100.0f / 87, my = 1.0f / 104;
    float xp = 0, yp = 0;
    g.setScales(1, 1, 11, 12, 10, 11, 0, 100, 0, 1, mx, my);
    g.KOORDTRANS(0, 1, xp, yp);
    EXPECT_NEAR(xp, 26, 1e-4);
    EXPECT_NEAR(yp, 40, 1e-4);
    g.KOORDTRANS(100, 0, xp, yp);
    EXPECT_NEAR(xp, 113, 1e-3);
    EXPECT_NEAR(yp, 144, 1e-3);
    // x to the left, y downwards
    g.setScales(0, 0, 11, 12, 10, 11, 0, 100, 0, 1, mx, my);
    g.KOORDTRANS(0, 1, xp, yp);
    EXPECT_NEAR(xp, 113, 1e-3);
    EXPECT_NEAR(yp, 144, 1e-3);
    g.KOORDTRANS(100, 0, xp, yp);
    EXPECT_NEAR(xp, 26, 1e-4);
    EXPECT_NEAR(yp, 40, 1e-4);

    float x = 0, y = 0;
    g.setScales(1, 1, 11, 12, 10, 11, -2, 3, 0, 1, 5.0f / 87, my);
    g.KOORDTRANSINV(26 + 87.0f / 5 * 2, 40, x, y, 1, 0); // world x 0: 10^0
    EXPECT_NEAR(x, 1, 1e-4);
    EXPECT_NEAR(y, 1, 1e-5);
    g.KOORDTRANSINV(113, 144, x, y, 1, 0);
    EXPECT_NEAR(x, 1000, 0.05);
    EXPECT_NEAR(y, 0, 1e-5);
    g.KOORDTRANSINV(26, 40, x, y, 0, 0);
    EXPECT_NEAR(x, -2, 1e-5);
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(StateTransform, TransformWithoutScalesReportsAndLeavesTheResult)
{
    clsGRAFIK g(s);
    float xp = -1, yp = -1;
    g.KOORDTRANS(1, 1, xp, yp);
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].title, QStringLiteral("Koordinatentransformation"));
    EXPECT_EQ(ui->boxes()[0].text, QStringLiteral("VB-Fehler: 11\nDivision durch Null"));
    EXPECT_EQ(xp, -1);
    float x = 0, y = 0;
    g.setScales(1, 1, 0, 0, 0, 0, 0, 1, 0, 1, 1, 1);
    g.KOORDTRANSINV(0, -400, x, y, 0, 1); // 10^401 does not fit
    ASSERT_EQ(ui->boxes().size(), 2);
    EXPECT_EQ(ui->boxes()[1].title, QStringLiteral("Inverse Koordinatentransformation"));
}

} // namespace
