#include "graphics/Interpolation.h"
#include "platform/MsgBox.h"

#include <gtest/gtest.h>

using namespace gfx;

TEST(Interpolation, LinintInterpolatesAndRefusesAVerticalBase)
{
    vb::ScopedScriptedUi ui;
    EXPECT_FLOAT_EQ(LININT(0, 10, 5, 0, 20), 10);
    EXPECT_FLOAT_EQ(LININT(2, 4, 6, 1, 3), 5); // extrapolates
    EXPECT_TRUE(ui->boxes().isEmpty());
    EXPECT_FLOAT_EQ(LININT(3, 3, 5, 1, 2), 0);
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].title, QStringLiteral("LININT"));
    EXPECT_EQ(ui->boxes()[0].text, QStringLiteral("Division durch Null!"));
    EXPECT_EQ(ui->boxes()[0].buttons(), vb::vbOKOnly);
    EXPECT_FALSE(interpolate(3, 3, 5, 1, 2).has_value());
    EXPECT_EQ(ui->boxes().size(), 1);
}

TEST(Interpolation, DirectionAngleCoversAllQuadrants)
{
    EXPECT_FLOAT_EQ(RICHTUNGSWINKEL(0, 0, 1, 0), 0);
    EXPECT_FLOAT_EQ(RICHTUNGSWINKEL(0, 0, 0, 1), 1.5707964f);
    EXPECT_FLOAT_EQ(RICHTUNGSWINKEL(0, 0, 0, -1), 4.712389f);
    EXPECT_FLOAT_EQ(RICHTUNGSWINKEL(0, 0, -1, 0), 3.1415927f);
    EXPECT_FLOAT_EQ(RICHTUNGSWINKEL(0, 0, 1, -1), 5.497787f);
    EXPECT_FLOAT_EQ(RICHTUNGSWINKEL(0, 0, -1, -1), 3.926991f);
    EXPECT_FLOAT_EQ(RICHTUNGSWINKEL(2, 2, 2, 2), 0);
}
