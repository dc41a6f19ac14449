// The picture box: a widget that keeps what was drawn on it.
#include "common/Pixels.h"
#include "data/Session.h"
#include "graphics/VBColor.h"
#include "graphics/clsGRAFIK.h"
#include "widgets/PictureBox.h"

#include <QApplication>
#include <gtest/gtest.h>

using testsupport::darkPixels;

TEST(PictureBox, KeepsWhatWasDrawnUntilClearedAndReportsItsSizeInMillimetres)
{
    gfx::PictureBox box;
    box.setObjectName(QStringLiteral("picBILD11"));
    box.resize(200, 150);
    box.show();
    const double k = box.pixelsPerMm();
    box.Line(10, 10, 30, 10, gfx::QBColor(0));
    QApplication::processEvents();
    const int y = static_cast<int>(10 * k);
    EXPECT_GT(darkPixels(box.picture(), QRect(static_cast<int>(12 * k), y - 1, static_cast<int>(15 * k), 3)), 10);
    // repainting and growing keep the picture
    box.resize(300, 220);
    box.repaint();
    EXPECT_GT(darkPixels(box.grab().toImage(), QRect(static_cast<int>(12 * k), y - 1, static_cast<int>(15 * k), 3)), 10);
    EXPECT_NEAR(box.sizeMm().width(), 300 / k, 1e-6);
    EXPECT_EQ(box.name(), QStringLiteral("picBILD11"));
    box.Cls();
    EXPECT_EQ(darkPixels(box.picture(), box.picture().rect()), 0);
    EXPECT_EQ(box.CurrentX, 0);

    // a diagram on the box takes the box's size
    Session s;
    clsGRAFIK g(s);
    g.setEOBJEKT(&box);
    EXPECT_NEAR(g.ELX(), 300 / k, 1e-3);
}
