// The page header and footer through the recording surface, and drawn to a PNG.
#include "GraphicsFixture.h"

#include "graphics/ImageSurface.h"
#include "graphics/clsKOPFFUSS.h"

#include <QDir>

namespace {

void fill(clsKOPFFUSS& k)
{
    k.setUEBERSCHRIFT(QStringLiteral("Auswertung der Standrohrversuche"));
    k.setKOMMENTAR(QStringLiteral("Versuch im Bohrloch, Filterstrecke 2,0 m"));
    k.setPROJEKT(QStringLiteral("TE2026.07"));
    k.setBEARBEITER(QStringLiteral("M. Mustermann"));
    k.setPROGRAMMIERER(QStringLiteral("Nordlicht Software"));
    k.setCOPYRIGHT(QStringLiteral("© 2026 Nordlicht Software"));
    k.setDATUM(QDate(2026, 12, 8));
    k.setUHRZEIT(QTime(14, 5, 31));
    k.setSEITE(1);
    k.setSEITENANZAHL(2);
}

} // namespace

using HeaderFooter = GraphicsFixture;

TEST_F(HeaderFooter, PageDrawsToPng)
{
    gfx::ImageSurface img(297, 210, 100);
    clsKOPFFUSS k;
    k.setAUSGABEOBJEKT(&img, &img);
    fill(k);
    k.setKENNZEICHNUNG(QStringList{"B1", "B2", "B3"});
    k.KOPFFUSSZEILE();
    EXPECT_TRUE(ui->boxes().isEmpty());
    const QString keep = qEnvironmentVariable("TALPEX_DIAGRAM_DIR");
    ASSERT_TRUE(img.save(keep.isEmpty() ? dir.file("page.png") : QDir(keep).filePath("page.png")));
}
