// A full diagram (axes, tick labels as powers of ten, a Greek axis title, a
// curve) drawn to a PNG and to a PDF.
#include "GraphicsFixture.h"

#include "graphics/ImageSurface.h"
#include "graphics/PrinterSurface.h"
#include "graphics/VBColor.h"

#include <QDir>
#include <QFile>

namespace {

// The k10-over-time diagram of a record on a surface, 110 x 125 mm at (ox, oy).
void drawK10Diagram(gfx::Surface& surface, float ox, float oy)
{
    clsGRAFIK g;
    g.setEID(1);
    g.setEIDOBJEKT(11);
    g.setEOBJEKT(&surface);
    g.setEXDL(ox);
    g.setEYDO(oy);
    g.setELX(110);
    g.setELY(125);
    g.setEBOXMIN(-1);
    g.setEBOXMAX(-1);
    g.setEBOYMIN(-1);
    g.setEBOYMAX(-1);
    QVector<float> xmin{0}, xdiff;
    for (float decade : {1.0f, 10.0f, 100.0f, 1000.0f})
        for (int j = 1; j <= 9; ++j) { xmin << j * decade; xdiff << j * decade; }
    xmin << 10000;
    xdiff << 10000;
    g.setELXMIN(xmin);
    g.setELXDIFF(xdiff);
    g.setELXIT(QVector<short>(xdiff.size(), 5));
    g.setELXGIT(QVector<short>(xdiff.size(), 5));
    g.setELXZL(QVector<short>(xdiff.size(), 5));
    g.setETEXTX(QStringLiteral("t [h]"));
    g.setESKZX(QStringLiteral("###0.0#"));
    QVector<float> ymin{0}, ydiff;
    for (int e = -11; e <= -1; ++e) {
        const float p = static_cast<float>(std::pow(10.0, e));
        ymin << p << 5 * p;
        ydiff << p << 5 * p;
    }
    g.setELYMIN(ymin);
    g.setELYDIFF(ydiff);
    g.setELYIT(QVector<short>(ydiff.size(), 5));
    g.setELYGIT(QVector<short>(ydiff.size(), 5));
    g.setELYZL(QVector<short>(ydiff.size(), 5));
    g.setETEXTY(QStringLiteral("k{t,2}10 [m/s]"));
    g.setESKZY(QStringLiteral("0E-##"));

    QVector<float> t, k10;
    for (int i = 0; i < 12; ++i) {
        t << 0.5f * i + 0.25f;
        k10 << static_cast<float>(3.2e-8 * std::exp(-0.12 * i) + 4e-9);
    }
    g.SKALEN(-1, t, k10);
    g.POLYGON(t, k10, static_cast<short>(t.size()), 0, 0, QString(), 0, 0, 0);
    g.LINIENEINSTELLUNGEN(0, 0, 0);
    g.SCHRIFTEINSTELLUNGEN(QString(), 10, 0, 0, 0, 0);
    g.TEXT(11, 4, QStringLiteral("Zeitverlauf des Durchlässigkeitsbeiwertes"), 2, 0, 0, 0);
    g.SCHRIFTEINSTELLUNGEN(QString(), 0, 0, 0, 0, 0);
    g.TEXT(88, 12, QStringLiteral("n = 1"), 2, 0, 0, 0);
    // legend: the k10 line and a light red phi line
    const float x1 = g.XMIN() + 0.8f * (g.XMAX() - g.XMIN()), x2 = g.XMIN() + 0.9f * (g.XMAX() - g.XMIN());
    QVector<float> lx{x1, x2}, ly(2, g.YMIN() + 0.12f * (g.YMAX() - g.YMIN()));
    g.POLYGON(lx, ly, 2, 0, 0, QStringLiteral(" k{t,2}10"), 3, 0, 0);
    g.LINIENEINSTELLUNGEN(0, 0, gfx::QBColor(12));
    QVector<float> ly2(2, g.YMIN() + 0.06f * (g.YMAX() - g.YMIN()));
    g.POLYGON(lx, ly2, 2, 4, 0, QStringLiteral(" {g,1}f"), 3, 0, 0);
    g.LINIENEINSTELLUNGEN(0, 0, 0);

    // the level overlay: same time axis, phi on a light red axis at the right
    clsGRAFIK h;
    h.setEID(1);
    h.setEIDOBJEKT(14);
    h.setEOBJEKT(&surface);
    h.setEXDL(ox);
    h.setEYDO(oy);
    h.setELX(110);
    h.setELY(125);
    h.setEBOXMIN(-1);
    h.setEBOXMAX(-1);
    h.setEBOYMIN(-1);
    h.setEBOYMAX(-1);
    h.setELXMIN(g.ELXMIN());
    h.setELXDIFF(g.ELXDIFF());
    h.setELXIT(g.ELXIT());
    h.setELXGIT(g.ELXGIT());
    h.setEAXEX(0);
    h.setEAXEY(-1);
    QVector<float> pmin{0}, pdiff;
    for (int v = 50; v <= 1000; v += 50) { pmin << v; pdiff << v; }
    h.setELYMIN(pmin);
    h.setELYDIFF(pdiff);
    h.setELYIT(QVector<short>(pdiff.size(), 5));
    h.setELYGIT(QVector<short>(pdiff.size(), 0));
    h.setELYZL(QVector<short>(pdiff.size(), 5));
    h.setETEXTY(QStringLiteral("{g,1}f [mm]"));
    h.setESKZY(QStringLiteral("#0"));
    h.LINIENEINSTELLUNGEN(0, 0, gfx::QBColor(12));
    QVector<float> phi;
    for (int i = 0; i < t.size(); ++i) phi << 420.0f - 25.0f * i;
    h.SKALEN(-1, t, phi);
    h.POLYGON(t, phi, 0, 0, 0, QString(), 0, 0, 0);
    h.LINIENEINSTELLUNGEN(0, 0, 0);
}

class DiagramOutput : public GraphicsFixture {
protected:
    // Files go to the temporary folder, or to TALPEX_DIAGRAM_DIR to look at them.
    QString out(const QString& name)
    {
        const QString keep = qEnvironmentVariable("TALPEX_DIAGRAM_DIR");
        return keep.isEmpty() ? dir.file(name) : QDir(keep).filePath(name);
    }
};

TEST_F(DiagramOutput, PngShowsTheCurveInsideThePlotArea)
{
    setG0(11, 11, 12, 10, 11);
    setG0(14, 11, 12, 10, 11);
    gfx::ImageSurface img(140, 150, 200);
    drawK10Diagram(img, 10, 10);
    EXPECT_TRUE(ui->boxes().isEmpty()) << ui->boxes().value(0).text.toStdString();
    const QString png = out(QStringLiteral("k10.png"));
    ASSERT_TRUE(img.save(png));
    EXPECT_GT(QFile(png).size(), 1000);

    // plot area: x 21..118 mm, y 20..124 mm; the curve is dark blue-black pen
    // on white: look for drawn pixels well inside it, away from grid lines
    const QImage im = img.image();
    const double k = img.pixelsPerMm();
    int inside = 0, outsideRight = 0;
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x) {
            const QColor c = im.pixelColor(x, y);
            if (c.lightness() > 200) continue;
            const double xm = x / k, ym = y / k;
            if (xm > 21.5 && xm < 117.5 && ym > 20.5 && ym < 123.5) ++inside;
            if (xm > 131) ++outsideRight;
        }
    EXPECT_GT(inside, 500);
    EXPECT_EQ(outsideRight, 0);
}

TEST_F(DiagramOutput, PdfIsWritten)
{
    setG0(11, 11, 12, 10, 11);
    setG0(14, 11, 12, 10, 11);
    const QString pdf = out(QStringLiteral("k10.pdf"));
    {
        auto printer = gfx::PrinterSurface::pdfPrinter(pdf);
        gfx::PrinterSurface page(*printer);
        EXPECT_NEAR(page.sizeMm().width(), 297, 0.5);
        EXPECT_NEAR(page.sizeMm().height(), 210, 0.5);
        drawK10Diagram(page, 15, 30);
        page.EndDoc();
    }
    EXPECT_TRUE(ui->boxes().isEmpty());
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5).startsWith("%PDF"));
    EXPECT_GT(f.size(), 2000);
}

} // namespace
